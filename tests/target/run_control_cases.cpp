#include "target/run_control_cases.h"

#include <cstdio>
#include <stdexcept>

namespace yav::test {

namespace {

constexpr Need kMay = Need::MayBeUnknown;

// The demo (examples/demo): main fills the table from count (0 in the first round), walks the
// three shapes (corners (0,5), (10,25), (20,45), 3, 4 and 5 sides: perimeters 15, 140 and 325,
// 480 in all), then factorial(5) and average(table, 8); "demo " and the version 3 go out first.
std::vector<RunCase> demoCases() {
  return {
      {.program = "demo", .function = "main", .returns = false, .steppedInto = false},
      {.program = "demo", .function = "console_init"},
      {.program = "demo", .function = "shapes_init"},
      {.program = "demo", .function = "console_puts", .atStop = {{0, "*text", 'd', kMay}, {0, "text[4]", ' ', kMay}}},
      // The first character: text has already moved past it in console_puts.
      {.program = "demo", .function = "console_putc", .atStop = {{0, "c", 'd', kMay}, {1, "*text", 'e', kMay}}},
      {.program = "demo", .function = "console_putu", .atStop = {{0, "value", 3, kMay}}},
      {.program = "demo", .function = "fill_table", .atStop = {{0, "seed", 0, kMay}}},
      {.program = "demo", .function = "shapes_walk"},
      {.program = "demo",
       .function = "shapes_perimeter",
       .atStop = {{0, "s->sides", 3, kMay}, {0, "s->corner.y", 5, kMay}, {1, "total", 0}, {1, "s->sides", 3, kMay}}},
      {.program = "demo", .function = "factorial", .atStop = {{0, "n", 5, kMay}, {1, "perimeter", 480, kMay}}},
      // factorial(1), called from factorial(2) ... factorial(5), called from main.
      {.program = "demo",
       .function = "factorial",
       .hit = 5,
       .atStop = {{0, "n", 1, kMay},
                  {1, "n", 2, kMay},
                  {2, "n", 3, kMay},
                  {3, "n", 4, kMay},
                  {4, "n", 5, kMay},
                  {5, "perimeter", 480, kMay}}},
      // The table holds 0, 3, 6, ... (seed 0); n is the caller's static cell.
      {.program = "demo",
       .function = "average",
       .atStop = {{0, "n", 8}, {0, "values[1]", 3, kMay}, {1, "perimeter", 480, kMay}}},
  };
}

// Blinky (examples/blinky): the timer's tick interrupts main's wait; the button's interrupt
// needs the keyboard interrupt set up (done before the first tick) and PTA2 pulled low.
std::vector<RunCase> blinkyCases() {
  return {
      {.program = "blinky", .function = "main", .returns = false, .steppedInto = false},
      {.program = "blinky", .function = "tick", .steppedInto = false},
      {.program = "blinky", .function = "button", .prelude = {"go tick", "pin PTA2 0"}, .steppedInto = false},
  };
}

// The run-control program (tests/programs/runctl): main calls triple(7) through a pointer,
// weigh(-25, 4), sum_down(4) (parts 4096, 3072, 2048, 1024), combine(5, 300, 100000,
// &table[2]) with table {3, -7, 12, 40}, then SWI, whose handler calls clamp(1 * 200).
std::vector<RunCase> runctlCases() {
  return {
      {.program = "runctl", .function = "main", .returns = false, .steppedInto = false},
      {.program = "runctl", .function = "triple", .atStop = {{0, "c", 7, kMay}}},
      // weight is in the static cell the caller wrote; calls has not counted this call yet.
      {.program = "runctl", .function = "weigh", .atStop = {{0, "value", -25, kMay}, {0, "weight", 4}, {0, "calls", 0}}},
      {.program = "runctl", .function = "sum_down", .atStop = {{0, "n", 4, kMay}}},
      // sum_down(0), its four callers each holding here = n * 1024 on the stack.
      {.program = "runctl",
       .function = "sum_down",
       .hit = 5,
       .atStop = {{0, "n", 0, kMay},
                  {1, "here", 1024},
                  {1, "n", 1, kMay},
                  {2, "here", 2048},
                  {3, "here", 3072},
                  {4, "here", 4096},
                  {4, "n", 4, kMay}},
       .afterFinish = {{0, "here", 1024}, {1, "here", 2048}, {2, "here", 3072}, {3, "here", 4096}}},
      {.program = "runctl",
       .function = "combine",
       .atStop = {{0, "c", 5, kMay}, {0, "i", 300}, {0, "l", 100000}, {0, "*p", 12}, {0, "p[1]", 40}}},
      {.program = "runctl", .function = "on_swi", .steppedInto = false},
      {.program = "runctl", .function = "clamp", .atStop = {{0, "v", 200, kMay}}},
  };
}

const ProgramPlace kPlaces[] = {
    {"demo", "examples/demo"},
    {"blinky", "examples/blinky"},
    {"runctl", "tests/programs/runctl"},
};

}  // namespace

const std::vector<RunCase>& runCases() {
  static const std::vector<RunCase> cases = [] {
    std::vector<RunCase> all;
    for (auto part : {demoCases, blinkyCases, runctlCases})
      for (RunCase& c : part()) all.push_back(std::move(c));
    return all;
  }();
  return cases;
}

std::vector<RunCase> returningCases() {
  std::vector<RunCase> out;
  for (const RunCase& c : runCases())
    if (c.returns) out.push_back(c);
  return out;
}

std::vector<RunCase> steppedIntoCases() {
  std::vector<RunCase> out;
  for (const RunCase& c : runCases())
    if (c.returns && c.steppedInto) out.push_back(c);
  return out;
}

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.program << ":" << c.function << " passage " << c.hit; }

const ProgramPlace& programPlace(const std::string& program) {
  for (const ProgramPlace& p : kPlaces)
    if (program == p.program) return p;
  throw std::invalid_argument("no program " + program);
}

const char* breakKindName(BreakKind kind) {
  switch (kind) {
    case BreakKind::Symbol: return "symbol";
    case BreakKind::EntryLine: return "entryLine";
    case BreakKind::HeaderLine: return "headerLine";
    case BreakKind::Address: return "address";
  }
  return "?";
}

std::string breakCommand(BreakKind kind, const std::string& function, const std::string& file, uint32_t headerLine,
                         uint16_t entry, unsigned hit) {
  const std::string count = hit > 1 ? "/C:" + std::to_string(hit) + " " : "";
  char address[16];
  std::snprintf(address, sizeof address, "@0x%04X", entry);
  switch (kind) {
    case BreakKind::Symbol: return "b " + count + function;
    case BreakKind::EntryLine: return "b /e " + count + function + "()";
    case BreakKind::HeaderLine: return "b " + count + file + ":" + std::to_string(headerLine);
    case BreakKind::Address: return "b " + count + address;
  }
  return {};
}

}  // namespace yav::test
