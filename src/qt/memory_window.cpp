#include "qt/memory_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "engine/code_view.h"
#include "engine/errors.h"
#include "model/target_code.h"
#include "qt/code_rows_canvas.h"
#include "qt/memory_dialogs.h"
#include "ui/disassembly_view.h"
#include "ui/memory_dumps.h"
#include "ui/memory_fill.h"

namespace yav {

// The rows of a data window: address, items (changed ones in the `Memory` colour), characters.
class DataRowsCanvas : public QWidget {
 public:
  DataRowsCanvas(ViewServices& services, QWidget* parent) : QWidget(parent), services_(services) {
    setFont(services_.font("Memory_Font"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::ClickFocus);
  }
  void show(const DataPaint& paint, const DataLayout& layout) {
    paint_ = paint;
    layout_ = layout;
    update();
  }
  int lineHeight() const { return std::max(QFontMetrics(font()).height(), 1); }
  int rowCapacity() const { return std::max((height() + lineHeight() - 1) / lineHeight(), 1); }
  std::function<void()> onResize;
  std::function<void(int)> onScroll;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int cw = std::max(fm.horizontalAdvance('0'), 1);
    const QColor text = palette().color(QPalette::Text);
    p.setPen(text);
    if (!paint_.message.empty()) {
      p.drawText(2, fm.ascent(), QString::fromStdString(paint_.message));
      return;
    }
    const int cell = itemCellWidth(layout_.size, layout_.base);
    for (size_t i = 0; i < paint_.rows.size(); ++i) {
      const DataRow& r = paint_.rows[i];
      const int y = static_cast<int>(i) * lineHeight() + fm.ascent();
      p.setPen(text);
      p.drawText(0, y, QString::fromStdString(r.addressText));
      int column = 6;
      for (const DataItem& item : r.items) {
        p.setPen(item.changed ? services_.colour("Memory") : text);
        p.drawText(column * cw, y, QString::fromStdString(item.text));
        column += cell;
      }
      p.setPen(text);
      p.drawText(column * cw, y, QString::fromStdString(r.characters));
    }
  }
  void resizeEvent(QResizeEvent*) override {
    if (onResize) onResize();
  }
  void wheelEvent(QWheelEvent* e) override {
    if (onScroll && e->angleDelta().y() != 0) onScroll(e->angleDelta().y() > 0 ? -3 : 3);
  }
  void keyPressEvent(QKeyEvent* e) override {
    const int lines = scrollLinesForKey(e->key(), rowCapacity());
    if (!onScroll || lines == 0) return QWidget::keyPressEvent(e);
    onScroll(lines);
  }

