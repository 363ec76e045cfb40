// Looking at the stopped program: the call stack, the scopes and variables, expressions and
// command lines typed in the editor's debug console, and changing values.
#include <cstdio>
#include <filesystem>

#include "dap/dap_address_text.h"
#include "dap/dap_session.h"
#include "dap/dap_unwind.h"
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

std::vector<Session::FrameView> Session::frameViews() {
  const auto& frames = frameChain(k_).frames;
  const uint32_t pc = currentPc(k_);
  const SymbolTables* t = k_.prog.program ? &k_.prog.program->tables : nullptr;
  const DebugRecord* here = t ? t->lineAt(pc) : nullptr;
  std::vector<FrameView> views;
  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    FrameView v{f.function, f.line, i == 0 ? pc : 0, true};
    if (v.line == 0 && f.position) v.line = f.position->startLine;
    // The innermost frame is where the program counter is, even where the frame was not told
    // (a step out ends right after the return).
    if (i == 0 && here && here->function == f.function && here->startLine != 0) v.line = here->startLine;
    views.push_back(v);
  }
  if (views.empty()) {
    // No frame followed here: the function of the program counter when it has source (a run
    // that stopped away from the functions it followed), else the instruction alone.
    const FunctionEntry* f = t ? t->functionAt(pc) : nullptr;
    const bool source = f && !f->isOuterScope() && f->file && !f->file->name.empty() && here && here->startLine != 0;
    views.push_back({source ? f : nullptr, source ? static_cast<uint32_t>(here->startLine) : 0u, pc, false});
  }
  if (views.back().function) {
    for (const CallerFrame& c : callersOnStack(k_, views.back().function)) {
      views.push_back({c.function, c.line, c.returnAddress, false});
    }
  }
  return views;
}

void Session::stackTrace(const json& args, json& body) {
  json list = json::array();
  const std::vector<FrameView> views = frameViews();
  for (size_t i = 0; i < views.size(); ++i) {
    const FrameView& v = views[i];
    json frame{{"id", i + 1}};
    if (v.function) {
      frame.update({{"name", v.function->name}, {"line", lineOut(v.line)}, {"column", 1}});
      if (v.function->file && !v.function->file->name.empty()) frame["source"] = sourceOf(v.function->file->name);
    } else {
      frame.update({{"name", hexAddress(v.pc)}, {"line", 0}, {"column", 0}, {"presentationHint", "subtle"}});
    }
    if (v.pc != 0 || i == 0) frame["instructionPointerReference"] = hexAddress(v.pc);
    list.push_back(std::move(frame));
  }
  const size_t start = std::min<size_t>(args.value("startFrame", 0), list.size());
  const size_t levels = args.value("levels", 0);
  json shown = json::array();
  for (size_t i = start; i < list.size() && (levels == 0 || i < start + levels); ++i) shown.push_back(list[i]);
  body = {{"stackFrames", shown}, {"totalFrames", list.size()}};
}

size_t Session::frameIndex(const json& args) {
  const int id = args.value("frameId", 1);
  const size_t count = frameViews().size();
  if (id < 1 || static_cast<size_t>(id) > count) throw RequestError{"unknown frame " + std::to_string(id)};
  return static_cast<size_t>(id - 1);
}

size_t Session::evaluationFrame(const json& args) {
  const size_t index = frameIndex(args);
  return index < frameChain(k_).frames.size() ? index : 0;
}

void Session::scopes(const json& args, json& body) {
  const size_t index = frameIndex(args);
  const FrameView view = frameViews()[index];
  // Values of a caller found on the stack are evaluated from the innermost frame.
  const size_t frame = view.followed ? index : 0;
  json list = json::array();
  if (view.function) {
    const VariableContainer locals{VariableContainer::Kind::Locals, frame, {}, view.followed ? nullptr : view.function};
    list.push_back({{"name", "Locals"}, {"presentationHint", "locals"}, {"expensive", false},
                    {"variablesReference", vars_.add(locals)}});
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
    json item{{"name", part.name}, {"evaluateName", part.expression}, {"variablesReference", 0}};
    if (!part.unavailable.empty()) {
      item["value"] = part.unavailable;
      list.push_back(std::move(item));
      continue;
    }
    std::string error;
    const std::optional<ShownValue> v = evaluateIn(k_, container.frame, part.expression, letter, error);
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
  const size_t frame = evaluationFrame(args);
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
  const std::string named = inFrameScope(args, expression);
  std::string error;
  const std::optional<ShownValue> v = evaluateIn(k_, frame, named, letterFor(args), error);
  if (!v) throw RequestError{error};
  body = {{"result", v->value}, {"variablesReference", 0}};
  if (v->expandable) body["variablesReference"] = vars_.add({VariableContainer::Kind::Parts, frame, named});
  if (v->address) body["memoryReference"] = hexAddress(*v->address);
}

std::string Session::inFrameScope(const json& args, const std::string& expression) {
  if (!args.contains("frameId")) return expression;
  const size_t index = frameIndex(args);
  const FrameView view = frameViews()[index];
  if (view.followed || !view.function) return expression;
  // A frame the chain does not hold: its locals are named with their function.
  const SymbolEntry* local = view.function->findLocal(expression);
  if (!local) return expression;
  if (index > 0 && isRegisterHeldClass(local->storageClass)) {
    throw RequestError{expression + " is kept in a register: not known in a caller"};
  }
  return view.function->name + "():" + expression;
}

std::string Session::expressionOfPart(const json& args, size_t& frame) {
  const std::string name = args.at("name").get<std::string>();
  frame = 0;
  const auto reference = args.find("variablesReference");
  if (reference == args.end() || reference->is_null()) {
    if (args.contains("frameId")) frame = evaluationFrame(args);
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
  const size_t frame = evaluationFrame(args);
  std::string discarded;
  capture = &discarded;
  body = assignAndReadBack(k_, vars_, frame, args.at("expression").get<std::string>(),
                           args.at("value").get<std::string>(), letterFor(args));
  capture = nullptr;
}

}  // namespace yav::dap
