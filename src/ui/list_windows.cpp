#include "ui/list_windows.h"

namespace yav {

namespace {

const ListKind kListKinds[] = {
    {kCmdMapList, "Application Map", "LISTWIN", "GENERIC_MENU2", "Application Map", "Map Files(*.map);;All Files(*.*)",
     "map", "Application Map"},
    {kCmdEventsList, "Events", "LISTWIN", "GENERIC_MENU2", "Events List", "Events Files(*.bkp);;All Files(*.*)", "bkp",
     "Events List"},
    {kCmdFileList, "Files List", "LISTWIN", "GENERIC_MENU2", "File List", "Files(*.fls);;All Files(*.*)", "fls",
     "Files List"},
    {kCmdFunctionList, "Function List", "LISTWIN", "GENERIC_MENU2", "File List", "Functions(*.fns);;All Files(*.*)",
     "fns", "Functions List"},
    {kCmdSymbolsByAddress, "Symbols", "SYMBWIN", "", "", "", "", ""},
    {kCmdSymbolsByName, "Symbols", "SYMBWIN", "", "", "", "", ""},
};

}  // namespace

std::span<const ListKind> listKinds() { return kListKinds; }

const ListKind* listKind(uint16_t id) {
  for (const ListKind& l : kListKinds)
    if (l.id == id) return &l;
  return nullptr;
}

ListContent listContent(Kernel& k, uint16_t id) {
  const Program& p = *k.prog.program;
  switch (id) {
    case kCmdMapList: return mapList(p.tables);
    case kCmdEventsList: return eventsList(k);
    case kCmdFileList: return fileList(p.tables);
    case kCmdFunctionList: return functionList(p.tables);
    case kCmdSymbolsByAddress:
    case kCmdSymbolsByName: {
      k.ui->LeftStatus("Sorting Symbols");
      ListContent c = symbolList(
          p.tables, sortedSymbols(p.labels, id == kCmdSymbolsByName ? SymbolOrder::ByName : SymbolOrder::ByAddress));
      k.ui->LeftStatus(" Command ");
      return c;
    }
  }
  return {};
}

ListContent listPrintContent(Kernel& k, uint16_t id) {
  if (id == kCmdFunctionList) return functionList(k.prog.program->tables, true);
  return listContent(k, id);
}

}  // namespace yav
