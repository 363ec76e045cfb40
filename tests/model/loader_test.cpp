#include <gtest/gtest.h>

#include <optional>

#include "model/loader.h"
#include "model/symbols_lookup.h"
#include "loader_test_objects.h"

namespace yav {
namespace {

using test::buildObject;
using test::DebugBytes;
using test::ObjLabel;
using test::ObjRecord;
using test::ObjSection;

struct RecordingHost : LoadHost {
  struct Block {
    uint32_t address;
    std::vector<uint8_t> bytes;
  };
  std::vector<Block> blocks;
  std::string printed, errors;
  bool refuse = false;
  std::string nodup = "NO";
  bool download(uint32_t a, const uint8_t* d, size_t n, uint32_t, uint8_t) override {
    if (refuse) return false;
    blocks.push_back({a, std::vector<uint8_t>(d, d + n)});
    return true;
  }
  void print(std::string_view t) override { printed += t; }
  void error(std::string_view t) override { errors += std::string(t) + "|"; }
  void readError(std::string_view t) override { errors += "read error " + std::string(t) + "|"; }
  std::string noDupFiles() override { return nodup; }
};

LoadOutcome loadBytes(Program& p, std::vector<uint8_t> bytes, RecordingHost& host, bool symbolsOnly = false) {
  LoadRequest req;
  req.symbolsOnly = symbolsOnly;
  auto src = std::make_shared<MemorySource>(std::move(bytes));
  const uint8_t first = src->size() ? [&] { uint8_t b; src->u8(0, b); return b; }() : 0;
  if (fileKindOf(first) == FileKind::TextHex) {
    p.loadState = loadstate::Text;
    return loadTextHex(p, *src, host, symbolsOnly);
  }
  return loadObject(p, src, req, host);
}

uint32_t var(const Program& p, const char* name) {
  const LabelEntry* e = p.labels.rensym(name);
  return e ? e->value : 0xDEADBEEF;
}

TEST(LoaderFileKind, FirstByteDecides) {
  const struct { uint8_t b; FileKind k; } cases[] = {
      {0xCC, FileKind::Object}, {0xCD, FileKind::Object}, {0x9D, FileKind::OldObject}, {0xC2, FileKind::OldObject},
      {0xC3, FileKind::OldObject}, {'S', FileKind::TextHex}, {':', FileKind::TextHex}, {0x00, FileKind::Binary},
      {'M', FileKind::Binary}};
  for (auto& c : cases) EXPECT_EQ(fileKindOf(c.b), c.k) << int(c.b);
}

TEST(LoaderSections, TotalsVariablesSummaryAndDownload) {
  std::vector<uint8_t> code(600, 0xA5);
  Program p;
  RecordingHost h;
  auto obj = buildObject({{".text", 0x2080, 600, code},
                          {".bsct", 0x80, 16, {}},
                          {".text", 0xFFFE, 2, {0x20, 0x80}},
                          {".data", 0x100, 0, {}},
                          {".bss", 0x200, 32, {}}},
                         {}, {});
  ASSERT_TRUE(loadBytes(p, obj, h).ok);
  EXPECT_EQ(var(p, ".text"), 0x2080u);
  EXPECT_EQ(var(p, ".tsize"), 602u);
  EXPECT_EQ(var(p, ".zpage"), 0x80u);
  EXPECT_EQ(var(p, ".zsize"), 16u);
  EXPECT_EQ(var(p, ".bsize"), 32u);
  EXPECT_EQ(var(p, ".dsize"), 0u);
  EXPECT_EQ(h.printed, "    T: 0x2080 (602)  D: 0x100 (0)  Z: 0x80 (16)\n");
  // 512-byte chunks; the empty .data section makes no segment and downloads nothing.
  ASSERT_EQ(h.blocks.size(), 3u);
  EXPECT_EQ(h.blocks[0].address, 0x2080u);
  EXPECT_EQ(h.blocks[0].bytes.size(), 512u);
  EXPECT_EQ(h.blocks[1].address, 0x2280u);
  EXPECT_EQ(h.blocks[2].address, 0xFFFEu);
  EXPECT_EQ(p.tables.segments.size(), 4u);
  EXPECT_EQ(p.tables.segments.front().logical, 0x80u);
}

TEST(LoaderSections, SymbolsOnlyDownloadsNothingAndFailedDownloadStops) {
  auto obj = buildObject({{".text", 0x2080, 4, {1, 2, 3, 4}}, {".text", 0x3000, 2, {5, 6}}}, {}, {});
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadBytes(p, obj, h, true).ok);
  EXPECT_TRUE(h.blocks.empty());
  Program q;
  RecordingHost refusing;
  refusing.refuse = true;
  EXPECT_TRUE(loadBytes(q, obj, refusing).ok);
  EXPECT_EQ(refusing.errors, "Error loading segment: .text|");
  EXPECT_FALSE(q.sectionsLoaded);
}

TEST(LoaderLabels, BiasOrderingAndOtherSymbols) {
  auto obj = buildObject({{".text", 0x2000, 0, {}}, {".data", 0x1100, 0, {}, 0x100, false}},
                         {{0x30, 0x01, 1, "_main"}, {0x10, 0x02, 2, "_var"}, {0x5, 0, 0, "other"}, {0x20, 0x01, 0, "_abs"}},
                         {});
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadBytes(p, obj, h).ok);
  EXPECT_EQ(p.labels.rensym("_var")->value, 0x1010u);  // section 2's bias is 0x1000
  EXPECT_EQ(p.labels.rensym("_main")->kind, 5);
  EXPECT_EQ(p.labels.rensym("other"), nullptr);
  ASSERT_EQ(p.tables.otherSymbols.size(), 1u);
  std::vector<std::string> order;
  for (auto& e : p.labels.entries())
    if (!e.isDebuggerVariable()) order.push_back(e.name);
  EXPECT_EQ(order, (std::vector<std::string>{"_abs", "_main", "_var"}));
}

