// A front-end for tests: records output, status texts, message boxes and questions.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/stop_record.h"
#include "engine/ui_port.h"

namespace yav::test {

class FakeUiPort : public UiPort {
 public:
  void output(std::string_view text) override { out += text; }
  void LeftStatus(std::string_view t) override {
    status[0] = t;
    leftStatusLog.emplace_back(t);
  }
  void MiddleStatus(std::string_view t) override { status[1] = t; }
  void RightStatus(std::string_view t) override { status[2] = t; }
  void WinStatGauge(bool on, uint32_t total) override {
    gaugeOn = on;
    gaugeTotal = total;
    gaugeDone = 0;
  }
  void WinStatGaugeAdd(uint32_t n) override { gaugeDone += n; }
  void messageBox(std::string_view title, std::string_view text, MsgIcon) override {
    boxes.push_back(std::string(title) + ": " + std::string(text));
  }
  bool askYesNo(std::string_view title, std::string_view text) override {
    questions.push_back(std::string(title) + ": " + std::string(text));
    return answer;
  }
  void beep() override { ++beeps; }
  void refreshViews(uint32_t bits) override { refreshed.push_back(bits); }
  PumpResult pumpEvents() override {
    PumpResult r = nextPump;
    nextPump = {};
    if (stopAfterPumps > 0 && --stopAfterPumps == 0) r.stop = true;  // Escape pressed later on
    return r;
  }
  void requestClose() override { closeRequested = true; }
  void targetMenuTitle(std::string_view title) override { menuTitle = title; }
  void enableCommand(uint16_t id, bool enabled) override { commandEnabled.emplace_back(id, enabled); }
  void showExecutionPoint(std::string_view place) override { stops.emplace_back(place); }
  void executionStopped(const StopRecord& stop) override { stopRecords.push_back(stop); }
  std::vector<StopRecord> stopRecords;  // every run's record, in order
  void executionStarts() override { ++executions; }

  std::string out;
  std::string status[3];
  std::vector<std::string> leftStatusLog, stops;
  int executions = 0;
  bool gaugeOn = false;
  uint32_t gaugeTotal = 0, gaugeDone = 0;
  std::vector<std::string> boxes, questions;
  std::vector<uint32_t> refreshed;
  bool answer = true;
  int beeps = 0;
  PumpResult nextPump;
  int stopAfterPumps = 0;
  bool closeRequested = false;
  std::string menuTitle;
  std::vector<std::pair<uint16_t, bool>> commandEnabled;
};

}  // namespace yav::test
