// Views tested alone: the demo program loaded on the simulated board, and the frame's services
// answered by a small stand-in that records what a view asked for. Each test has its own
// settings file. The frame's own tests cover the real services.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialog>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/dispatcher.h"
#include "engine/kernel.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "qt/view_window.h"
#include "support/demo_board_fixture.h"
#include "support/fake_ui_port.h"
#include "support/temp_settings.h"
#include "target/chip_target.h"
#include "target/connection.h"

namespace yav::test {

class RecordingViewServices : public ViewServices {
 public:
  explicit RecordingViewServices(Kernel& k) : k_(k) {}
  Kernel& kernel() override { return k_; }
  void runCommandLine(const std::string& line) override {
    lines.push_back(line);
    if (busy) {
      ++beeps;
      return;
    }
    yav::runCommandLine(k_, line.c_str(), 1);
  }
  void frameCommand(uint16_t id) override { commands.push_back(id); }
  QColor colour(std::string_view key) const override {
    auto it = colours.find(std::string(key));
    return it == colours.end() ? QColor(Qt::red) : it->second;
  }
  QFont font(std::string_view) const override { return QFont("Monospace", 10); }
  bool syntaxColouring() const override { return colouring; }
  bool showAddresses() const override { return addresses; }
  void showSource(const std::string& file, int line) override { sources.emplace_back(file, line); }
  std::string saveFileName(std::string_view, std::string_view, std::string_view) override { return saveAnswer; }
  std::string openFileName(std::string_view, std::string_view) override { return openAnswer; }
  // A dialog is shown, handed to `onDialog` (which fills and accepts or rejects it), and closed.
  int execDialog(QDialog& d) override {
    ++dialogs;
    if (onDialog) return onDialog(d);
    return QDialog::Rejected;
  }
  void beep() override { ++beeps; }

  std::vector<std::string> lines;
  std::vector<uint16_t> commands;
  std::vector<std::pair<std::string, int>> sources;
  std::map<std::string, QColor> colours;
  std::function<int(QDialog&)> onDialog;
  std::string saveAnswer, openAnswer;
  bool busy = false, colouring = true, addresses = true;
  int beeps = 0, dialogs = 0;

 private:
  Kernel& k_;
};

// The demo on the simulated board, stopped nowhere yet, with the frame's services recorded.
class DemoViewTest : public DemoBoardTest {
 protected:
  RecordingViewServices services{k};
};

}  // namespace yav::test
