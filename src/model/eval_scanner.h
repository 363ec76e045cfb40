// Tokens of the expression language and the scanner that reads them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/eval_env.h"
#include "model/eval_name.h"

namespace yav {

// Binary operators, in the order of their table below.
enum class BinOp : uint8_t { Mul, Div, Mod, Add, Sub, Shl, Shr, Le, Ge, Lt, Gt, Eq, Ne, LogAnd, LogOr, BitAnd, Xor, BitOr, Assign };

struct BinaryOperator {
  std::string_view text;
  BinOp op;
  int precedence;  // higher binds tighter; every operator is left-associative
};

// Two-character operators come before their one-character prefixes so the scanner takes the
// longest match.
inline constexpr std::array<BinaryOperator, 19> kBinaryOperators = {{
    {"*", BinOp::Mul, 14},     {"/", BinOp::Div, 14},     {"%", BinOp::Mod, 14},    {"+", BinOp::Add, 13},
    {"-", BinOp::Sub, 13},     {"<<", BinOp::Shl, 12},    {">>", BinOp::Shr, 12},   {"<=", BinOp::Le, 11},
    {">=", BinOp::Ge, 11},     {"<", BinOp::Lt, 11},      {">", BinOp::Gt, 11},     {"==", BinOp::Eq, 10},
    {"!=", BinOp::Ne, 10},     {"&&", BinOp::LogAnd, 6},  {"||", BinOp::LogOr, 5},  {"&", BinOp::BitAnd, 9},
    {"^", BinOp::Xor, 8},      {"|", BinOp::BitOr, 7},    {"=", BinOp::Assign, 1},
}};

constexpr bool binaryTableInEnumOrder() {
  for (size_t i = 0; i < kBinaryOperators.size(); ++i) {
    if (static_cast<size_t>(kBinaryOperators[i].op) != i) return false;
  }
  return true;
}
static_assert(binaryTableInEnumOrder(), "kBinaryOperators must list the operators in BinOp order");
static_assert(static_cast<size_t>(BinOp::Assign) + 1 == kBinaryOperators.size(), "one table row per BinOp");

constexpr const BinaryOperator& binaryOperator(BinOp op) { return kBinaryOperators[static_cast<size_t>(op)]; }

enum class Tok : uint8_t {
  End,       // end of the expression; the cursor stays on the character that ended it
  Integer,
  Floating,
  Name,
  Binary,    // a binary operator (`*` `&` `+` `-` are also unary)
  Not,       // !
  Tilde,     // ~
  Hash,      // #
  LParen,
  RParen,
  LBracket,
  RBracket,
  Dot,
  Arrow,
  Bad,       // a malformed constant
};

struct Token {
  Tok kind = Tok::End;
  BinOp op = BinOp::Mul;  // Tok::Binary
  uint32_t integer = 0;   // Tok::Integer
  uint8_t integerCode = 0;  // Tok::Integer: its type by C's rules for constants
  double floating = 0;    // Tok::Floating
  NameRead name;          // Tok::Name
  size_t start = 0;       // where the token begins in the text
};

// Reads tokens from `text` starting at a cursor; never reads outside the text.
class Scanner {
 public:
  explicit Scanner(std::string_view text, size_t cursor = 0) : text_(text), cursor_(cursor < text.size() ? cursor : text.size()) {}

  // The next token. `assignmentAllowed` false makes a lone `=` end the expression.
  Token next(bool assignmentAllowed);
  // Reads a plain name (member or debugger variable name) right at the cursor, after blanks;
  // empty when none is there.
  std::string_view plainName();
  void skipBlanks();

  size_t cursor() const { return cursor_; }
  void setCursor(size_t c) { cursor_ = c < text_.size() ? c : text_.size(); }
  std::string_view text() const { return text_; }

 private:
  Token number();
  Token charConstant();
  std::string_view text_;
  size_t cursor_;
};

}  // namespace yav
