#include "engine/statements.h"

#include <cstring>
#include <string>

#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/kernel_eval.h"
#include "engine/script_state.h"
#include "model/messages.h"
#include "model/types.h"

namespace yav {

namespace {

bool startsWith(const char* p, const char* word) { return std::strncmp(p, word, std::strlen(word)) == 0; }

// Reports "<what>: syntax error" (or another message) and ends the statement.
const char* fail(Kernel& k, const char* what, int id = msg::SyntaxError) {
  errmsg(k, {what, ": ", errtext(id), "\n"});
  return kEmptyRest;
}

// Past a text in double quotes (a `"` after `\` does not end it); at the end of the text when
// the quote is not closed.
const char* pastQuoted(const char* p) {
  for (++p; *p && *p != '"'; ++p) {
    if (*p == '\\' && p[1]) ++p;
  }
  return *p ? p + 1 : p;
}

// Past the `}` that closes the block starting at `p` (on its `{`), nested braces counted; texts in
// double quotes hold no braces. Null when the block is not closed on this line.
const char* pastBlock(const char* p) {
  int open = 0;
  while (*p) {
    if (*p == '"') {
      p = pastQuoted(p);
      continue;
    }
    if (*p == '{') ++open;
    if (*p == '}' && --open == 0) return p + 1;
    ++p;
  }
  return nullptr;
}

// Past a single statement: up to and including the next `;` outside double quotes and braces
// (an event's action block belongs to its command), or up to the `}` that closes the block
// around it.
const char* pastSingle(const char* p) {
  while (*p && *p != ';' && *p != '}') {
    if (*p == '{') {
      const char* end = pastBlock(p);
      if (!end) return p + std::strlen(p);
      p = end;
      continue;
    }
    p = *p == '"' ? pastQuoted(p) : p + 1;
  }
  return *p == ';' ? p + 1 : p;
}

// The end of the statement or block at `p` when it is skipped; null for a block not closed.
const char* skipped(const char* p) { return *p == '{' ? pastBlock(p) : pastSingle(p); }

// A condition: the expression after `(` up to its `)`. Returns the position after the `)`, or
// null with the message id in `error` (syntax error for a missing `)`).
const char* condition(Kernel& k, const char* p, int32_t& value, int& error) {
  error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, p, error, true);
  if (error) return nullptr;
  p = skipBlanks(p);
  if (*p != ')' || !v) {
    error = msg::SyntaxError;
    return nullptr;
  }
  value = isFloatCode(v->code()) && isPlain(v->type) ? static_cast<int32_t>(v->doubleValue()) : v->intValue();
  return p + 1;
}

// Holds the nesting of statements run or skipped inside each other, so that a line of nested
// blocks cannot exhaust the stack.
class Nested {
 public:
  explicit Nested(Kernel& k) : s_(scriptState(k)) { ++s_.nesting; }
  ~Nested() { --s_.nesting; }
  bool tooDeep() const { return s_.nesting > kMaxStatementNesting; }

