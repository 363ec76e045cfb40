// The console as a person uses it: the built program on a pseudo-terminal, keys typed one by one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "console_fixture.h"

namespace yav::test {
namespace {

namespace fs = std::filesystem;

class ConsoleOnTerminal {
 public:
  ConsoleOnTerminal(const fs::path& home) {
    const std::string ini = (home / "YAVKT55R.INI").string();
    const std::string program = demoProgram();
    pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      if (chdir(buildFolder().c_str()) != 0) _exit(126);
      setenv("TERM", "xterm", 1);
      setenv("YAV_INI", ini.c_str(), 1);
      setenv("NO_COLOR", "1", 1);
      execl(YAV_PROGRAM, "yav", "--console", program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ConsoleOnTerminal() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) close(fd_);
  }
  bool started() const { return pid_ > 0; }

  void type(std::string_view keys) {
    ASSERT_EQ(write(fd_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  // Reads the screen output until `text` has appeared after what was seen before; false after
  // the time limit or the end of the program.
  bool waitFor(std::string_view text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (true) {
      const size_t at = screen_.find(text, seen_);
      if (at != std::string::npos) {
        seen_ = at + text.size();
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buf[4096];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) return false;
      screen_.append(buf, static_cast<size_t>(n));
    }
  }
  // The prompt, and the line editor reading keys: it draws the prompt before it switches the
  // terminal out of line mode, and keys typed in between would be handled by the terminal.
  bool waitForPrompt() { return waitFor("Yav>") && waitForEditor(); }
  bool waitForEditor() {
    for (int i = 0; i < 2000; ++i) {
      termios t{};
      if (tcgetattr(fd_, &t) == 0 && !(t.c_lflag & ICANON)) return true;
      usleep(1000);
    }
    return false;
  }
  // Waits for the program to end; its exit status, or -1 when it did not end normally.
  int exitStatus() {
    char buf[4096];
    while (read(fd_, buf, sizeof buf) > 0) screen_.append(buf);  // drain until the terminal closes
    int status = 0;
    waitpid(pid_, &status, 0);
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void interruptProcess() { kill(pid_, SIGINT); }
  const std::string& screen() const { return screen_; }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  bool exited_ = false;
  std::string screen_;
  size_t seen_ = 0;
};

std::vector<std::string> fileLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

constexpr char kCtrlA = 1, kCtrlC = 3, kCtrlD = 4, kCtrlE = 5;

TEST(ConsoleOnTerminal, EditsCompletesInterruptsAndRecallsAcrossRuns) {
  ASSERT_TRUE(fs::exists(demoProgram())) << demoProgram();
  const fs::path home = fs::temp_directory_path() / ("yav-pty-" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  {
    ConsoleOnTerminal c(home);
    ASSERT_TRUE(c.started());
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    // "fact_r", to the start, "x ", to the end, Tab completes the global of main.c.
    c.type("fact_r");
    c.type(std::string(1, kCtrlA) + "x " + kCtrlE + "\t");
    ASSERT_TRUE(c.waitFor("esult ")) << c.screen();
    c.type("\r");
    ASSERT_TRUE(c.waitFor("fact_result")) << c.screen();
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    // Ctrl-C while a command runs stops it (a dump of 256 MiB would take minutes).
    c.type("dump 0,0xFFFFFFF\r");
    ASSERT_TRUE(c.waitFor("00010")) << c.screen().substr(0, 2000);
    c.type(std::string(1, kCtrlC));
    ASSERT_TRUE(c.waitForPrompt()) << c.screen().substr(c.screen().size() - std::min<size_t>(c.screen().size(), 2000));
    // So does Escape; what was typed meanwhile waits on the next line.
    c.type("dump 0,0xFFFFFFF\r");
    ASSERT_TRUE(c.waitFor("00010")) << c.screen().substr(0, 2000);
    c.type("rem typed ahead\033");
    ASSERT_TRUE(c.waitFor("Yav>rem typed ahead")) << c.screen().substr(c.screen().size() - std::min<size_t>(c.screen().size(), 2000));
    ASSERT_TRUE(c.waitForEditor());
    c.type("\r");
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    // Ctrl-C at the prompt drops the line being typed and shows a new prompt; so does a SIGINT
    // from outside.
    c.type("regs garbage");
    c.type(std::string(1, kCtrlC));
    ASSERT_TRUE(c.waitFor("^C")) << c.screen();
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    c.interruptProcess();
    usleep(200 * 1000);  // a new prompt, or none when the signal came between two reads
    ASSERT_TRUE(c.waitForEditor());
    c.type("rem still here\r");
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    // Ctrl-D on a line with text deletes under the cursor; on an empty line it quits.
    c.type(std::string("ab") + kCtrlA + kCtrlD + kCtrlD);
    c.type(std::string(1, kCtrlD));
    ASSERT_TRUE(c.waitFor("quit")) << c.screen();
    EXPECT_EQ(c.exitStatus(), 0);
    EXPECT_EQ(c.screen().find("unknown command"), std::string::npos) << c.screen();
    EXPECT_EQ(c.screen().find("not found"), std::string::npos) << c.screen();
  }
  EXPECT_EQ(fileLines(home / "yav_history"), (std::vector<std::string>{"x fact_result", "dump 0,0xFFFFFFF", "rem typed ahead", "rem still here"}));
  {
    ConsoleOnTerminal c(home);
    ASSERT_TRUE(c.waitForPrompt()) << c.screen();
    c.type("\033[A\033[A\033[A\033[A");  // Up four times: the first line typed in the first run
    ASSERT_TRUE(c.waitFor("x fact_result")) << c.screen();
    c.type("\r");
    ASSERT_TRUE(c.waitFor("fact_result")) << c.screen();
    c.type("quit\r");
    EXPECT_EQ(c.exitStatus(), 0);
  }
  EXPECT_EQ(fileLines(home / "yav_history"),
            (std::vector<std::string>{"x fact_result", "dump 0,0xFFFFFFF", "rem typed ahead", "rem still here",
                                      "x fact_result", "quit"}));
  fs::remove_all(home);
}

}  // namespace
}  // namespace yav::test
