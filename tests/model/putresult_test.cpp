#include "model/putresult.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/putstring.h"
#include "support/fake_target_memory.h"

namespace yav {
namespace {

// Collects what putresult prints and hands off.
class RecordingEnv : public PrintEnv {
 public:
  void put(std::string_view text) override { out += text; }
  TargetMemory* memory() override { return withMemory ? &mem : nullptr; }
  std::optional<std::string> functionNameAt(uint32_t address) override {
    auto it = functions.find(address);
    if (it == functions.end()) return std::nullopt;
    return it->second;
  }
  void showAggregate(const ValueRecord& v, char letter) override {
    aggregates.push_back(v.text + "/" + std::string(1, letter ? letter : '0'));
  }
  bool textualMode() const override { return textual; }
  int defaultRadix() const override { return radix; }

  std::string out;
  test::FakeTargetMemory mem;
  bool withMemory = true;
  std::map<uint32_t, std::string> functions;
  std::vector<std::string> aggregates;
  bool textual = false;
  int radix = 0;
};

ValueRecord integer(uint8_t code, int32_t value) {
  ValueRecord v;
  v.type = code;
  v.size = baseTypeSize(code);
  v.setInt(value);
  return v;
}

ValueRecord floating(uint8_t code, double d) {
  ValueRecord v;
  v.type = code;
  v.setDouble(d);
  return v;
}

std::string shown(const ValueRecord& v, char letter, int radix = 0) {
  RecordingEnv env;
  env.radix = radix;
  putresult(env, v, letter);
  return env.out;
}

struct ShowCase {
  ValueRecord v;
  char letter;
  int radix;
  std::string expected;
};

class ScalarDisplay : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ScalarDisplay, Shows) {
  const ShowCase& c = GetParam();
  EXPECT_EQ(shown(c.v, c.letter, c.radix), c.expected)
      << "type " << std::hex << c.v.type << " letter '" << c.letter << "' radix " << c.radix;
}

INSTANTIATE_TEST_SUITE_P(
    Integers, ScalarDisplay,
    ::testing::Values(
        // A signed char holding -1.
        ShowCase{integer(tc::SignedChar, -1), 0, 0, "-1"}, ShowCase{integer(tc::SignedChar, -1), 'x', 0, "0xff"},
        ShowCase{integer(tc::SignedChar, -1), 'h', 0, "ffffffff"},
        ShowCase{integer(tc::SignedChar, -1), 'd', 0, "-1"}, ShowCase{integer(tc::SignedChar, -1), 'u', 0, "255"},
        ShowCase{integer(tc::SignedChar, -1), 'o', 0, "0377"},
        ShowCase{integer(tc::SignedChar, -1), 'b', 0, "0b11111111"},
        ShowCase{integer(tc::Char, 'A'), 'C', 0, "'A'"}, ShowCase{integer(tc::Char, '\n'), 'C', 0, "'\\n'"},
        ShowCase{integer(tc::Int, 0x1B41), 'C', 0, "'A'"}, ShowCase{integer(tc::Int, 0x142), 'c', 0, "B"},
        // Default radix columns of the plain integer types.
        ShowCase{integer(tc::UnsignedChar, 200), 0, 0, "200"}, ShowCase{integer(tc::UnsignedChar, 200), 0, 2, "0xc8"},
        ShowCase{integer(tc::UnsignedChar, 200), 0, 1, "0310"},
        ShowCase{integer(tc::UnsignedChar, 5), 0, 4, "0b101"}, ShowCase{integer(tc::Int, -2), 0, 0, "-2"},
        ShowCase{integer(tc::Int, -2), 0, 2, "0xfffe"}, ShowCase{integer(tc::UnsignedInt, 65535), 0, 0, "65535"},
        ShowCase{integer(tc::Short, -32768), 0, 0, "-32768"},
        ShowCase{integer(tc::Long, -100000), 0, 0, "-100000"},
        ShowCase{integer(tc::Long, -1), 0, 2, "0xffffffff"},
        ShowCase{integer(tc::UnsignedLong, -1), 0, 0, "4294967295"},
        // Types with one display whatever the radix.
        ShowCase{integer(tc::Bool, 1), 0, 2, "1"}, ShowCase{integer(tc::CharBitField, -3), 0, 2, "-3"},
        ShowCase{integer(tc::BitField, 9), 0, 1, "9"}, ShowCase{integer(tc::LongBitField, -7), 0, 4, "-7"},
        // A 16-bit int shown unsigned or in hex keeps its 16 bits.
        ShowCase{integer(tc::Int, -1), 'x', 0, "0xffff"}, ShowCase{integer(tc::Int, -1), 'u', 0, "65535"},
        ShowCase{integer(tc::Int, -1), 'h', 0, "ffffffff"}, ShowCase{integer(tc::Long, -1), 'u', 0, "4294967295"},
        // Unknown letters choose the default.
        ShowCase{integer(tc::Int, 42), 'q', 0, "42"}, ShowCase{integer(tc::Int, 42), 'S', 0, "42"}));

ValueRecord located(ValueRecord v, uint8_t cls) {
  v.locationClass = cls;
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    LocationClasses, ScalarDisplay,
    ::testing::Values(ShowCase{located(integer(tc::UnsignedLong, 0x1234), sc::MachineRegister), 0, 0, "0x1234"},
                      ShowCase{located(integer(tc::UnsignedLong, 0x8000), sc::GlobalFunction), 0, 0, "0x8000"},
                      ShowCase{located(integer(tc::UnsignedLong, 0x8000), sc::LocalFunction), 0, 0, "0x8000"},
                      ShowCase{located(integer(tc::UnsignedLong, 12345), sc::Timing), 0, 2, "12345"},
                      ShowCase{located(integer(tc::Int, 7), sc::DebuggerVariable), 0, 0, "7"}));

INSTANTIATE_TEST_SUITE_P(
    FloatsAndFractions, ScalarDisplay,
    ::testing::Values(ShowCase{floating(tc::Float, 1.5e-2), 0, 0, "0.015"},
                      ShowCase{floating(tc::Double, 150.0), 0, 2, "150.0"},
                      ShowCase{floating(tc::LongDouble, 1.5e100), 0, 0, "1.5e+100"},
                      ShowCase{integer(tc::ShortFract, 16384), 0, 0, "0.50000"},
                      ShowCase{integer(tc::ShortFract, -32768), 0, 0, "-1.00000"},
                      ShowCase{integer(tc::LongFract, 0x40000000), 0, 0, "0.500000000"},
                      ShowCase{integer(tc::LongFract, -0x7FFFFFFF - 1), 0, 0, "-1.000000000"},
                      // Explicit integer letters print the stored bits.
                      ShowCase{integer(tc::ShortFract, 16384), 'x', 0, "0x4000"},
                      ShowCase{floating(tc::Double, 2.0), 'h', 0, "0"}));

// Pointers.
ValueRecord pointer(uint32_t target, uint32_t value, uint16_t attrs = 0) {
  ValueRecord v;
  v.type = target;
  v.pointerAttributes = attrs;
  v.size = pointerSize(attrs);
  v.setInt(static_cast<int32_t>(value));
  return v;
}

TEST(PointerDisplay, NullHexAndFunctionNames) {
  const uint32_t intPtr = addPointer(tc::Int);
  const uint32_t fnPtr = addPointer(addDerivation(tc::Int, Derivation::Function));
  EXPECT_EQ(shown(pointer(intPtr, 0), 0), "NULL");
  EXPECT_EQ(shown(pointer(intPtr, 0x1234), 0), "0x1234");
  EXPECT_EQ(shown(pointer(intPtr, 0x1234), 'd'), "4660");
  EXPECT_EQ(shown(pointer(intPtr, 0x12345678, 0x3000), 0), "0x12345678");
  EXPECT_EQ(shown(pointer(intPtr, 0x1234, 0x1000), 'x'), "0x34");  // a one-byte pointer keeps 8 bits
  EXPECT_EQ(shown(pointer(fnPtr, 0), 0), "NULL");

  RecordingEnv env;
  env.functions[0x8123] = "main";
  putresult(env, pointer(fnPtr, 0x8123), 0);
  EXPECT_EQ(env.out, "(main)");
  env.out.clear();
  putresult(env, pointer(fnPtr, 0x8124), 0);
  EXPECT_EQ(env.out, "0x8124");
  env.out.clear();
  putresult(env, pointer(intPtr, 0x8123), 0);  // not a function pointer: no name search
  EXPECT_EQ(env.out, "0x8123");
  env.out.clear();
  putresult(env, pointer(fnPtr, 0x8123), 'x');  // an explicit letter shows the number
  EXPECT_EQ(env.out, "0x8123");
}

// Enums.
TEST(EnumDisplay, MemberNameOrUnknownValue) {
  AggregateDescriptor colours;
  colours.size = 2;
  colours.members = {{"RED", 0, {}, 0, 0}, {"GREEN", 0, {}, 1, 0}, {"BIG", 0, {}, 200, 0}};
  auto enumValue = [&](uint8_t code, int32_t value) {
    ValueRecord v = integer(code, value);
    v.aux = {{0, &colours}};
    return v;
  };
  EXPECT_EQ(shown(enumValue(tc::Enum, 1), 0), "GREEN");
  EXPECT_EQ(shown(enumValue(tc::Enum, 3), 0), "3 (unknown enum value)");
  EXPECT_EQ(shown(enumValue(tc::LongEnum, -5), 0), "-5 (unknown enum value)");
  // A char enum holds 200 sign-extended; it still names its member.
  EXPECT_EQ(shown(enumValue(tc::CharEnum, -56), 0), "BIG");
  EXPECT_EQ(shown(enumValue(tc::Enum, 1), 'x'), "0x1");
  ValueRecord noDescriptor = integer(tc::IntEnum, 0);
  EXPECT_EQ(shown(noDescriptor, 0), "0 (unknown enum value)");
}

// Target strings.
struct StringCase {
  std::string memory;  // bytes at 0x100 (no terminator added)
  char letter;
  std::string expected;
};

class StringDisplay : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringDisplay, Shows) {
  const StringCase& c = GetParam();
  RecordingEnv env;
  env.mem.putText(0x100, c.memory, false);
  putresult(env, pointer(addPointer(tc::Char), 0x100), c.letter);
  EXPECT_EQ(env.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StringDisplay,
    ::testing::Values(StringCase{std::string("hello\0", 6), 'S', "\"hello\""},
                      StringCase{std::string("hello\0", 6), 's', "hello"},
                      StringCase{std::string("a\tb\x1b\"\\\0", 7), 'S', "\"a\\tb\\33\"\\\""},
                      StringCase{std::string("a\tb\0", 4), 's', "a\tb"}, StringCase{std::string("\0", 1), 'S', "\"\""},
                      // The string runs into unreadable memory.
                      StringCase{"abcdefg", 'S', "\"abcd...\""}, StringCase{"abc", 'S', "\"abc\""},
                      StringCase{"", 's', ""},
                      // A string longer than one 20-byte read.
                      StringCase{std::string(45, 'x') + std::string(1, '\0'), 's', std::string(45, 'x')}));

TEST(StringDisplayLimits, NullAndNonCharPointers) {
  EXPECT_EQ(shown(pointer(addPointer(tc::Char), 0), 'S'), "NULL");
  EXPECT_EQ(shown(pointer(addPointer(tc::UnsignedChar), 0), 's'), "NULL");
  // Not a char pointer: the default display.
  EXPECT_EQ(shown(pointer(addPointer(tc::Int), 0x100), 'S'), "0x100");
  EXPECT_EQ(shown(pointer(addPointer(addPointer(tc::Char)), 0x100), 'S'), "0x100");
}

TEST(StringDisplayLimits, AreaOfTwelveHundredEightyBytes) {
  test::FakeTargetMemory mem;
  mem.putText(0x1000, std::string(2000, 'a'));
  const std::string raw = targetString(&mem, 0, 0x1000, false);
  EXPECT_EQ(raw.size(), kStringArea - 1);
  EXPECT_EQ(raw.substr(raw.size() - 4), "a...");
  // Escapes stop where a whole escape no longer fits.
  mem.putText(0x4000, std::string(600, '\x1b'));
  const std::string esc = targetString(&mem, 0, 0x4000, true);
  EXPECT_EQ(esc.size(), 2 + 426 * 3u);
  EXPECT_EQ(esc.substr(esc.size() - 7), "\\33...\"");
  // Exactly fitting text with its terminator is complete.
  mem.putText(0x8000, std::string(kStringArea - 1, 'b'));
  EXPECT_EQ(targetString(&mem, 0, 0x8000, false), std::string(kStringArea - 1, 'b'));
}

TEST(StringDisplayLimits, EndOfMemoryInsideARead) {
  test::FakeTargetMemory mem;
  mem.putText(0xFFFA, "hi");  // readable only up to 0xFFFC
  EXPECT_EQ(targetString(&mem, 0, 0xFFFA, true), "\"hi\"");
  EXPECT_EQ(targetString(nullptr, 0, 0xFFFA, true), "\"\"");
}

TEST(StringDisplay, CharArrayUsesItsAddress) {
  RecordingEnv env;
  env.mem.putText(0x200, "abc");
  ValueRecord v;
  v.type = addDerivation(tc::Char, Derivation::Array);
  v.aux = {{4, nullptr}};
  v.address = 0x200;
  v.setInt(0x200);
  putresult(env, v, 'S');
  EXPECT_EQ(env.out, "\"abc\"");
  v.address = 0;
  env.out.clear();
  putresult(env, v, 's');
  EXPECT_EQ(env.out, "NULL");
}

// Arrays, structs and repeat counts.
struct Fixture {
  AggregateDescriptor inner, outer;
  Fixture() {
    // struct inner { char c; int i; }  struct outer { long l; struct inner in; char name[4]; char *p; }
    inner.size = 3;
    inner.members = {{"c", tc::Char, {}, 0, 0}, {"i", tc::Int, {}, 1, 0}};
    outer.size = 13;
    outer.members = {{"l", tc::Long, {}, 0, 0},
                     {"in", tc::Struct, {{0, &inner}}, 4, 0},
                     {"name", addDerivation(tc::Char, Derivation::Array), {{4, nullptr}}, 7, 0},
                     {"p", addPointer(tc::Char), {}, 11, 0}};
  }
  ValueRecord value(uint32_t address) const {
    ValueRecord v;
    v.text = "s";
    v.type = tc::Struct;
    v.aux = {{0, &outer}};
    v.address = address;
    v.locationClass = sc::Memory;
    v.size = outer.size;
    v.setInt(address);
    return v;
  }
  void fill(test::FakeTargetMemory& mem, uint32_t at) const {
    mem.put(at, {0xFF, 0xFF, 0xFF, 0xFE, 'A', 0x01, 0x02, 'x', 'y', 0, 0, 0x00, 0x00});
  }
};

TEST(AggregateDisplay, StructInTextualMode) {
  Fixture f;
  RecordingEnv env;
  env.textual = true;
  f.fill(env.mem, 0x300);
  putresult(env, f.value(0x300), 0);
  EXPECT_EQ(env.out, "{l=-2, in={c=65, i=258}, name=@0x307, p=NULL}");
  env.out.clear();
  putresult(env, f.value(0x300), 'x');
  EXPECT_EQ(env.out, "{l=0xfffffffe, in={c=0x41, i=0x102}, name=0x307, p=0x0}");
  env.out.clear();
  putresult(env, f.value(0x300), 'S');  // the char array member shows as a string
  EXPECT_EQ(env.out, "{l=-2, in={c=65, i=258}, name=\"xy\", p=NULL}");
  EXPECT_TRUE(env.aggregates.empty());
}

TEST(AggregateDisplay, BitFieldAndBoolMembersComeFromTheirPlace) {
  // struct { unsigned f : 1; unsigned d : 4; unsigned m : 3; unsigned w : 12; _Bool b; } with
  // the 12-bit field at bit 2 of a big-endian word.
  AggregateDescriptor d;
  d.size = 4;
  AggregateMember f{"f", tc::CharBitField, {}, 0, 0}, dg{"d", tc::CharBitField, {}, 0, 0},
      m{"m", tc::CharBitField, {}, 0, 0}, w{"w", tc::BitField, {}, 1, 0}, b{"b", tc::Bool, {}, 3, 0};
  f.bitWidth = 1;
  dg.bitNumber = 1, dg.bitWidth = 4;
  m.bitNumber = 5, m.bitWidth = 3;
  w.bitNumber = 2, w.bitWidth = 12;
  b.bitNumber = 6;
  d.members = {f, dg, m, w, b};
  RecordingEnv env;
  env.textual = true;
  env.mem.put(0x400, {0xB3, 0xAB, 0xCD, 0x40});
  ValueRecord v;
  v.type = tc::Struct;
  v.aux = {{0, &d}};
  v.address = 0x400;
  v.locationClass = sc::Memory;
  putresult(env, v, 0);
  EXPECT_EQ(env.out, "{f=1, d=9, m=5, w=2803, b=1}");
}

TEST(AggregateDisplay, WindowOutsideTextualMode) {
  Fixture f;
  RecordingEnv env;
  putresult(env, f.value(0x300), 'x');
  ValueRecord arr;
  arr.text = "a";
  arr.type = addDerivation(tc::Int, Derivation::Array);
  arr.aux = {{3, nullptr}};
  putresult(env, arr, 0);
  EXPECT_EQ(env.out, "");
  EXPECT_EQ(env.aggregates, (std::vector<std::string>{"s/x", "a/0"}));
}

TEST(AggregateDisplay, ArrayInTextualModeShowsItsAddress) {
  RecordingEnv env;
  env.textual = true;
  ValueRecord arr;
  arr.type = addDerivation(tc::Int, Derivation::Array);
  arr.aux = {{3, nullptr}};
  arr.address = 0x1a0;
  arr.setInt(0x1a0);
  putresult(env, arr, 0);
  EXPECT_EQ(env.out, "@0x1a0");
}

TEST(AggregateDisplay, SelfContainingDescriptorStops) {
  AggregateDescriptor loop;
  loop.size = 2;
  loop.members = {{"self", tc::Struct, {{0, &loop}}, 0, 0}};
  RecordingEnv env;
  env.textual = true;
  ValueRecord v;
  v.type = tc::Struct;
  v.aux = {{0, &loop}};
  putresult(env, v, 0);
  EXPECT_NE(env.out.find("{...}"), std::string::npos);
  EXPECT_EQ(env.out.back(), '}');
}

TEST(AggregateDisplay, MemberBudgetBoundsDeepNesting) {
  // Twelve levels of four members each would be 16 million leaves.
  std::vector<AggregateDescriptor> levels(12);
  for (size_t i = 0; i < levels.size(); ++i) {
    levels[i].size = 1;
    for (const char* name : {"a", "b", "c", "d"}) {
      if (i + 1 < levels.size()) levels[i].members.push_back({name, tc::Struct, {{0, &levels[i + 1]}}, 0, 0});
      else levels[i].members.push_back({name, tc::Char, {}, 0, 0});
    }
  }
  RecordingEnv env;
  env.textual = true;
  env.withMemory = false;
  ValueRecord v;
  v.type = tc::Struct;
  v.aux = {{0, &levels[0]}};
  putresult(env, v, 0);
  EXPECT_LT(env.out.size(), 200000u);
  EXPECT_NE(env.out.find("..."), std::string::npos);
  EXPECT_EQ(std::count(env.out.begin(), env.out.end(), '{'), std::count(env.out.begin(), env.out.end(), '}'));
}

TEST(RepeatCount, PrintsFollowingElementsReloaded) {
  RecordingEnv env;
  env.mem.put(0x400, {0x00, 0x01, 0xFF, 0xFE, 0x80, 0x00});
  ValueRecord v = integer(tc::Int, 1);
  v.address = 0x400;
  v.locationClass = sc::Memory;
  v.repeat = 3;
  putresult(env, v, 0);
  EXPECT_EQ(env.out, "{1, -2, -32768}");
  EXPECT_EQ(v.address, 0x400u);  // the caller's record is untouched
  env.out.clear();
  putresult(env, v, 'x');
  EXPECT_EQ(env.out, "{0x1, 0xfffe, 0x8000}");
}

TEST(RepeatCount, UnreadableElementsShowZero) {
  RecordingEnv env;
  env.withMemory = false;
  ValueRecord v = integer(tc::UnsignedChar, 7);
  v.address = 0x10;
  v.locationClass = sc::Memory;
  v.repeat = 2;
  putresult(env, v, 0);
  EXPECT_EQ(env.out, "{7, 0}");
}

TEST(RepeatCount, FloatElements) {
  RecordingEnv env;
  env.mem.put(0x500, {0x3F, 0xC0, 0x00, 0x00, 0x41, 0x20, 0x00, 0x00});  // 1.5f, 10.0f
  ValueRecord v = floating(tc::Float, 1.5);
  v.size = 4;
  v.address = 0x500;
  v.locationClass = sc::Memory;
  v.repeat = 2;
  putresult(env, v, 0);
  EXPECT_EQ(env.out, "{1.5, 10.0}");
}

}  // namespace
}  // namespace yav
