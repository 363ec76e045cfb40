// The Setup dialog's side of the chip target: the chip libraries found, the chip choice, the
// cable's report, the chip library's part of the dialog and the connection settings.
#pragma once
#include "engine/kernel.h"
#include "engine/target_setup.h"

namespace yav::target {

class ChipSetup : public TargetSetup {
 public:
  explicit ChipSetup(Kernel& k) : k_(k) {}

  std::vector<ChipLibraryRecord> chipLibraries() const override;
  std::string chipName() const override;
  bool selectChip(std::string_view name) override;
  CableReport cableReport() override;
  int chipSetup(ChipSetupStep step) override;
  ConnectionSettings connectionSettings() const override;
  void setConnectionSettings(const ConnectionSettings& settings) override;

 private:
  Kernel& k_;
};

}  // namespace yav::target
