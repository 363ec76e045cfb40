// Data rows of memory windows: item texts by size and base, the character column, change
// marking between paints, and the read-ahead block behind a paint.
#include <gtest/gtest.h>

#include "memory_test_memory.h"
#include "ui/memory_data_rows.h"
#include "ui/memory_format.h"
#include "ui/memory_window_spec.h"

namespace yav {
namespace {

struct ItemCase {
  uint32_t value;
  int size;
  MemBase base;
  const char* text;
};

// Digits: binary 8/16/32, octal 3/6/12, decimal 3/5/12, hexadecimal 2/4/8; decimal is signed
// with the magnitude one digit shorter after a '-'.
const ItemCase kItems[] = {
    {0xFE, 1, MemBase::Decimal, "-02"},
    {0x7F, 1, MemBase::Decimal, "127"},
    {0x05, 1, MemBase::Decimal, "005"},
    {0xFFFF, 2, MemBase::Decimal, "-0001"},
    {0x8000, 2, MemBase::Decimal, "-32768"},
    {0x7FFFFFFF, 4, MemBase::Decimal, "002147483647"},
    {0xFFFFFFFF, 4, MemBase::Decimal, "-00000000001"},
    {0x1234, 2, MemBase::Octal, "011064"},  // 4660 = 1*8^4 + 1*8^3 + 0*8^2 + 6*8 + 4
    {0xFF, 1, MemBase::Octal, "377"},
    {0xFFFFFFFF, 4, MemBase::Octal, "037777777777"},
    {0xA5, 1, MemBase::Binary, "10100101"},
    {0x0001, 2, MemBase::Binary, "0000000000000001"},
    {0x80000000, 4, MemBase::Binary, "10000000000000000000000000000000"},
    {0x0A, 1, MemBase::Hex, "0a"},
    {0x00BE, 2, MemBase::Hex, "00be"},
    {0xDEADBEEF, 4, MemBase::Hex, "deadbeef"},
    {0x1FF, 1, MemBase::Hex, "ff"},  // only the item's own bits
};

TEST(MemoryRows, ItemTextsBySizeAndBase) {
  for (const ItemCase& c : kItems) {
    EXPECT_EQ(itemText(c.value, c.size, c.base), c.text) << std::hex << c.value << " size " << c.size;
  }
  const int widths[4][3] = {{9, 17, 33}, {4, 7, 13}, {4, 6, 13}, {3, 5, 9}};
  for (int b = 0; b < 4; ++b) {
    for (int s = 0; s < 3; ++s) {
      const int size = s == 2 ? 4 : s + 1;
      EXPECT_EQ(itemCellWidth(size, static_cast<MemBase>(b)), widths[b][s]) << b << " " << size;
    }
  }
}

TEST(MemoryRows, CharactersAndAddresses) {
  const uint8_t bytes[] = {0x41, 0x1F, 0x7F, 0xC1, 0x20, 0xFF};
  EXPECT_EQ(characterColumn(bytes), "A..A .");
  EXPECT_EQ(rowAddressText(0x21234), "01234");
  EXPECT_EQ(rowAddressText(0x1FFFF), "1ffff");
}

struct DataRowsTest : ::testing::Test {
  test::MemoryWindowMemory mem;
  DataRowsTest() { mem.fillWith(0x100, 0x800, [](uint32_t a) { return a; }); }
};

TEST_F(DataRowsTest, RowsShowItemsAndCharacters) {
  mem.put(0x100, {0x41, 0x42, 0x00, 0x7F, 0xFF, 0xFE, 0x30, 0x31});
  DataRowsModel words(0x100, DataLayout{2, MemBase::Hex, true, 4});
  DataPaint p = words.paint(&mem, false, 2);
  ASSERT_EQ(p.rows.size(), 2u);
  EXPECT_EQ(p.rows[0].text(), "00100 4142 007f AB..");
  EXPECT_EQ(p.rows[1].text(), "00104 fffe 3031 .~01");

  DataRowsModel bytes(0x104, DataLayout{1, MemBase::Decimal, false, 4});
  EXPECT_EQ(bytes.paint(&mem, false, 1).rows[0].text(), "00104 -01 -02 048 049 ");

  DataRowsModel unreadable(0x7FE, DataLayout{1, MemBase::Hex, false, 4});
  EXPECT_EQ(unreadable.paint(&mem, false, 1).rows[0].text(), "007fe ?? ?? ?? ?? ");
}

TEST_F(DataRowsTest, ChangedItemsAreMarkedOnceAgainstTheLastPaint) {
  DataRowsModel m(0x200, DataLayout{2, MemBase::Hex, false, 8});
  auto marks = [&m, this] {
    std::string s;
    for (const DataRow& r : m.paint(&mem, false, 2).rows)
      for (const DataItem& i : r.items) s += i.changed ? 'X' : '-';
    return s;
  };
  EXPECT_EQ(marks(), "--------");  // fresh: nothing to compare with
  mem.write(0, 0x20B, std::vector<uint8_t>{0x99});
  EXPECT_EQ(marks(), "-----X--");
  EXPECT_EQ(marks(), "--------");  // the paint cleared it

  mem.write(0, 0x200, std::vector<uint8_t>{0x55});
  m.setLayout(DataLayout{4, MemBase::Hex, false, 8});
  EXPECT_EQ(marks(), "----");  // a new layout starts fresh

  mem.write(0, 0x200, std::vector<uint8_t>{0x66});
  EXPECT_TRUE(m.paint(&mem, true, 2).rows.empty());  // while running nothing is read...
  EXPECT_EQ(marks(), "X---");                        // ...and the items kept their last paint
}

TEST_F(DataRowsTest, RunningTargetShowsTheMessage) {
  DataRowsModel m(0x100, DataLayout{});
  const DataPaint p = m.paint(&mem, true, 4);
  EXPECT_EQ(p.message, "Can't Read Memory while running");
  EXPECT_TRUE(mem.readLengths.empty());
}

TEST_F(DataRowsTest, OnePaintReadsTheTargetOnceThroughTheBlock) {
  DataRowsModel m(0x100, DataLayout{1, MemBase::Hex, true, 16});
  m.paint(&mem, false, 4);
  EXPECT_EQ(mem.readLengths, std::vector<size_t>{64});

  mem.readLengths.clear();
  m.paint(&mem, false, 40);  // 640 bytes: the block holds 512, the last rows read past it
  ASSERT_FALSE(mem.readLengths.empty());
  EXPECT_EQ(mem.readLengths.front(), 512u);
  EXPECT_EQ(mem.readLengths.size(), 1u + 8u);
}

TEST(MemoryWindowSpec, SessionSettingsComeBackAsTheyWere) {
  const DataLayout layouts[] = {{1, MemBase::Hex, true, 16}, {2, MemBase::Octal, false, 8}, {4, MemBase::Binary, true, 4},
                                {4, MemBase::Decimal, false, 32}};
  for (const DataLayout& l : layouts) EXPECT_EQ(layoutFromSession(sessionSettings(l)), l);
  EXPECT_EQ(sessionSettings(DataLayout{2, MemBase::Decimal, false, 8}), (SessionDataSettings{2, 2, 0, 8}));
  EXPECT_EQ(layoutFromSession({3, 9, 7, 5}), DataLayout{});  // nonsense falls back to the defaults

  bool code = false;
  EXPECT_EQ(stripSpacePrefix("  CODE:main", code), "main");
  EXPECT_TRUE(code);
  EXPECT_EQ(stripSpacePrefix("data:0x100", code), "0x100");
  EXPECT_FALSE(code);
  EXPECT_EQ((MemoryWindowSpec{MemKind::Code, true, 0x20cc, {}}).addressText(), "code:0x20cc");
}

}  // namespace
}  // namespace yav

