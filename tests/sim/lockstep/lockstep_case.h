// One case of the lockstep comparison: a single instruction with a random starting state
// (registers, the bytes after the opcode and every byte the instruction may read or write).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace yav::sim::lockstep {

struct CpuState {
  uint8_t a = 0, h = 0, x = 0, cc = 0;
  uint16_t sp = 0, pc = 0;
};

struct Case {
  bool prefixed = false;
  uint8_t opcode = 0;
  int index = 0;  // the case number of this opcode (with the seed it rebuilds the case)
  CpuState before;
  std::vector<uint8_t> code;  // the instruction and the bytes after it
  // Bytes placed in memory before the step, in order (a later byte at the same address wins);
  // the instruction's own bytes come last.
  std::vector<std::pair<uint16_t, uint8_t>> memory;
  // Every address placed above, compared after the step.
  std::vector<uint16_t> watched;
};

// What one simulator left after the step.
struct Outcome {
  bool illegal = false;  // refused the opcode (then the state is not compared further)
  CpuState after;
  std::map<uint16_t, uint8_t> memory;  // the watched bytes
};

// Case `index` of an opcode for `seed`: the same arguments give the same case.
Case make_case(uint64_t seed, bool prefixed, uint8_t opcode, int index);

// "9e e6 #3 a=.. h=.. ..." for reports.
std::string describe(const Case& c);
std::string describe(const CpuState& s);

}  // namespace yav::sim::lockstep
