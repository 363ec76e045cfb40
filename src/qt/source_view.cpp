#include "qt/source_view.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "engine/output.h"
#include "qt/source_dialogs.h"
#include "ui/c_markup.h"
#include "ui/source_keys.h"

namespace yav {

namespace {

constexpr uint16_t kPrint = 121, kFind = 127, kFindNext = 128, kCancelSearch = 129, kShowAddress = 10014;
constexpr uint16_t kPathEditor = 440;

// Settings key of the colour of a token class; empty for the text colour.
std::string_view colourKey(uint8_t tokenClass) {
  switch (tokenClass) {
    case tokenclass::Keyword: return "C_Keyword";
    case tokenclass::Library: return "C_Library";
    case tokenclass::Comment: return "Comments";
    case tokenclass::Preprocessor: return "Preprocessor";
    case tokenclass::Define: return "Defines";
    case tokenclass::Typedef: return "Typedefs";
    default: return {};
  }
}

QString latin1(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// Builds a popup from its items; each action carries its id.
QMenu* popupMenu(QWidget* parent, const char* name, std::span<const SourcePopupItem> items) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(name);
  for (const SourcePopupItem& item : items) {
    if (item.id == 0) {
      menu->addSeparator();
      continue;
    }
    menu->addAction(latin1(item.text))->setData(item.id);
  }
  return menu;
}

}  // namespace

// ---- the painted lines

SourceTextArea::SourceTextArea(SourceView& view, QWidget* parent) : QAbstractScrollArea(parent), view_(view) {
  viewport()->setObjectName("YAVWIN_TEXT");
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
}

int SourceTextArea::lineHeight() const { return std::max(1, QFontMetrics(view_.services().font("Source_Font")).height()); }
int SourceTextArea::charWidth() const {
  return std::max(1, QFontMetrics(view_.services().font("Source_Font")).horizontalAdvance(QLatin1Char('M')));
}

void SourceTextArea::syncScrollBars() {
  SourceViewModel& m = view_.model();
  const int cw = charWidth();
  m.setVisibleLines(static_cast<size_t>(std::max(1, viewport()->height() / lineHeight())));
  const int visibleColumns = std::max(1, viewport()->width() / cw - m.prefix().columns());
  m.scrollTo(m.firstLine());  // the last page stays full
  QSignalBlocker v(verticalScrollBar()), h(horizontalScrollBar());
  verticalScrollBar()->setRange(0, static_cast<int>(m.lineCount() > m.visibleLines() ? m.lineCount() - m.visibleLines() : 0));
  verticalScrollBar()->setPageStep(static_cast<int>(m.visibleLines()));
  verticalScrollBar()->setValue(static_cast<int>(m.firstLine()));
  horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(m.longestLine()) - visibleColumns));
  horizontalScrollBar()->setPageStep(visibleColumns);
  horizontalScrollBar()->setValue(static_cast<int>(m.firstColumn()));
  viewport()->update();
}

void SourceTextArea::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  syncScrollBars();
}

void SourceTextArea::scrollContentsBy(int, int) {
  view_.model().scrollTo(static_cast<size_t>(verticalScrollBar()->value()));
  view_.model().scrollColumns(static_cast<size_t>(horizontalScrollBar()->value()));
  viewport()->update();
}

void SourceTextArea::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.setFont(view_.services().font("Source_Font"));
  const SourceViewModel& m = view_.model();
  if (!m.hasFile()) return;  // the main view before the first stop
  const int lh = lineHeight();
  for (size_t row = 0;; ++row) {
    const size_t line = m.firstLine() + 1 + row;
    const int y = static_cast<int>(row) * lh;
    if (line > m.lineCount() || y > viewport()->height()) break;
    paintLine(p, line, y);
  }
}

