// Memory windows ("MEMHOST" / "MEMWIN"): target memory from a start address, as instructions
// (code windows, menu "YAVMEMCODE") or as rows of items (data windows, menu "YAVMEMDATA").
// Several may be open; the frame opens them with command 360 and redraws them after stops.
#pragma once
#include <QMdiArea>
#include <string_view>
#include <vector>

#include "qt/view_window.h"
#include "ui/memory_code_rows.h"
#include "ui/memory_data_rows.h"
#include "ui/memory_window_spec.h"

class QMenuBar;

namespace yav {

class CodeRowsCanvas;
class DataRowsCanvas;

// Command ids of the memory windows.
inline constexpr uint16_t kCmdShowMemory = 360, kCmdMemAddress = 361, kCmdMemFormat = 362, kCmdMemFill = 363,
                          kCmdMemDump = 364, kCmdMemSRecords = 367;

class MemoryWindow : public ViewWindow {
 public:
  MemoryWindow(ViewServices& services, const MemoryWindowSpec& spec, QWidget* parent = nullptr);

  // Re-reads the rows (any view bits: memory windows follow every stop and write).
  void refresh(uint32_t viewBits) override;
  // 361 "Address", 364 "Dump"; data windows also 362 "Format", 363 "Fill", 367 "S-Records".
  bool windowCommand(uint16_t id) override;

  const MemoryWindowSpec& spec() const { return spec_; }
  QString title() const;
  // The next refresh marks no change (YavDataMemUpdate with 1).
  void markFresh() { data_.markFresh(); }
  // The window's `Data` record in a session file, with the host rectangle the frame gives.
  MemorySessionRecord sessionRecord(const std::array<int, 4>& rect) const { return {spec_, rect}; }

  // What the window shows: the rows as text, or the message.
  std::vector<std::string> rowTexts() const;
  const DataPaint& dataShown() const { return dataPaint_; }
  const CodePaint& codeShown() const;
  QMenuBar* menu() const { return menu_; }

 private:
  void readRows();
  void changeAddress();
  void changeFormat();
  void fill();
  void dump();
  void srecords();
  void setStart(uint32_t start);
  int rowCount() const;

  MemoryWindowSpec spec_;
  DataRowsModel data_;
  CodeRowsModel code_;
  DataPaint dataPaint_;
  QMenuBar* menu_ = nullptr;
  CodeRowsCanvas* codeCanvas_ = nullptr;
  DataRowsCanvas* dataCanvas_ = nullptr;
};

// A new memory window hosted in `mdi` ("MEMHOST", titled after its address), shown and read.
MemoryWindow* openMemoryWindow(ViewServices& services, QMdiArea* mdi, const MemoryWindowSpec& spec);

// Command 360: the "YAVMEM_CONF" dialog starting from `last` (which keeps what was chosen), then
// a new window of the chosen type at the address. Null when cancelled or the address fails
// ("Can't evaluate").
MemoryWindow* runMemoryWindowDialog(ViewServices& services, QMdiArea* mdi, MemoryConfig& last);

// The memory windows of the MDI area in the order of its children.
std::vector<MemoryWindow*> memoryWindows(QMdiArea* mdi);

// Closes every memory window (a session load replaces them).
void closeMemoryWindows(QMdiArea* mdi);

// Redraw every code or every data memory window; `fresh` 1 marks the data windows fresh (no
// change marks). Called after every stop, after a memory write, when syntax colouring changes.
void YavCodeMemUpdate(QMdiArea* mdi, int fresh);
void YavDataMemUpdate(QMdiArea* mdi, int fresh);

// A session's `Data` record: the window re-created at its address ("code:"/"data:") with its
// settings, its host moved to (left, top) with width right - left - 1 and height
// bottom - top - 1. Null (with the reason in `error`) for a malformed record.
MemoryWindow* restoreMemoryWindow(ViewServices& services, QMdiArea* mdi, std::string_view record, std::string& error);

}  // namespace yav
