// The stack window ("STACKWIN", title "Stack", menu "GENERIC_MENU2"): one line per call frame,
// the selected frame marked; a double click opens the frame's source at its line.
#pragma once
#include "qt/view_window.h"
#include "qt/window_text.h"
#include "ui/stack_view.h"

namespace yav {

class StackWindow : public ViewWindow {
 public:
  explicit StackWindow(ViewServices& s, QWidget* parent = nullptr);
  void refresh(uint32_t viewBits) override;
  // 118 Save, 121 Print.
  bool windowCommand(uint16_t id) override;
  void openFrame(int line);

  LineList* lines() const { return lines_; }

 private:
  void show();
  StackModel model_;
  LineList* lines_;
};

ViewWindow* createStackWindow(ViewServices& s);

}  // namespace yav
