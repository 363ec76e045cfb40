// The editor's debug console and its watch and hover: what is typed there is evaluated as an
// expression; a line marked with a leading '>' (or "-exec ") is a command line of the debugger.
#include "dap/dap_address_text.h"
#include "dap/dap_arguments.h"
#include "dap/dap_session.h"
#include "engine/cmdtab.h"
#include "engine/dispatcher.h"
#include "engine/frames.h"

namespace yav::dap {

namespace {

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// The command line of a marked console line; nothing for an expression.
std::optional<std::string> markedCommand(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::nullopt;
  if (text[start] == '>') return text.substr(start + 1);
  if (text.compare(start, 6, "-exec ") == 0) return text.substr(start + 6);
  return std::nullopt;
}

}  // namespace

std::string Session::runCommandCaptured(const std::string& line) {
  std::string text;
  capture = &text;
  runCommandLine(k_, line.c_str(), 1);
  capture = nullptr;
  return text;
}

void Session::runConsoleCommand(const std::string& line, size_t frame, json& body) {
  ranTarget_ = false;
  running_ = true;
  pauseRequested_ = endRequested_ = false;
  stop_.reset();
  const int errorsBefore = k_.errorCount;
  errors_.clear();
  std::string text;
  {
    FrameSelection selected(k_, frame);
    text = runCommandCaptured(line);
  }
  running_ = false;
  syncConsoleBreakpoints();
  if (ranTarget_) then_ = [this] { reportRunEnd(); };
  if (k_.errorCount != errorsBefore || !errors_.empty()) {
    const std::string reason = reportedErrors();
    throw RequestError{reason.empty() ? trimmed(text) : reason};
  }
  body = {{"result", trimmed(text)}, {"variablesReference", 0}};
}

void Session::evaluate(const json& args, json& body) {
  const std::string expression = stringArg(args, "expression");
  const std::string context = optionalString(args, "context", "watch");
  if (running_) throw RequestError{"evaluate: the target is running"};
  const size_t frame = frameIndex(args);
  if (context == "repl") {
    if (const std::optional<std::string> line = markedCommand(expression)) return runConsoleCommand(*line, frame, body);
  }
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k_, frame, expression, formatLetter(args), error);
  if (!v) {
    // A command word typed without the mark: say how to run it.
    if (context == "repl" && findCommand(k_, skipBlanks(expression.c_str()))) {
      error += " (a command line starts with '>', as in \">" + expression + "\")";
    }
    throw RequestError{error};
  }
  body = {{"result", v->value}, {"variablesReference", 0}};
  if (v->expandable) body["variablesReference"] = vars_.add({VariableContainer::Kind::Parts, frame, expression});
  if (v->address) body["memoryReference"] = hexAddress(*v->address);
}

}  // namespace yav::dap
