// The arguments of a request, read with their types checked: a missing or mistyped argument is
// refused in words ("line must be a number"), never with the JSON library's own text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "dap/dap_framing.h"

namespace yav::dap {

// The argument `name` of `args`, which must be there.
const json& requiredArg(const json& args, const char* name);
std::string stringArg(const json& args, const char* name);
int64_t integerArg(const json& args, const char* name);
// An array argument; a missing one reads as empty.
const json& arrayArg(const json& args, const char* name);
// An object argument, which must be there.
const json& objectArg(const json& args, const char* name);

// Arguments that may be left out (or null): the default then.
std::string optionalString(const json& args, const char* name, std::string fallback = {});
int64_t optionalInteger(const json& args, const char* name, int64_t fallback);
bool optionalBool(const json& args, const char* name, bool fallback);
// Whether the argument is given (and not null).
bool hasArg(const json& args, const char* name);

// The display letter a value format asks for: 'x' for hexadecimal, else 0 (the type's own).
char formatLetter(const json& args);

}  // namespace yav::dap
