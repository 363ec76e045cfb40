// Listing lines and the listing argument of the disassembler.
#include <gtest/gtest.h>

#include "model/disasm.h"
#include "model/disasm_fakes.h"

namespace yav {
namespace {

using test::FakeCode;
using test::FakeLabels;
using test::FakeNames;

TEST(DisasmListing, LabelLineThenMarkedInstruction) {
  FakeCode code(0x8000, {0x20, 0xFE, 0x9E, 0xE6, 0x05});
  const FakeLabels labels{{0x8000, "main"}};
  ListingContext ctx;
  ctx.labels = &labels;
  ctx.current_pc = 0x8000;
  uint32_t at = 0x8000;
  EXPECT_EQ(listing_line(code, at, ctx),
            "    0x08000        main:\n"
            "--> 0x08000 20fe         bra   main\n");
  EXPECT_EQ(at, 0x8002u);
  EXPECT_EQ(listing_line(code, at, ctx), "    0x08002 9ee605       lda   5,sp\n");
  EXPECT_EQ(at, 0x8005u);
}

TEST(DisasmListing, BreakpointMarkerAndSourceListing) {
  FakeCode code(0x8000, {0x9D, 0x9D});
  const std::vector<uint32_t> breaks{0x8000};
  ListingContext ctx;
  ctx.breakpoints = &breaks;
  ctx.current_pc = 0x8001;
  uint32_t at = 0x8000;
  EXPECT_EQ(listing_line(code, at, ctx), "(B) 0x08000 9d           nop   \n");
  EXPECT_EQ(listing_line(code, at, ctx), "--> 0x08001 9d           nop   \n");
  // inside a source listing the markers are four blanks
  ctx.in_source_listing = true;
  at = 0x8000;
  EXPECT_EQ(listing_line(code, at, ctx), "    0x08000 9d           nop   \n");
}

TEST(DisasmListing, SourceLinesBeforeTheirAddress) {
  struct Source : SourceLines {
    std::vector<SourceLine> lines_at(uint32_t address) const override {
      if (address == 0x8000) return {{"main.c", 12, "  x = 1;"}};
      return {};
    }
  } source;
  FakeCode code(0x8000, {0x9D, 0x9D});
  ListingContext ctx;
  ctx.source = &source;
  uint32_t at = 0x8000;
  EXPECT_EQ(listing_line(code, at, ctx), "main.c:12 |   x = 1;\n    0x08000 9d           nop   \n");
  EXPECT_EQ(listing_line(code, at, ctx), "    0x08001 9d           nop   \n");
  ctx.in_source_listing = true;  // the source listing prints its own lines
  at = 0x8000;
  EXPECT_EQ(listing_line(code, at, ctx), "    0x08000 9d           nop   \n");
}

TEST(DisasmListing, UnknownOpcodeStepsOverItsBytesAndAddressStaysIn17Bits) {
  FakeCode code(0x1FFFE, {0x9E, 0x9E});
  ListingContext ctx;
  uint32_t at = 0x1FFFE;
  EXPECT_EQ(listing_line(code, at, ctx), "    0x1fffe 9e9e         ???   (0x9e9e)\n");
  EXPECT_EQ(at, 0u);
}

TEST(DisasmListingArgs, Forms) {
  const FakeNames names{{"main", 0x8800}, {"$pc", 0x8123}, {".text", 0x8000}};
  struct Case {
    const char* text;
    uint32_t start;
    bool has_end;
    uint32_t end_or_count;
    uint32_t last_after;
  };
  const Case cases[] = {
      {"0x8000", 0x8000, false, 10, 10},
      {"0x8000,#5", 0x8000, false, 5, 5},
      {"0x8000 #5", 0x8000, false, 5, 5},
      {"0x8000, 0x8010", 0x8000, true, 0x8010, 10},
      {"main+2,main+0x20", 0x8802, true, 0x8820, 10},
      {"$pc #2*3", 0x8123, false, 6, 6},
      {".text|0x10<<4", 0x8100, false, 10, 10},
      {"(main-0x800)/2 # 1+1", 0x4000, false, 2, 2},
      {"0x8000 % 0x100 ^ 3 & 1", 0x01, false, 10, 10},
      {"010", 8, false, 10, 10},
  };
  for (const Case& c : cases) {
    uint32_t last = 10;
    const ListingArgs a = parse_listing_args(c.text, &names, last);
    ASSERT_TRUE(a.ok) << c.text << ": " << a.error;
    EXPECT_EQ(a.range.start, c.start) << c.text;
    EXPECT_EQ(a.range.has_end, c.has_end) << c.text;
    EXPECT_EQ(c.has_end ? a.range.end : a.range.count, c.end_or_count) << c.text;
    EXPECT_EQ(last, c.last_after) << c.text;
  }
}

TEST(DisasmListingArgs, BadInputIsReportedNotFatal) {
  const FakeNames names{{"main", 0x8800}};
  for (const char* text : {"", "nosuch", "main,#", "1/0", "(1+2", "$", "main,@"}) {
    uint32_t last = 7;
    const ListingArgs a = parse_listing_args(text, &names, last);
    EXPECT_FALSE(a.ok) << text;
    EXPECT_FALSE(a.error.empty()) << text;
    EXPECT_EQ(last, 7u) << text;
  }
}

}  // namespace
}  // namespace yav
