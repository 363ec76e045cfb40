// Target code as text: the disassembler reading target memory, with the loaded program's labels
// for symbolic operands and the current PC for the listing's marker.
#include "engine/code_view.h"

#include <algorithm>
#include <vector>

#include "engine/kernel_eval.h"
#include "model/disasm.h"
#include "model/target_code.h"
#include "model/target_memory.h"

namespace yav {

namespace {

constexpr uint8_t kCodeLabelKind = 5;

// The program's labels by address, one per address (a code label when there is one there),
// without the debugger's variables. Rebuilt when the program or its label table changes.
class ProgramLabels : public LabelList {
 public:
  bool label_at_or_below(uint32_t value, std::string& name, uint32_t& address) const override {
    auto it = std::upper_bound(byAddress_.begin(), byAddress_.end(), value,
                               [](uint32_t v, const Entry& e) { return v < e.address; });
    if (it == byAddress_.begin()) return false;
    --it;
    name = it->name;
    address = it->address;
    return true;
  }

  // Makes the index match the program of `kernel`; `generation` changes whenever its labels
  // may have changed.
  void follow(const Kernel* kernel, const Program* program, size_t labelCount, uint32_t generation) {
    if (kernel == kernel_ && program == program_ && labelCount == labelCount_ && generation == generation_) return;
    kernel_ = kernel;
    program_ = program;
    labelCount_ = labelCount;
    generation_ = generation;
    build(program->labels);
  }

 private:
  struct Entry {
    uint32_t address;
    bool code;
    std::string name;
  };

  void build(const LabelTable& labels) {
    byAddress_.clear();
    for (const LabelEntry& e : labels.entries()) {
      if (e.isDebuggerVariable() || e.name.empty()) continue;
      byAddress_.push_back({e.value, e.kind == kCodeLabelKind, e.name});
    }
    // At one address the code label comes first, else the first label of the table.
    std::stable_sort(byAddress_.begin(), byAddress_.end(), [](const Entry& a, const Entry& b) {
      if (a.address != b.address) return a.address < b.address;
      return a.code && !b.code;
    });
    byAddress_.erase(std::unique(byAddress_.begin(), byAddress_.end(),
                                 [](const Entry& a, const Entry& b) { return a.address == b.address; }),
                     byAddress_.end());
  }

  const Kernel* kernel_ = nullptr;
  const Program* program_ = nullptr;
  size_t labelCount_ = 0;
  uint32_t generation_ = 0;
  std::vector<Entry> byAddress_;
};

}  // namespace

// Any state-changing command (a load among them) counts as a possible change of the labels,
// so a reload of a rebuilt program with as many labels as before never keeps the old addresses.
const LabelList& programLabels(Kernel& k) {
  static ProgramLabels labels;
  const Program* program = k.prog.program.get();
  labels.follow(&k, program, program->labels.size(), k.disp.commandCount);
  return labels;
}

std::string disassemblyLine(Kernel& k, uint32_t& address) {
  const TargetCodeReader code(targetMemory(k));
  ListingContext ctx;
  ctx.labels = &programLabels(k);
  ctx.current_pc = currentPc(k);
  std::string text = listing_line(code, address, ctx);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string instructionText(Kernel& k, uint32_t address) {
  const TargetCodeReader code(targetMemory(k));
  return disassemble(code, address, &programLabels(k)).text;
}

int instructionLength(Kernel& k, uint32_t address) {
  const TargetCodeReader code(targetMemory(k));
  uint8_t opcode = 0;
  int length = 0;
  if (!code.readable(address, opcode) || InstrInformation(code, address, &length, nullptr, nullptr) == 0) return 1;
  return std::max(length, 1);
}

}  // namespace yav
