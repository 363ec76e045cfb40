// The whole Qt front-end in a test: the frame and its port on the simulated board, with a settings
// file of the test's own. Message boxes are recorded and closed as they open; modal dialogs go to
// `onDialog` through the frame.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/dispatcher.h"
#include "platform/ini.h"
#include "platform/program_dir.h"
#include "qt/frame_window.h"
#include "qt/qt_ui_port.h"
#include "target/chip_target.h"
#include "target/connection.h"
#include "support/temp_settings.h"

namespace yav::test {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = std::make_unique<TempSettings>("yav-frame-");
    dir_ = settings_->dir;
    platform::iniSet("OPTIONS", "RESETONCONNECT", "NO");
    session = std::make_unique<QtSession>();
    frame().resize(1100, 760);
    frame().show();
    frame().showCommandWindow(true);
    frame().startupDone();
    frame().onModalDialog = [this](QDialog& d) { return onDialog ? onDialog(d) : 0; };
    boxCloser_ = new QTimer(&frame());
    QObject::connect(boxCloser_, &QTimer::timeout, [this] { closeBoxes(); });
    boxCloser_->start(5);
  }
  void TearDown() override {
    session.reset();
    settings_.reset();
  }

  // The simulated board connected and the demo loaded; false (test skipped) without SDCC.
  bool loadDemo() {
    target::targetState(kernel()).libraryFolder = platform::programFolder();
    if (!target::connectTarget(kernel())) return false;
    demo_ = std::filesystem::path(platform::programFolder()) / "examples/demo";
    if (!std::filesystem::exists(demo_ / "demo.s08")) return false;
    run("path \"" + demo_.string() + "\"");
    run("load " + (demo_ / "demo.s08").string());
    return kernel().debugInfoLoaded;
  }
  void run(const std::string& line) { frame().runCommandLine(line); }
  // Lets queued refreshes and repaints happen.
  static void settle() { QTest::qWait(80); }

  FrameWindow& frame() { return *session->frame; }
  Kernel& kernel() { return session->kernel; }

  std::unique_ptr<QtSession> session;
  std::function<int(QDialog&)> onDialog;
  std::vector<std::string> boxes;  // "Title: text" of every message box shown
  std::unique_ptr<TempSettings> settings_;
  std::filesystem::path dir_, demo_;

 private:
  void closeBoxes() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
      box->done(QMessageBox::Ok);
    }
  }
  QTimer* boxCloser_ = nullptr;
};

}  // namespace yav::test
