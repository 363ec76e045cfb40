#include "ui/variable_window_model.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "engine/display_state.h"
#include "engine/frames.h"
#include "engine/variable_printer.h"
#include "model/loader.h"
#include "model/numtext.h"
#include "platform/ini.h"

namespace yav {

namespace {

constexpr std::string_view kMonitorFileHeader = "\n\t\tMonitors\n\n";

constexpr std::array<VarWindowClass, 7> kClasses = {{
    {kVarCurrentFunction, "Current Function Variables Browser", "YAVVHOST", "YAVVARS", "VARTREE", "VAR_MENU", true,
     true, "Auto Refresh", "Frozen", "DATAPOPUP", false},
    {kVarCurrentFile, "Current File Variables Browser", "YAVVHOST", "YAVVARS", "VARTREE", "VAR_MENU", true, true,
     "Auto Refresh", "Frozen", "DATAPOPUP", false},
    {kVarApplication, "Application Variables Browser", "YAVVHOST", "YAVVARS", "VARTREE", "VAR_MENU", true, true,
     "Auto Refresh", "Frozen", "GDATAPOPUP", false},
    {kVarLocals, "Locals", "YAVVHOST", "YAVLOCS", "LOCSTREE", "", false, false, "Auto Refresh", "Frozen", "DATAPOPUP",
     true},
    {kVarGlobals, "Globals", "YAVVHOST", "YAVGLOBS", "GLOBSTREE", "", false, false, "Auto Refresh", "Frozen",
     "GDATAPOPUP", true},
    {kVarMonitors, "Monitors", "MONHOST", "MONWIN", "MONTREE", "MON_MENU", true, false, "Auto Refresh", "Frozen",
     "MONPOPUP", false},
    {kVarAggregate, "", "MONHOST", "STRUCTWIN", "STRUCTTREE", "STRUCT_MENU", false, true, "Auto Remove",
     "Manual Remove (Frozen)", "DATAPOPUP", false},
}};

// The frame's function scope and the frame level counted from the outermost frame.
const FunctionEntry* currentFunction(Kernel& k, size_t* level = nullptr) {
  const Frame* f = selectedFrame(k);
  if (level) {
    const FrameChain& c = frameChain(k);
    *level = f ? c.frames.size() - c.current : 0;
  }
  return f ? f->function : nullptr;
}

void addScope(VariableTree& tree, const FunctionEntry& scope, bool fullNames) {
  for (const SymbolEntry& s : scope.locals) {
    if (!isVariableSymbol(s)) continue;
    const std::string name = scopedName(scope, s.name);
    SymbolEntry shown = s;
    if (fullNames) shown.name = name;
    tree.add(name, shown.name, declarationText(shown));
  }
}

}  // namespace

const VarWindowClass& varWindowClass(uint16_t kind) {
  for (const VarWindowClass& c : kClasses)
    if (c.kind == kind) return c;
  return kClasses.back();
}

VariableWindowModel::VariableWindowModel(Kernel& k, uint16_t kind, LineLayout layout)
    : k_(k), class_(&varWindowClass(kind)), tree_(k, kind == kVarMonitors ? LineLayout::NameValue : layout) {
  refresh();
}

VariableWindowModel::VariableWindowModel(Kernel& k, const ValueRecord& value, char letter)
    : k_(k), class_(&varWindowClass(kVarAggregate)), tree_(k) {
  VarNode& n = tree_.add(value.text, value.text, {}, letter);
  tree_.expand(n);
}

std::string VariableWindowModel::title() const {
  if (kind() == kVarAggregate) return tree_.roots().empty() ? std::string() : tree_.roots().front()->label;
  return std::string(class_->title);
}

bool VariableWindowModel::statusCommand(uint16_t id) {
  if (!class_->hasStatus || (id != kVarAutoRefresh && id != kVarFrozen)) return false;
  status_ = id == kVarAutoRefresh;
  return true;
}

bool VariableWindowModel::layoutCommand(uint16_t id) {
  if (kind() == kVarMonitors || kind() == kVarAggregate || id < kVarBriefLines || id > kVarFullLines) return false;
  constexpr LineLayout kLayouts[] = {LineLayout::Brief, LineLayout::Standard, LineLayout::Full};
  tree_.setLayout(kLayouts[id - kVarBriefLines]);
  return true;
}

VariableWindowModel::Context VariableWindowModel::currentContext() const {
  Context c;
  c.program = k_.prog.program.get();
  if (kind() == kVarCurrentFunction || kind() == kVarLocals || kind() == kVarCurrentFile) {
    const FunctionEntry* f = currentFunction(k_, &c.level);
    if (f && f->file) c.file = f->file->name;
    if (kind() == kVarCurrentFile) c.level = 0;
    else if (f) c.function = f->name;
  }
  return c;
}

bool VariableWindowModel::refresh() {
  if (!status_) return false;
  if (kind() == kVarMonitors) {
    syncMonitors();
    return false;
  }
  if (kind() == kVarAggregate) {
    tree_.refresh();
    if (!tree_.roots().empty() && !tree_.roots().front()->hasAddress) closeWanted_ = true;
    return false;
  }
  const Context now = currentContext();
  if (builtFor_ && *builtFor_ == now) {
    tree_.refresh();
    return false;
  }
  builtFor_ = now;
  rebuild();
  return true;
}

void VariableWindowModel::rebuild() {
  tree_.clear();
  const Program& program = *k_.prog.program;
  switch (kind()) {
    case kVarCurrentFunction:
    case kVarLocals:
      if (const FunctionEntry* f = currentFunction(k_)) addScope(tree_, *f, class_->fullNames);
      break;
    case kVarCurrentFile: {
      const FunctionEntry* f = currentFunction(k_);
      if (f && f->file) addScope(tree_, *f->file->outerScope(), class_->fullNames);
      break;
    }
    case kVarApplication:
    case kVarGlobals:
      for (const auto& file : program.tables.files) {
        if (const FunctionEntry* outer = file->outerScope()) addScope(tree_, *outer, class_->fullNames);
      }
      break;
    default: break;
  }
}

void VariableWindowModel::syncMonitors() {
  // The nodes follow the monitor list: a monitor keeps its node (and what is expanded below
  // it) while its expression stays; new monitors get new nodes at their place.
  const MonitorList& list = displayState(k_).monitors;
  std::vector<std::unique_ptr<VarNode>> old = std::move(tree_.roots());
  tree_.roots().clear();
  for (const Monitor& m : list.items) {
    if (!m.on) continue;
    const char letter = m.format == ' ' ? 0 : m.format;
    auto it = std::find_if(old.begin(), old.end(), [&](const auto& n) { return n && n->expression == m.expression; });
    if (it != old.end() && (*it)->letter == letter) {
      tree_.roots().push_back(std::move(*it));
      tree_.refresh(*tree_.roots().back());
    } else {
      tree_.add(m.expression, m.expression, {}, letter);
    }
  }
}

bool VariableWindowModel::formatCommand(VarNode& n, uint16_t id) {
  const char* format = popupFormat(id);
  if (!format) return false;
  tree_.setFormat(n, format);
  return true;
}

std::string VariableWindowModel::updateCommandLine(const VarNode& n, std::string_view value) {
  return "update " + n.expression + " = " + std::string(value);
}

std::string VariableWindowModel::monitorCommandLine(const VarNode& n, uint16_t id) const {
  const VarNode* top = &n;
  while (top->parent) top = top->parent;
  switch (id) {
    case kMonAddressOf: return "eval &" + n.expression;
    case kMonAddressHex: return "eval /x &" + n.expression;
    case kMonDeleteAll: return "del /m *";
    case kMonDelete:
      for (const Monitor& m : displayState(k_).monitors.items)
        if (m.expression == top->expression) return "del /m " + std::to_string(m.number);
      return {};
    default: return {};
  }
}

std::string VariableWindowModel::saveText() const {
  return (kind() == kVarMonitors ? std::string(kMonitorFileHeader) : std::string()) + tree_.saveText();
}

bool VariableWindowModel::save(const std::string& path) const {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "w"), &std::fclose);
  const std::string text = saveText();
  if (!f || std::fwrite(text.data(), 1, text.size(), f.get()) != text.size() || std::fclose(f.release()) != 0) {
    k_.ui->messageBox("Error", "Can't write " + path, MsgIcon::Error);
    return false;
  }
  return true;
}

std::string_view VariableWindowModel::saveTitle() const { return kind() == kVarMonitors ? "Save Monitors" : "Save Data"; }
std::string_view VariableWindowModel::saveFilter() const {
  return kind() == kVarMonitors ? "Usage Files(*.mon)" : "Variable Files(*.var)";
}
std::string_view VariableWindowModel::saveExtension() const { return kind() == kVarMonitors ? ".mon" : ".var"; }

LineLayout layoutFromSetting() {
  const std::string v = platform::iniGet("Load", "VarFormat", "Standard");
  const char c = v.empty() ? 'S' : static_cast<char>(v[0] & ~0x20);
  return c == 'B' ? LineLayout::Brief : c == 'F' ? LineLayout::Full : LineLayout::Standard;
}

std::optional<uint32_t> parseRefreshPeriod(std::string_view text) {
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  const NumberRead<uint32_t> n = readNumber(text);
  if (!n.ok || n.used != text.size() || n.value == 0) return std::nullopt;
  return n.value;
}

}  // namespace yav
