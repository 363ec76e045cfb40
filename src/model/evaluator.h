// The C expression evaluator: parses and evaluates in one pass, reading target memory and
// registers as it goes, and hands back a value record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/eval_env.h"
#include "model/value.h"

namespace yav {

// The evaluator's state. One per kernel; a nested evaluation (from inside a reload or a
// callback) keeps the outer evaluation's evaluate flag and pending error intact.
class Evaluator {
 public:
  explicit Evaluator(EvalEnv& env) : env_(&env) {}
  EvalEnv& env() { return *env_; }

  bool evaluate = true;           // false: parse and type only, never touch the target
  int pendingError = 0;           // first error of the evaluation under way
  bool assignmentAllowed = true;  // false: a lone `=` ends the expression
  QualifiedName lastName;         // analysis of the last name read
  uint32_t lastInteger = 0;       // last integer constant read
  double lastFloat = 0;           // last floating constant read
  int maxDepth = 200;             // nesting of parentheses, unary operators and subscripts

 private:
  EvalEnv* env_;
};

// Parses one expression of `text` from `cursor` on and moves `cursor` to the first character
// after it. `error` receives the first error (0 on success). The record is returned even on
// error (its contents then mean nothing). Its text is the expression as written, without a
// leading `:` and trailing blanks; its size is set from its type when it is an lvalue.
std::unique_ptr<ValueRecord> xexpr(Evaluator& ev, std::string_view text, size_t& cursor, int& error, bool evaluate);
// The same over a zero-terminated text, advancing the text pointer.
std::unique_ptr<ValueRecord> xexpr(Evaluator& ev, const char*& text, int& error, bool evaluate);

// Releases a record handed out as a raw pointer (with its text and auxiliary list).
void xfree(ValueRecord* v);

// Evaluates `text` as a whole: 0 on success with the value in `integer` (isFloat false) or, for
// floating results, in `floating` (isFloat true); the evaluator's error otherwise, and 58 when
// anything but blanks follows the expression. Values are set only with `evaluate`.
int Expression(Evaluator& ev, bool evaluate, std::string_view text, bool& isFloat, int32_t& integer, double& floating);

// Reads a record's value again from where it lives (repeat elements, struct members).
bool evalReload(Evaluator& ev, ValueRecord& v);

// The record's text as handed to extensions: the text, its terminator, then the location-class
// byte (9 for a computed value).
std::string textWithClassByte(const ValueRecord& v);

}  // namespace yav
