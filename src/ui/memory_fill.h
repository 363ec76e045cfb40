// "Memory Fill" of a data window: the dialog's fields checked, then each item of the range
// written with one value or pseudo-random values, optionally read back.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/kernel.h"
#include "model/target_memory.h"

namespace yav {

// The random fill draws from a generator seeded with 1, as the C library's generator starts
// before any seeding: the same fill writes the same values, so a test pattern can be repeated.
inline constexpr uint32_t kFillSeed = 1;

struct FillRequest {
  int size = 1;  // bytes per item: 1, 2 or 4
  uint32_t from = 0, to = 0;  // inclusive
  uint32_t value = 0;
  bool random = false;
  bool verify = false;
};

// The dialog's fields as typed.
struct FillDialogFields {
  int size = 1;
  std::string with, from, to;
  bool random = false;
  bool verify = false;
};

// Checks the fields: "Wrong Start Address", "Wrong End Address" (also an end below the start),
// "Wrong value" (not needed with "&Random"). Reports the first fault and gives nothing.
std::optional<FillRequest> checkFillFields(Kernel& k, const FillDialogFields& fields);

struct FillOutcome {
  bool ok = true;
  uint32_t failedAt = 0;    // the item that was refused or did not verify
  bool refused = false;     // the target refused the write (else the read-back differed)
  uint64_t written = 0;     // items written
};

// Writes the items from `from` up to and including `to`; stops at the first refused write or,
// with verify, at the first item that does not read back as written. `keepGoing`, when given,
// is asked every 512 items and ends the fill (still ok) when it says no.
FillOutcome fillMemory(TargetMemory& memory, const FillRequest& request, uint32_t seed = kFillSeed,
                       const std::function<bool()>& keepGoing = {});

// The fill as the window runs it: "Filling Memory" in the status bar, the fill (pumping the
// front-end's events so that Escape or Stop end it), " NO Verify at: " and the address on a
// mismatch, "Command" after, then the memory views are redrawn.
bool runFill(Kernel& k, const FillRequest& request);

}  // namespace yav
