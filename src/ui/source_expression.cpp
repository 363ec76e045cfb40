#include "ui/source_expression.h"

#include <cctype>

#include "model/loader.h"

namespace yav {

namespace {

bool expressionChar(std::string_view s, size_t i) {
  const char c = s[i];
  if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.' || c == '[' || c == ']') {
    return true;
  }
  if (c == '-') return i + 1 < s.size() && s[i + 1] == '>';
  if (c == '>') return i > 0 && s[i - 1] == '-';
  return false;
}

bool identChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

const FunctionEntry* functionHolding(const FileEntry& file, size_t line) {
  for (const auto& f : file.functions) {
    if (!f->isOuterScope() && !f->isPlaceholder() && line >= f->firstLine && line <= f->lastLine) return f.get();
  }
  return nullptr;
}

// A variable of the file's outer scope that the linker does not know: a global of the program
// has a label of its name (with the compiler's '_') at its address, a file-level static has none.
bool fileStatic(const Program& prog, const FileEntry& file, std::string_view name) {
  const FunctionEntry* outer = file.outerScope();
  const SymbolEntry* s = outer ? outer->findLocal(name) : nullptr;
  if (!s || s->storageClass != sc::Static) return false;
  const LabelEntry* label = prog.labels.rensym("_" + std::string(name));
  return !label || label->value != s->value;
}

}  // namespace

std::optional<std::string> expressionAt(std::string_view s, size_t column) {
  if (column >= s.size() || !expressionChar(s, column)) return std::nullopt;
  size_t begin = column, end = column + 1;
  while (begin > 0 && expressionChar(s, begin - 1)) --begin;
  while (end < s.size() && expressionChar(s, end)) ++end;
  return std::string(s.substr(begin, end - begin));
}

std::optional<std::string> selectedExpression(std::string_view s, size_t from, size_t to) {
  if (from > to) std::swap(from, to);
  if (from >= s.size()) return std::nullopt;
  std::string_view sel = s.substr(from, to - from + 1);
  while (!sel.empty() && std::isspace(static_cast<unsigned char>(sel.front()))) sel.remove_prefix(1);
  while (!sel.empty() && std::isspace(static_cast<unsigned char>(sel.back()))) sel.remove_suffix(1);
  if (sel.empty()) return std::nullopt;
  return std::string(sel);
}

std::string qualifyExpression(const Program& prog, const std::string& file, size_t line,
                              const std::string& expression, bool mainView) {
  size_t n = 0;
  while (n < expression.size() && identChar(expression[n])) ++n;
  const std::string_view name = std::string_view(expression).substr(0, n);
  const FileEntry* f = prog.tables.findFile(file);
  if (name.empty() || !f) return expression;
  if (const FunctionEntry* fn = functionHolding(*f, line); fn && fn->findLocal(name)) {
    return fn->name + "():" + expression;
  }
  if (!mainView && fileStatic(prog, *f, name)) return file + ":" + expression;
  return expression;
}

}  // namespace yav
