#include "model/eval_typename.h"

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
// signed or unsigned, or one with short or long alone): the base code a pointer cast uses and
// the conversion of a plain cast.
struct Combination {
  uint16_t mask;
  uint8_t code;
  CastKind kind;
};
constexpr Combination kCombinations[] = {
    {word::Char, tc::Char, CastKind::Integer},
    {word::Signed | word::Char, tc::SignedChar, CastKind::Integer},
    {word::Unsigned | word::Char, tc::UnsignedChar, CastKind::Integer},
    {word::Short, tc::Short, CastKind::Integer},
    {word::Short | word::Int, tc::Short, CastKind::Integer},
    {word::Signed | word::Short | word::Int, tc::Short, CastKind::Integer},
    {word::Unsigned | word::Short | word::Int, tc::UnsignedShort, CastKind::Integer},
    {word::Int, tc::Int, CastKind::Integer},
    {word::Signed | word::Int, tc::Int, CastKind::Integer},
    {word::Unsigned | word::Int, tc::UnsignedInt, CastKind::Integer},
    {word::Long, tc::Long, CastKind::Integer},
    {word::Long | word::Int, tc::Long, CastKind::Integer},
    {word::Signed | word::Long | word::Int, tc::Long, CastKind::Integer},
    {word::Unsigned | word::Long | word::Int, tc::UnsignedLong, CastKind::Integer},
    {word::Float, tc::Float, CastKind::Float},
    {word::Double, tc::Double, CastKind::Float},
    {word::Long | word::Double, tc::LongDouble, CastKind::Float},
    {word::Void, tc::Void, CastKind::Void},
    {word::Struct, tc::Struct, CastKind::Refused},
    {word::Union, tc::Union, CastKind::Refused},
    {word::Enum, tc::Enum, CastKind::Refused},
    {word::Typedef, 0, CastKind::Refused},  // resolved from the typedef itself
};

// The conversion a typedef of a plain base type stands for.
struct TypedefBase {
  uint8_t code;
  uint8_t resultCode;
  CastKind kind;
};
constexpr TypedefBase kTypedefBases[] = {
    {tc::SignedChar, tc::SignedChar, CastKind::Integer}, {tc::Char, tc::UnsignedChar, CastKind::Integer},
    {tc::UnsignedChar, tc::UnsignedChar, CastKind::Integer}, {tc::Short, tc::Short, CastKind::Integer},
    {tc::UnsignedShort, tc::UnsignedShort, CastKind::Integer}, {tc::Int, tc::Int, CastKind::Integer},
    {tc::UnsignedInt, tc::UnsignedInt, CastKind::Integer},     {tc::Long, tc::Long, CastKind::Integer},
    {tc::UnsignedLong, tc::UnsignedLong, CastKind::Integer},   {tc::Float, tc::Float, CastKind::Float},
    {tc::Double, tc::Double, CastKind::Float},              {tc::Struct, tc::Struct, CastKind::Refused},
    {tc::Union, tc::Union, CastKind::Refused},              {tc::Enum, tc::Enum, CastKind::Refused},
    {tc::Void, tc::Void, CastKind::Void},
};

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
      p.kind = CastKind::Refused;
      for (const TypedefBase& b : kTypedefBases) {
        if (b.code == baseCode(p.type)) {
          p.kind = b.kind;
          p.type = b.resultCode;
        }
      }
    } else {
      p.kind = combo->kind;
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