 private:
  ViewServices& services_;
  DataPaint paint_;
  DataLayout layout_;
};

namespace {

struct MenuItem {
  const char* text;
  uint16_t id;
};
constexpr MenuItem kCodeMenu[] = {{"Address", kCmdMemAddress}, {"Dump", kCmdMemDump}};
constexpr MenuItem kDataMenu[] = {{"Address", kCmdMemAddress}, {"Format", kCmdMemFormat}, {"Dump", kCmdMemDump},
                                  {"Fill", kCmdMemFill}, {"S-Records", kCmdMemSRecords}};

constexpr const char* kDumpFilter = "Dump Files(*.mem)";
constexpr const char* kSRecordFilter = "S-Record Files(*.mem)";

}  // namespace

MemoryWindow::MemoryWindow(ViewServices& services, const MemoryWindowSpec& spec, QWidget* parent)
    : ViewWindow(services, parent), spec_(spec), data_(spec.address, spec.layout), code_(spec.address) {
  setObjectName("MEMWIN");
  setWindowTitle(title());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menu_ = new QMenuBar(this);
  const bool code = spec_.kind == MemKind::Code;
  menu_->setObjectName(code ? "YAVMEMCODE" : "YAVMEMDATA");
  auto add = [this](const auto& items) {
    for (const MenuItem& i : items) {
      QAction* a = menu_->addAction(i.text);
      a->setObjectName(QString::number(i.id));
      const uint16_t id = i.id;
      connect(a, &QAction::triggered, this, [this, id] { windowCommand(id); });
    }
  };
  if (code) add(kCodeMenu);
  else add(kDataMenu);
  layout->setMenuBar(menu_);
  if (code) {
    codeCanvas_ = new CodeRowsCanvas(services_, "Memory_Font", this);
    codeCanvas_->onResize = [this] { readRows(); };
    codeCanvas_->onScroll = [this](int lines) { setStart(scrolledStart(services_.kernel(), code_.start(), lines)); };
    layout->addWidget(codeCanvas_);
  } else {
    dataCanvas_ = new DataRowsCanvas(services_, this);
    dataCanvas_->onResize = [this] { readRows(); };
    dataCanvas_->onScroll = [this](int lines) {
      const int64_t step = static_cast<int64_t>(lines) * spec_.layout.bytesPerRow;
      setStart(static_cast<uint32_t>(std::max<int64_t>(0, static_cast<int64_t>(data_.start()) + step)));
    };
    layout->addWidget(dataCanvas_);
  }
  resize(code ? 480 : 40 + 9 * (6 + spec_.layout.bytesPerRow * 4), 240);
}

QString MemoryWindow::title() const {
  return QString::fromStdString((spec_.kind == MemKind::Code ? "Code Memory " : "Data Memory ") + spec_.addressText());
}

int MemoryWindow::rowCount() const { return codeCanvas_ ? codeCanvas_->rowCapacity() : dataCanvas_->rowCapacity(); }

void MemoryWindow::readRows() {
  Kernel& k = services_.kernel();
  if (codeCanvas_) {
    codeCanvas_->show(code_.paint(k, rowCount()));
  } else {
    dataPaint_ = data_.paint(k, rowCount());
    dataCanvas_->show(dataPaint_, spec_.layout);
  }
}

void MemoryWindow::refresh(uint32_t) { readRows(); }

const CodePaint& MemoryWindow::codeShown() const {
  static const CodePaint none;
  return codeCanvas_ ? codeCanvas_->shown() : none;
}

std::vector<std::string> MemoryWindow::rowTexts() const {
  std::vector<std::string> out;
  const std::string& message = codeCanvas_ ? codeShown().message : dataPaint_.message;
  if (!message.empty()) return {message};
  if (codeCanvas_)
    for (const CodeRow& r : codeShown().rows) out.push_back(r.text());
  else
    for (const DataRow& r : dataPaint_.rows) out.push_back(r.text());
  return out;
}

void MemoryWindow::setStart(uint32_t start) {
  spec_.address = start;
  data_.setStart(start);
  code_.setStart(start);
  setWindowTitle(title());
  if (parentWidget()) parentWidget()->setWindowTitle(title());
  readRows();
}

bool MemoryWindow::windowCommand(uint16_t id) {
  const bool code = spec_.kind == MemKind::Code;
  switch (id) {
    case kCmdMemAddress: changeAddress(); return true;
    case kCmdMemDump: dump(); return true;
    case kCmdMemFormat:
      if (code) return false;
      changeFormat();
      return true;
    case kCmdMemFill:
      if (code) return false;
      fill();
      return true;
    case kCmdMemSRecords:
      if (code) return false;
      srecords();
      return true;
    default: return false;
  }
}

void MemoryWindow::changeAddress() {
  MemoryConfigDialog d(configOf(spec_),
                       spec_.kind == MemKind::Code ? MemoryConfigDialog::Use::CodeWindow : MemoryConfigDialog::Use::DataWindow);
  if (services_.execDialog(d) != QDialog::Accepted) return;
  const std::optional<MemoryWindowSpec> s = configuredWindow(services_.kernel(), d.config());
  if (!s) return;
  spec_.codeSpace = s->codeSpace;
  if (spec_.kind == MemKind::Data) {
    DataLayout l = s->layout;
    l.bytesPerRow = spec_.layout.bytesPerRow;
    spec_.layout = l;
    data_.setLayout(l);
  }
  setStart(s->address);
}

void MemoryWindow::changeFormat() {
  DataFormatDialog d(spec_.layout);
  if (services_.execDialog(d) != QDialog::Accepted) return;
  spec_.layout = d.layout();
  data_.setLayout(spec_.layout);
  readRows();
}

void MemoryWindow::fill() {
  FillDialog d(data_.start());
  if (services_.execDialog(d) != QDialog::Accepted) return;
  Kernel& k = services_.kernel();
  if (k.exec.running || k.exec.busy) {
    services_.beep();
    return;
  }
  if (const std::optional<FillRequest> r = checkFillFields(k, d.fields())) runFill(k, *r);
  readRows();
}

void MemoryWindow::dump() {
  const bool code = spec_.kind == MemKind::Code;
  const uint32_t start = code ? code_.start() : data_.start();
  uint32_t from = 0, to = 0;
  uint32_t last = start + static_cast<uint32_t>(rowCount() * spec_.layout.bytesPerRow) - 1;
  if (code) {
    const std::vector<CodeRow>& rows = codeShown().rows;
    last = rows.empty() ? start : rows.back().address + static_cast<uint32_t>(rows.back().length) - 1;
  }
  if (!askDumpRange(services_, code, start, last, from, to)) return;
  const std::string path = services_.saveFileName(code ? "Memory Code Dump" : "Memory Data Dump", kDumpFilter, "mem");
  if (path.empty()) return;
  Kernel& k = services_.kernel();
  TargetMemory* memory = dumpMemory(k);
  if (!memory) return;
  if (code) {
    const TargetCodeReader reader(memory);
    writeDumpFile(k, path, codeDumpText(reader, &programLabels(k), from, to));
    return;
  }
  const std::optional<std::string> text = dataDumpText(*memory, from, to, spec_.layout);
  if (!text) {
    errmsg(k, {"Can't Read Memory", "\n"});
    return;
  }
  writeDumpFile(k, path, *text);
}

void MemoryWindow::srecords() {
  Kernel& k = services_.kernel();
  if (k.exec.running) {
    errmsg(k, {kCantReadWhileRunning, "\n"});
    return;
  }
  uint32_t from = 0, to = 0;
  const uint32_t start = data_.start();
  const auto shownBytes = static_cast<uint32_t>(rowCount() * spec_.layout.bytesPerRow);
  if (!askDumpRange(services_, false, start, start + std::max(shownBytes, 1u) - 1, from, to)) return;
  const std::string path = services_.saveFileName("Memory Data Dump", kSRecordFilter, "mem");
  if (path.empty()) return;
  TargetMemory* memory = dumpMemory(k);
  if (!memory) return;
  const std::optional<std::string> text = srecordText(*memory, from, to);
  if (!text) {
    errmsg(k, {"Can't Read Memory", "\n"});
    return;
  }
  writeDumpFile(k, path, *text);
}

MemoryWindow* openMemoryWindow(ViewServices& services, QMdiArea* mdi, const MemoryWindowSpec& spec) {
  auto* view = new MemoryWindow(services, spec);
  QWidget* shown = view;
  if (mdi) {
    QMdiSubWindow* host = mdi->addSubWindow(view);
    host->setObjectName("MEMHOST");
    host->setWindowTitle(view->title());
    host->setAttribute(Qt::WA_DeleteOnClose);
    shown = host;
  }
  shown->show();
  view->refresh(kViewMemory);
  return view;
}

MemoryWindow* runMemoryWindowDialog(ViewServices& services, QMdiArea* mdi, MemoryConfig& last) {
  MemoryConfigDialog d(last, MemoryConfigDialog::Use::NewWindow);
  if (services.execDialog(d) != QDialog::Accepted) return nullptr;
  last = d.config();
  const std::optional<MemoryWindowSpec> spec = configuredWindow(services.kernel(), last);
  return spec ? openMemoryWindow(services, mdi, *spec) : nullptr;
}

std::vector<MemoryWindow*> memoryWindows(QMdiArea* mdi) {
  std::vector<MemoryWindow*> out;
  if (!mdi) return out;
  for (QMdiSubWindow* host : mdi->subWindowList(QMdiArea::CreationOrder))
    if (auto* w = dynamic_cast<MemoryWindow*>(host->widget())) out.push_back(w);
  return out;
}

void closeMemoryWindows(QMdiArea* mdi) {
  for (MemoryWindow* w : memoryWindows(mdi)) {
    QWidget* host = w->parentWidget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(host)) mdi->removeSubWindow(sub);
    delete (host ? host : static_cast<QWidget*>(w));
  }
}

namespace {
void update(QMdiArea* mdi, MemKind kind, int fresh) {
  for (MemoryWindow* w : memoryWindows(mdi)) {
    if (w->spec().kind != kind) continue;
    if (fresh) w->markFresh();
    w->refresh(kViewMemory);
  }
}
}  // namespace

void YavCodeMemUpdate(QMdiArea* mdi, int fresh) { update(mdi, MemKind::Code, fresh); }
void YavDataMemUpdate(QMdiArea* mdi, int fresh) { update(mdi, MemKind::Data, fresh); }

MemoryWindow* restoreMemoryWindow(ViewServices& services, QMdiArea* mdi, std::string_view record, std::string& error) {
  const std::optional<MemorySessionRecord> r = parseSessionRecord(record, error);
  if (!r) return nullptr;
  MemoryWindow* w = openMemoryWindow(services, mdi, r->spec);
  QWidget* host = w->parentWidget() ? w->parentWidget() : w;
  const auto& q = r->rect;
  host->move(q[0], q[1]);
  host->resize(std::max(q[2] - q[0] - 1, 1), std::max(q[3] - q[1] - 1, 1));
  return w;
}

}  // namespace yav
