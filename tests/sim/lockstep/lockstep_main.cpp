// sim-lockstep: every opcode of both pages, in every addressing form, executed once from many
// random starting states in yav-sim's CPU and in shc08; A, H, X, SP, PC, CC and every byte the
// instruction could reach are compared after the step.
//
// usage: sim-lockstep [--seed N] [--cases N]     (N cases for each opcode; default 8)
// LOCKSTEP_KEEP=1 in the environment keeps shc08's command file and output in /tmp.
// Exit 0 when both agree (apart from the known shc08 faults), 1 on a difference, 77 when
// shc08 is not installed.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "known_differences.h"
#include "lockstep_case.h"
#include "model/hc08_opcodes.h"
#include "shc08_session.h"
#include "sim/cpu.h"
#include "sim/memory_map.h"

namespace yav::sim::lockstep {
namespace {

// Cases go to shc08 in batches of this size (one process each).
constexpr size_t kBatch = 4000;

// yav-sim's CPU on 64 KiB of plain RAM, one step from the case's state. The machine carries
// over from case to case, as shc08's does.
class YavMachine {
 public:
  YavMachine() : memory_(make_plain_ram()), cpu_(*memory_) {}
  Outcome run(const Case& c) {
    for (const auto& [a, v] : c.memory) memory_->program(a, v);
    const CpuState& s = c.before;
    cpu_.regs = Registers{s.a, static_cast<uint16_t>((s.h << 8) | s.x), s.sp, s.pc, s.cc};
    Outcome o;
    o.illegal = cpu_.step() == StopReason::illegal;
    const Registers& r = cpu_.regs;
    o.after = CpuState{r.a, static_cast<uint8_t>(r.hx >> 8), static_cast<uint8_t>(r.hx), r.cc, r.sp, r.pc};
    for (const uint16_t a : c.watched) o.memory[a] = memory_->peek(a);
    return o;
  }
  std::vector<uint8_t> snapshot() const {
    std::vector<uint8_t> bytes(0x10000);
    for (unsigned a = 0; a <= 0xFFFF; ++a) bytes[a] = memory_->peek(a);
    return bytes;
  }

