// The kernel's user-interface port in the adapter: output becomes output events, message boxes
// go to the request being served, questions take the default answer, and the run loop's pumping
// reads the editor's requests so that a pause stops the target.
#pragma once
#include "engine/ui_port.h"

namespace yav::dap {

class Session;

class DapUiPort : public UiPort {
 public:
  explicit DapUiPort(bool answerYes) : answerYes_(answerYes) {}
  void attach(Session* session) { session_ = session; }

  void output(std::string_view text) override;
  void messageBox(std::string_view title, std::string_view text, MsgIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  PumpResult pumpEvents() override;
  void executionStarts() override;
  void executionStopped(const StopRecord& stop) override;
  bool programOutput(std::string_view text) override;

 private:
  Session* session_ = nullptr;
  bool answerYes_;
};

}  // namespace yav::dap