TEST(LoaderLabels, InitMarkerRelocatesItsSection) {
  // Marker: value = offset of the relocation table, section byte = one entry.
  std::vector<uint8_t> obj = buildObject({{".text", 0x2000, 0, {}}, {".data", 0x3000, 8, {}}},
                                         {{0, 0, 1, ""}, {0x3004, 0x02, 2, "_x"}}, {});
  const uint32_t table = static_cast<uint32_t>(obj.size());
  std::vector<uint8_t> entry(24, 0);
  entry[0] = 2;
  test::set32(entry, 16, 0x0100);
  test::set32(entry, 20, 0x3000);
  obj.insert(obj.end(), entry.begin(), entry.end());
  const uint32_t lo = (uint32_t(obj[8]) << 24) | (uint32_t(obj[9]) << 16) | (uint32_t(obj[10]) << 8) | obj[11];
  test::set32(obj, lo, table);
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadBytes(p, obj, h).ok);
  EXPECT_EQ(p.labels.rensym("_x")->value, 0x104u);
  EXPECT_EQ(p.tables.segments.front().logical, 0x100u);
  EXPECT_EQ(p.tables.segments.front().last, 0x107u);
}

TEST(LoaderDebugSymbols, NameSyntax) {
  RecordName r = parseRecordName(rk::FunctionStart, "a.c~main:+12.3-20.1");
  EXPECT_EQ(r.fileName, "a.c");
  EXPECT_EQ(r.functionName, "main");
  EXPECT_EQ(r.flags, kPlusFlag);
  EXPECT_EQ(r.startLine, 12);
  EXPECT_EQ(r.startColumn, 3);
  EXPECT_EQ(r.endLine, 20);
  EXPECT_EQ(r.endColumn, 1);
  r = parseRecordName(rk::Line, "dir:x/b.c:7");
  EXPECT_EQ(r.fileName, "dir:x/b.c");
  EXPECT_EQ(r.startLine, 7);
  EXPECT_EQ(r.endLine, 7);
  r = parseRecordName(rk::FileStart, "a.c~:1.0.4660");
  EXPECT_EQ(r.fileName, "a.c");
  EXPECT_EQ(r.number, 4660u);
  r = parseRecordName(rk::FunctionEnd, "a.c~f:");
  EXPECT_EQ(r.functionName, "f");
}