 private:
  std::unique_ptr<MemoryMap> memory_;
  Cpu cpu_;
};

// The fields where the two outcomes differ.
unsigned differences(const Outcome& ours, const Outcome& theirs) {
  unsigned d = 0;
  if (ours.illegal != theirs.illegal) return kFieldIllegal;
  if (ours.illegal) return ours.after.pc != theirs.after.pc ? unsigned(kFieldPc) : 0u;
  const CpuState &a = ours.after, &b = theirs.after;
  if (a.a != b.a) d |= kFieldA;
  if (a.h != b.h) d |= kFieldH;
  if (a.x != b.x) d |= kFieldX;
  if (a.sp != b.sp) d |= kFieldSp;
  if (a.pc != b.pc) d |= kFieldPc;
  if (a.cc != b.cc) d |= kFieldCc;
  if (ours.memory != theirs.memory) d |= kFieldMemory;
  return d;
}

std::string outcome_text(const Outcome& o, const Case& c) {
  if (o.illegal) return "illegal opcode";
  std::string text = describe(o.after);
  for (const uint16_t a : c.watched) {
    const auto before = [&] {
      uint8_t v = 0;
      for (const auto& [at, b] : c.memory)
        if (at == a) v = b;
      return v;
    }();
    const uint8_t after = o.memory.at(a);
    if (after != before) {
      char buf[32];
      std::snprintf(buf, sizeof buf, " [%04x]=%02x", a, after);
      text += buf;
    }
  }
  return text;
}

struct Tally {
  size_t cases = 0, compared_opcodes = 0, illegal_opcodes = 0, differences = 0;
  std::map<const KnownDifference*, size_t> known;
};

void compare_batch(const std::vector<Case>& cases, const std::vector<Outcome>& theirs, YavMachine& yav, Tally& t) {
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const Outcome ours = yav.run(c);
    ++t.cases;
    unsigned d = differences(ours, theirs[i]);
    if (d == 0) continue;
    for (const KnownDifference& k : known_differences())
      if (k.applies(c) && (d & ~k.fields) == 0) {
        ++t.known[&k];
        d = 0;
        break;
      }
    if (d == 0) continue;
    if (++t.differences <= 40) {
      std::printf("DIFFERENCE %s\n  yav-sim %s\n  shc08   %s\n", describe(c).c_str(), outcome_text(ours, c).c_str(),
                  outcome_text(theirs[i], c).c_str());
    }
  }
}

int run(uint64_t seed, int per_opcode) {
  const auto shc08 = find_shc08();
  if (!shc08) {
    std::puts("SKIP: shc08 (Debian package sdcc-ucsim) is not installed");
    return 77;
  }
  std::vector<Case> all;
  Tally t;
  for (int page = 0; page < 2; ++page)
    for (int op = 0; op < 256; ++op) {
      const uint8_t b = static_cast<uint8_t>(op);
      if (page == 0 && b == hc08::kPrefix) continue;
      const hc08::Decoded d = page ? hc08::decode(hc08::kPrefix, b) : hc08::decode(b, 0);
      // An opcode the HCS08 does not have needs one case: both must refuse it.
      const int n = d.known() ? per_opcode : 1;
      (d.known() ? t.compared_opcodes : t.illegal_opcodes)++;
      for (int i = 0; i < n; ++i) all.push_back(make_case(seed, page == 1, b, i));
    }
  YavMachine yav;
  for (size_t start = 0; start < all.size(); start += kBatch) {
    const std::vector<Case> batch(all.begin() + static_cast<long>(start),
                                  all.begin() + static_cast<long>(std::min(all.size(), start + kBatch)));
    const Shc08Results theirs = run_in_shc08(*shc08, batch);
    if (!theirs.error.empty()) {
      std::printf("FAIL: %s\n", theirs.error.c_str());
      return 1;
    }
    const std::vector<uint8_t> before = yav.snapshot();
    compare_batch(batch, theirs.outcomes, yav, t);
    // No instruction writes outside the bytes its case watched (shc08's memory starts with
    // random contents, so this is yav-sim's own check).
    std::vector<bool> watched(0x10000);
    for (const Case& c : batch)
      for (const uint16_t a : c.watched) watched[a] = true;
    const std::vector<uint8_t> after = yav.snapshot();
    for (unsigned a = 0; a <= 0xFFFF; ++a)
      if (!watched[a] && after[a] != before[a] && ++t.differences <= 40)
        std::printf("DIFFERENCE yav-sim wrote %02x at %04x, which no case of the batch could reach\n", after[a], a);
  }
  std::printf("seed %llu: %zu cases, %zu opcodes in every addressing form compared, %zu opcodes the HCS08 "
              "does not have checked as illegal\n",
              static_cast<unsigned long long>(seed), t.cases, t.compared_opcodes, t.illegal_opcodes);
  for (const auto& [k, n] : t.known) std::printf("known shc08 difference, %zu cases: %s: %s\n", n, k->instruction, k->reason);
  std::printf("%zu differences\n", t.differences);
  return t.differences ? 1 : 0;
}

}  // namespace
}  // namespace yav::sim::lockstep

int main(int argc, char** argv) {
  uint64_t seed = 1;
  int per_opcode = 8;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--seed" || arg == "--cases") && i + 1 < argc) {
      char* end = nullptr;
      const unsigned long long v = std::strtoull(argv[++i], &end, 0);
      if (*end != '\0' || (arg == "--cases" && (v == 0 || v > 100000))) {
        std::fprintf(stderr, "sim-lockstep: bad value for %s\n", arg.c_str());
        return 2;
      }
      if (arg == "--seed") seed = v;
      else per_opcode = static_cast<int>(v);
    } else {
      std::fprintf(stderr, "usage: sim-lockstep [--seed N] [--cases N]\n");
      return 2;
    }
  }
  return yav::sim::lockstep::run(seed, per_opcode);
}
