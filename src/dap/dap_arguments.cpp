#include "dap/dap_arguments.h"

#include "dap/dap_session.h"

namespace yav::dap {

namespace {

[[noreturn]] void mistyped(const char* name, const char* what) {
  throw ArgumentError{{std::string(name) + " must be " + what}};
}

const json* find(const json& args, const char* name) {
  if (!args.is_object()) return nullptr;
  const auto it = args.find(name);
  return it == args.end() || it->is_null() ? nullptr : &*it;
}

}  // namespace

bool hasArg(const json& args, const char* name) { return find(args, name) != nullptr; }

const json& requiredArg(const json& args, const char* name) {
  if (const json* value = find(args, name)) return *value;
  throw ArgumentError{{std::string(name) + " is missing"}};
}

std::string stringArg(const json& args, const char* name) {
  const json& value = requiredArg(args, name);
  if (!value.is_string()) mistyped(name, "a string");
  return value.get<std::string>();
}

int64_t integerArg(const json& args, const char* name) {
  const json& value = requiredArg(args, name);
  if (value.is_number_integer()) return value.get<int64_t>();
  if (value.is_number_float()) {
    const double d = value.get<double>();
    if (d >= -9.0e15 && d <= 9.0e15 && d == static_cast<double>(static_cast<int64_t>(d))) {
      return static_cast<int64_t>(d);
    }
    mistyped(name, "a whole number");
  }
  mistyped(name, "a number");
}

const json& arrayArg(const json& args, const char* name) {
  static const json kEmpty = json::array();
  const json* value = find(args, name);
  if (!value) return kEmpty;
  if (!value->is_array()) mistyped(name, "an array");
  return *value;
}

const json& objectArg(const json& args, const char* name) {
  const json& value = requiredArg(args, name);
  if (!value.is_object()) mistyped(name, "an object");
  return value;
}

std::string optionalString(const json& args, const char* name, std::string fallback) {
  return hasArg(args, name) ? stringArg(args, name) : fallback;
}

int64_t optionalInteger(const json& args, const char* name, int64_t fallback) {
  return hasArg(args, name) ? integerArg(args, name) : fallback;
}

bool optionalBool(const json& args, const char* name, bool fallback) {
  const json* value = find(args, name);
  if (!value) return fallback;
  if (!value->is_boolean()) mistyped(name, "true or false");
  return value->get<bool>();
}

char formatLetter(const json& args) {
  const json* format = find(args, "format");
  return format && format->is_object() && optionalBool(*format, "hex", false) ? 'x' : 0;
}

}  // namespace yav::dap
