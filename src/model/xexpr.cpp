#include <cstring>

#include "model/eval_parser.h"
#include "model/eval_storage.h"
#include "model/messages.h"

namespace yav {

namespace {

bool isSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// Blanks of the command language: control characters, the space, DEL and bytes above 0x7F.
bool isCommandBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u != 0 && (u <= 0x20 || u >= 0x7F);
}

std::string recordText(std::string_view t) {
  size_t b = 0, e = t.size();
  while (b < e && isSpaceOrTab(t[b])) ++b;
  if (b < e && t[b] == ':') ++b;
  while (e > b && isSpaceOrTab(t[e - 1])) --e;
  return std::string(t.substr(b, e - b));
}

}  // namespace

std::unique_ptr<ValueRecord> xexpr(Evaluator& ev, std::string_view text, size_t& cursor, int& error, bool evaluate) {
  if (cursor > text.size()) cursor = text.size();
  const bool outerEvaluate = ev.evaluate;
  const int outerError = ev.pendingError;
  ev.evaluate = evaluate;
  ev.pendingError = 0;

  Parser parser(ev, text, cursor);
  EvalValue v = parser.expression();
  size_t end = parser.endCursor();
  if (end < cursor) end = cursor;

  auto rec = std::make_unique<ValueRecord>(std::move(v.rec));
  rec->text = recordText(text.substr(cursor, end - cursor));
  rec->size = rec->locationClass != sc::Computed ? valueTypeSize(*rec) : 0;
  error = ev.pendingError;
  cursor = end;

  ev.evaluate = outerEvaluate;
  ev.pendingError = outerError;
  return rec;
}

std::unique_ptr<ValueRecord> xexpr(Evaluator& ev, const char*& text, int& error, bool evaluate) {
  const std::string_view t(text, std::strlen(text));
  size_t cursor = 0;
  std::unique_ptr<ValueRecord> rec = xexpr(ev, t, cursor, error, evaluate);
  text += cursor;
  return rec;
}

void xfree(ValueRecord* v) { delete v; }

int Expression(Evaluator& ev, bool evaluate, std::string_view text, bool& isFloat, int32_t& integer, double& floating) {
  size_t cursor = 0;
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(ev, text, cursor, error, evaluate);
  if (error) return error;
  while (cursor < text.size() && isCommandBlank(text[cursor])) ++cursor;
  if (cursor < text.size()) return msg::IllegalExtension;
  if (evaluate) {
    isFloat = isFloatingValue(v->type);
    if (isFloat) floating = v->doubleValue();
    else integer = v->intValue();
  }
  return 0;
}

bool evalReload(Evaluator& ev, ValueRecord& v) { return reloadValue(ev.env(), v); }

std::string textWithClassByte(const ValueRecord& v) {
  std::string s = v.text;
  s.push_back('\0');
  s.push_back(static_cast<char>(v.locationClass == sc::Computed ? 9 : v.locationClass));
  return s;
}

}  // namespace yav
