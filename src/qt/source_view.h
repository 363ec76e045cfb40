// The text view "YAVWIN": a source file painted line by line with numbers, addresses, breakpoint
// marks, syntax colours, the execution line and the search match, over the model of
// ui/source_view_model. The main source window (host "YAVCHOST", title "Source") follows every
// stop; browser views ("Browser: " + file) show the file they were opened on.
#pragma once
#include <QAbstractScrollArea>
#include <functional>
#include <optional>
#include <string>

#include "qt/view_window.h"
#include "ui/source_view_model.h"

class QMenuBar;
class QAction;

namespace yav {

class SourceView;

// The painted lines, with the scroll bars and the mouse.
class SourceTextArea : public QAbstractScrollArea {
  Q_OBJECT
 public:
  SourceTextArea(SourceView& view, QWidget* parent);
  // Height of a line and width of a character cell.
  int lineHeight() const;
  int charWidth() const;
  // Brings the scroll bars in line with the model.
  void syncScrollBars();

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void scrollContentsBy(int dx, int dy) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void keyReleaseEvent(QKeyEvent*) override;

 private:
  void paintLine(QPainter& p, size_t line, int y);
  SourceHit hitAt(const QPoint& pos) const;
  SourceView& view_;
  std::optional<SourceHit> pressed_;
  bool wHeld_ = false;
};

class SourceView : public ViewWindow {
  Q_OBJECT
 public:
  // The main source window's view: shows where execution stopped.
  static SourceView* createMain(ViewServices& services, QWidget* parent = nullptr);
  // A browser view of `file` at `line` (0: its top); null when the file cannot be found.
  static SourceView* createBrowser(ViewServices& services, const std::string& file, int line, QWidget* parent = nullptr);

  SourceView(ViewServices& services, bool mainView, QWidget* parent = nullptr);

  void refresh(uint32_t viewBits) override;
  // 121 Print, 127 Find, 128 Find Next, 129 Cancel, 10014 addresses on/off.
  bool windowCommand(uint16_t id) override;
  // Shows `file` and makes `line` current and visible; false when it cannot be found.
  bool showFile(const std::string& file, int line);

  // The frame's path editor (command 440 by default), run when a file is not found and the user
  // agrees to change the path; the event editor for an event number (803).
  void setPathEditor(std::function<void()> editor) { pathEditor_ = std::move(editor); }
  void setEventEditor(std::function<void(int)> editor) { eventEditor_ = std::move(editor); }

  // A popup item acting on `line` and the expression picked there.
  void popupCommand(uint16_t id, size_t line, const std::string& expression);
  // A character typed into the view: the run shortcuts in the main view, a beep elsewhere.
  void typed(char c);

  const SourceViewModel& model() const { return model_; }
  SourceViewModel& model() { return model_; }
  SourceTextArea* textArea() const { return area_; }
  ViewServices& services() { return services_; }
  Kernel& kernel() { return services_.kernel(); }
  SourceOpen openOptions();

 private:
  void findDialog();
  void findNext();
  void updateTitle();

  SourceViewModel model_;
  SourceTextArea* area_ = nullptr;
  QMenuBar* menu_ = nullptr;
  QAction* addressAction_ = nullptr;
  std::function<void()> pathEditor_;
  std::function<void(int)> eventEditor_;
};

}  // namespace yav