void SourceTextArea::paintLine(QPainter& p, size_t line, int y) {
  const SourceViewModel& m = view_.model();
  ViewServices& s = view_.services();
  const SourceLineState& state = m.lineState(line);
  const LinePrefix prefix = m.prefix();
  const int lh = lineHeight(), cw = charWidth();
  const int baseline = y + QFontMetrics(p.font()).ascent();
  const QColor text = palette().color(QPalette::Text);

  // Line number: white on the breakpoint colour, grey without code.
  const std::string prefixText = linePrefixText(line, state, prefix);
  const QRect number(0, y, prefix.numberWidth * cw, lh);
  QColor numberColour = state.hasCode ? text : palette().color(QPalette::Disabled, QPalette::Text);
  if (state.hasCode && state.mark != BreakMark::None) {
    p.fillRect(number, s.colour(state.mark == BreakMark::Active ? "BkptOn" : "BkptOff"));
    numberColour = Qt::white;
  }
  p.setPen(numberColour);
  p.drawText(0, baseline, latin1(std::string_view(prefixText).substr(0, static_cast<size_t>(prefix.numberWidth))));
  if (prefix.addresses && state.hasCode) {
    p.setPen(state.executed ? QColor(Qt::darkGreen) : QColor(Qt::red));
    p.drawText((prefix.numberWidth + 1) * cw, baseline, latin1(std::string_view(prefixText).substr(prefix.numberWidth + 1)));
  }

  // The text, scrolled, clipped to the text area.
  const int x0 = prefix.columns() * cw;
  p.save();
  p.setClipRect(QRect(x0, y, viewport()->width() - x0, lh));
  const auto columnX = [&](size_t column) {
    return x0 + (static_cast<int>(column) - static_cast<int>(m.firstColumn())) * cw;
  };
  const std::string_view marked = m.markedLine(line);
  const std::vector<TextRun> runs = textRuns(marked);
  std::optional<std::pair<size_t, size_t>> highlight;
  if (m.execution() && m.execution()->line == line) {
    highlight = m.execution()->columns.value_or(std::make_pair<size_t, size_t>(0, std::max<size_t>(m.longestLine(), 1) + 1000));
    p.fillRect(QRect(columnX(highlight->first), y, static_cast<int>(highlight->second - highlight->first) * cw, lh), s.colour("Source"));
  }
  const SourceSearch& search = m.search();
  if (search.length && search.line == line && search.column >= 0) {
    p.fillRect(QRect(columnX(static_cast<size_t>(search.column)), y, static_cast<int>(search.length) * cw, lh), s.colour("Search"));
  }
  if (const auto& sel = m.selection(); sel && sel->line == line) {
    p.fillRect(QRect(columnX(sel->from), y, static_cast<int>(sel->to - sel->from + 1) * cw, lh),
               palette().color(QPalette::Highlight));
  }
  const bool colouring = s.syntaxColouring();
  for (const TextRun& run : runs) {
    const std::string_view key = colourKey(run.tokenClass);
    p.setPen(colouring && !key.empty() ? s.colour(key) : text);
    p.drawText(columnX(run.column), baseline, latin1(run.text));
  }
  if (highlight) {  // the highlighted columns again, in one colour over the highlight
    p.setClipRect(QRect(columnX(highlight->first), y, static_cast<int>(highlight->second - highlight->first) * cw, lh) &
                  QRect(x0, y, viewport()->width() - x0, lh));
    p.setPen(Qt::white);
    for (const TextRun& run : runs) p.drawText(columnX(run.column), baseline, latin1(run.text));
  }
  p.restore();
}

SourceHit SourceTextArea::hitAt(const QPoint& pos) const {
  return hitTest(view_.model().geometry(lineHeight(), charWidth()), pos.x(), pos.y());
}

