// Looking at the stopped program: the call stack, the scopes and variables, expressions and
// command lines typed in the editor's debug console, and changing values.
#include <cstdio>
#include <filesystem>

#include "dap/dap_address_text.h"
#include "dap/dap_session.h"
#include "engine/cmdtab.h"
#include "engine/dispatcher.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"

namespace yav::dap {

namespace {

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// The display letter a value format asks for.
char letterFor(const json& args) {
  const auto format = args.find("format");
  return format != args.end() && format->is_object() && format->value("hex", false) ? 'x' : 0;
}

}  // namespace

json Session::sourceOf(const std::string& fileName) {
  namespace fs = std::filesystem;
  std::vector<std::string> places{fileName};
  if (k_.prog.program) {
    const fs::path program(k_.prog.program->fileName);
    if (program.has_parent_path()) places.push_back((program.parent_path() / fileName).string());
  }
  const std::string& path = k_.cmdfile.sourcePath;
  for (size_t start = 0; start <= path.size();) {
    const size_t bar = std::min(path.find('|', start), path.size());
    if (bar > start) places.push_back((fs::path(path.substr(start, bar - start)) / fileName).string());
    start = bar + 1;
  }
  json source{{"name", fs::path(fileName).filename().string()}};
  for (const std::string& place : places) {
    std::error_code error;
    if (fs::is_regular_file(place, error)) {
      source["path"] = fs::absolute(place, error).lexically_normal().string();
      break;
    }
  }
  return source;
}

void Session::stackTrace(const json& args, json& body) {
  const auto& frames = frameChain(k_).frames;
  const uint32_t pc = currentPc(k_);
  json list = json::array();
  if (frames.empty()) {
    // No frame followed here: the function and line of the program counter, when it lies in a
    // function with source (a run that stopped right after a return), else the instruction.
    const SymbolTables* t = k_.prog.program ? &k_.prog.program->tables : nullptr;
    const FunctionEntry* f = t ? t->functionAt(pc) : nullptr;
    const DebugRecord* line = t ? t->lineAt(pc) : nullptr;
    json frame{{"id", 1}, {"instructionPointerReference", hexAddress(pc)}};
    if (f && !f->isOuterScope() && f->file && !f->file->name.empty() && line && line->startLine != 0) {
      frame.update({{"name", f->name}, {"line", line->startLine}, {"column", 1}, {"source", sourceOf(f->file->name)}});
    } else {
      frame.update({{"name", hexAddress(pc)}, {"line", 0}, {"column", 0}, {"presentationHint", "subtle"}});
    }
    list.push_back(std::move(frame));
  }
  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    json frame{{"id", i + 1}, {"name", f.function ? f.function->name : std::string("?")}, {"column", 1}};
    uint32_t line = f.line;
    if (line == 0 && f.position) line = f.position->startLine;
    // The innermost frame is where the program counter is, even where the frame was not told
    // (a step out ends right after the return).
    if (const DebugRecord* here = i == 0 && k_.prog.program ? k_.prog.program->tables.lineAt(pc) : nullptr;
        here && here->function == f.function && here->startLine != 0) {
      line = here->startLine;
    }
    frame["line"] = line;
    if (f.function && f.function->file && !f.function->file->name.empty()) frame["source"] = sourceOf(f.function->file->name);
    if (i == 0) frame["instructionPointerReference"] = hexAddress(pc);
    list.push_back(std::move(frame));
  }
  const size_t start = std::min<size_t>(args.value("startFrame", 0), list.size());
  const size_t levels = args.value("levels", 0);
  json shown = json::array();
  for (size_t i = start; i < list.size() && (levels == 0 || i < start + levels); ++i) shown.push_back(list[i]);
  body = {{"stackFrames", shown}, {"totalFrames", list.size()}};
}

// The frame index of a frame id (1 and up; the one pseudo frame outside functions is 1).
static size_t frameIndex(Kernel& k, const json& args) {
  const int id = args.value("frameId", 1);
  const size_t count = std::max<size_t>(frameChain(k).frames.size(), 1);
  if (id < 1 || static_cast<size_t>(id) > count) throw RequestError{"unknown frame " + std::to_string(id)};
  return static_cast<size_t>(id - 1);
}

void Session::scopes(const json& args, json& body) {
  const size_t frame = frameIndex(k_, args);
  json list = json::array();
  if (frame < frameChain(k_).frames.size()) {
    list.push_back({{"name", "Locals"}, {"presentationHint", "locals"}, {"expensive", false},
                    {"variablesReference", vars_.add({VariableContainer::Kind::Locals, frame, {}})}});
  }
  list.push_back({{"name", "Globals"}, {"expensive", false},
                  {"variablesReference", vars_.add({VariableContainer::Kind::Globals, frame, {}})}});
  list.push_back({{"name", "Registers"}, {"presentationHint", "registers"}, {"expensive", false},
                  {"variablesReference", vars_.add({VariableContainer::Kind::Registers, 0, {}})}});
  body = {{"scopes", list}};
}

