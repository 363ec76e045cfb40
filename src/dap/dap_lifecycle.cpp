// The session's course: initialize, launch (connection and load), configuration done,
// restart, terminate and disconnect.
#include "dap/dap_console_tap.h"
#include "dap/dap_session.h"
#include "engine/dispatcher.h"
#include "engine/target_setup.h"
#include "ui/startup.h"

namespace yav::dap {

void Session::initialize(const json& args, json& body) {
  if (initialized_) throw RequestError{"initialize: the session is already initialized"};
  linesStartAt1_ = args.value("linesStartAt1", true);
  initialized_ = true;
  body = {
      {"supportsConfigurationDoneRequest", true},
      {"supportsFunctionBreakpoints", true},
      {"supportsConditionalBreakpoints", true},
      {"supportsHitConditionalBreakpoints", true},
      {"supportsEvaluateForHovers", true},
      {"supportsSetVariable", true},
      {"supportsSetExpression", true},
      {"supportsRestartRequest", true},
      {"supportsTerminateRequest", true},
      {"supportsDataBreakpoints", true},
      {"supportsInstructionBreakpoints", true},
      {"supportsDisassembleRequest", true},
      {"supportsReadMemoryRequest", true},
      {"supportsWriteMemoryRequest", true},
      {"supportsSteppingGranularity", true},
      {"supportsValueFormattingOptions", true},
      {"supportsExceptionInfoRequest", false},
      {"supportsStepBack", false},
      {"supportsLogPoints", true},
      {"exceptionBreakpointFilters", json::array()},
  };
}

void Session::launch(const json& args, json&) {
  if (launched_) throw RequestError{"launch: a program is already launched"};
  // The program of the launch configuration, else the one named on yav's command line.
  std::string program = opt_.programFile;
  if (const auto given = args.find("program"); given != args.end() && given->is_string()) program = *given;
  if (program.empty()) throw RequestError{"launch: \"program\" must name the program file (.s08, .s19 or .hex)"};
  stopOnEntry_ = args.value("stopOnEntry", false);
  connectAndLoad(args, program);
  launched_ = true;
  placePendingBreakpoints();
  // The editor sends its breakpoints once told that the adapter takes them.
  then_ = [this] { sendEvent("initialized"); };
}

void Session::connectAndLoad(const json& args, const std::string& program) {
  StartOptions start = opt_;
  start.programFile.clear();
  if (const auto path = args.find("sourcePath"); path != args.end()) {
    std::string joined;
    if (path->is_string()) {
      joined = path->get<std::string>();
    } else {
      for (const json& dir : *path) joined += (joined.empty() ? "" : "|") + dir.get<std::string>();
    }
    if (!joined.empty()) start.sourcePath = joined;
  }
  runStartup(k_, start);
  if (!k_.target || !k_.target->connected()) {
    throw RequestError{"launch: no target connected" + (errors_.empty() ? std::string() : ": " + reportedErrors())};
  }
  if (const auto chip = args.find("chip"); chip != args.end()) {
    const std::string name = chip->get<std::string>();
    TargetSetup* setup = targetSetup(k_);
    if (!setup || (name != setup->chipName() && (!setup->selectChip(name) || !k_.target->reconnect()))) {
      throw RequestError{"launch: chip \"" + name + "\" cannot be selected" +
                         (errors_.empty() ? std::string() : ": " + reportedErrors())};
    }
  }
  tapConsole(k_);
  const int errorsBefore = k_.errorCount;
  docmd(k_, ("load " + program).c_str(), 1);
  if (k_.errorCount != errorsBefore || !k_.prog.program) {
    throw RequestError{"launch: " + (errors_.empty() ? std::string("the program was not loaded") : reportedErrors())};
  }
  // A step into a call enters every function with source, as an editor's "step into" does.
  if (k_.debugInfoLoaded) runCommandLine(k_, "activ *", 0);
}

void Session::configurationDone(const json&, json&) {
  if (configured_) throw RequestError{"configurationDone: the configuration is already done"};
  configured_ = true;
  if (stopOnEntry_) reportStopAfterResponse("entry");
  else runAfterResponse("go");
}

void Session::threads(const json&, json& body) {
  std::string name = "HCS08";
  if (const TargetSetup* setup = targetSetup(k_); setup && !setup->chipName().empty()) name += " " + setup->chipName();
  body = {{"threads", json::array({{{"id", kThreadId}, {"name", name}}})}};
}

void Session::disconnect(const json&, json&) { finished_ = true; }

void Session::terminate(const json&, json&) {
  if (terminatedSent_) return;
  terminatedSent_ = true;
  then_ = [this] { sendEvent("terminated"); };
}

void Session::restart(const json&, json&) {
  if (running_) throw RequestError{"restart: the target is running"};
  const int errorsBefore = k_.errorCount;
  runCommandLine(k_, "reset", 0);
  if (k_.errorCount != errorsBefore) throw RequestError{"restart: " + reportedErrors()};
  if (stopOnEntry_) reportStopAfterResponse("entry");
  else runAfterResponse("go");
}

}  // namespace yav::dap
