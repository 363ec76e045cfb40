// Type names of casts and sizeof: specifier words, typedef names, struct/union/enum tags and
// pointer stars, and how a cast converts its operand.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/eval_env.h"
#include "model/eval_value.h"

namespace yav {

// How a cast changes its operand.
enum class CastKind : uint8_t {
  Integer,        // cut to the integer type's width and extended by its signedness
  Float,          // to a floating type
  Void,
  Pointer,        // a pointer type: the value is not converted
  Refused,        // struct, union or enum without `*`, a typedef of an array or function
};

struct ParsedTypeName {
  uint32_t type = 0;
  AuxList aux;
  uint16_t pointerAttributes = 0;
  CastKind kind = CastKind::Refused;
  uint32_t size = 0;  // what sizeof gives
};

// Reads a type name starting at `pos` (just after the opening parenthesis) up to and including
// its `)`. Returns none, leaving `pos` alone, when the text there is no type name (the
// parenthesis then groups an expression).
std::optional<ParsedTypeName> readTypeName(std::string_view text, size_t& pos, EvalEnv& env);

// Converts `v` for a cast to `t`; false when the cast is refused.
bool applyCast(const ParsedTypeName& t, ValueRecord& v);

}  // namespace yav
