// The target break list: the addresses the target must stop at, made from the kernel's
// breakpoints and the line entries of active functions, with the counts the limit checks use.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace yav::target {

// Kinds of break list entries.
inline constexpr char kBreakLine = 't';   // source line address (line event or active function)
inline constexpr char kBreakCode = 'a';   // code address break
inline constexpr char kBreakData = 'd';   // data break

struct BreakEntry {
  uint32_t address = 0;  // 0x10000 and above: paged addresses
  uint8_t stop = 0;      // 1: made from an event; 0: a line entry of an active function
  uint8_t watch = 0;     // 1: watchpoint (the run goes on after the event test)
  uint8_t size = 0;      // data breaks: bytes watched
  char kind = kBreakCode;
  char access = 'A';     // data breaks: 'R', 'W', or either
};

struct BreakList {
  std::vector<BreakEntry> entries;  // by ascending address, one per address
  int total = 0, data = 0, code = 0;
};

// Inserts an entry in address order; an address already present keeps the entry that is there.
// A data entry watching more than one byte counts twice (it takes two comparators).
void insertBreak(BreakList& list, const BreakEntry& entry);

// The entry at `address`, or null.
const BreakEntry* findBreak(const BreakList& list, uint32_t address);

// Empties the list and zeroes its counters.
void clearBreakList(BreakList& list);

// Zeroes the counters alone (before a download).
void clearBreakCounters(BreakList& list);

// How a run drives the target: Stepping Mode (instruction steps, the debugger tests the breaks)
// or Hard Breaks Mode (the target runs free with its breaks in the comparators).
enum class RunMode : uint8_t { Stepping = 1, HardBreaks = 4 };

// A trace asked for by the Target menu, consumed by the next run in Hard Breaks Mode.
struct TraceRequest {
  bool pending = false;
  int count = 0;  // 1 or 2
  bool till = false;
  uint8_t kinds[2] = {};
  uint32_t addresses[2] = {};
};

// Slots of the on-chip comparators as the previous run left them (the chip library reads the slot
// after those filled with its old address).
struct Comparators {
  static constexpr int kSlots = 4;
  uint8_t kinds[kSlots] = {};
  uint32_t addresses[kSlots] = {};
};

struct RunControl {
  RunMode mode = RunMode::HardBreaks;
  TraceRequest trace;
  bool traceArmed = false;
  bool resetBeforeRun = false;
  int refreshPeriodMs = 10;  // real-time refresh period; 0: refresh after every poll
  Comparators comparators;
  std::optional<bool> stepsAnswer;  // the user's answer to the offer of instruction steps, per command
  // The data break that stopped the last run: the watched address and its access kind.
  struct DataHit {
    uint32_t address = 0;
    char access = 'A';
  };
  std::optional<DataHit> dataHit;
};

}  // namespace yav::target
