#include "model/putresult.h"

#include <algorithm>
#include <vector>

#include "model/escape.h"
#include "model/format.h"
#include "model/putfloat.h"
#include "model/putstring.h"

namespace yav {

namespace {

// Guards against malformed debug information: a struct that contains itself prints "{...}", and
// one value prints at most so many struct members (then "..."), however its descriptors nest.
constexpr int kMaxNesting = 32;
constexpr size_t kMaxMembers = 20000;

struct LetterFormat {
  char letter;
  const char* format;
};
constexpr LetterFormat kLetterFormats[] = {
    {'b', "0b%z"}, {'d', "%l"}, {'h', "%hl"}, {'o', "0%ol"}, {'u', "%ul"}, {'x', "0x%hl"},
};

const char* explicitFormat(char letter) {
  for (const LetterFormat& f : kLetterFormats) {
    if (f.letter == letter) return f.format;
  }
  return nullptr;
}

// A pointer to, or an array of, a character code: the values S and s show as strings.
bool isCharString(uint32_t type) {
  const Derivation d = outermost(type);
  return (d == Derivation::Pointer || d == Derivation::Array) && isPlain(removeOutermost(type)) &&
         isCharCode(baseCode(type));
}

// Bits a value keeps when it is shown unsigned or with a prefix: the width of its type.
uint32_t widthMask(const ValueRecord& v) {
  switch (outermost(v.type)) {
    case Derivation::Pointer: return pointerHighestAddress(v.pointerAttributes);
    case Derivation::None: break;
    default: return 0xFFFFFFFF;
  }
  const uint8_t code = v.code();
  if (!isIntegerCode(code) && !isEnumCode(code)) return 0xFFFFFFFF;
  const uint32_t size = baseTypeSize(code);
  return size > 0 && size < 4 ? (1u << (8 * size)) - 1 : 0xFFFFFFFF;
}

bool masksValue(const char* fmt) { return fmt[0] == '0' || (fmt[0] != 0 && fmt[1] == 'u'); }

class ValuePrinter {
 public:
  explicit ValuePrinter(PrintEnv& env) : env_(env) {}

  void print(const ValueRecord& v, char letter, int depth);

 private:
  void printStruct(const ValueRecord& v, char letter, int depth);
  void printEnum(const ValueRecord& v);
  void printInteger(const char* fmt, uint32_t value) { env_.put(fmtstr(fmt, value)); }

