#include "target/chip_target.h"

#include <stdexcept>
#include <vector>

#include "engine/kernel_eval.h"
#include "model/straight_line.h"
#include "model/target_code.h"
#include "target/break_system.h"
#include "target/connection.h"
#include "target/target_menu.h"
#include "target/verify.h"

namespace yav::target {

bool ChipDownloader::begin() {
  clearBreakCounters(targetState(k_).breaks);
  if (!targetReady(k_)) return false;
  const ChipEntries& chip = targetState(k_).chip;
  if (chip.eminitload) chip.eminitload();
  return true;
}

bool ChipDownloader::block(const uint8_t* data, uint32_t address, size_t length, uint32_t second, uint8_t) {
  k_.ui->CursorWait();
  const bool ok = targetState(k_).chip.emload && loadMemory(k_, address, second, data, static_cast<int>(length));
  k_.ui->CursorStd();
  return ok;
}

void ChipDownloader::end() {
  const ChipEntries& chip = targetState(k_).chip;
  if (chip.emendload) chip.emendload();
}

namespace {

// Every chip target alive. The target layer's functions take the kernel; they find their state
// as the chip target that is the kernel's port, without asking the port for its type.
std::vector<ChipTarget*>& chipTargets() {
  static std::vector<ChipTarget*> all;
  return all;
}

ChipTarget* chipTargetOf(const Kernel& k) {
  const TargetPort* port = k.target.get();
  if (port == nullptr) return nullptr;
  for (ChipTarget* t : chipTargets())
    if (t == port) return t;
  return nullptr;
}

}  // namespace

ChipTarget::ChipTarget(Kernel& k) : k_(k), memory_(k), downloader_(k), setup_(k) { chipTargets().push_back(this); }

ChipTarget::~ChipTarget() { std::erase(chipTargets(), this); }

bool ChipTarget::connected() const { return state.ready(); }

bool ChipTarget::readRegisters(RegisterFile& out) {
  RegisterBlock b;
  if (!target::readRegisters(k_, b)) return false;
  out = toRegisterFile(b);
  return true;
}

bool ChipTarget::writeRegisters(const RegisterFile& in) {
  RegisterBlock b;
  // Keep the reserved byte as the target has it.
  if (!target::readRegisters(k_, b)) return false;
  toRegisterBlock(in, b);
  return target::writeRegisters(k_, b);
}

TargetMemory* ChipTarget::memory() { return state.connected ? &memory_ : nullptr; }

CodeDownloader* ChipTarget::downloader() { return state.connected ? &downloader_ : nullptr; }

bool ChipTarget::reset(int flag) {
  if (!targetReady(k_)) return false;
  resetTarget(k_, flag);
  return true;
}

bool ChipTarget::stop() { return haltTarget(k_); }

std::optional<int> ChipTarget::pin(const std::string& name, std::optional<int> level) {
  if (!connected() || state.chip.empin == nullptr) return std::nullopt;
  const int r = state.chip.empin(name.c_str(), level ? *level : -2);  // -2: read only
  if (r < 0) return std::nullopt;
  return r;
}

std::optional<double> ChipTarget::simulatedMicroseconds() {
  if (!connected() || state.chip.emtime == nullptr) return std::nullopt;
  double microseconds = 0;
  if (state.chip.emtime(nullptr, &microseconds) != 0) return std::nullopt;
  return microseconds;
}

void ChipTarget::loadBreaks(bool withActiveFunctions) { loadBreakList(k_, withActiveFunctions); }

void ChipTarget::loadFunctionBreaks(FunctionEntry& function) { target::loadFunctionBreaks(k_, function); }

bool ChipTarget::startCode() { return startTargetCode(k_); }

void ChipTarget::beginRunLoop() { target::beginRunLoop(k_); }

std::optional<uint32_t> ChipTarget::run(bool freeRun) { return runTarget(k_, freeRun); }

std::optional<TargetPort::DataHit> ChipTarget::dataBreakHit() {
  const std::optional<RunControl::DataHit>& hit = state.runControl.dataHit;
  if (!hit) return std::nullopt;
  return DataHit{hit->address, hit->access};
}

std::optional<std::string> ChipTarget::breakPlacementProblem() { return target::breakPlacementProblem(k_); }

bool ChipTarget::instructionStep() { return stepInstruction(k_); }

bool ChipTarget::straightLine(uint32_t from, uint32_t to) { return yav::straightLine(TargetCodeReader(memory()), from, to); }

bool ChipTarget::connect() { return connectTarget(k_); }

bool ChipTarget::reconnect() { return reconnectTarget(k_) == 1; }

void ChipTarget::shutdown() { shutdownTarget(k_); }

int ChipTarget::fatalExitCode() const { return state.fatalExitCode; }

std::string ChipTarget::menuTitle() const { return state.menuTitle; }

bool ChipTarget::handleTargetCommand(int id) { return target::handleTargetCommand(k_, id); }

std::optional<int> ChipTarget::resetCommandId() const { return kCmdReset; }

VerifyResult ChipTarget::verify(const VerifyRequest& request, const VerifyProgress& progress) {
  return verifyImage(k_, request, progress);
}

TargetSetup* ChipTarget::setup() { return &setup_; }

std::unique_ptr<TargetPort> makeTargetPort(Kernel& k) { return std::make_unique<ChipTarget>(k); }

TargetState& targetState(Kernel& k) {
  if (ChipTarget* chip = chipTargetOf(k)) return chip->state;
  if (k.target) throw std::logic_error("the kernel's target port is not the chip libraries'");
  auto chip = std::make_unique<ChipTarget>(k);
  TargetState& state = chip->state;
  k.target = std::move(chip);
  return state;
}

const TargetState& targetState(const Kernel& k) {
  if (const ChipTarget* chip = chipTargetOf(k)) return chip->state;
  static const TargetState defaults{};
  return defaults;
}

RegisterFile toRegisterFile(const RegisterBlock& b) {
  RegisterFile f;
  f.a = b.a();
  f.hx = static_cast<uint16_t>(b.h() << 8 | b.x());
  f.ppage = b.ppage();
  f.cc = b.cc();
  f.sp = b.sp();
  f.pc = b.pc();
  return f;
}

void toRegisterBlock(const RegisterFile& f, RegisterBlock& b) {
  b.bytes[0] = f.a;
  b.bytes[1] = static_cast<uint8_t>(f.hx & 0xFF);
  b.bytes[2] = static_cast<uint8_t>(f.hx >> 8);
  b.bytes[3] = f.ppage;
  b.bytes[4] = f.cc;
  b.setSp(f.sp);
  b.setPc(f.pc);
}

}  // namespace yav::target
