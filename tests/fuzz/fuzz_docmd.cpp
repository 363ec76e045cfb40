// Fuzzes the command entry point with arbitrary command lines, internal words enabled. Each
// input runs in a scratch folder, so that `record` and `input` write and read real files
// there: in lines that name them, '/' becomes '_' (but in "/C:"), which keeps every file name inside it.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/dispatcher.h"
#include "support/fake_ui_port.h"

namespace {

// Ends command files that run each other without end (each of them is finite, but a file
// that runs itself twice per line doubles the work at every level).
class BoundedUi : public yav::test::FakeUiPort {
 public:
  yav::PumpResult pumpEvents() override {
    if (++pumps > 5000 && kernel) kernel->disp.quitting = true;
    return FakeUiPort::pumpEvents();
  }
  yav::Kernel* kernel = nullptr;
  int pumps = 0;
};

bool names_a_file_command(const std::string& lower) {
  for (const char* word : {"record", "input", "output", "write", "fopen", "remove", "session", "layout"}) {
    if (lower.find(word) != std::string::npos) return true;
  }
  return false;
}

// Keeps every file name relative: each '/' becomes '_', but for the channel option "/C:".
void keep_names_inside(std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '/' && !(i + 2 < line.size() && (line[i + 1] | 0x20) == 'c' && line[i + 2] == ':')) line[i] = '_';
  }
}

// Runs each input inside a scratch folder of its own and comes back afterwards: libFuzzer
// reads corpus files by relative names between the inputs.
class InScratchFolder {
 public:
  InScratchFolder() : home_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (home_ < 0 || ::chdir(folder()) != 0) std::abort();
  }
  ~InScratchFolder() {
    if (::fchdir(home_) != 0) std::abort();
    ::close(home_);
  }

 private:
  static const char* folder() {
    static char name[] = "/tmp/yav-fuzz-docmd-XXXXXX";
    static const bool made = [] {
      if (!::mkdtemp(name)) std::abort();
      std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(name, ec);
      });
      return true;
    }();
    (void)made;
    return name;
  }
  int home_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InScratchFolder scratch;
  BoundedUi ui;
  yav::Kernel k(ui);
  ui.kernel = &k;
  k.disp.internals = size > 0 && (data[0] & 1);
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  // `quit` would end the fuzzing program itself, `sys` run the input as shell commands and
  // `pause` wait for as long as the input asks.
  for (const char* word : {"quit", "sys", "pause"}) {
    if (lower.find(word) != std::string::npos) return 0;
  }
  size_t start = 0;
  while (start <= text.size() && !k.disp.quitting) {
    size_t nl = text.find('\n', start);
    const size_t len = nl == std::string::npos ? std::string::npos : nl - start;
    std::string line = text.substr(start, len);
    if (names_a_file_command(lower.substr(start, len))) keep_names_inside(line);
    yav::runCommandLine(k, line.c_str(), 1);
    yav::docmd(k, line.c_str(), 0);
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return 0;
}
