// Looking at the stopped program: the call stack, the scopes and variables, and changing values.
#include <filesystem>

#include "dap/dap_address_text.h"
#include "dap/dap_arguments.h"
#include "dap/dap_session.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "model/loader.h"

namespace yav::dap {

namespace {

bool hasSource(const FunctionEntry* f) { return f && !f->isOuterScope() && f->file && !f->file->name.empty(); }

}  // namespace

json Session::sourceOf(const std::string& fileName) {
  json source{{"name", std::filesystem::path(fileName).filename().string()}};
  const std::string program = k_.prog.program ? k_.prog.program->fileName : std::string();
  if (const std::optional<std::string> path = sources_.editorPath(program, fileName)) source["path"] = *path;
  return source;
}

std::vector<Session::FrameView> Session::frameViews() {
  const auto& frames = frameChain(k_).frames;
  const uint32_t pc = currentPc(k_);
  const SymbolTables* t = k_.prog.program ? &k_.prog.program->tables : nullptr;
  std::vector<FrameView> views;
  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    FrameView v{f.function, f.line, i == 0 ? pc : f.pc};
    // The line of the program counter; for a caller the line of the call, just before the
    // return address.
    const DebugRecord* at = t ? t->lineAt(i == 0 ? v.pc : v.pc - 1) : nullptr;
    if (at && at->function == f.function && at->startLine != 0 && (i == 0 || v.line == 0)) v.line = at->startLine;
    if (v.line == 0 && f.position) v.line = f.position->startLine;
    views.push_back(v);
  }
  if (views.empty()) {
    // Outside the C functions (the start-up code): the instruction alone.
    const FunctionEntry* f = t ? t->functionAt(pc) : nullptr;
    const DebugRecord* here = t ? t->lineAt(pc) : nullptr;
    const bool source = hasSource(f) && here && here->startLine != 0;
    views.push_back({source ? f : nullptr, source ? static_cast<uint32_t>(here->startLine) : 0u, pc});
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
      if (hasSource(v.function)) frame["source"] = sourceOf(v.function->file->name);
    } else {
      frame.update({{"name", hexAddress(v.pc)}, {"line", 0}, {"column", 0}, {"presentationHint", "subtle"}});
    }
    frame["instructionPointerReference"] = hexAddress(v.pc);
    list.push_back(std::move(frame));
  }
  const int64_t start = std::clamp<int64_t>(optionalInteger(args, "startFrame", 0), 0, static_cast<int64_t>(list.size()));
  const int64_t levels = optionalInteger(args, "levels", 0);
  json shown = json::array();
  for (int64_t i = start; i < static_cast<int64_t>(list.size()) && (levels <= 0 || i < start + levels); ++i) {
    shown.push_back(list[static_cast<size_t>(i)]);
  }
  body = {{"stackFrames", shown}, {"totalFrames", list.size()}};
}

size_t Session::frameIndex(const json& args) {
  const int64_t id = optionalInteger(args, "frameId", 1);
  const size_t count = frameViews().size();
  if (id < 1 || static_cast<size_t>(id) > count) throw RequestError{"unknown frame " + std::to_string(id)};
  return static_cast<size_t>(id - 1);
}

void Session::scopes(const json& args, json& body) {
  const size_t index = frameIndex(args);
  json list = json::array();
  if (index < frameChain(k_).frames.size()) {
    list.push_back({{"name", "Locals"}, {"presentationHint", "locals"}, {"expensive", false},
                    {"variablesReference", vars_.add({VariableContainer::Kind::Locals, index, {}})}});
  }
  list.push_back({{"name", "Globals"}, {"expensive", false},
                  {"variablesReference", vars_.add({VariableContainer::Kind::Globals, index, {}})}});
  list.push_back({{"name", "Registers"}, {"presentationHint", "registers"}, {"expensive", false},
                  {"variablesReference", vars_.add({VariableContainer::Kind::Registers, 0, {}})}});
  body = {{"scopes", list}};
}

void Session::variables(const json& args, json& body) {
  const char asked = formatLetter(args);
  const VariableContainer* c = vars_.find(static_cast<int>(integerArg(args, "variablesReference")));
  if (!c) throw RequestError{"variables: unknown (or outdated) variables reference"};
  const VariableContainer container = *c;  // the store grows below
  const char letter = container.kind == VariableContainer::Kind::Registers ? 'x' : asked;
  json list = json::array();
  for (const Part& part : variablesOf(k_, container)) {
    json item{{"name", part.name}, {"evaluateName", part.expression}, {"variablesReference", 0}};
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

std::string Session::expressionOfPart(const json& args, size_t& frame) {
  const std::string name = stringArg(args, "name");
  frame = 0;
  if (!hasArg(args, "variablesReference")) {
    if (hasArg(args, "frameId")) frame = frameIndex(args);
    return name;
  }
  const VariableContainer* c = vars_.find(static_cast<int>(integerArg(args, "variablesReference")));
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
  const std::string value = stringArg(args, "value");
  std::string discarded;
  capture = &discarded;
  body = assignAndReadBack(k_, vars_, frame, target, value, formatLetter(args));
  capture = nullptr;
}

void Session::setExpression(const json& args, json& body) {
  const size_t frame = frameIndex(args);
  const std::string expression = stringArg(args, "expression");
  const std::string value = stringArg(args, "value");
  std::string discarded;
  capture = &discarded;
  body = assignAndReadBack(k_, vars_, frame, expression, value, formatLetter(args));
  capture = nullptr;
}

}  // namespace yav::dap
