// The items of the source views' popups (line popup "CLINEPOPUP", variable popup "VARPOPUP")
// and what each does: a command line, a notice, or a dialog the view opens.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/kernel.h"

namespace yav {

namespace popup {
inline constexpr uint16_t OnOff = 801;
inline constexpr uint16_t Delete = 802;
inline constexpr uint16_t Edit = 803;
inline constexpr uint16_t SetBreakpoint = 804;
inline constexpr uint16_t Show = 808;
inline constexpr uint16_t AddressOf = 820;
inline constexpr uint16_t Evaluate = 901;
inline constexpr uint16_t Monitor = 902;
inline constexpr uint16_t Info = 903;
inline constexpr uint16_t Update = 906;
inline constexpr uint16_t Address = 908;
inline constexpr uint16_t AddressPointer = 909;
inline constexpr uint16_t AddressHex = 910;
inline constexpr uint16_t AccessBreak = 913;
inline constexpr uint16_t ReadBreak = 914;
inline constexpr uint16_t WriteBreak = 915;
inline constexpr uint16_t RealTimeMonitor = 916;
}  // namespace popup

struct SourcePopupItem {
  uint16_t id;            // 0: a separator
  std::string_view text;
};

// Items of the line popup and of the variable popup, in menu order.
std::span<const SourcePopupItem> linePopupItems();
std::span<const SourcePopupItem> variablePopupItems();

// What the popup item acts on.
struct PopupContext {
  std::string file;
  size_t line = 0;
  uint32_t address = 0;  // code address of the line
  uint16_t event = 0;    // event on the line, 0 when none
  bool eventOn = false;
  std::string expression;  // qualified expression picked in the text
};

struct PopupAction {
  enum Kind {
    None,
    Command,          // run `command`
    CapturedCommand,  // run `command`, its output shown in a notice titled `title`
    Notice,           // `text` in a notice titled `title`
    EditEvent,        // the event editor of event `event`
    UpdateDialog,     // the update dialog for the expression
    Beep
  } kind = None;
  std::string command, title, text;
  uint16_t event = 0;
};

// The action of item `id` in `context`; the Info text is looked up in the program's symbols.
PopupAction popupAction(Kernel& k, uint16_t id, const PopupContext& context);

// The Info text of an expression: a function's prototype and place, or a variable's location and type.
std::string expressionInfo(Kernel& k, const std::string& expression);

}  // namespace yav
