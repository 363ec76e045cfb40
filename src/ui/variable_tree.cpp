#include "ui/variable_tree.h"

#include <algorithm>
#include <array>

#include "engine/display_common.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/print_text.h"
#include "model/eval_value.h"
#include "model/evaluator.h"
#include "model/format.h"
#include "model/messages.h"
#include "model/symbols.h"
#include "model/target_memory.h"
#include "model/value_reload.h"

namespace yav {

namespace {

// Element nodes an array expands into at most (guards against a malformed length).
constexpr uint32_t kMaxElements = 4096;

struct PopupFormat {
  uint16_t id;
  const char* format;
};
constexpr std::array<PopupFormat, 7> kPopupFormats = {{
    {344, "%ac"}, {345, "0%ol"}, {346, "%l"}, {347, "%ul"}, {348, "0x%hl"}, {kPopupFormatString, "%p"}, {352, "0b%z"},
}};

bool isCharString(uint32_t type) {
  const Derivation d = outermost(type);
  return (d == Derivation::Pointer || d == Derivation::Array) && isPlain(removeOutermost(type)) &&
         isCharCode(baseCode(type));
}

bool isExpandable(const ValueRecord& v) {
  switch (outermost(v.type)) {
    case Derivation::Array: return true;
    case Derivation::Pointer: {
      const uint32_t target = removeOutermost(v.type);
      return outermost(target) != Derivation::Function && !(isPlain(target) && baseCode(target) == tc::Void);
    }
    case Derivation::None: return isStructOrUnion(v.type);
    default: return false;
  }
}

// Bits a value keeps when shown unsigned or with a prefix: the width it is stored in.
uint32_t widthMask(const ValueRecord& v) {
  const uint32_t size = storageSize(v);
  return size > 0 && size < 4 ? (1u << (8 * size)) - 1 : 0xFFFFFFFF;
}

bool masksValue(const std::string& f) { return !f.empty() && (f[0] == '0' || (f.size() > 1 && f[1] == 'u')); }

std::string declarationOf(const std::string& name, uint32_t type, const AuxList& aux, uint16_t attributes) {
  SymbolEntry s;
  s.name = name;
  s.type = type;
  s.aux = aux;
  s.pointerAttributes = attributes;
  return declarationText(s);
}

std::string cut(std::string text, size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

// The record of a child node made from its parent's record; nothing when it has none.
std::optional<ValueRecord> derive(Kernel& k, const ValueRecord& parent, const VarNode& child, std::string& error) {
  ValueRecord v = parent;
  v.repeat = 0;
  v.place = {};
  v.locationClass = sc::Memory;
  switch (child.kind) {
    case VarNode::Kind::Member: {
      const AggregateDescriptor* d = isStructOrUnion(parent.type) ? aggregateOf(parent.aux) : nullptr;
      if (!d || child.index >= d->members.size() || d->members[child.index].name != child.label) {
        error = errtext(msg::NoSuchMember);
        return std::nullopt;
      }
      const AggregateMember& m = d->members[child.index];
      v.address = parent.address + static_cast<uint32_t>(m.value);
      v.type = m.type;
      v.aux = m.aux;
      v.auxOwned = false;
      v.pointerAttributes = m.pointerAttributes;
      v.place = {m.bitNumber, m.bitWidth};
      break;
    }
    case VarNode::Kind::Element:
      if (outermost(parent.type) != Derivation::Array) {
        error = errtext(msg::IllegalType);
        return std::nullopt;
      }
      v.address = parent.address + static_cast<uint32_t>(child.index) * elementSize(parent);
      removeOutermostLevel(v);
      break;
    case VarNode::Kind::Target:
      if (outermost(parent.type) != Derivation::Pointer) {
        error = errtext(msg::IllegalType);
        return std::nullopt;
      }
      v.address = parent.uintValue() & pointerHighestAddress(parent.pointerAttributes);
      if (v.address == 0) {
        error = "NULL";
        return std::nullopt;
      }
      removeOutermostLevel(v);
      break;
    case VarNode::Kind::Top: break;
  }
  v.size = valueTypeSize(v);
  v.text = child.expression;
  evalReload(kernelEvaluator(k), v);
  return v;
}

}  // namespace

const char* popupFormat(uint16_t id) {
  for (const PopupFormat& f : kPopupFormats)
    if (f.id == id) return f.format;
  return nullptr;
}

VarNode& VariableTree::add(const std::string& expression, const std::string& label, const std::string& declaration,
                           char letter) {
  auto n = std::make_unique<VarNode>();
  n->expression = expression;
  n->label = label.empty() ? expression : label;
  n->declaration = declaration;
  n->letter = letter;
  roots_.push_back(std::move(n));
  refresh(*roots_.back());
  return *roots_.back();
}

VarNode* VariableTree::find(const std::string& label) const {
  for (const auto& n : roots_)
    if (n->label == label) return n.get();
  return nullptr;
}

std::optional<ValueRecord> VariableTree::resolve(const VarNode& n, std::string& error) {
  if (!n.parent) {
    const char* p = n.expression.c_str();
    int e = 0;
    std::unique_ptr<ValueRecord> v = xexpr(k_, p, e, true);
    if (!v || !acceptedResult(e)) {
      error = errtext(e ? e : msg::SyntaxError);
      return std::nullopt;
    }
    return *v;
  }
  std::optional<ValueRecord> parent = resolve(*n.parent, error);
  if (!parent) return std::nullopt;
  return derive(k_, *parent, n, error);
}

void VariableTree::refresh() {
  for (auto& n : roots_) refresh(*n);
}

void VariableTree::refresh(VarNode& n) {
  // The record of the node, and of each expanded node below it, is made once per refresh and
  // handed down to the children.
  struct Walker {
    VariableTree& tree;
    void visit(VarNode& node, const std::optional<ValueRecord>& v, const std::string& error) {
      tree.store(node, v, error);
      if (!node.expanded || !node.built) return;
      for (auto& c : node.children) {
        std::string childError = error;
        std::optional<ValueRecord> cv = v ? derive(tree.k_, *v, *c, childError) : std::nullopt;
        visit(*c, cv, childError);
      }
    }
  };
  std::string error;
  std::optional<ValueRecord> v = resolve(n, error);
  Walker{*this}.visit(n, v, error);
}

void VariableTree::store(VarNode& n, const std::optional<ValueRecord>& v, const std::string& error) {
  if (v) {
    n.hasAddress = v->locationClass != sc::Computed && !isRegisterHeldLocation(v->locationClass);
    n.address = v->address;
    n.expandable = isExpandable(*v);
  } else {
    n.hasAddress = false;
  }
  std::string now = v ? valueText(n, *v, n.format) : error;
  std::string key = v && !n.format.empty() && n.format != "%p" ? valueText(n, *v, {}) : now;
  // The value a change is measured against: the one of the previous stop, or, for a node
  // first read at this stop, its first value.
  const uint32_t stop = k_.exec.stops;
  if (!n.everRead) n.previous = key;
  else if (n.readAtStop != stop) n.previous = n.key;
  n.readAtStop = stop;
  n.everRead = true;
  n.value = std::move(now);
  n.key = std::move(key);
}

void VariableTree::expand(VarNode& n) {
  if (!n.expandable) return;
  n.expanded = true;
  // A node built while it had nothing to show (a null pointer then) is built again.
  if (n.built && !n.children.empty()) {
    refresh(n);
    return;
  }
  std::string error;
  std::optional<ValueRecord> v = resolve(n, error);
  n.built = true;
  if (!v) return;
  build(n, *v);
  refresh(n);
}

void VariableTree::build(VarNode& n, const ValueRecord& v) {
  n.children.clear();
  auto addChild = [&](VarNode::Kind kind, size_t index, std::string label, std::string expression,
                      std::string declaration) {
    auto c = std::make_unique<VarNode>();
    c->kind = kind;
    c->index = index;
    c->label = std::move(label);
    c->expression = std::move(expression);
    c->declaration = std::move(declaration);
    c->format = n.format;
    c->letter = n.letter;
    c->parent = &n;
    n.children.push_back(std::move(c));
  };
  if (isStructOrUnion(v.type)) {
    if (const AggregateDescriptor* d = aggregateOf(v.aux)) {
      for (size_t i = 0; i < d->members.size(); ++i) {
        const AggregateMember& m = d->members[i];
        addChild(VarNode::Kind::Member, i, m.name, n.expression + "." + m.name,
                 declarationOf(m.name, m.type, m.aux, m.pointerAttributes));
      }
    }
  } else if (outermost(v.type) == Derivation::Array) {
    const uint32_t count = v.aux.empty() ? 0 : std::min(v.aux.front().word, kMaxElements);
    ValueRecord element = v;
    removeOutermostLevel(element);
    for (uint32_t i = 0; i < count; ++i) {
      // An element is its array's name and the index ("%s[%i]" in C's notation).
      const std::string label = fmtstr("%p[%i]", n.label, i);
      addChild(VarNode::Kind::Element, i, label, fmtstr("%p[%i]", n.expression, i),
               declarationOf(label, element.type, element.aux, element.pointerAttributes));
    }
  } else if (outermost(v.type) == Derivation::Pointer) {
    if ((v.uintValue() & pointerHighestAddress(v.pointerAttributes)) == 0) return;
    ValueRecord target = v;
    removeOutermostLevel(target);
    addChild(VarNode::Kind::Target, 0, "*" + n.label, "(*" + n.expression + ")",
             declarationOf("*" + n.label, target.type, target.aux, target.pointerAttributes));
  }
}

std::string VariableTree::valueText(const VarNode& n, const ValueRecord& v, const std::string& format) {
  const bool stringFormat = format == "%p" || (format.empty() && (n.letter == 'S' || n.letter == 's'));
  if (stringFormat && isCharString(v.type)) return stringText(n, v);
  if (format.empty()) return cut(printedValue(k_, v, n.letter), kValueTextLimit);
  if (format == "%p" || isStructOrUnion(v.type) || (isPlain(v.type) && v.code() == tc::Void)) return "(no format)";
  uint32_t value = outermost(v.type) == Derivation::Array ? v.address : v.uintValue();
  if (masksValue(format)) value &= widthMask(v);
  return cut(fmtstr(format, value), kValueTextLimit);
}

std::string VariableTree::stringText(const VarNode& n, const ValueRecord& v) {
  uint32_t address = outermost(v.type) == Derivation::Array ? v.address
                                                            : v.uintValue() & pointerHighestAddress(v.pointerAttributes);
  if (address == 0) return "NULL";
  // The line is the label, " = ", the opening quote and the characters: it stops at 510.
  const size_t prefix = n.label.size() + 4;
  std::string s = "\"";
  TargetMemory* memory = targetMemory(k_);
  while (memory && prefix + s.size() - 1 < kStringLineLimit) {
    uint8_t c = 0;
    if (!memory->read(v.addressSpace, address++, std::span<uint8_t>(&c, 1)) || c == 0) break;
    s += static_cast<char>(c);
  }
  return s + "\"";
}

namespace {

void propagateFormat(VarNode& n, const std::string& format) {
  n.format = format;
  if (format == "%p") {
    n.expanded = false;
    n.built = false;
    n.children.clear();
  }
  for (auto& c : n.children) propagateFormat(*c, format);
}

}  // namespace

void VariableTree::setFormat(VarNode& n, const std::string& format) {
  propagateFormat(n, format);
  refresh(n);
}

std::string VariableTree::text(const VarNode& n) const {
  const std::string& decl = n.declaration.empty() ? n.label : n.declaration;
  switch (layout_) {
    case LineLayout::Brief: return decl;
    case LineLayout::Standard: return decl + " = " + n.value;
    case LineLayout::Full: return decl + (n.hasAddress ? fmtstr(" @0x%hl", n.address) : std::string()) + " = " + n.value;
    case LineLayout::NameValue: break;
  }
  return n.label + " = " + n.value;
}

std::string VariableTree::saveText() const {
  std::string out;
  struct Writer {
    const VariableTree& tree;
    std::string& out;
    void write(const VarNode& n, int depth) {
      out.append(static_cast<size_t>(depth), '\t');
      out += tree.text(n) + "\n";
      if (n.built)
        for (const auto& c : n.children) write(*c, depth + 1);
    }
  };
  Writer w{*this, out};
  for (const auto& n : roots_) w.write(*n, 0);
  return out;
}

}  // namespace yav
