// The drawing of code rows (code memory windows and the disassembly window): address cells on
// the breakpoint colours, the PC's row and its line range on their colours, mnemonics in
// their colour. Reports clicks as a row index and a text column.
#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "qt/view_window.h"
#include "ui/memory_code_rows.h"

namespace yav {

// Lines a key scrolls a view of `page` rows: Up/Down one, Page Up/Page Down a page less one;
// 0 for other keys.
int scrollLinesForKey(int key, int page);

class CodeRowsCanvas : public QWidget {
 public:
  CodeRowsCanvas(ViewServices& services, const char* fontKey, QWidget* parent = nullptr);

  void show(const CodePaint& paint);
  const CodePaint& shown() const { return paint_; }
  // Rows the client area holds: its height divided by the line height, rounded up.
  int rowCapacity() const;
  int lineHeight() const;
  int charWidth() const;

  // A click: row index (may be past the rows shown), text column, the mouse button and keys.
  struct Click {
    int row = 0;
    int column = 0;
    bool right = false;
    bool doubleClick = false;
    Qt::KeyboardModifiers modifiers;
    QPoint globalPos;
  };
  std::function<void(const Click&)> onClick;
  std::function<void()> onResize;
  std::function<void(int)> onScroll;  // lines, positive: down
  bool wHeld = false;                 // the W key is down (a click then asks for a watchpoint)

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent*) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  Click clickAt(QMouseEvent* e, bool doubleClick) const;

  ViewServices& services_;
  const char* fontKey_;
  CodePaint paint_;
};

}  // namespace yav