TEST(LoaderDebugSymbols, SortingAndPassRules) {
  auto obj = buildObject({{".text", 0x100, 0, {}}}, {},
                         {{0x110, rk::Line, "a.c:5"},
                          {0x100, rk::FunctionStart, "a.c~f:4-6"},
                          {0x110, rk::Line, "a.c:6"},  // same address: only the last remains
                          {0x120, rk::FunctionStart, "b.c~g:1-2"},
                          {0x120, rk::FunctionEnd, "a.c~f:"},  // goes before the start of b.c
                          {0x120, rk::Line, "b.c:1"},
                          {0x130, rk::Line, "b.c:2"},
                          {0x130, rk::FunctionEnd, "b.c~g:"}});
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadBytes(p, obj, h).ok);
  std::vector<std::string> got;
  for (auto& r : p.tables.records) got.push_back(std::to_string(r.kind) + "@" + std::to_string(r.address) + ":" + std::to_string(r.startLine));
  EXPECT_EQ(got, (std::vector<std::string>{"32@256:4", "8@272:6", "16@288:0", "32@288:1", "8@288:1", "16@304:0"}));
  EXPECT_EQ(p.tables.records[1].functionName, "f");
}

TEST(LoaderDebugSymbols, ProgramEndingChecksAbandonTheLoad) {
  const struct { std::vector<ObjRecord> recs; const char* message; } cases[] = {
      {{{0x10, rk::FunctionEnd, "a.c~f:"}}, "MISSING START INFO FOR: a.c at: 0x10"},
      {{{0x10, rk::Line, "a.c:9"}, {0x20, rk::FunctionStart, "a.c~f:1"}}, "Missing function for Line: a.c 9"},
  };
  for (auto& c : cases) {
    Program p;
    RecordingHost h;
    LoadOutcome o = loadBytes(p, buildObject({}, {}, c.recs), h);
    EXPECT_TRUE(o.abandoned);
    EXPECT_EQ(o.message, c.message);
  }
}

TEST(LoaderDebugSymbols, ShortTablesAbandonTheLoad) {
  auto obj = buildObject({}, {}, {{0x10, rk::FunctionStart, "a.c~f:1"}});
  test::set32(obj, 16, 1000);  // claims far more records than the file holds
  Program p;
  RecordingHost h;
  LoadOutcome o = loadBytes(p, obj, h);
  EXPECT_TRUE(o.abandoned);
  EXPECT_EQ(o.message, "read error debug symbol\n");
  auto labels = buildObject({}, {{1, 1, 0, "_a"}}, {});
  test::set32(labels, 12, 100);  // a label table running past the end of the file
  Program q;
  o = loadBytes(q, labels, h);
  EXPECT_TRUE(o.abandoned);
  EXPECT_EQ(o.message, "read error label debug symbol\n");
}

TEST(LoaderTruncation, EveryPrefixOfAnObjectFileIsSafe) {
  auto obj = buildObject({{".text", 0x2080, 4, {1, 2, 3, 4}}}, {{0x2080, 1, 1, "_main"}},
                         {{0x2080, rk::FunctionStart, "a.c~main:1"}, {0x2083, rk::FunctionEnd, "a.c~main:"}});
  for (size_t n = 0; n < obj.size(); ++n) {
    Program p;
    RecordingHost h;
    std::vector<uint8_t> cut(obj.begin(), obj.begin() + static_cast<long>(n));
    if (n == 0) continue;
    (void)loadBytes(p, cut, h);  // any outcome but a crash or a read outside
  }
}

