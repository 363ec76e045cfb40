// The command window's edit pane "WINCMD": shows the command-window model's text and hands every
// key to the model.
#pragma once
#include <QPlainTextEdit>
#include <string_view>

#include "ui/command_window.h"

namespace yav {

class CommandEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  CommandEdit(CommandWindowModel& model, QWidget* parent = nullptr);

  // Follows one change of the model's text, then puts the caret where the model has it.
  void applySplice(size_t pos, size_t removed, std::string_view inserted);
  void placeCaret();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // The caret cannot be moved by the mouse, nor text dropped or pasted in.
  void mousePressEvent(QMouseEvent*) override { setFocus(); }
  void mouseReleaseEvent(QMouseEvent*) override {}
  void mouseDoubleClickEvent(QMouseEvent*) override {}
  void mouseMoveEvent(QMouseEvent*) override {}
  void contextMenuEvent(QContextMenuEvent*) override {}
  void inputMethodEvent(QInputMethodEvent*) override {}
  bool canInsertFromMimeData(const QMimeData*) const override { return false; }
  void insertFromMimeData(const QMimeData*) override {}

 private:
  CommandWindowModel& model_;
};


}  // namespace yav
