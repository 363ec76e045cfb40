// The opcode table: its shape, decoding of both pages and the counts of telling rows.
#include <gtest/gtest.h>

#include "model/hc08_opcodes.h"

namespace yav::hc08 {
namespace {

TEST(Hc08Opcodes, MnemonicNamesRoundTrip) {
  EXPECT_EQ(mnemonic_name(Mn::unknown), "???");
  EXPECT_EQ(mnemonic_name(Mn::and_), "and");
  EXPECT_EQ(mnemonic_name(Mn::wait), "wait");
  for (size_t i = 1; i < kMnemonicCount; ++i) {
    const Mn m = static_cast<Mn>(i);
    EXPECT_EQ(mnemonic_by_name(mnemonic_name(m)), m);
  }
  EXPECT_EQ(mnemonic_by_name("LDA"), Mn::unknown);  // exact, lower case only
  EXPECT_EQ(mnemonic_by_name("???"), Mn::unknown);
}

TEST(Hc08Opcodes, AliasesShowTheFirstName) {
  EXPECT_EQ(decode(0x24, 0).entry->mnemonic, Mn::bcc);
  EXPECT_EQ(decode(0x25, 0).entry->mnemonic, Mn::bcs);
  EXPECT_EQ(decode(0x38, 0).entry->mnemonic, Mn::asl);
  EXPECT_EQ(decode(0x78, 0).entry->mnemonic, Mn::asl);
  // the alias with the same mode is not chosen by the prefix either
  EXPECT_EQ(decode(kPrefix, 0x68).entry->mnemonic, Mn::asl);
}

struct DecodeCase {
  uint8_t first, next;
  Mn mnemonic;
  Mode mode;
  bool sp;
  int length, cycles;
};

TEST(Hc08Opcodes, DecodeLengthsAndCycles) {
  const DecodeCase cases[] = {
      {0x00, 0, Mn::brset, Mode::bit_direct, false, 3, 5},
      {0x11, 0, Mn::bclr, Mode::bit_direct, false, 2, 5},
      {0x20, 0, Mn::bra, Mode::inherent, false, 2, 3},
      {0xAD, 0, Mn::bsr, Mode::inherent, false, 2, 5},
      {0x31, 0, Mn::cbeq, Mode::direct, false, 3, 5},
      {0x41, 0, Mn::cbeqa, Mode::immediate, false, 3, 4},
      {0x71, 0, Mn::cbeq, Mode::ix, false, 2, 5},
      {0x3B, 0, Mn::dbnz, Mode::direct, false, 3, 7},
      {0x4B, 0, Mn::dbnza, Mode::inh_reg, false, 2, 4},
      {0x32, 0, Mn::ldhx, Mode::extended, false, 3, 5},
      {0x45, 0, Mn::ldhx, Mode::immediate, false, 3, 3},
      {0x55, 0, Mn::ldhx, Mode::direct, false, 2, 4},
      {0x4E, 0, Mn::mov, Mode::dir_dir, false, 3, 5},
      {0x6E, 0, Mn::mov, Mode::imm_dir, false, 3, 4},
      {0x42, 0, Mn::mul, Mode::inherent, false, 1, 5},
      {0x52, 0, Mn::div, Mode::inherent, false, 1, 6},
      {0x83, 0, Mn::swi, Mode::inherent, false, 1, 11},
      {0x8D, 0, Mn::rtc, Mode::inherent, false, 1, 7},
      {0xA7, 0, Mn::ais, Mode::immediate, false, 2, 2},
      {0xAF, 0, Mn::aix, Mode::immediate, false, 2, 2},
      {0xAC, 0, Mn::call, Mode::extended, false, 4, 8},
      {0xB6, 0, Mn::lda, Mode::direct, false, 2, 3},
      {0xBD, 0, Mn::jsr, Mode::direct, false, 2, 5},
      {0xCD, 0, Mn::jsr, Mode::extended, false, 3, 6},
      {0xD6, 0, Mn::lda, Mode::ix2, false, 3, 4},
      {0xE6, 0, Mn::lda, Mode::ix1, false, 2, 3},
      {0xF7, 0, Mn::sta, Mode::ix, false, 1, 2},
      {kPrefix, 0xE6, Mn::lda, Mode::ix1, true, 3, 4},
      {kPrefix, 0xD7, Mn::sta, Mode::ix2, true, 4, 5},
      {kPrefix, 0x6B, Mn::dbnz, Mode::ix1, true, 4, 8},
      {kPrefix, 0xAE, Mn::ldhx, Mode::ix, false, 2, 5},
      {kPrefix, 0xBE, Mn::ldhx, Mode::ix2, false, 4, 6},
      {kPrefix, 0xCE, Mn::ldhx, Mode::ix1, false, 3, 5},
      {kPrefix, 0xF3, Mn::cphx, Mode::ix1, true, 3, 6},
      {kPrefix, 0xFE, Mn::ldhx, Mode::ix1, true, 3, 5},
      {kPrefix, 0xFF, Mn::sthx, Mode::ix1, true, 3, 5},
  };
  for (const DecodeCase& c : cases) {
    const Decoded d = decode(c.first, c.next);
    ASSERT_TRUE(d.known()) << std::hex << int(c.first) << " " << int(c.next);
    EXPECT_EQ(d.entry->mnemonic, c.mnemonic) << std::hex << int(c.first) << " " << int(c.next);
    EXPECT_EQ(d.entry->mode(), c.mode) << std::hex << int(c.first) << " " << int(c.next);
    EXPECT_EQ(d.sp_index, c.sp) << std::hex << int(c.first) << " " << int(c.next);
    EXPECT_EQ(d.length(), c.length) << std::hex << int(c.first) << " " << int(c.next);
    EXPECT_EQ(d.cycles(), c.cycles) << std::hex << int(c.first) << " " << int(c.next);
  }
}

TEST(Hc08Opcodes, PrefixPageHasExactlyTheRealForms) {
  int count = 0;
  for (int op = 0; op < 256; ++op) count += decode(kPrefix, static_cast<uint8_t>(op)).known();
  EXPECT_EQ(count, 13 + 14 + 14 + 6);
  EXPECT_TRUE(decode(kPrefix, 0x61).known());
  for (const uint8_t op : {0x62, 0xED, 0xF6, 0x12, 0x40, 0x9D, 0x9E}) {
    // nsa and jsr have no SP form, and nothing outside 0x60-0x6f, 0xd0-0xef and six more
    const Decoded d = decode(kPrefix, op);
    EXPECT_FALSE(d.known()) << std::hex << int(op);
    EXPECT_EQ(d.length(), 2);
  }
}

TEST(Hc08Opcodes, StraightLineTest) {
  EXPECT_TRUE(changes_flow(*decode(0x00, 0).entry));  // brset
  EXPECT_TRUE(changes_flow(*decode(0x4B, 0).entry));  // dbnza
  EXPECT_TRUE(changes_flow(*decode(0xCD, 0).entry));
  EXPECT_TRUE(changes_flow(*decode(0x80, 0).entry));
  EXPECT_TRUE(changes_flow(*decode(0x83, 0).entry));
  EXPECT_FALSE(changes_flow(*decode(0x10, 0).entry));  // bset
  EXPECT_FALSE(changes_flow(*decode(0xE6, 0).entry));
  EXPECT_FALSE(changes_flow(*decode(0x42, 0).entry));
}

}  // namespace
}  // namespace yav::hc08
