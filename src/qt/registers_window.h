// The registers window ("REGWIN", title "Registers", menu "GENERIC_MENU1"): the register lines
// with the changed ones marked; a double click on a line opens the update dialog of its
// register.
#pragma once
#include "qt/view_window.h"
#include "qt/window_text.h"
#include "ui/registers_view.h"

namespace yav {

class RegistersWindow : public ViewWindow {
 public:
  // Reads the registers first when the target is stopped.
  explicit RegistersWindow(ViewServices& s, QWidget* parent = nullptr);
  void refresh(uint32_t viewBits) override;
  // 119 Refresh (re-reads the registers), 118 Save, 121 Print.
  bool windowCommand(uint16_t id) override;
  // The update dialog for the register on `line`, then its `update` command line.
  void updateLine(int line);

  LineList* lines() const { return lines_; }
  const RegistersModel& model() const { return model_; }

 private:
  void show();
  RegistersModel model_;
  LineList* lines_;
};

ViewWindow* createRegistersWindow(ViewServices& s);

}  // namespace yav
