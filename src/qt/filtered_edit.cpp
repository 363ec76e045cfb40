#include "qt/filtered_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace yav {

FilteredEdit::FilteredEdit(EditKind kind, QWidget* parent) : QLineEdit(parent), kind_(kind) {
  if (kind == EditKind::ReadOnly) setReadOnly(true);
}

void FilteredEdit::insertFiltered(const QString& text) {
  QString taken;
  bool refused = false;
  for (QChar ch : text) {
    const char c = ch.toLatin1();
    if (ch.unicode() < 0x100 && c != '\0' && editAccepts(kind_, c)) taken += ch;
    else refused = true;
  }
  if (!taken.isEmpty()) insert(taken);
  if (refused && editBeepsOnRefusal(kind_)) QApplication::beep();
}

void FilteredEdit::keyPressEvent(QKeyEvent* e) {
  if (kind_ != EditKind::ReadOnly && e->matches(QKeySequence::Paste)) {
    insertFiltered(QApplication::clipboard()->text());
    return;
  }
  const QString text = e->text();
  // Keys without text (arrows, Home...) and control characters keep their usual meaning.
  if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  if (kind_ == EditKind::ReadOnly) return;
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  insertFiltered(text);
}

}  // namespace yav