 private:
  ScriptState& s_;
};

const char* runBody(Kernel& k, const char* p, int user);

// Runs the statements of the block at `p` (on its `{`) and returns the position after its `}`.
// A block not closed on its line runs nothing.
const char* runBlock(Kernel& k, const char* p, int user) {
  if (!pastBlock(p)) return fail(k, "{}");
  ++p;
  for (;;) {
    p = skipBlanks(p);
    while (*p == ';') p = skipBlanks(p + 1);
    if (*p == '}') return p + 1;
    if (!*p) return fail(k, "{}");
    p = statement(k, p, user);
    if (p == kEmptyRest || k.disp.quitting) return kEmptyRest;  // an error dropped the line
  }
}

// A statement or a block.
const char* runBody(Kernel& k, const char* p, int user) {
  p = skipBlanks(p);
  return *p == '{' ? runBlock(k, p, user) : statement(k, p, user);
}

// A loop goes on until its condition is false or a stop is requested (Escape, Ctrl-C, Stop).
bool stopRequested(Kernel& k) {
  PumpResult r = k.ui->pumpEvents();
  if (r.stop) k.exec.stopreq = true;
  if (r.closeRequested) k.cmdfile.closeHeldBack = true;
  return k.exec.stopreq || k.disp.quitting;
}

const char* runIf(Kernel& k, const char* p, int user) {
  p = skipBlanks(p + 2);
  if (*p != '(') return fail(k, "if");
  int32_t value = 0;
  int error = 0;
  p = condition(k, p + 1, value, error);
  if (!p) return fail(k, "if", error);
  p = skipBlanks(p);
  if (!*p) return fail(k, "if");
  if (value) {
    p = runBody(k, p, user);
    if (p == kEmptyRest) return p;
  } else if (!(p = skipped(p))) {
    return fail(k, "if");
  }
  const char* after = skipBlanks(p);
  if (!startsWith(after, "else")) return p;
  p = skipBlanks(after + 4);
  if (!*p) return fail(k, "else", value ? msg::SyntaxError : msg::IncorrectFunction);
  if (!value) return runBody(k, p, user);
  p = skipped(p);
  return p ? p : fail(k, "if");
}

const char* runWhile(Kernel& k, const char* p, int user) {
  p = skipBlanks(p + 5);
  if (*p != '(') return fail(k, "while");
  const char* condStart = p + 1;
  int32_t value = 0;
  int error = 0;
  p = condition(k, condStart, value, error);
  if (!p) return fail(k, "while", error);
  const std::string cond(condStart, p);
  p = skipBlanks(p);
  const char* end = skipped(p);
  if (!value) return end ? end : fail(k, "if");
  // The loop runs from copies: what a command does to the line cannot change them.
  const std::string body(p, end ? end : p + std::strlen(p));
  k.exec.stopreq = false;
  while (value) {
    if (runBody(k, body.c_str(), user) == kEmptyRest || stopRequested(k)) return kEmptyRest;
    if (!condition(k, cond.c_str(), value, error)) return fail(k, "while", error);
  }
  return end;
}

const char* runDo(Kernel& k, const char* p, int user) {
  p = skipBlanks(p + 2);
  const char* end = skipped(p);
  const std::string body(p, end ? end : p + std::strlen(p));
  if (runBody(k, body.c_str(), user) == kEmptyRest) return kEmptyRest;
  p = skipBlanks(end);
  if (!startsWith(p, "while")) return fail(k, "do");
  p = skipBlanks(p + 5);
  if (*p != '(') return fail(k, "do while");
  const std::string cond(p + 1);
  int32_t value = 0;
  int error = 0;
  const char* close = condition(k, cond.c_str(), value, error);
  if (!close) return fail(k, "do while", error);
  const char* semicolon = skipBlanks(p + 1 + (close - cond.c_str()));
  if (*semicolon != ';') return fail(k, "do while");
  k.exec.stopreq = false;
  while (value) {
    if (runBody(k, body.c_str(), user) == kEmptyRest || stopRequested(k)) return kEmptyRest;
    if (!condition(k, cond.c_str(), value, error)) return fail(k, "do while", error);
  }
  return semicolon + 1;
}

}  // namespace

const char* statement(Kernel& k, const char* text, int user) {
  Nested nested(k);
  if (nested.tooDeep()) {
    errmsg(k, {"{}: statements nested more than ", std::to_string(kMaxStatementNesting), " deep\n"});
    return kEmptyRest;
  }
  if (startsWith(text, "if")) return runIf(k, text, user);
  if (startsWith(text, "while")) return runWhile(k, text, user);
  if (startsWith(text, "do")) return runDo(k, text, user);
  const char* p = skipBlanks(execcmd(k, text, user));
  if (*p == ';') return p + 1;
  if (*p && *p != '}') {
    errmsg(k, {errtext(msg::Missing), "';': ", p, "\n"});
    return kEmptyRest;
  }
  return p;
}

}  // namespace yav
