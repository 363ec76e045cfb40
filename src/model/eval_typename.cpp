#include "model/eval_typename.h"

#include <algorithm>
#include <array>

#include "model/eval_convert.h"

namespace yav {

namespace {

namespace word {
inline constexpr uint16_t Char = 0x1, Short = 0x2, Int = 0x4, Long = 0x8, Float = 0x10, Double = 0x20;
inline constexpr uint16_t Signed = 0x40, Unsigned = 0x80, Const = 0x100, Volatile = 0x200, Void = 0x400;
inline constexpr uint16_t Struct = 0x800, Union = 0x1000, Enum = 0x2000, Typedef = 0x8000;
}  // namespace word

struct SpecifierWord {
  std::string_view word;
  uint16_t bit;
};
constexpr SpecifierWord kSpecifierWords[] = {
    {"char", word::Char},         {"short", word::Short},   {"int", word::Int},       {"long", word::Long},
    {"float", word::Float},       {"double", word::Double}, {"signed", word::Signed}, {"unsigned", word::Unsigned},
    {"const", word::Const},       {"volatile", word::Volatile}, {"void", word::Void}, {"struct", word::Struct},
    {"union", word::Union},       {"enum", word::Enum},
};

// The accepted combinations (after const and volatile are dropped and int is added to a lone
// signed or unsigned, or one with short or long alone) and the base code each stands for.
struct Combination {
  uint16_t mask;
  uint8_t code;
};
constexpr Combination kCombinations[] = {
    {word::Char, tc::Char},
    {word::Signed | word::Char, tc::SignedChar},
    {word::Unsigned | word::Char, tc::UnsignedChar},
    {word::Short, tc::Short},
    {word::Short | word::Int, tc::Short},
    {word::Signed | word::Short | word::Int, tc::Short},
    {word::Unsigned | word::Short | word::Int, tc::UnsignedShort},
    {word::Int, tc::Int},
    {word::Signed | word::Int, tc::Int},
    {word::Unsigned | word::Int, tc::UnsignedInt},
    {word::Long, tc::Long},
    {word::Long | word::Int, tc::Long},
    {word::Signed | word::Long | word::Int, tc::Long},
    {word::Unsigned | word::Long | word::Int, tc::UnsignedLong},
    {word::Float, tc::Float},
    {word::Double, tc::Double},
    {word::Long | word::Double, tc::LongDouble},
    {word::Void, tc::Void},
    {word::Struct, tc::Struct},
    {word::Union, tc::Union},
    {word::Enum, tc::Enum},
    {word::Typedef, 0},  // resolved from the typedef itself
};

// The base codes a typedef may stand for in a cast.
constexpr uint8_t kTypedefBaseCodes[] = {
    tc::SignedChar, tc::Char,   tc::UnsignedChar, tc::Short,  tc::UnsignedShort, tc::Int,   tc::UnsignedInt, tc::Long,
    tc::UnsignedLong, tc::Float, tc::Double,      tc::Struct, tc::Union,         tc::Enum,  tc::Void,
};

// How a cast to a plain base type converts: integers and floating types convert, void drops
// the value, struct, union and enum are refused without `*`.
CastKind castKindOf(uint8_t code) {
  const TypeInfo& t = typeInfo(code);
  if (t.is(tp::Floating)) return CastKind::Float;
  if (code == tc::Void) return CastKind::Void;
  if (t.is(tp::Integer) && t.name && !t.is(tp::BitField) && code != tc::Bool) return CastKind::Integer;
  return CastKind::Refused;
}

bool isIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isIdentChar(char c) { return isIdentStart(c) || (c >= '0' && c <= '9'); }

class TypeNameReader {
 public:
  TypeNameReader(std::string_view t, size_t pos, EvalEnv& env) : t_(t), i_(pos), env_(env) {}

