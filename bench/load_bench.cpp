// Load time and memory for a large program, and the cost of the per-step lookups:
// load_bench FILE.s08   (make one with gen_big_object)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "model/loader.h"

namespace {
struct NullHost : yav::LoadHost {
  bool download(uint32_t, const uint8_t*, size_t, uint32_t, uint8_t) override { return true; }
};
long peakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: load_bench FILE\n");
    return 2;
  }
  const long before = peakKb();
  using clock = std::chrono::steady_clock;
  const auto t0 = clock::now();
  yav::Program prog;
  NullHost host;
  yav::LoadRequest req;
  req.path = argv[1];
  req.symbolsOnly = true;
  req.quiet = true;
  yav::LoadOutcome o = yav::loadProgramFile(prog, req, host);
  if (o.ok) o = yav::buildDebugTables(prog, host);
  if (o.ok) o = yav::checkConsistency(prog);
  prog.tables.buildIndexes();
  const auto t1 = clock::now();
  if (!o.ok) {
    std::fprintf(stderr, "load failed: %s\n", o.message.c_str());
    return 1;
  }
  size_t lines = 0;
  for (const auto& r : prog.tables.records) lines += r.kind == yav::rk::Line;
  const uint32_t lo = prog.tables.records.front().address, hi = prog.tables.records.back().address;
  const int kSteps = 1000000;
  unsigned found = 0;
  const auto t2 = clock::now();
  for (int i = 0; i < kSteps; ++i) {
    const uint32_t a = lo + static_cast<uint32_t>((static_cast<uint64_t>(i) * 2654435761u) % (hi - lo + 1));
    found += prog.tables.lineAt(a) != nullptr;
    found += prog.tables.functionAt(a) != nullptr;
  }
  const auto t3 = clock::now();
  const double loadMs = std::chrono::duration<double, std::milli>(t1 - t0).count();
  const double lookupNs = std::chrono::duration<double, std::nano>(t3 - t2).count() / kSteps;
  std::printf("files %zu, line records %zu, load %.1f ms, peak RSS +%ld KiB (%ld KiB total), "
              "line+function lookup %.0f ns per step (%u hits)\n",
              prog.tables.files.size(), lines, loadMs, peakKb() - before, peakKb(), lookupNs, found);
  return 0;
}
