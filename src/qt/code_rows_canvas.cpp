#include "qt/code_rows_canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace yav {

int scrollLinesForKey(int key, int page) {
  const int pageLines = std::max(page - 1, 1);
  switch (key) {
    case Qt::Key_Down: return 1;
    case Qt::Key_Up: return -1;
    case Qt::Key_PageDown: return pageLines;
    case Qt::Key_PageUp: return -pageLines;
    default: return 0;
  }
}

CodeRowsCanvas::CodeRowsCanvas(ViewServices& services, const char* fontKey, QWidget* parent)
    : QWidget(parent), services_(services), fontKey_(fontKey) {
  setFont(services_.font(fontKey_));
  setFocusPolicy(Qt::ClickFocus);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void CodeRowsCanvas::show(const CodePaint& paint) {
  paint_ = paint;
  update();
}

int CodeRowsCanvas::lineHeight() const { return std::max(QFontMetrics(font()).height(), 1); }
int CodeRowsCanvas::charWidth() const { return std::max(QFontMetrics(font()).horizontalAdvance('0'), 1); }

int CodeRowsCanvas::rowCapacity() const { return std::max((height() + lineHeight() - 1) / lineHeight(), 1); }

void CodeRowsCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  const QFontMetrics fm(font());
  const int h = lineHeight(), cw = charWidth();
  const QColor text = palette().color(QPalette::Text);
  if (!paint_.message.empty()) {
    p.setPen(text);
    p.drawText(2, fm.ascent(), QString::fromStdString(paint_.message));
    return;
  }
  const int rest = CodeRow::kAddressColumns * cw;
  for (size_t i = 0; i < paint_.rows.size(); ++i) {
    const CodeRow& r = paint_.rows[i];
    const int y = static_cast<int>(i) * h;
    if (r.atPc) p.fillRect(QRect(rest, y, width() - rest, h), services_.colour("Instruction"));
    else if (r.inLineRange) p.fillRect(QRect(rest, y, width() - rest, h), services_.colour("Assembler"));
    if (r.event != EventMark::None)
      p.fillRect(QRect(0, y, rest, h), services_.colour(r.event == EventMark::Active ? "BkptOn" : "BkptOff"));
    p.setPen(text);
    const int base = y + fm.ascent();
    p.drawText(0, base, QString::fromStdString(r.addressText + "  " + r.bytesText));
    int x = CodeRow::kTextColumn * cw;
    p.setPen(services_.syntaxColouring() ? services_.colour("Assembler_Mnemonics") : text);
    p.drawText(x, base, QString::fromStdString(r.mnemonic));
    x += static_cast<int>(r.mnemonic.size()) * cw;
    p.setPen(text);
    p.drawText(x, base, QString::fromStdString(r.operand));
  }
}

CodeRowsCanvas::Click CodeRowsCanvas::clickAt(QMouseEvent* e, bool doubleClick) const {
  Click c;
  const QPoint pos = e->position().toPoint();
  c.row = pos.y() / lineHeight();
  c.column = pos.x() / charWidth();
  c.right = e->button() == Qt::RightButton;
  c.doubleClick = doubleClick;
  c.modifiers = e->modifiers();
  c.globalPos = e->globalPosition().toPoint();
  return c;
}

void CodeRowsCanvas::mousePressEvent(QMouseEvent* e) {
  if (onClick && (e->button() == Qt::RightButton || e->button() == Qt::LeftButton)) onClick(clickAt(e, false));
}

void CodeRowsCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
  if (onClick && e->button() == Qt::LeftButton) onClick(clickAt(e, true));
}

void CodeRowsCanvas::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

void CodeRowsCanvas::wheelEvent(QWheelEvent* e) {
  if (onScroll && e->angleDelta().y() != 0) onScroll(e->angleDelta().y() > 0 ? -3 : 3);
}

void CodeRowsCanvas::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_W && !e->isAutoRepeat()) wHeld = false;
  QWidget::keyReleaseEvent(e);
}

void CodeRowsCanvas::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_W) {
    wHeld = true;
    return;
  }
  const int lines = scrollLinesForKey(e->key(), rowCapacity());
  if (!onScroll || lines == 0) return QWidget::keyPressEvent(e);
  onScroll(lines);
}

}  // namespace yav
