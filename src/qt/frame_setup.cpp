// The frame's Setup menu and what it keeps in the settings file: fonts and colours, the integer
// and variable formats, the load mode, key bindings with their menu texts, and the
// configuration save.
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>

#include "engine/kernel.h"
#include "qt/frame_window.h"
#include "qt/keybind_dialog.h"
#include "qt/view_kinds.h"
#include "ui/frame_commands.h"
#include "ui/option_settings.h"
#include "ui/preference_commands.h"

namespace yav {

namespace {

// The kernel's default integer radix for the Default Int Format items 460..463.
int radixOfIntFormat(uint16_t id) {
  switch (id) {
    case 461:
      return 1;  // octal
    case 462:
      return 2;  // hexadecimal
    case 463:
      return 4;  // binary
    default:
      return 0;  // decimal
  }
}

}  // namespace

void FrameWindow::applyStartSettings(const FrameStartSettings& st, const WindowRects& rects) {
  rects_ = rects;
  prefs_ = Preferences::read();
  if (st.varFormatCommand) setVarFormat(st.varFormatCommand);
  if (st.loadSymbolsOnly) setLoadMode(110);
  setIntFormat(st.intFormatCommand);
}

void FrameWindow::setSaveOnExit(bool on) {
  saveOnExit_ = on;
  setChecked(112, on);
}

void FrameWindow::setIntFormat(uint16_t id) {
  for (uint16_t m = 460; m <= 463; ++m) setChecked(m, m == id);
  k_.out.defaultRadix = radixOfIntFormat(id);
  writeDefIntFormat(id);
}

void FrameWindow::setVarFormat(uint16_t id) {
  varFormat_ = id;
  for (uint16_t m = 633; m <= 635; ++m) setChecked(m, m == id);
  writeVarFormat(id);
}

void FrameWindow::setLoadMode(uint16_t id) {
  symbolsOnly_ = id == 110;
  setChecked(109, !symbolsOnly_);
  setChecked(110, symbolsOnly_);
  const char* mode = symbolsOnly_ ? "(Symbols Only)" : "(Code and Symbols)";
  if (QAction* item = action(109)) {
    if (QMenu* sub = qobject_cast<QMenu*>(item->parent())) sub->setTitle(QString("Load &Options  ") + mode);
  }
  for (auto [it, end] = actions_.equal_range(101); it != end; ++it)
    if (it->second->parent() != static_cast<QObject*>(toolbar_)) it->second->setText(QString("&Load ") + mode);
}

void FrameWindow::chooseFont(uint16_t id) {
  const std::string_view key = fontKeyForCommand(id);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, prefs_.font(key.empty() ? "Source_Font" : key), this);
  if (!ok) return;
  for (size_t i = 0; i < kFontCount; ++i) {
    if (id != kCmdAllFonts && fontKeys()[i] != key) continue;
    prefs_.fonts.fonts[i] = specFromFont(chosen);
    prefs_.fonts.fromFile[i] = true;
  }
  scheduleRefresh(kViewAll);
}

void FrameWindow::chooseColour(uint16_t id) {
  const std::string_view key = colourKeyForCommand(id);
  const std::optional<size_t> index = colourIndex(key);
  if (!index) return beep();
  const QColor chosen = QColorDialog::getColor(prefs_.colour(key), this);
  if (!chosen.isValid()) return;
  prefs_.colours[*index] = rgbFromColour(chosen);
  scheduleRefresh(kViewAll);
}

std::string FrameWindow::menuText(uint16_t id) const {
  for (auto [it, end] = actions_.equal_range(id); it != end; ++it)
    if (it->second->parent() != static_cast<QObject*>(toolbar_)) return it->second->text().toStdString();
  return {};
}

MenuTextLookup FrameWindow::menuLookup() const {
  return [this](uint16_t id) -> std::optional<std::string> {
    std::string t = menuText(id);
    if (t.empty()) return std::nullopt;
    return t;
  };
}

void FrameWindow::applyMenuTextChanges(const std::vector<MenuTextChange>& changes) {
  for (const MenuTextChange& c : changes) {
    for (auto [it, end] = actions_.equal_range(c.id); it != end; ++it) {
      if (it->second->parent() == static_cast<QObject*>(toolbar_)) continue;
      it->second->setText(QString::fromStdString(menuTextWithKey(it->second->text().toStdString(), c.keyText)));
    }
  }
}

void FrameWindow::loadKeyBindings() {
  readKeyBindings(bindings_);
  applyMenuTextChanges(startMenuKeyTexts(bindings_, menuLookup()));
}

void FrameWindow::keyBindDialog() {
  KeyBindDialog d(bindings_, menuLookup());
  d.setReporter([this](const QString& text) { k_.ui->messageBox("Error", text.toStdString(), MsgIcon::Error); });
  if (execDialog(d) == QDialog::Accepted) applyMenuTextChanges(d.model().menuChanges());
}

LayoutSnapshot FrameWindow::layoutSnapshot() const {
  LayoutSnapshot l;
  auto state = [this](uint16_t showId) {
    QWidget* host = hostOfShowId(showId);
    if (!host) return WindowState::Closed;
    return host->isMinimized() ? WindowState::Minimised : WindowState::Open;
  };
  for (const LayoutKey& key : layoutKeys()) l.windows[static_cast<size_t>(key.window)] = state(key.showCommand);
  l.saveOnExit = saveOnExit_;
  l.arrangement = arrangement_;
  return l;
}

void FrameWindow::rememberWindowRects() {
  if (!isMinimized()) {
    const QRect g = isMaximized() ? normalGeometry() : geometry();
    rectOf(rects_, SavedWindow::Frame) = {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
  }
  for (const ViewKind& kind : viewKinds()) {
    if (kind.rectSection.empty()) continue;
    for (const SavedWindowKey& key : savedWindowKeys()) {
      if (key.section != kind.rectSection) continue;
      QWidget* host = hostOfShowId(kind.showId);
      if (!host) continue;
      const QRect g = host->geometry();
      rectOf(rects_, key.window) = {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
    }
  }
  if (cmdHost_) {
    const QRect g = cmdHost_->geometry();
    rectOf(rects_, SavedWindow::Command) = {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
  }
}

ConfigSnapshot FrameWindow::configurationSnapshot() const {
  ConfigSnapshot c;
  c.layout = layoutSnapshot();
  c.colours = prefs_.colours;
  c.fonts = prefs_.fonts;
  c.rects = rects_;
  c.sourcePath = k_.cmdfile.sourcePath;
  c.extensionPath = readExtensionPath();
  c.loadSymbolsOnly = symbolsOnly_;
  return c;
}

void FrameWindow::saveConfigurationNow() {
  rememberWindowRects();
  saveConfiguration(configurationSnapshot());
}

void FrameWindow::saveAtShutdown() {
  if (saveOnExit_) saveConfiguration(configurationSnapshot());
  writeKeyBindings(bindings_);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* event) {
  // Function keys bound to a command act wherever the focus is inside the frame (dialogs keep
  // theirs); an unbound key goes on as usual.
  if (event->type() == QEvent::KeyPress && !QApplication::activeModalWidget()) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && w->window() == this) {
      if (const int32_t id = boundCommandForKey(bindings_, key->key(), key->modifiers())) {
        command(static_cast<uint16_t>(id));
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace yav
