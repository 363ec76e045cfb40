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

  // What editors add to a breakpoint (the DAP server sets these). A passage counts only where
  // `condition` (a C expression) is non-zero; `hitRule` says at which counted passages the event
  // fires; with a `logMessage` the event prints it, each {expression} replaced by its value, and
  // the run goes on.
  std::string condition;
  enum class HitRule : uint8_t {
    EveryNth,  // at the count-th passage, then every count-th again (`/C:n`)
    FromNth,   // at every passage from the count-th on (">= n")
    NthOnly,   // at the count-th passage only ("== n")
  };
  HitRule hitRule = HitRule::EveryNth;
  int32_t passages = 0;  // counted passages so far, for FromNth and NthOnly
  std::string logMessage;
  // 'a' and 's': fires only where SP is at least this (-1: anywhere), so a return address in a
  // recursion fires for the return of one call and not of the deeper ones.
  int32_t minSp = -1;

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
// A place that is neither a line nor an address is evaluated as an expression from `spec.text`.
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

// Tests the data events after a data break stopped the target at a write or read ('W', 'R',
// or 'A' for either) of `address`: the first that fires is reported, runs its action and is
// returned.
std::optional<FiredEvent> evalDataEvents(Kernel& k, uint32_t address, char access);

// The user events as command lines that recreate them (`write /E`).
std::string saveEvents(Kernel& k);

// The user events as the records of a session file, one command line each, in number order.
std::vector<std::string> eventRecords(Kernel& k);

// What a data event command asks for one expression.
struct DataEventRequest {
  char access = ev::DataAccess;  // ev::DataWrite, ev::DataRead or ev::DataAccess
  int32_t count = 0;
  bool inactive = false;  // /I: created suspended
  uint8_t watch = 0;
  std::optional<std::string> action;
};

// Creates a data event on the expression at `text`: refused (and reported) unless it names a
// statically allocated variable.
bool setDataEvent(Kernel& k, const std::string& text, const DataEventRequest& request);

// The event of number `num`, or null.
Event* findEvent(Kernel& k, int num);

// Gives `e` the lowest number not in use, puts it in the list and returns it.
Event& addEvent(Kernel& k, std::unique_ptr<Event> e);

// Sets `on` of event `num` (-1: of every user event). False when there is no such event.
bool setEventOn(Kernel& k, int num, bool on);

// One line of the event listing.
std::string eventLine(const Event& e);

// The place of an event as the listing and the breakpoint message show it.
std::string eventPlace(const Event& e);

// Lists the breakpoints (`watch` 0) or the watchpoints (1); "no breakpoint" when there is none.
void listEvents(Kernel& k, uint8_t watch);

// A line place resolved against the symbol tables: file, function and line range.
struct LinePlace {
  const FileEntry* file = nullptr;
  const FunctionEntry* func = nullptr;
  uint32_t first = 0, last = 0;
};

// Resolves a line spec; with `report`, refusals are reported (and kept in `lastError`).
std::optional<LinePlace> resolveLinePlace(Kernel& k, const LocSpec& spec, bool entryOnly, bool report);

// True when the line event `e` covers the line `line` of `place` (same file and function where
// both name one).
bool lineEventHolds(const Event& e, const LinePlace& place, uint32_t line);

}  // namespace yav
