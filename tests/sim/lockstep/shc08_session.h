// Runs cases in the reference simulator shc08 (Debian package sdcc-ucsim): one process for a
// batch of cases, driven by a command file, its printed state read back.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "lockstep_case.h"

namespace yav::sim::lockstep {

// The shc08 program on PATH, or nothing when it is not installed.
std::optional<std::string> find_shc08();

// The outcome of each case, in order; an error text instead when shc08 did not run or its
// output could not be read.
struct Shc08Results {
  std::vector<Outcome> outcomes;
  std::string error;
};
Shc08Results run_in_shc08(const std::string& shc08, const std::vector<Case>& cases);

}  // namespace yav::sim::lockstep
