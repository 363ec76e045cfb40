// The stack depth of a routine at each instruction, worked out from its code: checked on small
// hand-assembled routines whose depths follow from the HCS08's push, pull, AIS and call rules.
#include "model/stack_depth.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace yav {
namespace {

constexpr uint32_t kOrigin = 0x2000;

class Bytes : public CodeReader {
 public:
  explicit Bytes(std::vector<uint8_t> code) : code_(std::move(code)) {}
  uint8_t read_byte(uint32_t address) const override {
    const uint32_t i = address - kOrigin;
    return i < code_.size() ? code_[i] : 0x9D;  // NOP past the end
  }
  size_t size() const { return code_.size(); }

 private:
  std::vector<uint8_t> code_;
};

StackDepths depthsOf(const Bytes& code) {
  return stackDepths(code, kOrigin, [&](uint32_t a) { return a >= kOrigin && a < kOrigin + code.size(); });
}

struct Case {
  const char* what;
  std::vector<uint8_t> code;
  std::map<uint32_t, int> depths;  // offset -> depth expected there; -1: not reached
  std::vector<uint32_t> afterCall;  // offsets reached after a call
  bool interrupt = false;
};

TEST(StackDepth, FollowsPushesPullsAisBranchesAndCalls) {
  const std::vector<Case> cases = {
      {"pushes and pulls",
       {0x87, 0x89, 0x8B, 0x8A, 0x88, 0x86, 0x81},  // psha pshx pshh pulh pulx pula rts
       {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 2}, {5, 1}, {6, 0}},
       {},
       false},
      {"AIS makes room and gives it back",
       {0xA7, 0xFC, 0x9E, 0xE7, 0x01, 0xA7, 0x04, 0x81},  // ais #-4; sta 1,s; ais #4; rts
       {{0, 0}, {2, 4}, {5, 4}, {7, 0}},
       {},
       false},
      {"a call leaves the depth as it was; what follows it is after a call",
       {0x87, 0xCD, 0x30, 0x00, 0x86, 0x81},  // psha; jsr $3000; pula; rts
       {{0, 0}, {1, 1}, {4, 1}, {5, 0}},
       {4, 5},
       false},
      {"both ways of a conditional branch",
       {0x87, 0x27, 0x02, 0x8B, 0x8A, 0x86, 0x81},  // psha; beq +2; pshh; pulh; pula; rts
       {{0, 0}, {1, 1}, {3, 1}, {4, 2}, {5, 1}, {6, 0}},
       {},
       false},
      {"a branch always skips what lies between",
       {0x20, 0x01, 0x87, 0x81},  // bra +1; (psha never runs); rts
       {{0, 0}, {2, -1}, {3, 0}},
       {},
       false},
      {"a jump out of the routine ends the path (tail call)",
       {0x87, 0xCC, 0x40, 0x00, 0x86},  // psha; jmp $4000; (pula unreached)
       {{0, 0}, {1, 1}, {4, -1}},
       {},
       false},
      {"TXS: the depth after it is not known",
       {0x94, 0x87, 0x81},  // txs; psha; rts
       {{0, 0}, {1, -1}},
       {},
       false},
      {"an interrupt handler returns with RTI",
       {0x8B, 0x8A, 0x80},  // pshh; pulh; rti
       {{0, 0}, {1, 1}, {2, 0}},
       {},
       true},
      {"BSR is a call, not a jump",
       {0xAD, 0x02, 0x81, 0x9D, 0x81},  // bsr +2; rts; nop; rts
       {{0, 0}, {2, 0}},
       {2},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes code(c.code);
    const StackDepths d = depthsOf(code);
    for (const auto& [offset, depth] : c.depths) {
      const std::optional<int> got = d.depthAt(kOrigin + offset);
      if (depth < 0) {
        EXPECT_FALSE(got) << "offset " << offset;
      } else {
        ASSERT_TRUE(got) << "offset " << offset;
        EXPECT_EQ(*got, depth) << "offset " << offset;
      }
    }
    for (uint32_t offset : c.afterCall) EXPECT_TRUE(d.afterCall.count(kOrigin + offset)) << "offset " << offset;
    EXPECT_FALSE(d.afterCall.count(kOrigin)) << "the entry comes before any call";
    EXPECT_EQ(d.returnsFromInterrupt, c.interrupt);
  }
}

TEST(StackDepth, APathThatJoinsAfterACallMarksTheRestAsAfterACall) {
  // beq over a call: the code after the join is reached once without and once after the call.
  const Bytes code({0x27, 0x03, 0xCD, 0x30, 0x00, 0x86, 0x81});  // beq +3; jsr $3000; pula; rts
  const StackDepths d = depthsOf(code);
  EXPECT_TRUE(d.afterCall.count(kOrigin + 5));
  EXPECT_TRUE(d.afterCall.count(kOrigin + 6));
  EXPECT_FALSE(d.afterCall.count(kOrigin + 2));
}

}  // namespace
}  // namespace yav