namespace yav {
namespace {

TEST(MemorySessionRecord, WrittenAndReadBack) {
  MemorySessionRecord data{{MemKind::Data, false, 0x102, {2, MemBase::Octal, false, 8}}, {10, 20, 300, 400}};
  EXPECT_EQ(formatSessionRecord(data), "D,102,2,1,0,8,10,20,300,400");
  MemorySessionRecord code{{MemKind::Code, true, 0x20cc, {}}, {-1, 0, 50, 60}};
  EXPECT_EQ(formatSessionRecord(code), "C,20cc,-1,0,50,60");
  std::string error;
  for (const MemorySessionRecord& r : {data, code}) {
    const auto back = parseSessionRecord(formatSessionRecord(r), error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->spec.kind, r.spec.kind);
    EXPECT_EQ(back->spec.address, r.spec.address);
    EXPECT_EQ(back->rect, r.rect);
    if (r.spec.kind == MemKind::Data) {
      EXPECT_EQ(back->spec.layout, r.spec.layout);
    }
  }
  for (const char* bad : {"", "X,100,1,2,3,4", "D,100,1,3,1,16,0,0,10", "C,zz,0,0,1,1", "C,100,0,0,1,1,7",
                          "D,100,1,3,1,16,0,0,10,1e9"}) {
    error.clear();
    EXPECT_FALSE(parseSessionRecord(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
}  // namespace yav