TEST(LoaderText, SRecordsAndIntelHexReachTheirPagedAddresses) {
  // Page 1 at 0x8000 in the file is 1 << 14 | 0x0000 for the download; page 7 (QE128 flash)
  // at 0x8000 is 7 << 14.
  const std::string s = "S00600004844521B\nS1072080010203044E\nS2080180000A0B0C0D48\nS207078000A65581F5\nS9030000FC\n";
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadBytes(p, std::vector<uint8_t>(s.begin(), s.end()), h).ok);
  ASSERT_EQ(h.blocks.size(), 3u);
  EXPECT_EQ(h.blocks[0].address, 0x2080u);
  EXPECT_EQ(h.blocks[0].bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(h.blocks[1].address, 0x4000u);
  EXPECT_EQ(h.blocks[2].address, 0x1C000u);
  EXPECT_EQ(h.blocks[2].bytes, (std::vector<uint8_t>{0xA6, 0x55, 0x81}));
  EXPECT_FALSE(p.imageEntry);  // no reset vector in the image
  const std::string ihx = ":0400100001020304E2\n:020000040007F3\n:02800000A65583\n:00000001FF\n";
  RecordingHost h2;
  ASSERT_TRUE(loadBytes(p, std::vector<uint8_t>(ihx.begin(), ihx.end()), h2).ok);
  ASSERT_EQ(h2.blocks.size(), 2u);
  EXPECT_EQ(h2.blocks[0].address, 0x10u);
  EXPECT_EQ(h2.blocks[1].address, 0x1C000u);
}

TEST(LoaderText, TheResetVectorIsTheImagesEntry) {
  struct Case {
    const char* text;
    bool symbolsOnly;
    std::optional<uint32_t> entry;
  };
  const Case cases[] = {
      {"S106800001020373\nS105FFFE80106D\nS9030000FC\n", false, 0x8010},
      {":02FFFE00801071\n:00000001FF\n", false, 0x8010},
      {"S105FFFE80106D\n", true, 0x8010},                      // nothing downloaded, the entry is known
      {"S106800001020373\nS90380106C\n", false, std::nullopt},  // a start record is not the reset vector
  };
  for (const Case& c : cases) {
    Program p;
    RecordingHost h;
    const std::string t = c.text;
    ASSERT_TRUE(loadBytes(p, std::vector<uint8_t>(t.begin(), t.end()), h, c.symbolsOnly).ok) << c.text;
    EXPECT_EQ(p.imageEntry, c.entry) << c.text;
  }
}

TEST(LoaderText, BadLinesAbandonWithTheLineAndTheFault) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"S1072080010203044E\nhello\n", "read error S-record/Hex line 2: neither an S-record nor an Intel hex record\n"},
      {"S10720800102030400\n", "read error S-record/Hex line 1: bad checksum\n"},
      {"S1FF2080\n", "read error S-record/Hex line 1: byte count does not match the record\n"},
      {":0400100001020304\n", "read error S-record/Hex line 1: byte count does not match the record\n"},
      {"S20501C0000138\n", "read error S-record/Hex line 1: paged address outside the window 0x8000-0xBFFF (address 0x1C000)\n"},
  };
  for (const Case& c : cases) {
    Program p;
    RecordingHost h;
    const std::string s = c.text;
    LoadOutcome o = loadBytes(p, std::vector<uint8_t>(s.begin(), s.end()), h);
    EXPECT_TRUE(o.abandoned) << s;
    EXPECT_EQ(o.message, c.message);
  }
}

