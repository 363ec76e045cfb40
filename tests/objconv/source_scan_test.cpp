// What the converter learns from C sources beyond SDCC's .cdb: typedef names, with the C
// meaning of each declaration as the expectation.
#include <gtest/gtest.h>

#include "objconv/source_scan.h"

namespace objconv {
namespace {

using Derived = std::vector<std::pair<char, uint32_t>>;

struct TypedefCase {
  const char* source;
  const char* name;
  const char* base;
  const char* tag;
  Derived derived;  // outermost first
};

TEST(SourceScan, TypedefsGiveTheirBaseTypeAndDerivations) {
  const TypedefCase cases[] = {
      {"typedef unsigned char byte_t;", "byte_t", "unsigned char", "", {}},
      {"typedef signed char delta_t;", "delta_t", "signed char", "", {}},
      {"typedef char text_t;", "text_t", "char", "", {}},
      {"typedef unsigned long int ticks_t;", "ticks_t", "unsigned long", "", {}},
      {"typedef short int small_t;", "small_t", "short", "", {}},
      {"typedef unsigned count_t;", "count_t", "unsigned int", "", {}},
      {"typedef double real_t;", "real_t", "float", "", {}},
      {"typedef _Bool flag_t;", "flag_t", "_Bool", "", {}},
      {"typedef struct pair { int a; int b; } pair_t;", "pair_t", "struct", "pair", {}},
      {"typedef union word_bytes word_t;", "word_t", "union", "word_bytes", {}},
      {"typedef enum color { RED, GREEN } color_t;", "color_t", "enum", "color", {}},
      {"typedef const char *name_t;", "name_t", "char", "", {{'P', 0}}},
      {"typedef int *table_t[4];", "table_t", "int", "", {{'A', 4}, {'P', 0}}},
      {"typedef int grid_t[2][3];", "grid_t", "int", "", {{'A', 2}, {'A', 3}}},
      {"typedef volatile unsigned char __xdata *port_t;", "port_t", "unsigned char", "", {{'P', 0}}},
  };
  for (const TypedefCase& c : cases) {
    SourceInfo info;
    scanSource(c.source, info);
    ASSERT_EQ(info.typedefs.size(), 1u) << c.source;
    const TypedefDef& d = info.typedefs[0];
    EXPECT_EQ(d.name, c.name) << c.source;
    EXPECT_EQ(d.base, c.base) << c.source;
    EXPECT_EQ(d.tag, c.tag) << c.source;
    EXPECT_EQ(d.derived, c.derived) << c.source;
  }
}

TEST(SourceScan, TypedefsBuildOnEarlierOnesAndDeclareSeveralNames) {
  SourceInfo info;
  scanSource("typedef struct pair { int a, b; } pair_t, *pair_ptr;\n"
             "typedef pair_t pairs_t[3];\n"
             "typedef enum color shade_t;\n",
             info);
  ASSERT_EQ(info.typedefs.size(), 4u);
  EXPECT_EQ(info.typedefs[1].name, "pair_ptr");
  EXPECT_EQ(info.typedefs[1].derived, (Derived{{'P', 0}}));
  EXPECT_EQ(info.typedefs[2].name, "pairs_t");
  EXPECT_EQ(info.typedefs[2].tag, "pair");
  EXPECT_EQ(info.typedefs[2].derived, (Derived{{'A', 3}}));
  // An enum typedef names the enum's variables too, so their members print.
  EXPECT_EQ(info.enumVars["shade_t"], "color");
}

TEST(SourceScan, TypedefsItCannotPlaceAreLeftOut) {
  const char* const sources[] = {
      "typedef void (*handler_t)(int);",     // function types
      "typedef unknown_t other_t;",          // a type from a header it did not see
      "typedef struct { int a; } anon_t;",   // SDCC names anonymous structs its own way
      "typedef long long wide_t;",           // no such type on this target
      "typedef int",                         // cut short
  };
  for (const char* s : sources) {
    SourceInfo info;
    scanSource(s, info);
    EXPECT_TRUE(info.typedefs.empty()) << s;
  }
  // A typedef inside a function body is local to it, not a file's name.
  SourceInfo info;
  scanSource("void f(void) { typedef int local_t; local_t x; }", info);
  EXPECT_TRUE(info.typedefs.empty());
}

}  // namespace
}  // namespace objconv
