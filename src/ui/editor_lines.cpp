#include "ui/editor_lines.h"

#include <cctype>
#include <cstdlib>

namespace yav {

namespace {

constexpr const char* kMissing = "Missing Specification";
constexpr const char* kConflicting = "Conflicting Specification";
constexpr const char* kWrongAddress = "Wrong Address Specification";

EditorLine fail(const char* text) { return {{}, text}; }

// The whole text is one number in C notation (decimal, 0x hexadecimal, 0 octal).
bool isNumber(const std::string& s, unsigned long& value) {
  if (s.empty() || !std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  char* end = nullptr;
  value = std::strtoul(s.c_str(), &end, 0);
  return end && *end == '\0';
}

bool isLineNumber(const std::string& s) {
  unsigned long v = 0;
  return isNumber(s, v) && v > 0;
}

// The place of the Go and Step editors as a location: "fn()" or "fn():line", "file:line",
// "@0x...". Empty `line` with an error when the fields do not make one place.
EditorLine place(const RunEditorFields& f) {
  const bool fn = !f.function.empty(), file = !f.file.empty(), line = !f.line.empty(), addr = !f.address.empty();
  if (addr) {
    if (fn || file || line) return fail(kConflicting);
    unsigned long a = 0;
    if (!isNumber(f.address, a)) return fail(kWrongAddress);
    char text[24];
    std::snprintf(text, sizeof text, "@0x%lx", a);
    return {text, {}};
  }
  if (line && !isLineNumber(f.line)) return fail(kMissing);
  if (fn && file) return fail(kConflicting);
  if (fn) return {f.function + "()" + (line ? ":" + f.line : std::string()), {}};
  if (file && line) return {f.file + ":" + f.line, {}};
  return fail(kMissing);
}

EditorLine withWord(const char* word, EditorLine where) {
  if (!where.error.empty()) return where;
  return {std::string(word) + " " + where.line, {}};
}

std::string countOption(const std::string& count, bool& bad) {
  if (count.empty()) return {};
  unsigned long n = 0;
  if (!isNumber(count, n) || n == 0) {
    bad = true;
    return {};
  }
  return "/C:" + std::to_string(n) + " ";
}

std::string actionBlock(const std::string& actions) { return actions.empty() ? std::string() : " {" + actions + "}"; }

}  // namespace

EditorLine goEditorLine(const RunEditorFields& f) { return withWord("go", place(f)); }

EditorLine goToFunctionLine(const RunEditorFields& f) {
  if (f.function.empty()) return fail(kMissing);
  if (!f.address.empty() || !f.line.empty()) return fail(kConflicting);
  return {"go " + f.function + "()", {}};
}

EditorLine stepEditorLine(const RunEditorFields& f) {
  const char* word = f.assembler ? "istep" : "step";
  const bool anyPlace = !f.function.empty() || !f.file.empty() || !f.line.empty() || !f.address.empty();
  if (!f.count.empty()) {
    if (anyPlace) return fail(kConflicting);
    unsigned long n = 0;
    if (!isNumber(f.count, n) || n == 0) return fail(kMissing);
    return {std::string(word) + " " + std::to_string(n), {}};
  }
  if (!anyPlace) return {word, {}};
  return withWord(word, place(f));
}

EditorLine stepToFunctionLine(const RunEditorFields& f) {
  if (f.function.empty()) return fail(kMissing);
  if (!f.file.empty() || !f.address.empty() || !f.line.empty()) return fail(kConflicting);
  return {std::string(f.assembler ? "istep " : "step ") + f.function + "()", {}};
}

EditorLine codeEventLine(const CodeEventFields& f) {
  EditorLine where = place(f.place);
  if (!where.error.empty()) return where;
  bool bad = false;
  const std::string count = countOption(f.count, bad);
  if (bad) return fail(kMissing);
  std::string line = f.watch ? "watch " : "break ";
  if (f.suspended) line += "/I ";
  line += count + where.line + actionBlock(f.actions);
  return {line, {}};
}

EditorLine dataEventLine(const DataEventFields& f) {
  if (f.expression.empty()) return fail(kMissing);
  bool bad = false;
  const std::string count = countOption(f.count, bad);
  if (bad) return fail(kMissing);
  std::string line = f.watch ? "dwatch " : "dbreak ";
  if (f.access == 'R' || f.access == 'W') line += std::string("/T:") + f.access + " ";
  line += count + f.expression + actionBlock(f.actions);
  return {line, {}};
}

}  // namespace yav