TEST(LoaderText, ARefusedDownloadNamesTheFormat) {
  for (const auto& [text, message] : {std::pair{"S106800001020373\n", "Error loading segment: S-record"},
                                       std::pair{":01800000017E\n", "Error loading segment: Intel hex"}}) {
    Program p;
    RecordingHost h;
    h.refuse = true;
    const std::string s = text;
    LoadOutcome o = loadBytes(p, std::vector<uint8_t>(s.begin(), s.end()), h);
    EXPECT_FALSE(o.ok);
    EXPECT_FALSE(o.abandoned);
    EXPECT_EQ(o.message, message);
  }
}

// A program with debug information: two files that both have a `count`, a function with
// arguments, locals and a struct.
std::vector<uint8_t> debugProgram(bool loopFunctions = false, uint32_t badOffset = 0) {
  DebugBytes d;
  const uint32_t tag = d.str("pt");
  const uint32_t desc = d.be(tag);
  const uint32_t mx = d.name("x", 0), my = d.name("y", 0);
  (void)mx;
  (void)my;
  // descriptor members written after: rebuild in place
  d.b.resize(desc + 4);
  const uint32_t nx = d.name("x", 0), ny = d.name("y", 0);
  const uint32_t desc2 = d.be(tag);
  d.be(nx); d.be(0); d.le(0x18); d.be(0);
  d.be(ny); d.be(2); d.le(0x18); d.be(0);
  d.be(0); d.be(4); d.be(0); d.be(0);
  const uint32_t slotP = d.be(0);  // pointer attributes
  d.be(desc2);                     // struct descriptor
  const uint32_t locals = d.list({{d.name("loc", 3), 2, 0x18, 0},
                                  {d.name("a", 2), 0, 0x18, 0},
                                  {d.name("p", 2), 2, 0x40000048, slotP},
                                  {d.name("r", 4), 16, 0x0a, 0}});
  const uint32_t fname = d.name("f", 19);
  const uint32_t f = d.function(fname, 10, 20, 0x18, 0, locals);
  const uint32_t ga = d.list({{d.name("count", 1), 0x100, 0x18, 0}});
  const uint32_t outerA = d.function(0, 0, 0, 0x50, 0, ga);
  d.patch(f, outerA);
  if (loopFunctions) d.patch(outerA, f);
  const uint32_t fileA = d.be(d.str("a.c")); d.b.push_back(0x8c);
  // file record: +0 name, +4 first function (the name string sits right before)
  d.b.resize(fileA);
  const uint32_t nameA = d.str("a.c");
  d.b.push_back(0x8c);
  const uint32_t recA = d.be(nameA);
  d.be(badOffset ? badOffset : f);
  const uint32_t gb = d.list({{d.name("count", 1), 0x200, 0x18, 0}});
  const uint32_t outerB = d.function(0, 0, 0, 0x50, 0, gb);
  const uint32_t nameB = d.str("b.c");
  d.b.push_back(0x8c);
  const uint32_t recB = d.be(nameB);
  d.be(outerB);
  return buildObject({{".text", 0x2000, 0, {}}, {".debug", 0, static_cast<uint32_t>(d.b.size()), d.b}},
                     {{0x2000, 1, 1, "_f"}},
                     {{0x2000, rk::FileStart, "a.c~:1.0." + std::to_string(recA)},
                      {0x2000, rk::FunctionStart, "a.c~f:+10-20"},
                      {0x2004, rk::Line, "a.c:11"},
                      {0x2008, rk::Line, "a.c:12"},
                      {0x2010, rk::FunctionEnd, "a.c~f:"},
                      {0x3000, rk::FileStart, "b.c~:1.0." + std::to_string(recB)}});
}

LoadOutcome loadWithTables(Program& p, std::vector<uint8_t> obj, RecordingHost& h) {
  LoadOutcome o = loadBytes(p, std::move(obj), h);
  if (!o.ok) return o;
  o = buildDebugTables(p, h);
  if (!o.ok) return o;
  o = checkConsistency(p);
  p.tables.buildIndexes();
  return o;
}

