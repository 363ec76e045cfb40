#include <string>

#include "model/symbols.h"

namespace yav {

namespace {
std::string tagOf(uint32_t type, const AuxList& aux) {
  const uint8_t code = baseCode(type);
  if (!typeInfo(code).is(tp::Aggregate | tp::Enum)) return {};
  for (const AuxWord& w : aux) {
    if (w.descriptor) return w.descriptor->tag;
  }
  return {};
}
}  // namespace

std::string declarationText(const SymbolEntry& s, uint8_t locationClass) {
  if (locationClass == sc::MachineRegister) return "machine register " + s.name;
  if (locationClass == sc::Timing) return s.value == 1 ? "timing register $time" : "????? ";
  std::string text(storageClassName(s.storageClass));
  text += typeName(baseCode(s.type));
  text += ' ';
  text += tagOf(s.type, s.aux);
  text += ' ';
  // Derivations from the outermost inwards; auxiliary words are consumed in the same order.
  std::string decl = s.name;
  uint32_t type = s.type;
  size_t aux = 0;
  bool firstPointer = true;
  while (outermost(type) != Derivation::None) {
    switch (outermost(type)) {
      case Derivation::Pointer: {
        uint16_t attrs = firstPointer ? s.pointerAttributes : 0;
        if (aux < s.aux.size()) attrs = static_cast<uint16_t>(s.aux[aux++].word);
        firstPointer = false;
        decl = std::string(pointerKind(attrs).declPrefix) + "*" + decl;
        break;
      }
      case Derivation::Array: {
        const uint32_t len = aux < s.aux.size() ? s.aux[aux++].word : 0;
        decl += "[" + std::to_string(len) + "]";
        break;
      }
      case Derivation::Function:
        decl = "(" + decl + ")()";
        break;
      case Derivation::None:
        break;
    }
    type = removeOutermost(type);
  }
  return text + decl;
}

std::string functionDescription(uint8_t storageClass, uint32_t type, const AuxList& aux) {
  std::string d(storageClassName(storageClass));
  d += typeName(baseCode(type));
  d += ' ';
  if (baseCode(type) == tc::Struct) d += tagOf(type, aux);
  for (uint32_t t = type; outermost(t) != Derivation::None; t = removeOutermost(t)) {
    if (outermost(t) == Derivation::Pointer) d += '*';
  }
  return d;
}

std::string FunctionEntry::argumentList() const {
  std::string list;
  for (size_t i = 0; i < argumentCount && i < locals.size(); ++i) {
    if (i) list += ", ";
    SymbolEntry plain = locals[i];
    plain.storageClass = 0;
    list += declarationText(plain);
  }
  return list;
}

}  // namespace yav
