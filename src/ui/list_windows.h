// The list windows the Browse and File menus open: which command opens each, its title, its
// in-window menu, what Save and Print write, and the content it shows.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/kernel.h"
#include "ui/program_lists.h"

namespace yav {

enum ListCommand : uint16_t {
  kCmdMapList = 130,
  kCmdEventsList = 621,
  kCmdFileList = 640,
  kCmdFunctionList = 650,
  kCmdSymbolsByAddress = 671,
  kCmdSymbolsByName = 672,
};

// The items of the in-window menu "GENERIC_MENU2".
inline constexpr uint16_t kCmdWindowSave = 118;
inline constexpr uint16_t kCmdWindowRefresh = 119;
inline constexpr uint16_t kCmdWindowPrint = 121;

struct ListKind {
  uint16_t id;
  std::string_view title;
  std::string_view contentClass;  // object name of the text view
  std::string_view menu;          // in-window menu, empty for none
  std::string_view saveTitle;     // save dialog
  std::string_view saveFilter;    // filters separated by ";;"
  std::string_view saveExtension;
  std::string_view printTitle;
};

std::span<const ListKind> listKinds();
// The row of a list command; null for other ids.
const ListKind* listKind(uint16_t id);

// What a list window shows. The symbol lists show "Sorting Symbols" in the status bar while
// they sort.
ListContent listContent(Kernel& k, uint16_t id);
// What Print puts on paper (the function list with its untabbed file headers).
ListContent listPrintContent(Kernel& k, uint16_t id);

}  // namespace yav