namespace {
ClickKeys keysOf(Qt::KeyboardModifiers mods, bool w) {
  return {(mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0, w};
}
}  // namespace

void SourceTextArea::mouseDoubleClickEvent(QMouseEvent* e) {
  const SourceHit hit = hitAt(e->pos());
  if (hit.area != HitArea::Number || e->button() != Qt::LeftButton) return;
  SourceViewModel& m = view_.model();
  m.setCurrentLine(hit.line);
  const LineAction a = doubleClickNumber(m.lineState(hit.line), m.fileName(), hit.line, keysOf(e->modifiers(), wHeld_));
  switch (a.kind) {
    case LineAction::Command: view_.services().runCommandLine(a.command); break;
    case LineAction::PopupCommand: view_.popupCommand(a.id, hit.line, {}); break;
    case LineAction::SetAndEdit:
      view_.services().runCommandLine(a.command);
      view_.refresh(kViewSource);
      view_.popupCommand(a.id, hit.line, {});
      break;
    default: return;
  }
  viewport()->update();
}

void SourceTextArea::mousePressEvent(QMouseEvent* e) {
  const SourceHit hit = hitAt(e->pos());
  SourceViewModel& m = view_.model();
  if (hit.area == HitArea::None || hit.area == HitArea::Address) return;  // the address field takes no clicks
  m.setCurrentLine(hit.line);
  if (e->button() == Qt::LeftButton) {
    pressed_ = hit;
    return;
  }
  if (e->button() != Qt::RightButton) return;
  if (hit.area == HitArea::Number) {
    const LineAction a = rightClickNumber(m.lineState(hit.line), keysOf(e->modifiers(), wHeld_));
    if (a.kind == LineAction::PopupCommand) view_.popupCommand(a.id, hit.line, {});
    if (a.kind != LineAction::Popup) return;
    QMenu* menu = popupMenu(this, "CLINEPOPUP", linePopupItems());
    for (QAction* act : menu->actions()) {
      const uint16_t id = static_cast<uint16_t>(act->data().toUInt());
      if (id == popup::SetBreakpoint) act->setEnabled(a.event == 0);
      if (id == popup::OnOff || id == popup::Delete || id == popup::Edit) act->setEnabled(a.event != 0);
    }
    const int lh = lineHeight();
    QAction* chosen = menu->exec(viewport()->mapToGlobal(QPoint(e->pos().x(), (e->pos().y() / lh + 1) * lh)));
    if (chosen) view_.popupCommand(static_cast<uint16_t>(chosen->data().toUInt()), hit.line, {});
    menu->deleteLater();
    return;
  }
  const std::optional<std::string> expression = m.popupExpression(view_.kernel(), hit);
  if (!expression) return;
  QMenu* menu = popupMenu(this, "VARPOPUP", variablePopupItems());
  QAction* chosen = menu->exec(e->globalPosition().toPoint());
  if (chosen) view_.popupCommand(static_cast<uint16_t>(chosen->data().toUInt()), hit.line, *expression);
  menu->deleteLater();
}

void SourceTextArea::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !pressed_) return;
  const SourceHit start = *pressed_;
  pressed_.reset();
  const SourceHit end = hitAt(e->pos());
  SourceViewModel& m = view_.model();
  m.clearSelection();
  if (end.line == start.line && end.area == start.area && end.column == start.column) {  // a click
    viewport()->update();
    return;
  }
  if (end.line != start.line || start.area != HitArea::Text || end.area != HitArea::Text ||
      !m.select(view_.kernel(), start.line, start.column, end.column)) {
    view_.kernel().ui->messageBox("Error", "Illegal Selection", MsgIcon::Error);
  }
  viewport()->update();
}

void SourceTextArea::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_W) wHeld_ = true;
  switch (e->key()) {
    case Qt::Key_PageUp: verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub); return;
    case Qt::Key_PageDown: verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd); return;
    case Qt::Key_Up: verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
    case Qt::Key_Down: verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
    case Qt::Key_Left: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
    case Qt::Key_Right: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
    case Qt::Key_Home: verticalScrollBar()->setValue(0); return;
    case Qt::Key_End: verticalScrollBar()->setValue(verticalScrollBar()->maximum()); return;
    default: break;
  }
  const QString t = e->text();
  if (t.size() == 1 && !e->isAutoRepeat() && t[0].unicode() >= 0x20 && t[0].unicode() < 0x7F) {
    view_.typed(static_cast<char>(t[0].unicode()));
  }
}

void SourceTextArea::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_W && !e->isAutoRepeat()) wHeld_ = false;
}

// ---- the view

SourceView* SourceView::createMain(ViewServices& services, QWidget* parent) {
  auto* v = new SourceView(services, true, parent);
  v->refresh(kViewAll);
  return v;
}

SourceView* SourceView::createBrowser(ViewServices& services, const std::string& file, int line, QWidget* parent) {
  auto* v = new SourceView(services, false, parent);
  if (!v->showFile(file, line)) {
    delete v;
    return nullptr;
  }
  return v;
}

SourceView::SourceView(ViewServices& services, bool mainView, QWidget* parent)
    : ViewWindow(services, parent), model_(mainView) {
  setObjectName("YAVWIN");
  model_.setShowAddresses(services.showAddresses());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menu_ = new QMenuBar(this);
  menu_->setObjectName("CSRC_MENU");
  auto add = [this](QMenu* m, const char* text, uint16_t id) {
    QAction* a = m->addAction(text);
    connect(a, &QAction::triggered, this, [this, id] { windowCommand(id); });
    return a;
  };
  QAction* print = menu_->addAction("Print");
  connect(print, &QAction::triggered, this, [this] { windowCommand(kPrint); });
  QMenu* search = menu_->addMenu("Search");
  add(search, "Find", kFind);
  add(search, "Find Next", kFindNext);
  add(search, "Cancel", kCancelSearch);
  addressAction_ = add(menu_->addMenu("Show"), "Address", kShowAddress);
  addressAction_->setCheckable(true);
  addressAction_->setChecked(model_.showAddresses());
  layout->addWidget(menu_);
  area_ = new SourceTextArea(*this, this);
  layout->addWidget(area_);
  setFocusProxy(area_);
  updateTitle();
}

