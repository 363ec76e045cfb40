#include "dap/dap_variables.h"

#include <algorithm>
#include <map>

#include "engine/dispatcher.h"
#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/frames.h"
#include "engine/kernel_eval.h"
#include "engine/print_text.h"
#include "model/loader.h"

namespace yav::dap {

namespace {

// The registers the editor lists, by the names the evaluator knows them under (after `$`).
constexpr const char* kRegisterNames[] = {"a", "hx", "sp", "pc", "cc", "ppage"};

// Arrays longer than this list their first elements only.
constexpr int32_t kMaxElements = 1000;

bool isPointerToData(uint32_t type) {
  if (outermost(type) != Derivation::Pointer || isFunctionPointer(type)) return false;
  const uint32_t target = removeOutermost(type);
  return !(isPlain(target) && baseCode(target) == tc::Void);
}

bool isExpandable(uint32_t type) {
  return isStructOrUnion(type) || outermost(type) == Derivation::Array || isPointerToData(type);
}

// An expression the editor's part names can follow as they stand; anything else gets parentheses.
std::string operand(const std::string& e) {
  const bool simple = std::all_of(e.begin(), e.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '[' || c == ']';
  });
  return simple ? e : "(" + e + ")";
}

std::unique_ptr<ValueRecord> evaluateRecord(Kernel& k, const std::string& expression, std::string& error) {
  const char* p = expression.c_str();
  int code = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, code, true);
  if (!acceptedResult(code)) {
    error = errtext(code);
    while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
    return nullptr;
  }
  if (*skipBlanks(p) != '\0') {
    error = "unexpected text after the expression: " + std::string(p);
    return nullptr;
  }
  return v;
}

// An integer the evaluator computes, or nothing.
std::optional<int32_t> integerOf(Kernel& k, const std::string& expression) {
  std::string error;
  std::unique_ptr<ValueRecord> v = evaluateRecord(k, expression, error);
  if (!v || !isIntegerCode(v->code()) || !isPlain(v->type)) return std::nullopt;
  return v->intValue();
}

std::vector<Part> membersOf(const ValueRecord& v, const std::string& base, const char* separator) {
  std::vector<Part> parts;
  if (const AggregateDescriptor* d = aggregateOf(v.aux)) {
    for (const AggregateMember& m : d->members) parts.push_back({m.name, base + separator + m.name});
  }
  return parts;
}

}  // namespace

int VariableStore::add(const VariableContainer& c) {
  for (size_t i = 0; i < containers_.size(); ++i) {
    const VariableContainer& o = containers_[i];
    if (o.kind == c.kind && o.frame == c.frame && o.expression == c.expression) {
      return static_cast<int>(i + 1);
    }
  }
  containers_.push_back(c);
  return static_cast<int>(containers_.size());
}

const VariableContainer* VariableStore::find(int handle) const {
  if (handle < 1 || static_cast<size_t>(handle) > containers_.size()) return nullptr;
  return &containers_[static_cast<size_t>(handle) - 1];
}

FrameSelection::FrameSelection(Kernel& k, size_t index) : k_(k), saved_(frameChain(k).current) {
  if (index < frameChain(k).frames.size()) frameChain(k).current = index;
}

FrameSelection::~FrameSelection() {
  FrameChain& chain = frameChain(k_);
  chain.current = saved_ < chain.frames.size() ? saved_ : 0;
}

std::optional<ShownValue> evaluateIn(Kernel& k, size_t frame, const std::string& expression, char letter,
                                     std::string& error) {
  FrameSelection selected(k, frame);
  std::unique_ptr<ValueRecord> v = evaluateRecord(k, expression, error);
  if (!v) return std::nullopt;
  ShownValue shown;
  shown.value = printedValue(k, *v, letter);
  while (!shown.value.empty() && shown.value.back() == '\n') shown.value.pop_back();
  // A null pointer leads nowhere.
  shown.expandable = isExpandable(v->type) && !(isPointerToData(v->type) && v->uintValue() == 0);
  const StorageClassInfo& place = storageClass(v->locationClass);
  if (v->locationClass != sc::Computed && !place.is(scp::NotAddressable | scp::InRegister | scp::AddressIsValue)) {
    shown.address = v->address;
  }
  shown.size = v->size;
  shown.fixedPlace = v->locationClass == sc::StaticAuto ||
                     (v->locationClass != sc::Computed && place.place == FramePlace::Fixed &&
                      !place.is(scp::NotAddressable | scp::AddressIsValue));
  return shown;
}

std::vector<Part> partsOf(Kernel& k, size_t frame, const std::string& expression) {
  FrameSelection selected(k, frame);
  std::string error;
  std::unique_ptr<ValueRecord> v = evaluateRecord(k, expression, error);
  if (!v) return {};
  const std::string base = operand(expression);
  if (isStructOrUnion(v->type)) return membersOf(*v, base, ".");
  if (outermost(v->type) == Derivation::Array) {
    const std::optional<int32_t> count = integerOf(k, "sizeof(" + base + ")/sizeof(" + base + "[0])");
    std::vector<Part> parts;
    for (int32_t i = 0; count && i < std::min(*count, kMaxElements); ++i) {
      const std::string index = "[" + std::to_string(i) + "]";
      parts.push_back({index, base + index});
    }
    return parts;
  }
  if (isPointerToData(v->type)) {
    // A pointer to a struct or union shows the members it reaches; any other the one value.
    std::unique_ptr<ValueRecord> target = evaluateRecord(k, "*" + base, error);
    if (target && isStructOrUnion(target->type)) return membersOf(*target, base, "->");
    return {{"*" + expression, "*" + base}};
  }
  return {};
}

std::vector<Part> variablesOf(Kernel& k, const VariableContainer& c) {
  std::vector<Part> parts;
  switch (c.kind) {
    case VariableContainer::Kind::Locals: {
      const auto& frames = frameChain(k).frames;
      if (c.frame >= frames.size() || !frames[c.frame].function) break;
      for (const SymbolEntry& s : frames[c.frame].function->locals) parts.push_back({s.name, s.name});
      break;
    }
    case VariableContainer::Kind::Globals: {
      if (!k.prog.program) break;
      std::map<std::string, int> seen;
      for (const auto& file : k.prog.program->tables.files) {
        if (const FunctionEntry* outer = file->outerScope()) {
          for (const SymbolEntry& s : outer->locals) ++seen[s.name];
        }
      }
      for (const auto& file : k.prog.program->tables.files) {
        const FunctionEntry* outer = file->outerScope();
        if (!outer) continue;
        for (const SymbolEntry& s : outer->locals) {
          if (seen[s.name] > 1) parts.push_back({s.name + " (" + file->name + ")", file->name + ":" + s.name});
          else parts.push_back({s.name, s.name});
        }
      }
      break;
    }
    case VariableContainer::Kind::Registers:
      for (const char* r : kRegisterNames) parts.push_back({r, std::string("$") + r});
      break;
    case VariableContainer::Kind::Parts: parts = partsOf(k, c.frame, c.expression); break;
  }
  return parts;
}

std::string assign(Kernel& k, size_t frame, const std::string& target, const std::string& value) {
  FrameSelection selected(k, frame);
  std::string error;
  if (!evaluateRecord(k, target, error)) return error;
  const int errorsBefore = k.errorCount;
  runCommandLine(k, ("update " + target + " = " + value).c_str(), 0);
  return k.errorCount == errorsBefore ? std::string() : std::string("the value was refused");
}

}  // namespace yav::dap
