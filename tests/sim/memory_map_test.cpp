// Chip memory maps: flash protection, paging and the linear address registers.
#include <gtest/gtest.h>

#include "sim/chip_qe128.h"
#include "sim/memory_map.h"

namespace yav::sim {
namespace {

TEST(SimMemoryMap, ChipsByName) {
  for (const auto& name : chip_names()) {
    auto chip = make_chip(name);
    ASSERT_NE(chip, nullptr) << name;
    EXPECT_EQ(chip->name(), name);
  }
  EXPECT_EQ(make_chip("qe128"), nullptr);
  EXPECT_EQ(make_chip(""), nullptr);
}

TEST(SimMemoryMap, FlashIgnoresStoresButTheLoaderProgramsIt) {
  struct Case {
    const char* chip;
    uint16_t flash, ram;
  };
  for (const Case& c : {Case{"QE128", 0xC000, 0x0100}, Case{"QE128", 0x4000, 0x1900}, Case{"QG8", 0xE000, 0x0100}}) {
    auto m = make_chip(c.chip);
    const uint8_t before = m->read(c.flash);
    m->write(c.flash, static_cast<uint8_t>(before + 1));
    EXPECT_EQ(m->read(c.flash), before) << c.chip;
    EXPECT_TRUE(m->program(c.flash, 0x5A));
    EXPECT_EQ(m->read(c.flash), 0x5A) << c.chip;
    m->write(c.ram, 0xA5);
    EXPECT_EQ(m->read(c.ram), 0xA5) << c.chip;
  }
  auto qg8 = make_chip("QG8");
  EXPECT_FALSE(qg8->program(0x8000, 1));  // nothing there
  EXPECT_FALSE(qg8->program(0x10000, 1));
  auto generic = make_chip("GENERIC");
  generic->write(0xFFFF, 7);
  EXPECT_EQ(generic->read(0xFFFF), 7);
}

TEST(SimMemoryMap, PpageSelectsTheWindowPage) {
  auto m = make_chip("QE128");
  EXPECT_EQ(m->read(kPpage), 2);
  ASSERT_TRUE(m->program(0x1C005, 0x77));  // page 7, offset 5
  ASSERT_TRUE(m->program(0x8005, 0x22));   // page 2 through the window
  EXPECT_EQ(m->peek(0x08005), 0x22);
  m->write(kPpage, 0x0F);  // three bits
  EXPECT_EQ(m->ppage(), 7);
  EXPECT_EQ(m->read(0x8005), 0x77);
  EXPECT_EQ(m->peek(0x8005), 0x77);
  EXPECT_EQ(m->peek(0x1C005), 0x77);  // paged addresses do not depend on PPAGE
  m->reset();
  EXPECT_EQ(m->ppage(), 2);
  EXPECT_EQ(m->read(0x8005), 0x22);
}

TEST(SimMemoryMap, LinearAddressRegisters) {
  auto m = make_chip("QE128");
  ASSERT_TRUE(m->program(0x1C000, 0x10));
  ASSERT_TRUE(m->program(0x1C001, 0x11));
  ASSERT_TRUE(m->program(0x1C002, 0x12));
  m->write(kLap2, 0x01);
  m->write(kLap1, 0xC0);
  m->write(kLap0, 0x00);
  EXPECT_EQ(m->read(kLb), 0x10);  // no increment
  EXPECT_EQ(m->read(kLb), 0x10);
  EXPECT_EQ(m->peek(kLbp), 0x10);  // a debugger read leaves the pointer alone
  EXPECT_EQ(m->read(kLbp), 0x10);  // increments
  EXPECT_EQ(m->read(kLwp), 0x11);
  EXPECT_EQ(m->read(kLap0), 0x02);
  m->write(kLapab, 0xFE);  // -2
  EXPECT_EQ(m->read(kLap0), 0x00);
  EXPECT_EQ(m->read(kLap1), 0xC0);
  // writes through the pointer reach RAM, not flash
  m->write(kLap2, 0);
  m->write(kLap1, 0x01);
  m->write(kLap0, 0x00);
  m->write(kLbp, 0x99);
  EXPECT_EQ(m->read(0x0100), 0x99);
  EXPECT_EQ(m->read(kLap0), 0x01);
  m->write(kLapab, 0xFF);
  m->write(kLap2, 1);
  m->write(kLap1, 0xC0);
  m->write(kLap0, 0x00);
  m->write(kLb, 0x00);
  EXPECT_EQ(m->peek(0x1C000), 0x10);
}

}  // namespace
}  // namespace yav::sim
