#include "dap/dap_ui_port.h"

#include "dap/dap_session.h"

namespace yav::dap {

void DapUiPort::output(std::string_view text) {
  if (session_) session_->output(text, "console");
}

void DapUiPort::messageBox(std::string_view title, std::string_view text, MsgIcon icon) {
  if (!session_) return;
  if (icon == MsgIcon::Error) return session_->errorShown(text);
  std::string line = std::string(title) + ": " + std::string(text);
  while (!line.empty() && line.back() == '\n') line.pop_back();
  session_->output(line + "\n", "console");
}

bool DapUiPort::askYesNo(std::string_view title, std::string_view text) {
  std::string line = std::string(title) + ": " + std::string(text);
  while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
  if (session_) session_->output(line + (answerYes_ ? " [yes]\n" : " [no]\n"), "console");
  return answerYes_;
}

PumpResult DapUiPort::pumpEvents() {
  PumpResult r;
  if (session_) r.stop = session_->pumpWhileRunning();
  return r;
}

bool DapUiPort::programOutput(std::string_view text) {
  if (!session_) return false;
  session_->output(text, "stdout");
  return true;
}

void DapUiPort::executionStopped(const StopRecord& stop) {
  if (session_) session_->executionStopped(stop);
}

void DapUiPort::executionStarts() {
  if (session_) session_->executionStarts();
}

}  // namespace yav::dap