TEST(LoaderDebugInfo, FunctionsLocalsAndScopes) {
  Program p;
  RecordingHost h;
  ASSERT_TRUE(loadWithTables(p, debugProgram(), h).ok) << h.errors;
  ASSERT_EQ(p.tables.files.size(), 2u);
  EXPECT_EQ(p.tables.files[0]->name, "a.c");
  FunctionEntry* f = p.tables.findFunction("f");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->address(), 0x2000u);
  EXPECT_EQ(f->description, "global int ");
  ASSERT_EQ(f->locals.size(), 4u);
  // Arguments first, in their order; the `+` flag adds one to class 2 offsets.
  EXPECT_EQ(f->locals[0].name, "a");
  EXPECT_EQ(f->locals[0].value, 1u);
  EXPECT_EQ(f->locals[1].name, "p");
  EXPECT_EQ(f->locals[2].name, "loc");
  EXPECT_EQ(f->argumentCount, 2);
  EXPECT_FALSE(f->hasRegisterArgument);
  EXPECT_EQ(f->locals[1].size, 2u);
  EXPECT_EQ(declarationText(f->locals[1]), "argument struct pt @near *p");
  const AggregateDescriptor* d = aggregateOf(f->locals[1].aux);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->size, 4u);
  ASSERT_EQ(d->members.size(), 2u);
  EXPECT_EQ(d->members[1].value, 2);
  EXPECT_EQ(p.tables.findTag(tc::Struct, "pt")->size, 4u);
  // Two files define `count`: unqualified finds a.c's, qualified finds b.c's.
  auto r = lookupVariable(p.tables, "", "", "count", nullptr, false);
  ASSERT_NE(r.symbol, nullptr);
  EXPECT_EQ(r.symbol->value, 0x100u);
  r = lookupVariable(p.tables, "b.c", "", "count", nullptr, false);
  EXPECT_EQ(r.symbol->value, 0x200u);
  EXPECT_EQ(lookupVariable(p.tables, "z.c", "", "count", nullptr, false).error, 75);
  EXPECT_EQ(lookupVariable(p.tables, "", "nof", "count", nullptr, false).error, 76);
  EXPECT_EQ(lookupVariable(p.tables, "", "", "loc", f, false).symbol->value, 2u);
  // Per-step lookups.
  EXPECT_EQ(p.tables.functionAt(0x2009), f);
  EXPECT_EQ(p.tables.functionAt(0x2011), nullptr);
  EXPECT_EQ(p.tables.lineAt(0x2009)->startLine, 12);
  EXPECT_EQ(p.tables.GetLineMatch(p.tables.findFile("a.c"), 11)->address, 0x2004u);
  EXPECT_EQ(p.tables.GetLineMatch(p.tables.findFile("a.c"), 15), nullptr);
}

TEST(LoaderDebugInfo, BadGraphsAbandon) {
  for (auto obj : {debugProgram(true), debugProgram(false, 0xFFFFFF00)}) {
    Program p;
    RecordingHost h;
    LoadOutcome o = loadWithTables(p, obj, h);
    EXPECT_TRUE(o.abandoned);
  }
}

TEST(LoaderDebugInfo, NoDupFilesSkipsASecondFileOfTheSameName) {
  for (const char* setting : {"NO", "Yes"}) {
    Program p;
    RecordingHost h;
    h.nodup = setting;
    auto obj = debugProgram();
    ASSERT_TRUE(loadBytes(p, obj, h).ok);
    ASSERT_TRUE(buildDebugTables(p, h).ok);
    const uint32_t recA = p.fileRecordOffsets.front();
    ASSERT_TRUE(readFileDebugInfo(p, recA, h).ok);
    EXPECT_EQ(p.tables.files.size(), setting[0] == 'N' ? 3u : 2u);
  }
}

}  // namespace
}  // namespace yav
