#include "ui/memory_code_rows.h"

#include <algorithm>
#include <cstdlib>

#include "engine/code_view.h"
#include "engine/events.h"
#include "engine/kernel_eval.h"
#include "model/format.h"
#include "model/loader.h"
#include "model/target_code.h"
#include "ui/memory_data_rows.h"
#include "ui/memory_format.h"

namespace yav {

CodeRow readCodeRow(const CodeReader& code, const LabelList* labels, uint32_t address) {
  CodeRow row;
  row.address = address;
  row.addressText = rowAddressText(address);
  const Disassembly d = disassemble(code, address, labels);
  row.length = std::max(std::abs(d.length), 1);
  for (int i = 0; i < 6; ++i)
    row.bytesText += i < row.length ? fmtstr("%+02hi", code.read_byte(address + static_cast<uint32_t>(i))) : "  ";
  const size_t blank = d.text.find(' ');
  row.mnemonic = d.text.substr(0, blank);
  if (blank != std::string::npos) row.operand = d.text.substr(blank);
  return row;
}

std::vector<CodeRow> readCodeRows(const CodeReader& code, const LabelList* labels, uint32_t start, int count) {
  std::vector<CodeRow> rows;
  uint32_t address = start;
  for (int i = 0; i < count; ++i) {
    rows.push_back(readCodeRow(code, labels, address));
    address = (address + static_cast<uint32_t>(rows.back().length)) & 0x1FFFF;
  }
  return rows;
}

const Event* codeEventAt(Kernel& k, uint32_t address) {
  const SymbolTables& tables = k.prog.program->tables;
  for (const std::unique_ptr<Event>& e : eventState(k).list) {
    if (e->user == 0 || e->isData()) continue;
    if (e->kind == ev::Address || e->kind == ev::Symbol || e->kind == ev::Label) {
      if (e->addr == address) return e.get();
      continue;
    }
    if (e->kind != ev::Line) continue;
    for (const DebugRecord& r : tables.recordsAt(address)) {
      if (r.kind != rk::Line || !r.function) continue;
      if (lineEventHolds(*e, LinePlace{r.function->file, r.function, r.startLine, r.startLine}, r.startLine))
        return e.get();
    }
  }
  return nullptr;
}

AddressRange pcLineRange(Kernel& k) {
  if (!k.debugInfoLoaded) return {};
  const SymbolTables& tables = k.prog.program->tables;
  const uint32_t pc = currentPc(k);
  const DebugRecord* line = tables.lineAt(pc);
  if (!line) return {};
  // The next record with a higher address ends the range (a line, the function's end...).
  auto next = std::upper_bound(tables.records.begin(), tables.records.end(), line->address,
                               [](uint32_t a, const DebugRecord& r) { return a < r.address; });
  const uint32_t end = next != tables.records.end() ? next->address : pc + 1;
  return {line->address, std::max(end, pc + 1)};
}

void markCodeRows(Kernel& k, std::vector<CodeRow>& rows) {
  const uint32_t pc = currentPc(k);
  const AddressRange range = pcLineRange(k);
  for (CodeRow& row : rows) {
    row.atPc = row.address == pc;
    row.inLineRange = range.contains(row.address);
    const Event* e = codeEventAt(k, row.address);
    row.event = e ? (e->on ? EventMark::Active : EventMark::Suspended) : EventMark::None;
    row.eventNumber = e ? e->num : 0;
  }
}

CodePaint CodeRowsModel::paint(Kernel& k, int rowCount) {
  CodePaint out;
  if (k.exec.running) {
    out.message = kCantReadWhileRunning;
    return out;
  }
  if (!targetMemory(k)) {
    out.message = "No target connected";
    return out;
  }
  readAhead_.setTarget(targetMemory(k));
  readAhead_.fill(0, start_, readAheadBytes(rowCount, kMaxInstructionBytes));
  const TargetCodeReader code(&readAhead_);
  out.rows = readCodeRows(code, &programLabels(k), start_, rowCount);
  markCodeRows(k, out.rows);
  shown_.clear();
  for (const CodeRow& r : out.rows) shown_.push_back(r.address);
  return out;
}

}  // namespace yav
