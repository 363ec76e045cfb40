// Where shc08 is wrong about the HCS08: each known case with the reason, so that the lockstep
// comparison does not copy shc08's faults into the simulator.
#pragma once
#include <span>

#include "lockstep_case.h"

namespace yav::sim::lockstep {

// What a comparison looks at.
enum Field : unsigned { kFieldA = 1, kFieldH = 2, kFieldX = 4, kFieldSp = 8, kFieldPc = 16, kFieldCc = 32,
                        kFieldMemory = 64, kFieldIllegal = 128, kFieldAll = 255 };

struct KnownDifference {
  const char* instruction;
  bool (*applies)(const Case&);
  unsigned fields;  // the fields shc08 gets wrong in these cases
  const char* reason;
};

std::span<const KnownDifference> known_differences();

}  // namespace yav::sim::lockstep
