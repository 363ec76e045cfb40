// The link to the target: start-up connection, reconnection, reset, halt and shutdown.
#pragma once
#include <string>

#include "engine/kernel.h"

namespace yav::target {

// What front-ends call before the program load: the start-up connection, and when it fails
// for a reason the user can fix, the Connect loop. Returns true when the target is connected.
// A fault that ends a batch run leaves its exit code in targetState(k).fatalExitCode; interactive
// front-ends go on without a target.
bool connectTarget(Kernel& k);

// The start-up connection in its fixed order; the number of chip libraries found, 0 on failure.
int startupConnection(Kernel& k);

// Target menu "Connect": the Setup dialog and reconnection until connected (1) or cancelled (0).
// Without a Setup dialog (console, batch) one reconnection is tried with the current settings.
int connectLoop(Kernel& k);

// One reconnection with the current settings; 1 when connected.
int reconnectTarget(Kernel& k);

// Resets the target; `flag` goes to emreset and asks for the views to be refreshed.
void resetTarget(Kernel& k, int flag);

// Stops the running target ("Can't Abort Target " when it does not answer).
bool haltTarget(Kernel& k);

// Connection settings from and to the settings file.
void readConnectionSettings(Kernel& k);
void saveConnectionSettings(Kernel& k);

// Clears breaks, closes the current chip library and the port, unloads the libraries.
void shutdownTarget(Kernel& k);

}  // namespace yav::target
