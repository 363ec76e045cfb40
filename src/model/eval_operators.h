// The evaluator's unary and binary operators, assignment included. Each returns 0 or the
// message number of the error it met.
#pragma once
#include "model/eval_env.h"
#include "model/eval_scanner.h"
#include "model/eval_value.h"

namespace yav {

struct OperatorContext {
  EvalEnv& env;
  bool evaluate;  // false: nothing is read from or written to the target
};

// `!` and `~`.
int applyNot(EvalValue& v);
int applyComplement(EvalValue& v);
// Unary `-` and `+`.
int applyNegate(EvalValue& v);
int applyPlus(EvalValue& v);
// Unary `&`: a pointer to the operand, which must live in target memory.
int applyAddressOf(EvalValue& v);
// Unary `*`, before the pointed-to value is loaded: the address and the type one level in.
int applyIndirection(EvalValue& v);
// `#` outside brackets.
void applyComputed(EvalValue& v);

// Applies `op` to `left` and `right`; the result replaces `left`.
int applyBinary(OperatorContext& ctx, BinOp op, EvalValue& left, EvalValue& right);

}  // namespace yav
