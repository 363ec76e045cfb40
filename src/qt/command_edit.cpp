#include "qt/command_edit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace yav {

namespace {
struct KeyMap {
  int qtKey;
  CmdKey key;
};
constexpr KeyMap kKeys[] = {
    {Qt::Key_Left, CmdKey::Left},         {Qt::Key_Right, CmdKey::Right},       {Qt::Key_Up, CmdKey::Up},
    {Qt::Key_Down, CmdKey::Down},         {Qt::Key_Backspace, CmdKey::Backspace}, {Qt::Key_Return, CmdKey::Enter},
    {Qt::Key_Enter, CmdKey::Enter},       {Qt::Key_PageUp, CmdKey::PageUp},     {Qt::Key_PageDown, CmdKey::PageDown},
    {Qt::Key_Home, CmdKey::Home},         {Qt::Key_End, CmdKey::End},
};
}  // namespace

CommandEdit::CommandEdit(CommandWindowModel& model, QWidget* parent) : QPlainTextEdit(parent), model_(model) {
  setObjectName("WINCMD");
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setTabChangesFocus(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setCursorWidth(2);
}

void CommandEdit::applySplice(size_t pos, size_t removed, std::string_view inserted) {
  QTextCursor c(document());
  c.setPosition(static_cast<int>(pos));
  c.setPosition(static_cast<int>(pos + removed), QTextCursor::KeepAnchor);
  c.insertText(QString::fromLatin1(inserted.data(), static_cast<qsizetype>(inserted.size())));
  placeCaret();
}

void CommandEdit::placeCaret() {
  QTextCursor c = textCursor();
  c.setPosition(std::min(static_cast<int>(model_.caret()), document()->characterCount() - 1));
  setTextCursor(c);
  ensureCursorVisible();
}

void CommandEdit::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return e->ignore();  // the frame's function keys
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return e->ignore();
  for (const KeyMap& m : kKeys) {
    if (m.qtKey == key) {
      model_.pressKey(m.key);
      return e->accept();
    }
  }
  if (key == Qt::Key_Escape) return e->ignore();
  const QString text = e->text();
  if (text.isEmpty()) return e->ignore();
  for (QChar ch : text) {
    if (ch.unicode() > 0xFF || ch.unicode() < 0x20 || ch.unicode() == 0x7F) {
      if (ch != u'\t') {
        QApplication::beep();
        continue;
      }
    }
    model_.typeChar(static_cast<char>(ch.unicode()));
  }
  e->accept();
}

}  // namespace yav
