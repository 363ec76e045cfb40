#include "model/eval_scanner.h"

#include "model/eval_name.h"
#include "model/numtext.h"

namespace yav {

namespace {

constexpr size_t kIntegerTextLimit = 20;  // characters examined for an integer constant
constexpr size_t kFloatTextLimit = 24;

bool isLetter(char c, char lower) { return c == lower || c == lower - 'a' + 'A'; }

bool endsExpression(char c) { return c == '"' || c == ',' || c == ';' || c == '?' || c == '{'; }

}  // namespace

void Scanner::skipBlanks() {
  while (cursor_ < text_.size() && (text_[cursor_] == ' ' || text_[cursor_] == '\t')) ++cursor_;
}

std::string_view Scanner::plainName() {
  skipBlanks();
  size_t k = cursor_;
  while (k < text_.size() && isNameChar(text_[k])) ++k;
  std::string_view n = text_.substr(cursor_, k - cursor_);
  cursor_ = k;
  return n;
}

Token Scanner::next(bool assignmentAllowed) {
  skipBlanks();
  Token t;
  t.start = cursor_;
  if (cursor_ >= text_.size() || endsExpression(text_[cursor_])) return t;
  const char c = text_[cursor_];
  const char c2 = cursor_ + 1 < text_.size() ? text_[cursor_ + 1] : '\0';

  if (c >= '0' && c <= '9') return number();
  if (c == '\'') return charConstant();
  if (c == '-' && c2 == '>') {
    cursor_ += 2;
    t.kind = Tok::Arrow;
    return t;
  }
  if (c == '=' && c2 != '=' && !assignmentAllowed) return t;
  for (const BinaryOperator& b : kBinaryOperators) {
    if (text_.substr(cursor_, b.text.size()) == b.text) {
      cursor_ += b.text.size();
      t.kind = Tok::Binary;
      t.op = b.op;
      return t;
    }
  }
  struct Single {
    char c;
    Tok kind;
  };
  static constexpr Single kSingles[] = {{'!', Tok::Not},      {'~', Tok::Tilde},    {'#', Tok::Hash},
                                        {'(', Tok::LParen},   {')', Tok::RParen},   {'[', Tok::LBracket},
                                        {']', Tok::RBracket}, {'.', Tok::Dot}};
  for (const Single& s : kSingles) {
    if (s.c == c) {
      ++cursor_;
      t.kind = s.kind;
      return t;
    }
  }
  // Anything else starts a name; the name reader judges it.
  t.kind = Tok::Name;
  t.name = readQualifiedName(text_, cursor_);
  cursor_ = t.name.end;
  return t;
}

Token Scanner::number() {
  Token t;
  t.start = cursor_;
  const std::string_view rest = text_.substr(cursor_);
  const NumberRead<uint32_t> n = readNumber(rest.substr(0, kIntegerTextLimit));
  const size_t after = cursor_ + n.used;
  const char next = after < text_.size() ? text_[after] : '\0';
  if (next == '.' || next == 'e' || next == 'E') {
    const NumberRead<double> f = readFloat(rest.substr(0, kFloatTextLimit));
    t.kind = Tok::Floating;
    t.floating = f.value;
    cursor_ += f.used ? f.used : 1;
    return t;
  }
  t.kind = Tok::Integer;
  t.integer = n.value;
  cursor_ = n.used ? after : cursor_ + 1;
  // Suffixes: the reader took one l or L; a u or U may come before or after it.
  bool longSuffix = n.used > 0 && isLetter(text_[after - 1], 'l');
  bool unsignedSuffix = false;
  if (n.used && cursor_ < text_.size() && isLetter(text_[cursor_], 'u')) {
    unsignedSuffix = true;
    ++cursor_;
    if (!longSuffix && cursor_ < text_.size() && isLetter(text_[cursor_], 'l')) {
      longSuffix = true;
      ++cursor_;
    }
  }
  // A leading 0 followed by a digit or a base letter: octal, hexadecimal or binary.
  const bool decimal = !(rest.size() > 1 && rest[0] == '0' && ((rest[1] >= '0' && rest[1] <= '9') || isLetter(rest[1], 'x') || isLetter(rest[1], 'b')));
  t.integerCode = integerConstantCode(n.value, decimal, unsignedSuffix, longSuffix);
  return t;
}

Token Scanner::charConstant() {
  Token t;
  t.start = cursor_;
  uint32_t value = 0;
  size_t i = cursor_ + 1;
  for (; i < text_.size() && text_[i] != '\''; ++i) {
    value = value * 256u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(text_[i])));
  }
  if (i >= text_.size()) {  // no closing quote
    cursor_ = text_.size();
    t.kind = Tok::Bad;
    return t;
  }
  cursor_ = i + 1;
  t.kind = Tok::Integer;
  t.integer = value;
  t.integerCode = tc::Int;
  return t;
}

}  // namespace yav
