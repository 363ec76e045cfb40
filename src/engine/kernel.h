// The kernel: all process-wide debugger state, one struct per area, owned by one Kernel object.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <functional>
#include <optional>
#include <string>

#include "engine/hooks.h"
#include "engine/program_state.h"
#include "engine/ui_port.h"
#include "model/registers.h"
#include "target/target_state.h"

namespace yav {

// State of the command dispatcher.
struct DispatchState {
  bool internals = false;        // words marked internal are recognised
  bool noUpdate = false;         // the current command does not count as state-changing
  uint16_t commandCount = 0;     // state-changing commands so far, wraps at 16 bits
  std::FILE* log = nullptr;      // command log opened by `record`
  bool eventAction = false;      // an event's action commands are running
  int execDepth = 0;             // non-zero while the run loop is active
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

// Run control shared by every long loop.
struct RunState {
  bool stopRequest = false;
  bool targetRunning = false;
  bool busy = false;
};

class TargetMemory;
struct ValueRecord;
struct Kernel;

// What value printing reaches beyond the kernel: target memory (null until a target exists),
// function names by entry address (empty until symbols are loaded) and the evaluator's reload
// (when unset, values are reloaded from target memory alone).
struct ValueAccess {
  TargetMemory* memory = nullptr;
  std::function<std::optional<std::string>(uint32_t address)> functionNameAt;
  std::function<bool(Kernel&, ValueRecord&)> reload;
};

class Evaluator;
class KernelEvalEnv;
struct DisplayState;

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
  explicit Kernel(UiPort& port) : ui(&port) {}
  ~Kernel();
  Kernel(const Kernel&) = delete;
  Kernel& operator=(const Kernel&) = delete;

  UiPort* ui;
  DispatchState disp;
  OutputState out;
  CmdFileState cmdfile;
  RunState run;
  bool debugInfoLoaded = false;  // C source information is available
  int errorCount = 0;            // errors reported so far (for `--strict` batch runs)
  bool batchMode = false;        // no windows: faults that would end the program end the run
  KernelHooks hooks;
  ProgramState prog;  // the loaded program (load, files, funcs)
  ValueAccess values;
  target::TargetState target;  // cable and chip libraries, connection
  RegisterState regs;
  EvalState eval;
  std::shared_ptr<DisplayState> display;  // frames, monitors, tracking (made on first use)
};

}  // namespace yav
