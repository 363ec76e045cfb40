// The one interface through which the kernel reaches the target: registers, memory, download,
// reset, halt and the operations the run loop drives. The target layer implements it over the
// cable and chip libraries; tests use a small fake. Nothing in the engine reaches a library or
// the target layer's state any other way.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/download.h"
#include "engine/target_verify.h"
#include "model/registers.h"
#include "model/symbols.h"
#include "model/target_memory.h"

namespace yav {

class TargetSetup;

class TargetPort {
 public:
  virtual ~TargetPort() = default;

  // A target answers (libraries loaded, chip selected, link up).
  virtual bool connected() const = 0;

  // The CPU registers; false when no target answers or the chip library refuses.
  virtual bool readRegisters(RegisterFile& out) = 0;
  virtual bool writeRegisters(const RegisterFile& in) = 0;

  // Typed access to target memory; null while no target is connected.
  virtual TargetMemory* memory() = 0;

  // The path a load writes code through; null when there is nothing to download to.
  virtual CodeDownloader* downloader() = 0;

  // Resets the target (`flag` as the chip library takes it); false without a target.
  virtual bool reset(int flag) = 0;

  // Halts a running target; false when it does not answer.
  virtual bool stop() = 0;

  // Rebuilds the target break list from the kernel's breakpoints and, when asked, the line
  // entries of the active functions.
  virtual void loadBreaks(bool withActiveFunctions) = 0;

  // Adds the source lines of one function to the break list, so that steps stop at them, and
  // marks the function armed.
  virtual void loadFunctionBreaks(FunctionEntry& function) = 0;

  // A run loop starts (one execution command): answers the user gave to the questions of the
  // previous one no longer hold.
  virtual void beginRunLoop() {}

  // Starts the target code without waiting for a stop; false when the target does not answer.
  virtual bool startCode() = 0;

  // Runs the target: with `freeRun` until it stops by itself or a stop is requested, else one
  // C-line unit by instruction steps. Returns the program counter at the stop, or nothing when
  // the target did not answer.
  virtual std::optional<uint32_t> run(bool freeRun) = 0;

  // The data break that stopped the last run, when one did: the watched address and the access
  // ('R', 'W' or 'A').
  struct DataHit {
    uint32_t address = 0;
    char access = 'A';
  };
  virtual std::optional<DataHit> dataBreakHit() { return std::nullopt; }

  // Whether the enabled breakpoints and watchpoints can all be placed for a free run; the
  // reason in words when they cannot (too many code or data breaks for the break hardware).
  // Asks nothing and changes nothing.
  virtual std::optional<std::string> breakPlacementProblem() { return std::nullopt; }

  // Executes one machine instruction; false when the target did not answer.
  virtual bool instructionStep() = 0;

  // True when no instruction in [from, to) can change the flow of control, so the range can be
  // stepped over with one temporary break at `to`.
  virtual bool straightLine(uint32_t from, uint32_t to) = 0;

  // A pin of the target board by name: drives it to `level` (0, 1, or -1 to let it go) or,
  // without a level, reads it. Returns the pin's level; nothing when the target has no such
  // pin or cannot drive pins.
  virtual std::optional<int> pin(const std::string& name, std::optional<int> level) {
    (void)name;
    (void)level;
    return std::nullopt;
  }

  // Simulated time since the simulated chip was powered on, in microseconds; nothing on a
  // target that does not measure it (a real board).
  virtual std::optional<double> simulatedMicroseconds() { return std::nullopt; }

  // The link's course, for the front-ends. The start-up connection, and when it fails for a
  // reason the user can mend, the Connect dialog until connected or cancelled; true when a
  // target answers. A port with no link to make answers whether its target does.
  virtual bool connect() { return connected(); }
  // One more connection with the current settings (after another chip was selected); true when
  // a target answers.
  virtual bool reconnect() { return connected(); }
  // The end of the session: the target's breaks cleared, the link and the libraries let go.
  virtual void shutdown() {}
  // The exit status a batch run ends with after a fault of the link it cannot go on from (no
  // libraries, no connection); 0 when there was none.
  virtual int fatalExitCode() const { return 0; }

  // The Target menu. Its title (it names the chip once one is selected); empty: the menu keeps
  // the title it was built with.
  virtual std::string menuTitle() const { return {}; }
  // Runs the Target menu command `id`; false for ids the port does not handle.
  virtual bool handleTargetCommand(int id) {
    (void)id;
    return false;
  }
  // The id of the menu's Reset. The front-end restarts the program (the command `zero`) before
  // it hands this id to handleTargetCommand, which then resets the target. Nothing when the
  // port has no such item.
  virtual std::optional<int> resetCommandId() const { return std::nullopt; }

  // Compares an S-record file with the target's memory and tells the user the outcome.
  // `Unsupported` from a port that cannot compare; the caller then says so.
  virtual VerifyResult verify(const VerifyRequest& request, const VerifyProgress& progress) {
    (void)request;
    (void)progress;
    return {VerifyOutcome::Unsupported, 0};
  }

  // The Setup dialog's side of the target and the chip choice (engine/target_setup.h); null when
  // the port has none.
  virtual TargetSetup* setup() { return nullptr; }
};

}  // namespace yav
