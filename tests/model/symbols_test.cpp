#include <gtest/gtest.h>

#include "model/symbols.h"
#include "model/symbols_lookup.h"

namespace yav {
namespace {

std::vector<std::string> names(const LabelTable& t) {
  std::vector<std::string> out;
  for (const LabelEntry& e : t.entries()) out.push_back(e.name);
  return out;
}

TEST(SymbolsLabels, OrderingKeepsEqualValuesInReadOrderAndSkipsDebuggerVariables) {
  LabelTable t;
  t.createVariable(".text", 0x9000);  // a debugger variable never counts as larger
  for (auto [v, n] : std::initializer_list<std::pair<uint32_t, const char*>>{{0x30, "_c"}, {0x10, "_a"}, {0x30, "_d"}, {0x20, "_b"}}) {
    LabelEntry e;
    e.value = v;
    e.name = n;
    t.append(e);
  }
  t.order();
  EXPECT_EQ(names(t), (std::vector<std::string>{".text", "_a", "_b", "_c", "_d"}));
  t.createVariable(".x", 0x20);  // before the first larger program label
  EXPECT_EQ(names(t), (std::vector<std::string>{".text", "_a", "_b", ".x", "_c", "_d"}));
  t.createVariable(".x", 0x5);  // replaces the old entry
  EXPECT_EQ(names(t), (std::vector<std::string>{".text", ".x", "_a", "_b", "_c", "_d"}));
  EXPECT_EQ(t.rensym(".x")->value, 0x5u);
  t.dropLabels();
  EXPECT_EQ(names(t), (std::vector<std::string>{".text", ".x"}));
  EXPECT_TRUE(t.deleteVariable(".x"));
  EXPECT_EQ(t.rensym(".x"), nullptr);
  EXPECT_NE(t.rensym(".text"), nullptr);
}

TEST(SymbolsLabels, TimingCellsAreConnectedWhileTheirVariablesExist) {
  LabelTable t;
  EXPECT_EQ(t.cell(TimingCell::Time), nullptr);
  for (const char* other : {"...time", ".timex", "time", ".xtime2"}) t.createVariable(other, 1);
  EXPECT_EQ(t.cell(TimingCell::Time), nullptr);
  EXPECT_EQ(t.cell(TimingCell::XTime), nullptr);

  t.createVariable("..time", 0);  // what an expression `.time` creates
  ASSERT_NE(t.cell(TimingCell::Time), nullptr);
  *t.cell(TimingCell::Time) = 1234;  // the timing code writes the cell directly
  EXPECT_EQ(t.rensym("..time")->value, 1234u);

  t.createVariable(".time", 7);  // the kernel's spelling, made last, takes the cell
  EXPECT_EQ(*t.cell(TimingCell::Time), 7u);
  EXPECT_TRUE(t.deleteVariable(".time"));  // back to the one that is left
  EXPECT_EQ(*t.cell(TimingCell::Time), 1234u);
  EXPECT_TRUE(t.deleteVariable("..time"));
  EXPECT_EQ(t.cell(TimingCell::Time), nullptr);

  // Reordering and dropping the program labels move entries; the cell follows.
  t.createVariable(".nbins", 3);
  LabelEntry label;
  label.name = "_main";
  label.value = 2;
  t.append(label);
  t.order();
  *t.cell(TimingCell::NBins) = 9;
  t.dropLabels();
  *t.cell(TimingCell::NBins) += 1;
  EXPECT_EQ(t.rensym(".nbins")->value, 10u);
  EXPECT_EQ(t.cell(TimingCell::System), nullptr);
}

TEST(SymbolsLabels, RensymFindsTheLabelNotTheFunction) {
  LabelTable t;
  LabelEntry e;
  e.name = "_main";
  e.value = 0x20CC;
  t.append(e);
  t.order();
  EXPECT_EQ(t.rensym("_main")->value, 0x20CCu);
  EXPECT_EQ(t.rensym("main"), nullptr);
  EXPECT_EQ(t.underscoreLabelAt(0x20CC)->name, "_main");
}

TEST(SymbolsDeclaration, CDeclarationOrder) {
  AggregateDescriptor tagged;
  tagged.tag = "pt";
  const struct {
    uint8_t cls;
    uint32_t type;
    AuxList aux;
    const char* text;
  } cases[] = {
      {1, addPointer(addDerivation(tc::Int, Derivation::Function)), {{0, nullptr}}, "static int  (@near *f)()"},
      {3, addDerivation(tc::UnsignedChar, Derivation::Array), {{8, nullptr}}, "auto unsigned char  f[8]"},
      {2, addPointer(tc::Struct), {{0x3000, &tagged}, {0, &tagged}}, "argument struct pt @far *f"},
      {4, addPointer(tc::Char), {{0x1000, nullptr}}, "register char  *f"},
      {0, tc::Int, {}, "int  f"},
  };
  for (auto& c : cases) {
    SymbolEntry s;
    s.name = "f";
    s.storageClass = c.cls;
    s.type = c.type;
    s.aux = c.aux;
    EXPECT_EQ(declarationText(s), c.text);
  }
  SymbolEntry r;
  r.name = "a";
  EXPECT_EQ(declarationText(r, sc::MachineRegister), "machine register a");
  r.value = 1;
  EXPECT_EQ(declarationText(r, sc::Timing), "timing register $time");
}

TEST(SymbolsDefines, SectionsByFileStartRecords) {
  SymbolTables t;
  for (const char* n : {"a.c", "b.c"}) {
    auto f = std::make_unique<FileEntry>();
    f->name = n;
    t.insertFile(std::move(f));
  }
  DebugRecord a, b;
  a.kind = b.kind = rk::FileStart;
  a.fileName = "a.c";
  a.address = 0x100;
  b.fileName = "b.c";
  b.address = 0x200;
  t.records = {a, b};
  DebugRecord d1, d2;
  d1.functionName = "X#SIZE";
  d1.address = 0x150;
  d2.functionName = "X#LIMIT";
  d2.address = 0x100;  // not after a.c's opening address: belongs to no file
  buildDefineInfo(t, {d2, d1}, {"99", "8"});
  EXPECT_EQ(definesDisplay(t), " DEFINES for a.c\n Define Name: SIZE is: 8\n !!NO DEFINES for b.c\n");
}

}  // namespace
}  // namespace yav
