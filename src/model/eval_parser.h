// The recursive-descent part of the evaluator: expressions by precedence climbing, unary
// expressions, primaries, postfix selections and subscripts.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

#include "model/eval_scanner.h"
#include "model/eval_value.h"
#include "model/evaluator.h"
#include "model/messages.h"

namespace yav {

class Parser {
 public:
  Parser(Evaluator& ev, std::string_view text, size_t cursor) : ev_(ev), sc_(text, cursor) {}

  EvalValue expression();
  // First character after what was read (a pushed-back token counts as unread).
  size_t endCursor() const { return pushed_ ? pushed_->start : sc_.cursor(); }

 private:
  // Tokens: once an error is pending every token is the end of the expression.
  Token next();
  void pushBack(Token t);
  void fail(int error);
  bool failed() const { return ev_.pendingError != 0; }

  EvalValue binaryRest(EvalValue left, int minPrecedence);
  EvalValue unary();
  EvalValue parenthesised();
  void postfix(EvalValue& v);
  void member(EvalValue& v);
  void subscript(EvalValue& v);
  // The value's contents from the target, or none (0, unknown) when only parsing.
  void load(EvalValue& v);

  // Names (eval_names.cpp).
  EvalValue name(const Token& t);
  EvalValue debuggerVariable();
  EvalValue registerValue(std::string_view registerName);
  EvalValue sizeofValue();
  EvalValue functionValue(const EvalFunction& f);
  EvalValue symbolValue(const EvalSymbol& s);
  uint32_t frameAddress(const EvalSymbol& s);

  struct DepthGuard {
    explicit DepthGuard(Parser& p) : p_(p) {
      if (++p_.depth_ > p_.ev_.maxDepth) p_.fail(msg::SyntaxError);
    }
    ~DepthGuard() { --p_.depth_; }
    Parser& p_;
  };

  Evaluator& ev_;
  Scanner sc_;
  std::optional<Token> pushed_;
  int depth_ = 0;
};

}  // namespace yav
