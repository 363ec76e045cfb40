// yav-sim: runs an S-record or Intel hex image on the simulated HCS08 and prints the final
// state in a form scripts can read.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/disasm.h"
#include "sim/cpu.h"
#include "sim/debug/debug_memory.h"
#include "sim/image_loader.h"
#include "sim/memory_map.h"
#include "sim/peripherals.h"

namespace {

std::optional<uint64_t> number(const std::string& s);

const char* const kUsage =
    "usage: yav-sim [--chip NAME] [--max N] [--until ADDR] [--dump ADDR,LEN]... [--trace]\n"
    "               [--console] [--disassemble ADDR,COUNT] [--pin NAME=LEVEL[@CYCLE]]...\n"
    "               [--irq-at CYCLE]... [--illegal-resets] [--input TEXT] FILE\n"
    "  FILE is S-records (S1/S2/S3) or Intel hex; chips: QE128, QG8, GENERIC (default)\n"
    "  --console prints what the program sent through the chip's console port\n"
    "  --pin drives a pin (PTA0..PTF7, IRQ) to 0 or 1 (or lets it go: -1) from the start\n"
    "        or at a bus cycle; --irq-at pulls the IRQ line low for one cycle at a bus cycle\n"
    "  --illegal-resets resets the chip on an illegal opcode instead of stopping\n"
    "  --input queues TEXT for the program at the console port (implies --console)\n";

// A pin change asked for on the command line.
struct PinDrive {
  std::string pin;
  int level = 0;
  uint64_t cycle = 0;
};

// "NAME=LEVEL" or "NAME=LEVEL@CYCLE".
std::optional<PinDrive> pin_drive(const std::string& s) {
  const size_t eq = s.find('='), at = s.find('@');
  if (eq == std::string::npos || eq == 0) return std::nullopt;
  PinDrive d;
  d.pin = s.substr(0, eq);
  const std::string level = s.substr(eq + 1, at == std::string::npos ? std::string::npos : at - eq - 1);
  if (level == "0" || level == "1" || level == "-1") d.level = std::stoi(level);
  else return std::nullopt;
  if (at != std::string::npos) {
    const auto cycle = number(s.substr(at + 1));
    if (!cycle) return std::nullopt;
    d.cycle = *cycle;
  }
  return d;
}

// Reads a whole argument as a number: 0x for hexadecimal, else decimal.
std::optional<uint64_t> number(const std::string& s) {
  if (s.empty()) return std::nullopt;
  const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
  const char* begin = s.c_str() + (hex ? 2 : 0);
  if (*begin == '\0' || *begin == '-' || *begin == '+' || *begin == ' ') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(begin, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return v;
}

// "A,B" into two numbers.
bool number_pair(const std::string& s, uint64_t& a, uint64_t& b) {
  const size_t comma = s.find(',');
  if (comma == std::string::npos) return false;
  const auto x = number(s.substr(0, comma)), y = number(s.substr(comma + 1));
  if (!x || !y) return false;
  a = *x;
  b = *y;
  return true;
}

class MemoryReader : public yav::CodeReader {
 public:
  explicit MemoryReader(const yav::sim::MemoryMap& m) : m_(m) {}
  uint8_t read_byte(uint32_t address) const override { return m_.peek(address); }

 private:
  const yav::sim::MemoryMap& m_;
};

int fail(const std::string& msg) {
  std::fprintf(stderr, "yav-sim: %s\n", msg.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string chip = "GENERIC", file;
  uint64_t max = 100000000;
  std::optional<uint16_t> until;
  std::vector<std::pair<uint32_t, uint32_t>> dumps;
  bool trace = false, console = false;
  std::optional<std::pair<uint32_t, uint32_t>> disassemble;
  std::vector<PinDrive> pins;
  bool illegal_resets = false;
  std::string input;

  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* what) -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      (void)what;
      return std::string(argv[++i]);
    };
    if (arg == "--chip") {
      const auto v = value("chip");
      if (!v) return fail("--chip needs a name\n" + std::string(kUsage));
      chip = *v;
    } else if (arg == "--max") {
      const auto v = value("max");
      const auto n = v ? number(*v) : std::nullopt;
      if (!n) return fail("--max needs a number of instructions");
      max = *n;
    } else if (arg == "--until") {
      const auto v = value("until");
      const auto n = v ? number(*v) : std::nullopt;
      if (!n || *n > 0xFFFF) return fail("--until needs an address from 0 to 0xffff");
      until = static_cast<uint16_t>(*n);
    } else if (arg == "--dump") {
      const auto v = value("dump");
      uint64_t a = 0, n = 0;
      if (!v || !number_pair(*v, a, n) || a > 0x1FFFF || n > 0x20000)
        return fail("--dump needs ADDR,LEN (for example 0x80,16)");
      dumps.emplace_back(static_cast<uint32_t>(a), static_cast<uint32_t>(n));
    } else if (arg == "--trace") {
      trace = true;
    } else if (arg == "--console") {
      console = true;
    } else if (arg == "--disassemble") {
      const auto v = value("disassemble");
      uint64_t a = 0, n = 0;
      if (!v || !number_pair(*v, a, n) || a > 0x1FFFF || n > 0x100000)
        return fail("--disassemble needs ADDR,COUNT (for example 0x8000,10)");
      disassemble = std::make_pair(static_cast<uint32_t>(a), static_cast<uint32_t>(n));
    } else if (arg == "--pin") {
      const auto v = value("pin");
      const auto d = v ? pin_drive(*v) : std::nullopt;
      if (!d) return fail("--pin needs NAME=LEVEL or NAME=LEVEL@CYCLE (for example PTA2=0@1000)");
      pins.push_back(*d);
    } else if (arg == "--irq-at") {
      const auto v = value("irq-at");
      const auto n = v ? number(*v) : std::nullopt;
      if (!n || *n == ~uint64_t{0}) return fail("--irq-at needs a number of bus cycles");
      pins.push_back(PinDrive{"IRQ", 0, *n});
      pins.push_back(PinDrive{"IRQ", -1, *n + 1});
    } else if (arg == "--input") {
      const auto v = value("input");
      if (!v) return fail("--input needs the text to send");
      input += *v;
      console = true;
    } else if (arg == "--illegal-resets") {
      illegal_resets = true;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!arg.empty() && arg[0] == '-') {
      return fail("unknown option " + arg + "\n" + kUsage);
    } else if (file.empty()) {
      file = arg;
    } else {
      return fail("only one FILE may be given\n" + std::string(kUsage));
    }
  }
  if (file.empty()) return fail(std::string("no FILE given\n") + kUsage);