  std::optional<ParsedTypeName> read(size_t& end) {
    uint16_t mask = 0;
    std::optional<EvalType> named;  // typedef or tag
    for (;;) {
      blanks();
      const size_t save = i_;
      const std::string_view w = word();
      if (w.empty()) break;
      const uint16_t bit = keywordBit(w);
      if (bit != 0) {
        if (mask & bit) {
          i_ = save;  // the same word twice ends the specifiers
          break;
        }
        mask |= bit;
        if (bit == word::Struct || bit == word::Union || bit == word::Enum) {
          if (named) return std::nullopt;
          blanks();
          const std::string_view tag = word();
          const uint8_t kind = bit == word::Struct ? tc::Struct : bit == word::Union ? tc::Union : tc::Enum;
          named = tag.empty() ? std::nullopt : env_.findTag(kind, tag);
          if (!named) return std::nullopt;
        }
        continue;
      }
      if (mask & word::Typedef || named) {
        i_ = save;
        break;
      }
      named = env_.findTypedef(w);
      if (!named) {
        i_ = save;
        break;
      }
      mask |= word::Typedef;
    }
    int stars = 0;
    for (;;) {
      blanks();
      if (i_ < t_.size() && t_[i_] == '*') {
        ++stars;
        ++i_;
        continue;
      }
      break;
    }
    if (i_ >= t_.size() || t_[i_] != ')') return std::nullopt;
    ++i_;

    mask &= static_cast<uint16_t>(~(word::Const | word::Volatile));
    const uint16_t sign = word::Signed | word::Unsigned;
    const uint16_t rest = mask & static_cast<uint16_t>(~sign);
    if ((mask & sign) && (rest == 0 || rest == word::Short || rest == word::Long)) mask |= word::Int;
    const Combination* combo = nullptr;
    for (const Combination& c : kCombinations) {
      if (c.mask == mask) combo = &c;
    }
    if (!combo) return std::nullopt;

    ParsedTypeName p;
    if (named) {
      p.type = named->type;
      p.aux = named->aux;
      p.pointerAttributes = named->pointerAttributes;
    } else {
      p.type = combo->code;
    }
    if (derivationCount(p.type) + stars > kMaxDerivations) {
      p.kind = CastKind::Refused;
      end = i_;
      return p;
    }
    ValueRecord shape;
    shape.type = p.type;
    shape.aux = p.aux;
    shape.pointerAttributes = p.pointerAttributes;
    for (int s = 0; s < stars; ++s) addPointerLevel(shape, 0);
    p.type = shape.type;
    p.aux = shape.aux;
    p.pointerAttributes = shape.pointerAttributes;
    p.size = valueTypeSize(shape);

    if (outermost(p.type) == Derivation::Pointer) {
      p.kind = CastKind::Pointer;
    } else if (!isPlain(p.type)) {
      p.kind = CastKind::Refused;  // a typedef of an array or a function
    } else if (mask == word::Typedef) {
      const uint8_t code = baseCode(p.type);
      const bool accepted = std::find(std::begin(kTypedefBaseCodes), std::end(kTypedefBaseCodes), code) != std::end(kTypedefBaseCodes);
      p.kind = accepted ? castKindOf(code) : CastKind::Refused;
    } else {
      p.kind = castKindOf(combo->code);
    }
    end = i_;
    return p;
  }

 private:
  void blanks() {
    while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t')) ++i_;
  }
  std::string_view word() {
    if (i_ >= t_.size() || !isIdentStart(t_[i_])) return {};
    const size_t s = i_;
    while (i_ < t_.size() && isIdentChar(t_[i_])) ++i_;
    return t_.substr(s, i_ - s);
  }
  static uint16_t keywordBit(std::string_view w) {
    for (const SpecifierWord& s : kSpecifierWords) {
      if (s.word == w) return s.bit;
    }
    return 0;
  }
  std::string_view t_;
  size_t i_;
  EvalEnv& env_;
};

}  // namespace

std::optional<ParsedTypeName> readTypeName(std::string_view text, size_t& pos, EvalEnv& env) {
  size_t end = pos;
  std::optional<ParsedTypeName> p = TypeNameReader(text, pos, env).read(end);
  if (p) pos = end;
  return p;
}

bool applyCast(const ParsedTypeName& t, ValueRecord& v) {
  const bool floating = isFloatingValue(v.type);
  if (t.kind == CastKind::Refused) return false;
  if (t.kind == CastKind::Pointer) {
    if (floating) return false;
    const uint32_t value = v.uintValue();
    v.type = t.type;
    v.aux = t.aux;
    v.auxOwned = true;
    v.pointerAttributes = t.pointerAttributes;
    v.setInt(static_cast<int32_t>(value));
    return true;
  }
  uint32_t resultType = t.type;
  switch (t.kind) {
    case CastKind::Integer:
      // Plain char is unsigned on this target.
      if (resultType == tc::Char) resultType = tc::UnsignedChar;
      v.setInt(wrapToCode(integerOf(v), static_cast<uint8_t>(resultType)));
      break;
    case CastKind::Float: {
      double d = doubleOf(v);
      if (t.type == tc::Float) d = static_cast<double>(static_cast<float>(d));
      v.setDouble(d);
      break;
    }
    case CastKind::Void: v.bits = 0; break;
    default: return false;
  }
  v.type = resultType;
  v.aux.clear();
  v.auxOwned = false;
  v.pointerAttributes = 0;
  return true;
}

}  // namespace yav