void Session::variables(const json& args, json& body) {
  const VariableContainer* c = vars_.find(args.at("variablesReference").get<int>());
  if (!c) throw RequestError{"variables: unknown (or outdated) variables reference"};
  const VariableContainer container = *c;  // the store grows below
  const char letter = container.kind == VariableContainer::Kind::Registers ? 'x' : letterFor(args);
  json list = json::array();
  for (const Part& part : variablesOf(k_, container)) {
    std::string error;
    const std::optional<ShownValue> v = evaluateIn(k_, container.frame, part.expression, letter, error);
    json item{{"name", part.name}, {"evaluateName", part.expression}, {"variablesReference", 0}};
    item["value"] = v ? v->value : error;
    if (v && v->expandable) {
      item["variablesReference"] = vars_.add({VariableContainer::Kind::Parts, container.frame, part.expression});
    }
    if (v && v->address) item["memoryReference"] = hexAddress(*v->address);
    list.push_back(std::move(item));
  }
  body = {{"variables", list}};
}

std::string Session::runCommandCaptured(const std::string& line) {
  std::string text;
  capture = &text;
  runCommandLine(k_, line.c_str(), 1);
  capture = nullptr;
  return text;
}

void Session::evaluate(const json& args, json& body) {
  const std::string expression = args.at("expression").get<std::string>();
  const std::string context = args.value("context", std::string("watch"));
  const size_t frame = frameIndex(k_, args);
  if (context == "repl" && findCommand(k_, skipBlanks(expression.c_str()))) {
    if (running_) throw RequestError{"evaluate: the target is running"};
    // A command line of the debugger: what it prints is the result.
    ranTarget_ = false;
    running_ = true;
    pauseRequested_ = false;
    const size_t framesBefore = frameChain(k_).frames.size();
    std::string text;
    {
      FrameSelection selected(k_, frame);
      text = runCommandCaptured(expression);
    }
    running_ = false;
    body = {{"result", trimmed(text)}, {"variablesReference", 0}};
    if (ranTarget_) then_ = [this, framesBefore] { reportRunEnd(false, framesBefore); };
    return;
  }
  if (running_) throw RequestError{"evaluate: the target is running"};
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k_, frame, expression, letterFor(args), error);
  if (!v) throw RequestError{error};
  body = {{"result", v->value}, {"variablesReference", 0}};
  if (v->expandable) body["variablesReference"] = vars_.add({VariableContainer::Kind::Parts, frame, expression});
  if (v->address) body["memoryReference"] = hexAddress(*v->address);
}

std::string Session::expressionOfPart(const json& args, size_t& frame) {
  const std::string name = args.at("name").get<std::string>();
  frame = 0;
  const auto reference = args.find("variablesReference");
  if (reference == args.end() || reference->is_null()) {
    if (args.contains("frameId")) frame = frameIndex(k_, args);
    return name;
  }
  const VariableContainer* c = vars_.find(reference->get<int>());
  if (!c) throw RequestError{"unknown (or outdated) variables reference"};
  const VariableContainer container = *c;
  frame = container.frame;
  for (const Part& part : variablesOf(k_, container)) {
    if (part.name == name) return part.expression;
  }
  throw RequestError{"no variable \"" + name + "\" there"};
}

// Assigns through the kernel and answers with the value read back from the target.
static json assignAndReadBack(Kernel& k, VariableStore& vars, size_t frame, const std::string& target,
                              const std::string& value, char letter) {
  const std::string refused = assign(k, frame, target, value);
  if (!refused.empty()) throw RequestError{target + ": " + refused};
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k, frame, target, letter, error);
  if (!v) throw RequestError{error};
  json body{{"value", v->value}, {"variablesReference", 0}};
  if (v->expandable) body["variablesReference"] = vars.add({VariableContainer::Kind::Parts, frame, target});
  return body;
}

void Session::setVariable(const json& args, json& body) {
  size_t frame = 0;
  const std::string target = expressionOfPart(args, frame);
  std::string discarded;
  capture = &discarded;
  body = assignAndReadBack(k_, vars_, frame, target, args.at("value").get<std::string>(), letterFor(args));
  capture = nullptr;
}

void Session::setExpression(const json& args, json& body) {
  const size_t frame = frameIndex(k_, args);
  std::string discarded;
  capture = &discarded;
  body = assignAndReadBack(k_, vars_, frame, args.at("expression").get<std::string>(),
                           args.at("value").get<std::string>(), letterFor(args));
  capture = nullptr;
}

}  // namespace yav::dap
