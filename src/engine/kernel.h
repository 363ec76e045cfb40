// The kernel: all process-wide debugger state, one struct per area, owned by one Kernel object.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "engine/program_state.h"
#include "engine/stop_record.h"
#include "engine/target_port.h"
#include "engine/ui_port.h"
#include "model/registers.h"

namespace yav {

// State of the command dispatcher.
struct DispatchState {
  bool internals = false;        // words marked internal are recognised
  bool noUpdate = false;         // the current command does not count as state-changing
  uint16_t commandCount = 0;     // state-changing commands so far, wraps at 16 bits
  std::FILE* log = nullptr;      // command log opened by `record`
  std::string logPath;           // its name, for the reports of failed writes
  bool eventAction = false;      // an event's action commands are running
  bool quitting = false;         // set by `quit`, stays set
  bool autoRemoveInternal = true;  // delete events created with user 0 after each command
  bool registerTracking = false;   // `wregs`
};

// A capture buffer of the output entry: while active, output is appended here instead of shown.
struct CaptureBuffer {
  static constexpr size_t kSize = 20480;
  bool active = false;
  std::string text;  // always within kSize characters
};

// Routing of kernel output.
struct OutputState {
  bool happened = false;  // something was printed since the flag was last cleared
  CaptureBuffer capture1, capture2, fakeIo;
  std::FILE* redirect = nullptr;  // `output` file, copy of everything shown
  bool textualMode = false;       // aggregates print as text instead of going to a window
  int defaultRadix = 0;           // 1 octal, 2 hexadecimal, 4 binary, else decimal
};

// Command files (`input`) and quiet mode.
struct CmdFileState {
  bool inputMark = false;  // a command file is running: errors go to the output as "#error: "
  int depth = 0;           // nesting of `input`
  bool quiet = false;      // -v: no echo of command-file lines, no section size lines
  int lastResult = 0;      // 1 when the last file was read, 0 when opening failed
  std::string sourcePath;  // directories separated by '|', also searched for command files
  bool closeHeldBack = false;
};

// Execution state: the mode variables of the execution commands and the run loop, and the stop
// request shared by every long loop.
struct ExecState {
  static constexpr int32_t kNoCount = 32000;  // budget of a loop started without a count
  static constexpr uint8_t kReloadBreaks = 0xFF;

  bool stepping = true;     // step commands (1) or run commands (0)
  bool gomode = false;      // a run command is active: the budget is not consumed
  bool insnmode = false;    // the unit is one machine instruction
  bool tracing = false;     // each source line reached is printed (`tgo`, `tigo`)
  bool animate = false;     // each step is shown and the budget is not consumed
  bool finishmode = false;  // `finish`
  int16_t finishdepth = 0;  // call depth relative to the function current at `finish`
  uint16_t finishSp = 0;    // stack pointer at the entry of the frame `finish` leaves
  int32_t budget = 0;       // units still to execute
  int32_t total = 0;        // the budget at the start, for the status line
  int32_t stepcount = 0;    // units done so far in this loop
  int depth = 0;            // 0 idle, 1 inside the run loop, more for nested requests
  bool stopreq = false;     // stop request: Escape, Stop, `stop`, the target layer
  bool running = false;     // the target is executing (or a load is under way)
  bool busy = false;        // a long operation runs: the front-end refuses most commands
  uint8_t lastmode = kReloadBreaks;  // `stepping` the break list was loaded for; 0xFF: reload
  bool keepFrames = false;  // a run inside one function (step over) keeps the frames it follows
  uint32_t stops = 0;       // run loops ended so far: views mark what changed since the last one
  uint16_t finishEvent = 0;  // the internal event at the return address `finish` runs to
  StopRecord lastStop;      // why and where the last run ended
};

class TargetMemory;
struct ValueRecord;
struct Kernel;

class Evaluator;
class KernelEvalEnv;
struct DisplayState;
struct EventState;
struct ScriptState;

// The kernel's copy of the processor registers; `previous` is the copy before the last stop.
struct RegisterState {
  RegisterFile file;
  RegisterFile previous;
  bool valid = false;  // read from the target at least once
};

// The expression evaluator bound to this kernel (made on first use).
struct EvalState {
  std::unique_ptr<KernelEvalEnv> env;
  std::unique_ptr<Evaluator> evaluator;
  EvalState();
  ~EvalState();
};

struct Kernel {
  explicit Kernel(UiPort& port);
  ~Kernel();
  Kernel(const Kernel&) = delete;
  Kernel& operator=(const Kernel&) = delete;

  UiPort* ui;
  DispatchState disp;
  OutputState out;
  CmdFileState cmdfile;
  ExecState exec;
  bool debugInfoLoaded = false;  // C source information is available
  int errorCount = 0;            // errors reported so far (for `--strict` batch runs)
  bool batchMode = false;        // no windows: faults that would end the program end the run
  ProgramState prog;  // the loaded program (load, files, funcs)
  std::unique_ptr<TargetPort> target;  // null: no target layer, symbols only
  RegisterState regs;
  EvalState eval;
  std::unique_ptr<DisplayState> display;  // frames, monitors, tracking
  std::unique_ptr<EventState> events;     // breakpoints, watchpoints, change and data events
  std::unique_ptr<ScriptState> scripts;   // file channels, statement nesting
};

// Target memory through the target port; null without a connected target.
TargetMemory* targetMemory(Kernel& k);

}  // namespace yav