  PrintEnv& env_;
  std::vector<const AggregateDescriptor*> open_;  // structs being printed, outermost first
  size_t membersPrinted_ = 0;
};

void ValuePrinter::print(const ValueRecord& v, char letter, int depth) {
  const uint8_t code = v.code();
  const Derivation outer = outermost(v.type);

  // Letters that print on their own.
  if (letter == 'C') {
    env_.put(fmtstr("'%p'", escchar(static_cast<int>(v.uintValue() & 0xFF))));
    return;
  }
  if ((letter == 'S' || letter == 's') && isCharString(v.type)) {
    const uint32_t where = outer == Derivation::Array ? v.address : v.uintValue() & widthMask(v);
    if (where == 0) env_.put("NULL");
    else putstring(env_, v.addressSpace, where, letter == 'S');
    return;
  }
  if (letter == 'c') {
    env_.put(fmtstr("%ac", v.uintValue()));
    return;
  }
  const char* fmt = explicitFormat(letter);

  // Aggregates.
  if (outer == Derivation::Array && !env_.textualMode()) {
    env_.showAggregate(v, letter);
    return;
  }
  if (isStructOrUnion(v.type)) {
    if (env_.textualMode()) printStruct(v, letter, depth);
    else env_.showAggregate(v, letter);
    return;
  }

  uint32_t value = v.uintValue();
  if (!fmt) {
    if (outer == Derivation::Pointer || outer == Derivation::Function) {
      value &= widthMask(v);
      if (value == 0) {
        env_.put("NULL");
        return;
      }
      if (outer == Derivation::Function || isFunctionPointer(v.type)) {
        if (std::optional<std::string> name = env_.functionNameAt(value)) {
          env_.put("(" + *name + ")");
          return;
        }
      }
      fmt = "0x%hl";
    } else if (outer == Derivation::Array) {
      printInteger("@0x%hl", v.address);
      return;
    } else if (isFractCode(code)) {
      // The stored fraction as a number between -1 and 1, in a field of 20 characters at most.
      const double scale = code == tc::ShortFract ? 32768.0 : 2147483648.0;
      char buf[20];
      env_.put(std::string_view(buf, sfmt(buf, sizeof buf, typeInfo(code).display[0],
                                          static_cast<double>(v.intValue()) / scale)));
      return;
    } else if (isFloatCode(code)) {
      putfloat(env_, v.doubleValue());
      return;
    } else if (isEnumCode(code)) {
      printEnum(v);
      return;
    } else if (v.locationClass == sc::MachineRegister || v.locationClass == sc::LocalFunction ||
               v.locationClass == sc::GlobalFunction) {
      fmt = "0x%hl";
    } else if (v.locationClass == sc::Timing) {
      fmt = "%ul";
    } else {
      // Types other than the nine plain integer types show the same in every radix column.
      const int radix = static_cast<int>(radixFromSetting(env_.defaultRadix()));
      fmt = typeInfo(code).display[radix] ? typeInfo(code).display[radix] : "%l";
    }
  }

  if (masksValue(fmt)) value &= widthMask(v);
  printInteger(fmt, value);
}

void ValuePrinter::printEnum(const ValueRecord& v) {
  const uint32_t mask = widthMask(v);
  if (const AggregateDescriptor* d = aggregateOf(v.aux)) {
    for (const AggregateMember& m : d->members) {
      if ((static_cast<uint32_t>(m.value) & mask) == (v.uintValue() & mask)) {
        env_.put(fmtstr("%p", m.name));
        return;
      }
    }
  }
  const char* fmt = isUnsignedCode(v.code()) ? "%ul (unknown enum value)" : "%l (unknown enum value)";
  printInteger(fmt, masksValue(fmt) ? v.uintValue() & mask : v.uintValue());
}

void ValuePrinter::printStruct(const ValueRecord& v, char letter, int depth) {
  const AggregateDescriptor* d = aggregateOf(v.aux);
  if (depth >= kMaxNesting || (d && std::find(open_.begin(), open_.end(), d) != open_.end())) {
    env_.put("{...}");
    return;
  }
  env_.put("{");
  if (d) {
    open_.push_back(d);
    bool first = true;
    for (const AggregateMember& m : d->members) {
      if (!first) env_.put(", ");
      first = false;
      if (++membersPrinted_ > kMaxMembers) {
        env_.put("...");
        break;
      }
      env_.put(m.name);
      env_.put("=");
      ValueRecord member;
      member.symbolKind = v.symbolKind;
      member.addressSpace = v.addressSpace;
      member.pointerAttributes = m.pointerAttributes;
      member.type = m.type;
      member.aux = m.aux;
      member.address = v.address + static_cast<uint32_t>(m.value);
      member.locationClass = sc::Memory;
      member.text = m.name;
      member.size = typeSize(m.type, m.aux, m.pointerAttributes);
      member.place = {m.bitNumber, m.bitWidth};
      env_.reload(member);
      print(member, letter, depth + 1);
    }
    open_.pop_back();
  }
  env_.put("}");
}

}  // namespace

void putresult(PrintEnv& env, const ValueRecord& v, char letter) {
  ValuePrinter printer(env);
  if (v.repeat == 0) {
    printer.print(v, letter, 0);
    return;
  }
  // The record itself stays as the caller made it; the elements are printed from a copy.
  ValueRecord element = v;
  element.repeat = 0;
  const uint32_t step = v.size ? v.size : typeSize(v.type, v.aux, v.pointerAttributes);
  env.put("{");
  for (uint32_t i = 0; i < v.repeat; ++i) {
    if (i) {
      element.address += step;
      env.reload(element);
      env.put(", ");
    }
    printer.print(element, letter, 0);
  }
  env.put("}");
}

}  // namespace yav
