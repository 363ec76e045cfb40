// Running and stepping: the execution commands behind continue, next, step in and out, and the
// stop reported afterwards from the kernel's record of it.
#include <algorithm>

#include "dap/dap_address_text.h"
#include "dap/dap_arguments.h"
#include "dap/dap_session.h"
#include "engine/code_view.h"
#include "engine/dispatcher.h"
#include "engine/kernel_eval.h"
#include "model/hc08_opcodes.h"
#include "model/target_memory.h"

namespace yav::dap {

namespace {

bool instructionGranularity(const json& args) { return optionalString(args, "granularity") == "instruction"; }

bool targetUp(Kernel& k) { return k.target && k.target->connected(); }

// The reason the editor shows for a stop at a breakpoint of this kind.
const char* breakpointReason(Breakpoint::Kind kind) {
  switch (kind) {
    case Breakpoint::Kind::Function: return "function breakpoint";
    case Breakpoint::Kind::Instruction: return "instruction breakpoint";
    case Breakpoint::Kind::Data: return "data breakpoint";
    case Breakpoint::Kind::Line: break;
  }
  return "breakpoint";
}

std::string accessWords(char access) {
  return access == 'R' ? "read" : access == 'W' ? "write" : "access";
}

}  // namespace

void Session::continueRequest(const json&, json& body) {
  body = {{"allThreadsContinued", true}};
  runAfterResponse("go");
}

void Session::stepRequest(const json& args, const char* sourceCommand, const char* instructionCommand) {
  runAfterResponse(instructionGranularity(args) || !k_.debugInfoLoaded ? instructionCommand : sourceCommand);
}

void Session::next(const json& args, json&) {
  if (!instructionGranularity(args) && k_.debugInfoLoaded) return stepRequest(args, "so", "si");
  // Over one instruction: a call runs through to the instruction after it.
  const uint32_t pc = currentPc(k_);
  TargetMemory* mem = targetMemory(k_);
  uint8_t opcode[2] = {};
  const bool read = mem && mem->readByte(0, pc, opcode[0]) && mem->readByte(0, pc + 1, opcode[1]);
  if (const hc08::Decoded op = hc08::decode(opcode[0], opcode[1]); read && op.known() && hc08::is_call(*op.entry)) {
    runAfterResponse("go @" + hexAddress(pc + static_cast<uint32_t>(instructionLength(k_, pc))));
  } else {
    stepRequest(args, "si", "si");
  }
}
void Session::stepIn(const json& args, json&) { stepRequest(args, "step", "si"); }
void Session::stepOut(const json& args, json&) { stepRequest(args, "finish", "finish"); }

// Stopped already: the editor is told so again, as it expects an answer to its pause.
void Session::pause(const json&, json&) { reportStopAfterResponse("pause"); }

void Session::executionStarts() {
  // A run the editor did not ask for (a command typed in its debug console) is announced.
  if (!ranTarget_ && capture) sendEvent("continued", {{"threadId", kThreadId}, {"allThreadsContinued", true}});
  ranTarget_ = true;
}

void Session::runAfterResponse(std::string command) {
  then_ = [this, command] { execute(command); };
}

void Session::reportStopAfterResponse(std::string reason) {
  then_ = [this, reason] { reportStop(reason); };
}

void Session::execute(const std::string& command) {
  vars_.clear();
  pauseRequested_ = endRequested_ = false;
  running_ = true;
  freeRunning_ = command == "go";
  for (;;) {
    stop_.reset();
    runCommandLine(k_, command.c_str(), 1);
    // A free run the adapter stopped only to hand the break hardware new breakpoints goes on.
    const bool stoppedForBreaks = freeRunning_ && breaksChanged_ && !pauseRequested_ && !finished_ && stop_ &&
                                  stop_->reason == StopReason::StopRequest && targetUp(k_);
    if (breaksChanged_) serveWaitingBreakpoints();
    if (!stoppedForBreaks) break;
  }
  running_ = false;
  freeRunning_ = false;
  reportRunEnd();
}

void Session::reportRunEnd() {
  if (!targetUp(k_)) {
    if (!terminatedSent_) sendEvent("terminated");
    terminatedSent_ = true;
    return;
  }
  if (finished_ || endRequested_) return;
  if (!stop_) {
    // The run did not start (refused): the editor still waits for a stop.
    return reportStop("pause", {}, "the run did not start");
  }
  // An event's action may have made or removed breakpoints on the way.
  syncConsoleBreakpoints();
  const StopRecord& stop = *stop_;
  const std::vector<int> ids = breakpointsOf(stop);
  const Breakpoint* first = ids.empty() ? nullptr : findBreakpoint(ids.front());
  switch (stop.reason) {
    case StopReason::Breakpoint:
      return reportStop(first ? breakpointReason(first->kind) : "breakpoint", ids, stop.place);
    case StopReason::DataAccess:
      return reportStop("data breakpoint", ids, accessWords(stop.dataAccess) + " at " + hexAddress(stop.dataAddress));
    case StopReason::StepEnd:
    case StopReason::Finish: return reportStop("step");
    case StopReason::StopRequest: return reportStop("pause");
    case StopReason::TargetFault: return reportStop("exception", {}, "the target stopped answering");
  }
}

std::vector<int> Session::breakpointsOf(const StopRecord& stop) {
  std::vector<int> ids;
  for (const uint16_t num : stop.events) {
    for (const Breakpoint& b : breakpoints_) {
      if (b.eventNum == num && std::find(ids.begin(), ids.end(), b.id) == ids.end()) ids.push_back(b.id);
    }
  }
  if (!ids.empty() || stop.reason != StopReason::DataAccess) return ids;
  // A data stop that names no event: the data breakpoints watching the address.
  for (const Breakpoint& b : breakpoints_) {
    const Event* e = b.kind == Breakpoint::Kind::Data ? findEvent(k_, b.eventNum) : nullptr;
    if (e && e->on && stop.dataAddress >= e->addr && stop.dataAddress < e->addr + (e->expr ? e->expr->size : 1)) {
      ids.push_back(b.id);
    }
  }
  return ids;
}

void Session::reportStop(const std::string& reason, const std::vector<int>& hitIds, const std::string& description) {
  vars_.clear();
  json body{{"reason", reason}, {"threadId", kThreadId}, {"allThreadsStopped", true}};
  if (!hitIds.empty()) body["hitBreakpointIds"] = hitIds;
  if (!description.empty()) body["description"] = description;
  sendEvent("stopped", std::move(body));
}

}  // namespace yav::dap
