// Object files from arbitrary bytes: the whole load, debug tables included.
#include <cstddef>
#include <cstdint>

#include "model/loader.h"
#include "model/symbols_lookup.h"

namespace {
struct NullHost : yav::LoadHost {
  bool download(uint32_t, const uint8_t*, size_t, uint32_t, uint8_t) override { return true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  yav::Program prog;
  NullHost host;
  yav::LoadRequest req;
  auto src = std::make_shared<yav::MemorySource>(data, size);
  yav::LoadOutcome o = yav::loadObject(prog, src, req, host);
  if (o.ok) o = yav::buildDebugTables(prog, host);
  if (o.ok) o = yav::checkConsistency(prog);
  if (!o.ok) return 0;
  prog.tables.buildIndexes();
  for (const auto& f : prog.tables.files) {
    for (const auto& fn : f->functions) {
      (void)fn->argumentList();
      (void)prog.tables.GetLineMatch(f.get(), fn->firstLine);
      (void)prog.tables.functionAt(fn->address());
      (void)prog.tables.lineAt(fn->address());
      for (const auto& s : fn->locals) (void)yav::declarationText(s);
    }
  }
  (void)yav::definesDisplay(prog.tables);
  return 0;
}
