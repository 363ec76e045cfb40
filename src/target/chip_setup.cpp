#include "target/chip_setup.h"

#include "target/chip_target.h"
#include "target/link_loader.h"

namespace yav::target {

std::vector<ChipLibraryRecord> ChipSetup::chipLibraries() const { return targetState(k_).chipLibraries; }

std::string ChipSetup::chipName() const {
  const TargetState& t = targetState(k_);
  return t.currentChipLibrary >= 0 ? t.chipName : std::string();
}

bool ChipSetup::selectChip(std::string_view name) { return target::selectChip(k_, name); }

CableReport ChipSetup::cableReport() { return target::cableReport(k_); }

int ChipSetup::chipSetup(ChipSetupStep step) { return target::chipSetup(k_, static_cast<int>(step)); }

ConnectionSettings ChipSetup::connectionSettings() const { return targetState(k_).settings; }

void ChipSetup::setConnectionSettings(const ConnectionSettings& settings) { targetState(k_).settings = settings; }

}  // namespace yav::target