  std::unique_ptr<yav::sim::MemoryMap> memory = yav::sim::make_chip(chip);
  if (!memory) {
    std::string names;
    for (const auto& n : yav::sim::chip_names()) names += " " + n;
    return fail("unknown chip " + chip + " (chips:" + names + ")");
  }
  // The console port needs the board's view of memory (slower on the port's page).
  yav::sim::DebugMemory* console_memory = nullptr;
  if (console) {
    auto wrapped = std::make_unique<yav::sim::DebugMemory>(std::move(memory), yav::sim::consolePortOf(chip));
    console_memory = wrapped.get();
    memory = std::move(wrapped);
    console_memory->receive(input.data(), static_cast<int>(input.size()));
  }
  const yav::sim::ImageLoad image = yav::sim::load_image_file(file);
  if (!image.ok) return fail(image.error);
  for (const auto& block : image.blocks) {
    for (size_t k = 0; k < block.bytes.size(); ++k) {
      const uint32_t a = block.address + static_cast<uint32_t>(k);
      if (!memory->program(a, block.bytes[k])) {
        char where[16];
        std::snprintf(where, sizeof where, "0x%x", a);
        return fail(file + ": no memory at " + where + " on chip " + chip);
      }
    }
  }

  yav::sim::Cpu cpu(*memory);
  cpu.reset();
  cpu.illegal_resets = illegal_resets;
  for (const PinDrive& d : pins)
    if (!cpu.peripherals().schedule(d.cycle, d.pin, d.level)) return fail("chip " + chip + " has no pin " + d.pin);
  const MemoryReader reader(*memory);

  if (disassemble) {
    yav::ListingContext ctx;
    ctx.current_pc = cpu.regs.pc;
    uint32_t at = disassemble->first;
    for (uint32_t n = 0; n < disassemble->second; ++n) std::fputs(yav::listing_line(reader, at, ctx).c_str(), stdout);
    return 0;
  }

  yav::sim::StopReason reason = yav::sim::StopReason::max;
  if (trace) {
    reason = yav::sim::StopReason::max;
    for (uint64_t n = 0; n < max; ++n) {
      if (until && cpu.regs.pc == *until) {
        reason = yav::sim::StopReason::until;
        break;
      }
      const yav::Disassembly d = yav::disassemble(reader, cpu.regs.pc, nullptr);
      std::printf("%04x  %s\n", cpu.regs.pc, d.text.c_str());
      reason = cpu.step();
      if (reason != yav::sim::StopReason::none) break;
      reason = yav::sim::StopReason::max;
    }
    if (reason == yav::sim::StopReason::max && until && cpu.regs.pc == *until) reason = yav::sim::StopReason::until;
  } else {
    reason = cpu.run(max, until);
  }

  const auto& r = cpu.regs;
  std::printf("regs: a=%02x hx=%04x sp=%04x pc=%04x ppage=%02x cc=%02x\n", r.a, r.hx, r.sp, r.pc, memory->ppage(), r.cc);
  std::printf("executed: %llu instructions, %llu cycles, stopped by %s\n",
              static_cast<unsigned long long>(cpu.instructions), static_cast<unsigned long long>(cpu.cycles),
              std::string(yav::sim::stop_reason_text(reason)).c_str());
  std::printf("time: %.3f us at %u Hz\n", cpu.microseconds(), cpu.peripherals().bus_hz());
  for (const auto& [addr, len] : dumps) {
    std::string line;
    char buf[16];
    std::snprintf(buf, sizeof buf, "dump %04x:", addr);
    line = buf;
    for (uint32_t k = 0; k < len; ++k) {
      std::snprintf(buf, sizeof buf, " %02x", memory->peek(addr + k));
      line += buf;
    }
    std::puts(line.c_str());
  }
  if (console_memory) {
    // One line each, as "console: TEXT"; a last line without its line end is shown too.
    std::string text = console_memory->consoleOut;
    if (!text.empty() && text.back() != '\n') text += '\n';
    for (size_t at = 0; at < text.size();) {
      const size_t end = text.find('\n', at);
      std::printf("console: %s\n", text.substr(at, end - at).c_str());
      at = end + 1;
    }
  }
  return 0;
}
