#include "qt/window_text.h"

#include <QFontDatabase>
#include <QMenuBar>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "engine/kernel.h"
#include "qt/view_window.h"
#include "ui/text_file.h"
#include "ui/registers_view.h"

namespace yav {

QMenuBar* viewMenuBar(ViewWindow* view, std::string_view resource,
                      std::initializer_list<std::pair<uint16_t, const char*>> items) {
  auto* bar = new QMenuBar(view);
  bar->setObjectName(QString::fromUtf8(resource.data(), static_cast<int>(resource.size())));
  bar->setNativeMenuBar(false);
  for (const auto& [id, text] : items) {
    QAction* a = bar->addAction(QString::fromUtf8(text));
    a->setData(id);
    QObject::connect(a, &QAction::triggered, view, [view, id = id] { view->windowCommand(id); });
  }
  return bar;
}

LineList::LineList(QWidget* parent) : QListWidget(parent) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void LineList::setLines(const std::vector<std::string>& lines) {
  const int scroll = verticalScrollBar()->value();
  const bool sameCount = count() == static_cast<int>(lines.size());
  if (!sameCount) clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString text = QString::fromStdString(lines[i]);
    if (sameCount) {
      item(static_cast<int>(i))->setText(text);
    } else {
      addItem(text);
    }
  }
  if (sameCount) verticalScrollBar()->setValue(scroll);
}

void LineList::setMarked(int line, bool marked) {
  QListWidgetItem* it = item(line);
  if (!it) return;
  QFont f = font();
  f.setBold(marked);
  it->setFont(f);
  it->setForeground(marked ? QBrush(Qt::red) : QBrush());
  it->setData(Qt::UserRole, marked);
}

bool LineList::isMarked(int line) const {
  const QListWidgetItem* it = item(line);
  return it && it->data(Qt::UserRole).toBool();
}

LineList* layOutLineView(ViewWindow* view, const QFont& font, QMenuBar* menu, std::function<void(int)> open) {
  auto* layout = new QVBoxLayout(view);
  layout->setContentsMargins(0, 0, 0, 0);
  if (menu) layout->setMenuBar(menu);
  auto* lines = new LineList(view);
  lines->setFont(font);
  layout->addWidget(lines);
  QObject::connect(lines, &QListWidget::itemDoubleClicked, view,
                   [lines, open = std::move(open)](QListWidgetItem* it) { open(lines->row(it)); });
  return lines;
}

void saveViewText(ViewServices& s, std::string_view title, std::string_view filter, std::string_view extension,
                  const std::string& text) {
  const std::string path = s.saveFileName(title, filter, extension);
  if (path.empty()) return;
  const std::string error = writeTextFile(path, text);
  if (!error.empty()) s.kernel().ui->messageBox("Error", error, MsgIcon::Error);
}

void printViewText(ViewServices& s, std::string_view title, const std::string& text) {
  const std::string path = s.saveFileName(title, "PDF Files(*.pdf)", "pdf");
  if (path.empty()) return;
  QPdfWriter pdf(QString::fromStdString(path));
  pdf.setTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
  pdf.setPageSize(QPageSize(QPageSize::A4));
  QPainter p;
  if (!p.begin(&pdf)) {
    s.kernel().ui->messageBox("Error", "Can't PRINT " + path, MsgIcon::Error);
    return;
  }
  p.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const int lineHeight = p.fontMetrics().lineSpacing();
  const int pageHeight = p.viewport().height();
  const int tab = p.fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8;
  int y = lineHeight;
  std::vector<std::string> lines = splitLines(text);
  lines.insert(lines.begin(), {std::string(title), std::string()});
  for (const std::string& line : lines) {
    if (y > pageHeight - lineHeight) {
      pdf.newPage();
      y = lineHeight;
    }
    // Tabs advance to the next stop of eight columns.
    int x = 0;
    size_t start = 0;
    while (start <= line.size()) {
      const size_t end = std::min(line.find('\t', start), line.size());
      const QString piece = QString::fromStdString(line.substr(start, end - start));
      p.drawText(x, y, piece);
      x += p.fontMetrics().horizontalAdvance(piece);
      if (end == line.size()) break;
      x = (x / tab + 1) * tab;
      start = end + 1;
    }
    y += lineHeight;
  }
  p.end();
}

}  // namespace yav
