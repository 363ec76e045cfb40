#include "shc08_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace yav::sim::lockstep {
namespace {

// Printed by `expression` before a case's commands and after its step.
constexpr long kCaseMark = 900000000, kStateMark = 800000000;
constexpr int kBytesPerLine = 16;

void write_commands(std::ostream& out, const std::vector<Case>& cases) {
  // After a reset shc08's first step only fetches the reset vector.
  out << "set mem rom 0xfffe 0x01 0x00\nset mem rom 0x0100 0x9d\nreset\nstep\n";
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    out << "expression " << kCaseMark + long(i) << "\n";
    for (const auto& [a, v] : c.memory) out << "set mem rom " << a << " " << unsigned(v) << "\n";
    const CpuState& s = c.before;
    out << "expression A=" << unsigned(s.a) << ",H=" << unsigned(s.h) << ",X=" << unsigned(s.x) << ",SP=" << s.sp
        << ",CC=" << unsigned(s.cc) << ",PC=" << s.pc << "\n";
    out << "step\nexpression " << kStateMark + long(i) << "\n";
    out << "expression (A<<8)|CC\nexpression (H<<8)|X\nexpression SP\nexpression PC\n";
    for (size_t k = 0; k < c.watched.size();) {
      size_t end = k;
      while (end + 1 < c.watched.size() && c.watched[end + 1] == c.watched[end] + 1) ++end;
      // Bytes only (a plain dump shows code it has seen run as instructions).
      out << "dump /h rom " << c.watched[k] << " " << c.watched[end] << " " << kBytesPerLine << "\n";
      k = end + 1;
    }
  }
  out << "quit\n";
}

bool number_line(const std::string& line, long& v) {
  const size_t digits = line.starts_with('-') ? 1 : 0;
  if (line.size() <= digits || line.find_first_not_of("0123456789", digits) != std::string::npos || line.size() > 12)
    return false;
  v = std::strtol(line.c_str(), nullptr, 10);
  return true;
}

// Reads the printed output back into one outcome per case.
std::string read_output(std::istream& in, const std::vector<Case>& cases, std::vector<Outcome>& outcomes) {
  static const std::regex dump(R"(^0x([0-9a-fA-F]{4,6})\s+((?:[0-9a-fA-F]{2}\s)+).*)");
  outcomes.assign(cases.size(), Outcome{});
  long current = -1;
  bool after_step = false;
  std::vector<long> values;
  std::string line;
  while (std::getline(in, line)) {
    long v = 0;
    if (number_line(line, v) && v >= kCaseMark && v < kCaseMark + long(cases.size())) {
      current = v - kCaseMark;
      after_step = false;
      values.clear();
      continue;
    }
    if (current < 0) continue;
    Outcome& o = outcomes[static_cast<size_t>(current)];
    if (!after_step) {
      if (line.find("Invalid instruction") != std::string::npos) o.illegal = true;
      if (number_line(line, v) && v == kStateMark + current) after_step = true;
      continue;
    }
    if (values.size() < 4 && number_line(line, v)) {
      values.push_back(v);
      if (values.size() == 4) {
        o.after.a = static_cast<uint8_t>(values[0] >> 8);
        o.after.cc = static_cast<uint8_t>(values[0]);
        o.after.h = static_cast<uint8_t>(values[1] >> 8);
        o.after.x = static_cast<uint8_t>(values[1]);
        o.after.sp = static_cast<uint16_t>(values[2]);
        // shc08 does not wrap the PC: a branch below 0 leaves it at -32. The chip's PC has 16
        // bits.
        o.after.pc = static_cast<uint16_t>(values[3]);
      }
      continue;
    }
    std::smatch m;
    if (values.size() == 4 && std::regex_match(line, m, dump)) {
      unsigned address = static_cast<unsigned>(std::stoul(m[1].str(), nullptr, 16));
      std::istringstream bytes(m[2].str());
      std::string b;
      const Case& c = cases[static_cast<size_t>(current)];
      // The bytes of a line, of the watched range (the text column after them may look like
      // hex digits too).
      int n = 0;
      while (n < kBytesPerLine && bytes >> b && std::binary_search(c.watched.begin(), c.watched.end(), static_cast<uint16_t>(address)) &&
             !o.memory.count(static_cast<uint16_t>(address))) {
        o.memory[static_cast<uint16_t>(address)] = static_cast<uint8_t>(std::stoul(b, nullptr, 16));
        ++address;
        ++n;
      }
    }
  }
  for (size_t i = 0; i < cases.size(); ++i)
    if (outcomes[i].memory.size() != cases[i].watched.size())
      return "shc08 output incomplete at case " + describe(cases[i]);
  return {};
}

}  // namespace

std::optional<std::string> find_shc08() {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const std::string candidate = (dir.empty() ? "." : dir) + "/shc08";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

Shc08Results run_in_shc08(const std::string& shc08, const std::vector<Case>& cases) {
  Shc08Results r;
  char dir[] = "/tmp/yav-lockstep-XXXXXX";
  if (!mkdtemp(dir)) {
    r.error = "cannot make a temporary directory";
    return r;
  }
  const std::string commands = std::string(dir) + "/commands", output = std::string(dir) + "/output";
  {
    std::ofstream out(commands);
    write_commands(out, cases);
  }
  const std::string run = "'" + shc08 + "' -t HCS08 -C '" + commands + "' </dev/null >'" + output + "' 2>&1";
  const int status = std::system(run.c_str());
  std::ifstream in(output);
  if (status != 0 && !in) r.error = "shc08 failed to run: " + run;
  else r.error = read_output(in, cases, r.outcomes);
  if (!std::getenv("LOCKSTEP_KEEP")) std::remove(commands.c_str());
  if (!std::getenv("LOCKSTEP_KEEP")) {
    std::remove(output.c_str());
    rmdir(dir);
  }
  return r;
}

}  // namespace yav::sim::lockstep