SourceOpen SourceView::openOptions() {
  SourceOpen open;
  open.editPath = pathEditor_ ? pathEditor_ : [this] { services_.frameCommand(kPathEditor); };
  return open;
}

void SourceView::refresh(uint32_t viewBits) {
  if (!(viewBits & kViewSource)) return;
  model_.refresh(kernel(), openOptions());
  updateTitle();
  area_->syncScrollBars();
}

bool SourceView::showFile(const std::string& file, int line) {
  if (!model_.showFile(kernel(), file, static_cast<size_t>(std::max(0, line)), openOptions())) return false;
  updateTitle();
  area_->syncScrollBars();
  return true;
}

void SourceView::updateTitle() { setWindowTitle(QString::fromStdString(model_.title())); }

bool SourceView::windowCommand(uint16_t id) {
  switch (id) {
    case kFind: findDialog(); return true;
    case kFindNext: findNext(); return true;
    case kCancelSearch:
      model_.cancelSearch();
      area_->viewport()->update();
      return true;
    case kShowAddress:
      model_.setShowAddresses(!model_.showAddresses());
      addressAction_->setChecked(model_.showAddresses());
      area_->syncScrollBars();
      return true;
    default: return false;  // printing is the frame's
  }
}

void SourceView::findDialog() {
  SearchDialog dialog(model_.search().text, model_.search().down, this);
  const int result = services_.execDialog(dialog);
  if (result != QDialog::Accepted && result != SearchDialog::kFindNext) return;
  model_.search().text = dialog.text();
  model_.search().down = dialog.down();
  if (result == SearchDialog::kFindNext) findNext();
}

void SourceView::findNext() {
  const int visibleColumns = std::max(1, area_->viewport()->width() / area_->charWidth() - model_.prefix().columns());
  switch (model_.findNext(static_cast<size_t>(visibleColumns))) {
    case SearchResult::NoText: kernel().ui->messageBox("Info", kNoSearchText, MsgIcon::Info); break;
    case SearchResult::NotFound: kernel().ui->messageBox("Info", kMatchNotFound, MsgIcon::Info); break;
    case SearchResult::Found: area_->syncScrollBars(); break;
  }
}

void SourceView::popupCommand(uint16_t id, size_t line, const std::string& expression) {
  const PopupAction a = popupAction(kernel(), id, model_.popupContext(line, expression));
  switch (a.kind) {
    case PopupAction::Command: services_.runCommandLine(a.command); break;
    case PopupAction::CapturedCommand: {
      startCapture(kernel(), 1);
      services_.runCommandLine(a.command);
      const std::string text = kernel().out.capture1.text;
      stopCapture(kernel(), 1);
      kernel().ui->messageBox(a.title, text, MsgIcon::Info);
      break;
    }
    case PopupAction::Notice: kernel().ui->messageBox(a.title, a.text, MsgIcon::Info); break;
    case PopupAction::EditEvent:
      if (eventEditor_) {
        eventEditor_(a.event);
      } else {
        services_.beep();
      }
      break;
    case PopupAction::UpdateDialog: {
      UpdateDialog dialog(expression, this);
      if (services_.execDialog(dialog) == QDialog::Accepted && !dialog.commandLine().empty()) {
        services_.runCommandLine(dialog.commandLine());
      }
      break;
    }
    case PopupAction::Beep: services_.beep(); break;
    case PopupAction::None: break;
  }
  refresh(kViewSource);
}

void SourceView::typed(char c) {
  if (!model_.isMain()) return services_.beep();
  const SourceKeyAction a = sourceKeyAction(c, kernel().exec.running);
  if (a.kind == SourceKeyAction::Beep) return services_.beep();
  if (a.kind != SourceKeyAction::Run) return;
  services_.runCommandLine(std::string(a.command));
  if (a.beepIfStillRunning && kernel().exec.running) services_.beep();
}

}  // namespace yav
