// Events: the conditions under which the debugger takes notice while the target runs. Code events
// (a source line, an address, a function symbol, a label), change events (a variable's value
// changes) and data events (the target reads or writes a variable). A breakpoint stops the run, a
// watchpoint reports, runs its action and lets the target go on.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "engine/locspec.h"
#include "model/symbols.h"
#include "model/value.h"

namespace yav {

struct Frame;

namespace ev {
inline constexpr char Line = 't';
inline constexpr char Address = 'a';
inline constexpr char Symbol = 's';
inline constexpr char Label = 'l';
inline constexpr char Change = 'd';
inline constexpr char DataWrite = 'W';
inline constexpr char DataRead = 'R';
inline constexpr char DataAccess = 'A';
inline constexpr char CodeClass = 'C';
inline constexpr char DataClass = 'D';
}  // namespace ev

struct Event {
  bool on = true;           // a suspended event is never evaluated
  char kind = ev::Address;  // ev::Line ... ev::DataAccess
  char cls = ev::CodeClass;
  uint8_t watch = 0;  // 0 breakpoint, 1 watchpoint
  uint16_t num = 0;
  uint32_t addr = 0;  // 'a', 's' and 'l' events: the code address
  int32_t count = 1;  // hits needed to fire
  int32_t left = 1;   // hits still needed before the next firing
  int32_t hits = 0;   // times a watchpoint fired
  std::string action;  // command list run when the event fires; empty when none
  int user = 1;        // 0: internal, removed after the command that made it
  // 't': the file and the function the event is restricted to (either may be null), line range
  // (`first` 0: any line).
  const FileEntry* file = nullptr;
  const FunctionEntry* func = nullptr;
  uint32_t first = 0, last = 0;
  std::string name;  // 's': the symbol name; 'l': the label name
  // 'd' and data events: the evaluated expression (its text, address and size).
  std::unique_ptr<ValueRecord> expr;
  std::vector<uint8_t> saved;  // 'd': the variable's bytes at the last test

  bool isData() const { return cls == ev::DataClass; }
};

struct EventState {
  std::vector<std::unique_ptr<Event>> list;  // ascending `num`
  uint16_t lastNumber = 0;  // number of the event created last
  int lastError = 0;        // message id of the last refused creation, 0 after success
  bool quietListing = false;  // newly created events are not listed
};

// The kernel's events (made with the kernel).
EventState& eventState(Kernel& k);

// What a code event command asks for one place.
struct CodeEventRequest {
  int32_t count = 0;      // /C:n; 0 when not given
  bool entryOnly = false;  // /E: only the entry line of a function
  bool inactive = false;   // /I: created suspended
  uint8_t watch = 0;
  int user = 1;
  std::optional<std::string> action;  // an action block was given (empty text: no action)
};

// Creates the code event of one place, or updates the event already there. False when refused:
// the reason is reported and its id kept in `lastError`.
bool setCodeEvent(Kernel& k, const LocSpec& spec, const CodeEventRequest& request);

// Removes event `num`, or all events with -1. Reports "no breakpoint" for -1 on an empty list
// only when `complain`; an unknown number always reports "breakpoint not found". Returns false
// when nothing was removed.
bool rmevent(Kernel& k, int num, int complain);

// Removes every event created with user 0 (after each command).
void removeInternalEvents(Kernel& k);

// What `evalevents` found.
struct FiredEvent {
  uint16_t num = 0;
  uint8_t watch = 0;
  int user = 1;
};

// Tests the events at a stop. `frame` and `line` are null for an instruction-level check (then a
// firing address, symbol or label event is returned at once). Runs the action of a firing event.
std::optional<FiredEvent> evalevents(Kernel& k, const Frame* frame, const DebugRecord* line);

// The user events as command lines that recreate them (`write /E`).
std::string saveEvents(Kernel& k);

}  // namespace yav
