#include "ui/c_markup.h"

#include <gtest/gtest.h>

namespace yav {
namespace {

// Writes markers readably: <7> for the marker of class 7.
std::string shown(std::string_view marked) {
  std::string out;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == kMarker && i + 1 < marked.size()) {
      out += "<" + std::to_string(static_cast<int>(marked[++i])) + ">";
    } else {
      out += marked[i];
    }
  }
  return out;
}

std::string mark(std::string_view text, const FileNames& names = {}) { return shown(markupC(text, names)); }

TEST(CMarkup, CommentOverThreeLinesIsMarkedOnEveryLine) {
  EXPECT_EQ(mark("a /* one\ntwo\nthree */ b\n"), "a <7>/* one\n<7>two\n<7>three */<1> b\n");
  EXPECT_EQ(mark("x; // note if\nint y;\n"), "x; <7>// note if\n<1><5>int<1> y;\n");
}

TEST(CMarkup, TokenClasses) {
  FileNames names;
  names.defines = {"TABLE_SIZE"};
  names.typedefs = {"byte"};
  struct Case {
    const char* text;
    const char* marked;
  };
  const Case cases[] = {
      {"while (n) return;", "<5>while<1> (n) <5>return<1>;"},
      {"printf (\"%d\", n);", "<6>printf<1> (\"%d\", n);"},
      {"int printf;", "<5>int<1> printf;"},  // a library name that is not called stays plain
      {"x = TABLE_SIZE;", "x = <16>TABLE_SIZE<1>;"},
      {"byte b;", "<17>byte<1> b;"},
      {"#include \"demo.h\"", "<14>#include<1> \"demo.h\""},
      {"#  define X", "<14>#  define<1> X"},
      {"#bogus", "#bogus"},
      {"s = \"while int\";", "s = \"while int\";"},      // no keywords in strings
      {"s = \"a\\\"for\"; for", "s = \"a\\\"for\"; <5>for<1>"},  // an escaped quote stays inside
      {"s = \"a\\\\\"; for", "s = \"a\\\\\"; <5>for<1>"},  // an escaped backslash before the closing quote
      {"n = 0x1fUL + 1e5f;", "n = 0x1fUL + 1e5f;"},   // number suffixes are no names
      {"s = \"/* no comment */\";", "s = \"/* no comment */\";"},
  };
  for (const Case& c : cases) EXPECT_EQ(mark(c.text, names), c.marked) << c.text;
}

TEST(CMarkup, QuoteAsCharacterConstantStartsNoString) {
  EXPECT_EQ(mark("if (c == '\"') return;"), "<5>if<1> (c == '\"') <5>return<1>;");
}

TEST(CMarkup, UnclosedStringEndsWithItsLine) {
  EXPECT_EQ(mark("s = \"open\nint x;"), "s = \"open\n<5>int<1> x;");
}

TEST(CMarkup, NamesDefinedInTheFile) {
  const FileNames n = namesDefinedIn(
      "#define SOPT1 (*(volatile unsigned char *)0x1802)\n"
      "# define  TDRE 0x80\n"
      "/* #define NOT_ME */\n"
      "typedef unsigned char byte;\n"
      "typedef struct { int x; int y; } point_t, *point_p;\n"
      "typedef int (*handler)(int code);\n"
      "typedef int cells[4];\n"
      "int not_a_type;\n");
  EXPECT_EQ(n.defines, (std::unordered_set<std::string>{"SOPT1", "TDRE"}));
  EXPECT_EQ(n.typedefs, (std::unordered_set<std::string>{"byte", "point_t", "point_p", "handler", "cells"}));
}

TEST(CMarkup, TextComesBackWithoutMarkers) {
  const char* texts[] = {
      "int main(void) { /* x\n y */ return printf(\"%s\", \"//\"); } // end\n",
      "#define A 1\n#if A\n'\"' \"\\\\\" /* unterminated",
  };
  for (const char* t : texts) EXPECT_EQ(withoutMarkers(markupC(t, namesDefinedIn(t))), t);
}

TEST(CMarkup, DisplayableTextDropsCarriageReturnsAndMasksControls) {
  EXPECT_EQ(displayableText(std::string("a\r\n\tb\x01\x15" "c\n", 9)), "a\n\tb??c\n");
}

}  // namespace
}  // namespace yav
