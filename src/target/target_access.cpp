#include "target/target_access.h"

#include "engine/errors.h"
#include "target/chip_target.h"

namespace yav::target {

namespace {
constexpr uint32_t kLinearAddressRegs = 0x79;  // 0x79-0x7B, moved by reads of 0x7C/0x7D

bool coversLinearData(uint32_t address, int length) {
  if (address > 0xFFFF || length <= 0) return false;
  const uint32_t last = address + static_cast<uint32_t>(length) - 1;
  return address <= 0x7D && last >= 0x7C;
}
}  // namespace

uint32_t readAddress(uint32_t address, int memorySpace) {
  return (memorySpace == 1 && address < 0x4000) ? (address | kDirectAccess) : address;
}

uint32_t writeAddress(uint32_t address, int memorySpace) {
  return memorySpace == 2 ? (address | kDirectAccess) : address;
}

uint32_t loadAddress(uint32_t address, uint32_t secondAddress) {
  return (address < 0x4000 && secondAddress != 0 && secondAddress != address) ? (address | kDirectAccess)
                                                                                : address;
}

bool targetReady(Kernel& k) {
  if (targetState(k).ready()) return true;
  errmsg(k, {"No target connected"});
  return false;
}

bool linkCheck(Kernel& k) {
  TargetState& t = targetState(k);
  if (!t.cableLoaded || t.cable.read_status() != 0xFF) return true;
  errshown(k);  // the link was lost: an error, whatever the answer
  if (!k.ui->askYesNo("Error", "BDM connection lost \n Do you want to reset the Chip ? ")) return false;
  t.cable.drive_bgnd_low();
  k.ui->messageBox("Info", "CYCLE POWER ", MsgIcon::Info);
  t.cable.drive_bgnd_tristate();
  t.cable.force_background_mode();
  return true;
}

bool readRegisters(Kernel& k, RegisterBlock& regs) {
  if (!targetReady(k)) return false;
  linkCheck(k);  // a refusal only matters at connection: the read goes on
  return targetState(k).chip.getregs(regs.bytes) == 0;
}

bool writeRegisters(Kernel& k, const RegisterBlock& regs) {
  if (!targetReady(k)) return false;
  return targetState(k).chip.putregs(regs.bytes) == 0;
}

bool readMemory(Kernel& k, uint32_t address, uint8_t* buffer, int length) {
  if (!targetReady(k)) return false;
  const ChipEntries& c = targetState(k).chip;
  uint8_t saved[3];
  const bool keepLinear = coversLinearData(address, length);
  if (keepLinear && c.emget(saved, kLinearAddressRegs | kDirectAccess, 3) != 0) return false;
  const int rc = c.emget(buffer, readAddress(address, targetState(k).memorySpace), length);
  if (keepLinear) c.emset(saved, kLinearAddressRegs | kDirectAccess, 3);
  return rc == 0;
}

bool writeMemory(Kernel& k, uint32_t address, const uint8_t* buffer, int length) {
  if (!targetReady(k)) return false;
  return targetState(k).chip.emset(buffer, writeAddress(address, targetState(k).memorySpace), length) == 0;
}

bool loadMemory(Kernel& k, uint32_t address, uint32_t secondAddress, const uint8_t* buffer, int length) {
  if (!targetReady(k)) return false;
  return targetState(k).chip.emload(buffer, loadAddress(address, secondAddress), length) == 0;
}

bool ChipMemory::read(uint8_t space, uint32_t address, std::span<uint8_t> out) {
  const int saved = targetState(k_).memorySpace;
  targetState(k_).memorySpace = space;
  const bool ok = readMemory(k_, address, out.data(), static_cast<int>(out.size()));
  targetState(k_).memorySpace = saved;
  return ok;
}

bool ChipMemory::write(uint8_t space, uint32_t address, std::span<const uint8_t> bytes) {
  const int saved = targetState(k_).memorySpace;
  targetState(k_).memorySpace = space;
  const bool ok = writeMemory(k_, address, bytes.data(), static_cast<int>(bytes.size()));
  targetState(k_).memorySpace = saved;
  return ok;
}

}  // namespace yav::target
