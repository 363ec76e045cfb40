// The session's course: initialize, launch (connection and load), configuration done,
// restart, terminate and disconnect.
#include <filesystem>

#include "dap/dap_arguments.h"
#include "dap/dap_session.h"
#include "engine/dispatcher.h"
#include "engine/target_setup.h"
#include "ui/startup.h"

namespace yav::dap {

void Session::initialize(const json& args, json& body) {
  if (initialized_) throw RequestError{"initialize: the session is already initialized"};
  linesStartAt1_ = optionalBool(args, "linesStartAt1", true);
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
  // Relative paths of the launch are taken from its working folder.
  std::error_code error;
  const std::string cwd = optionalString(args, "cwd", std::filesystem::current_path(error).string());
  std::vector<std::string> folders;
  if (hasArg(args, "sourcePath") && requiredArg(args, "sourcePath").is_string()) {
    folders.push_back(stringArg(args, "sourcePath"));
  } else {
    for (const json& folder : arrayArg(args, "sourcePath")) {
      if (!folder.is_string()) throw ArgumentError{{"sourcePath must hold folder names (strings)"}};
      folders.push_back(folder.get<std::string>());
    }
  }
  sources_.configure(std::filesystem::absolute(cwd, error).lexically_normal().string(), folders);
  std::string program = opt_.programFile;
  if (hasArg(args, "program")) program = sources_.absolute(stringArg(args, "program"));
  if (program.empty()) throw RequestError{"launch: \"program\" must name the program file (.s08, .s19 or .hex)"};
  stopOnEntry_ = optionalBool(args, "stopOnEntry", false);
  connectAndLoad(args, program);
  launched_ = true;
  placePendingBreakpoints();
  syncConsoleBreakpoints();  // those of the start-up command file
  // The editor sends its breakpoints once told that the adapter takes them.
  then_ = [this] { sendEvent("initialized"); };
}

void Session::connectAndLoad(const json& args, const std::string& program) {
  StartOptions start = opt_;
  start.programFile.clear();
  if (const std::string joined = sources_.searchPath(); !joined.empty()) start.sourcePath = joined;
  runStartup(k_, start);
  if (!k_.target || !k_.target->connected()) {
    throw RequestError{"launch: no target connected" + (errors_.empty() ? std::string() : ": " + reportedErrors())};
  }
  if (hasArg(args, "chip")) {
    const std::string name = stringArg(args, "chip");
    TargetSetup* setup = targetSetup(k_);
    if (!setup || (name != setup->chipName() && (!setup->selectChip(name) || !k_.target->reconnect()))) {
      throw RequestError{"launch: chip \"" + name + "\" cannot be selected" +
                         (errors_.empty() ? std::string() : ": " + reportedErrors())};
    }
  }
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
