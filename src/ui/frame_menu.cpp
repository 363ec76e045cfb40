#include "ui/frame_menu.h"

namespace yav {

namespace {

constexpr MenuRow P(uint8_t depth, std::string_view text, uint8_t state = 0) {
  return {depth, MenuKind::Popup, text, 0, state};
}
constexpr MenuRow I(uint8_t depth, std::string_view text, uint16_t id, uint8_t state = 0) {
  return {depth, MenuKind::Item, text, id, state};
}
constexpr MenuRow S(uint8_t depth) { return {depth, MenuKind::Separator, {}, 0, 0}; }

constexpr uint8_t T = kMenuTicked;
constexpr uint8_t D = kMenuDisabled;

constexpr MenuRow kMainMenu[] = {
    P(0, "&File"),
    I(1, "&Load  (Code and Symbols)", 101), S(1),
    I(1, "&Reload Segment", 146), S(1),
    I(1, "Application &Map", 130), S(1),
    I(1, "Load La&yout", 133), I(1, "Save Lay&out", 134), S(1),
    I(1, "L&oad Session", 131), I(1, "Save &Session", 132), S(1),
    I(1, "&About Yav ...", 113), S(1),
    I(1, "E&xit", 117),

    P(0, "&Events"),
    I(1, "&Browse", 621), S(1),
    I(1, "&Code Event", 805), I(1, "&Data Event", 806),

    P(0, "&Browse", D),
    I(1, "&Events", 621), S(1),
    I(1, "File &List", 640), I(1, "&File", 620), S(1),
    I(1, "Function L&ist", 650), I(1, "F&unction", 622), S(1),
    I(1, "&Any Source", 625), S(1),
    I(1, "&Memory", 360), S(1),
    P(1, "&Variables"),
      I(2, "in &Current function", 630), I(2, "in current &File", 631), I(2, "in &Global list", 632),
      P(2, "&Format"),
        I(3, "&Brief", 633), I(3, "&Standard", 634, T), I(3, "&Full", 635),
    S(1),
    P(1, "&Symbols List"),
      I(2, "Sort by &Address ", 671), I(2, "Sort by &Name", 672),
    I(1, "S&ymbols ", 670), S(1),
    I(1, "&Map", 130),

    P(0, "&Debug"),
    I(1, "&Restart", 107), I(1, "R&eset", 209), S(1),
    I(1, "&Step", 203), I(1, "Step &Instruction", 204), I(1, "Step Instr. Interrupts &Masked", 211, D),
    I(1, "Step O&ver", 205), I(1, "Step &Until", 206), I(1, "Step To Fu&nction Entry", 213), S(1),
    I(1, "&Go", 201), I(1, "Go &Till", 202), I(1, "Go To &Function Entry", 212), S(1),
    I(1, "G&o from Reset", 208), S(1),
    I(1, "&Animate", 210),
    P(1, "&Data Refresh"),
      I(2, "&Start", 214), I(2, "&Frequency", 215),

    P(0, "Setu&p"),
    P(1, "Load &Option (Code and Symbols)"),
      I(2, "&Symbols Only", 110), I(2, "&Code and Symbols", 109, T),
    S(1),
    P(1, "&Colors"),
      P(2, "&Events"),
        I(3, "&Active", 414), I(3, "&Suspended", 415),
      I(2, "&Disassembly", 412), I(2, "&Instruction", 413), I(2, "&Memory", 416), I(2, "&Source", 411),
      I(2, "Se&arch", 426),
      P(2, "S&yntax Coloring"),
        I(3, "C &Comments", 421), I(3, "C &Keyword", 417), I(3, "C &Library function", 420),
        I(3, "&Mnemonics", 422), I(3, "&Preprocessor", 423),
    P(1, "&Fonts"),
      I(2, "A&ll", 407), S(2),
      I(2, "&Browser", 409), I(2, "&Commands", 406), I(2, "Dis&assembly", 402), I(2, "&Memory", 408),
      I(2, "M&onitors", 404), I(2, "&Registers", 403), I(2, "&Source", 401), I(2, "S&tack", 405),
    S(1),
    I(1, "Key &Binding", 1310), S(1),
    I(1, "&Path", 440), S(1),
    P(1, "&Default Int Format"),
      I(2, "&Binary", 463), I(2, "&Decimal", 460), I(2, "&Octal", 461), I(2, "&Hexadecimal", 462),
    S(1),
    I(1, "Save &Configuration", 111), I(1, "Save Configuration on &Exit", 112, T),

    P(0, "&Target"),
    I(1, "&View I/O Registers", 1360, D), S(1),
    I(1, "Connect", 20000), S(1),
    I(1, "&Reset", 20002), S(1),
    P(1, "&Flash"),
      I(2, "&Program/Erase", 20010), S(2), I(2, "&Verify", 20053),
    S(1),
    P(1, "Real Time Memory"),
      I(2, "&Refresh Timing", 20105), I(2, "Real Time &Data", 20103), I(2, "Real Time &Monitors", 20104),
    S(1),
    I(1, "&On Chip Debug", 20012),
    P(1, "&Trace"),
      I(2, "&Raw Trace", 20013), I(2, "Trace &Disassembly", 20014), I(2, "Trace &Source ", 20016),
      I(2, "Trace &Mixed", 20015),

    P(0, "S&how"),
    I(1, "&Command", 300), I(1, "&Project Tree", 301, T), S(1),
    I(1, "Dis&assembly", 320), I(1, "&Memory", 360), I(1, "M&onitors", 340), I(1, "&Registers", 310),
    I(1, "&Stack", 330), I(1, "&Locals", 335), I(1, "&Globals", 336), S(1),
    I(1, "Real Time Data", 20103), I(1, "Real Time Monitors", 20104), S(1),
    I(1, "S&yntax Coloring", 10000, T),
    P(1, "Sour&ce Information"),
      I(2, "&Address", 10014),
      P(2, "&Code Coverage", T),
        I(3, "&None", 10013), S(3), I(3, "&Iconic", 10010, T), I(3, "&Executions", 10012),
        I(3, "&Timing", 10011),

    P(0, "&Windows"),
    I(1, "&Free", 193), S(1),
    I(1, "&Cascade", 190, T), I(1, "&Horizontal Tile", 191), I(1, "&Vertical Tile", 192),

    P(0, "E&xtensions"),
    I(1, "Extensions Path", 1352), S(1),
    I(1, "Show Available &Extensions", 1350), S(1),
    I(1, "Show C&urrent Extensions", 1351),

    // Placed at the right end of the menu bar.
    P(0, "&Help"),
    I(1, "On &Yav \t<F1>", 13001), I(1, "On &C", 13002), I(1, "On C &Library", 13003), S(1),
    I(1, "&About Yav ...", 113),
    P(1, "&Orvane Web Site"),
      I(2, "&Main Page", 14000),
};

constexpr ToolbarEntry kToolbar[] = {
    {0, {}, false, {}},
    {101, {}, false, "Load File"},  // the platform's standard file-open image
    {0, {}, false, {}},
    {805, "CBREAKmap", false, "Set Breakpoint"},
    {806, "DBREAKmap", false, "Set Data Breakpoint"},
    {0, {}, false, {}},
    {204, "ISTEPmap", false, "Assembler Step"},
    {211, "MSTEPmap", false, "Assembler Step Interrupts Masked"},
    {0, {}, false, {}},
    {203, "CSTEPmap", false, "C Step"},
    {205, "OSTEPmap", false, "Step Over"},
    {0, {}, false, {}},
    {201, "GOmap", false, "Go"},
    {1, "STOPmap", false, "Stop Execution"},
    {0, {}, false, {}},
    {301, "PROJECTmap", true, "Toggle Project Window"},
    {300, "COMMANDmap", true, "Toggle Command Window"},
    {0, {}, false, {}},
    {320, "DISAmap", true, "Toggle Disasembly Window"},
    {310, "REGSmap", true, "Toggle Registers Window"},
    {330, "STACKmap", true, "Toggle Stack Window"},
    {0, {}, false, {}},
    {335, "LOCSmap", true, "Toggle Locals Window"},
    {336, "GLOBSmap", true, "Toggle Globals Window"},
    {340, "MONITmap", true, "Toggle Monitor Window"},
    {0, {}, false, {}},
    {360, "MEMORYmap", false, "Memory Window"},
    {0, {}, false, {}},
    {0, {}, false, {}},
    {20104, "RTMONmap", true, "Toggle Real Time Monitor Window"},
    {20103, "RTMEMmap", true, "Real Time Memory Window"},
};

constexpr uint16_t kTerminalButton = 1200;
constexpr std::string_view kTerminalTooltip = "Toggle Terminal Window";

// Builds the entries at `depth` starting at rows[i]; leaves i at the first row not below them.
std::vector<MenuNode> buildLevel(std::span<const MenuRow> rows, size_t& i, uint8_t depth) {
  std::vector<MenuNode> level;
  while (i < rows.size() && rows[i].depth == depth) {
    const MenuRow& r = rows[i++];
    MenuNode n;
    n.kind = r.kind;
    n.text = std::string(r.text);
    n.id = r.id;
    n.ticked = (r.state & kMenuTicked) != 0;
    n.disabled = (r.state & kMenuDisabled) != 0;
    if (r.kind == MenuKind::Popup) n.children = buildLevel(rows, i, static_cast<uint8_t>(depth + 1));
    level.push_back(std::move(n));
  }
  return level;
}

}  // namespace

std::span<const MenuRow> mainMenuRows() { return kMainMenu; }

std::vector<MenuNode> mainMenu() {
  size_t i = 0;
  return buildLevel(mainMenuRows(), i, 0);
}

const MenuNode* findMenuItem(const std::vector<MenuNode>& menu, uint16_t id) {
  for (const MenuNode& n : menu) {
    if (n.kind == MenuKind::Item && n.id == id) return &n;
    if (const MenuNode* found = findMenuItem(n.children, id)) return found;
  }
  return nullptr;
}

std::string menuTextWithoutMarkers(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

std::span<const ToolbarEntry> toolbarEntries() { return kToolbar; }

std::string_view toolbarTooltip(uint16_t id) {
  if (id == 0) return {};
  if (id == kTerminalButton) return kTerminalTooltip;
  for (const ToolbarEntry& e : kToolbar)
    if (e.id == id) return e.tooltip;
  return {};
}

}  // namespace yav
