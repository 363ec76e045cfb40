// The list windows: file list (640), function list (650), application map (130), events (621)
// in "LISTWIN" views with the menu "GENERIC_MENU2", and the symbol list sorted by address (671)
// or by name (672) in a "SYMBWIN" view. A double click on a line opens its source place.
#pragma once
#include <cstdint>

#include "qt/view_window.h"
#include "qt/window_text.h"
#include "ui/list_windows.h"

namespace yav {

class ListWindow : public ViewWindow {
 public:
  // `id` is one of the list commands of listKinds().
  ListWindow(ViewServices& s, uint16_t id, QWidget* parent = nullptr);
  void refresh(uint32_t viewBits) override;
  // 118 Save, 121 Print (the lists with the menu).
  bool windowCommand(uint16_t id) override;
  void openLine(int line);

  uint16_t listId() const { return kind_.id; }
  LineList* lines() const { return lines_; }

 private:
  void show();
  const ListKind& kind_;
  ListContent content_;
  LineList* lines_;
};

// The list window of a list command (130, 621, 640, 650, 671, 672); null for other ids.
ViewWindow* createListWindow(ViewServices& s, uint16_t id);

}  // namespace yav
