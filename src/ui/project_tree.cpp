#include "ui/project_tree.h"

#include <algorithm>
#include <filesystem>

#include "model/format.h"
#include "model/storage_classes.h"
#include "ui/program_lists.h"

namespace yav {

namespace {

bool isVariable(const SymbolEntry& s) {
  if (s.name.empty()) return false;
  switch (s.storageClass) {
    case sc::Typedef:
    case sc::EnumMember:
    case sc::LocalFunction:
    case sc::GlobalFunction: return false;
  }
  return true;
}

TreeNode node(TreeNode::Kind kind, TreeImage image, std::string text) {
  TreeNode n;
  n.kind = kind;
  n.image = image;
  n.text = std::move(text);
  return n;
}

TreeNode functionNode(const FunctionEntry& f) {
  TreeNode n = node(TreeNode::Kind::Function, TreeImage::Function, f.name + "()");
  n.file = f.file ? f.file->name : std::string();
  n.function = f.name;
  return n;
}

TreeNode variableNode(const SymbolEntry& s, const std::string& file, const std::string& function) {
  TreeNode n = node(TreeNode::Kind::Variable, TreeImage::Variable, s.name);
  n.file = file;
  n.function = function;
  n.variable = s.name;
  return n;
}

void sortByText(std::vector<TreeNode>& nodes) {
  std::stable_sort(nodes.begin(), nodes.end(), [](const TreeNode& a, const TreeNode& b) { return a.text < b.text; });
}

std::vector<TreeNode> filesTab(const Program& p) {
  std::string folder = std::filesystem::path(p.fileName).filename().string();
  if (folder.empty()) folder = "Source Files";
  TreeNode root = node(TreeNode::Kind::Group, TreeImage::Folder, folder);
  for (const FileEntry* f : listedFiles(p.tables)) {
    TreeNode file = node(TreeNode::Kind::File, TreeImage::File, f->name);
    file.file = f->name;
    for (const FunctionEntry* fn : listedFunctions(*f)) file.children.push_back(functionNode(*fn));
    root.children.push_back(std::move(file));
  }
  return {std::move(root)};
}

std::vector<TreeNode> functionsTab(const Program& p) {
  TreeNode globals = node(TreeNode::Kind::Group, TreeImage::FunctionBook, "Global Functions");
  TreeNode locals = node(TreeNode::Kind::Group, TreeImage::FunctionBook, "Local Functions");
  for (const FileEntry* f : listedFiles(p.tables)) {
    for (const FunctionEntry* fn : listedFunctions(*f))
      (fn->storageClass == sc::LocalFunction ? locals : globals).children.push_back(functionNode(*fn));
  }
  sortByText(globals.children);
  sortByText(locals.children);
  return {std::move(globals), std::move(locals)};
}

std::vector<TreeNode> variablesTab(const Program& p) {
  std::vector<TreeNode> books;
  for (const FileEntry* f : listedFiles(p.tables)) {
    TreeNode book = node(TreeNode::Kind::Group, TreeImage::VariableBook, f->name);
    book.file = f->name;
    if (const FunctionEntry* outer = f->outerScope()) {
      for (const SymbolEntry& s : outer->locals)
        if (isVariable(s)) book.children.push_back(variableNode(s, f->name, {}));
      sortByText(book.children);
    }
    for (const FunctionEntry* fn : listedFunctions(*f)) {
      TreeNode locals = node(TreeNode::Kind::Group, TreeImage::FunctionBook, fn->name + "()");
      locals.file = f->name;
      locals.function = fn->name;
      for (const SymbolEntry& s : fn->locals)
        if (isVariable(s)) locals.children.push_back(variableNode(s, f->name, fn->name));
      if (!locals.children.empty()) book.children.push_back(std::move(locals));
    }
    books.push_back(std::move(book));
  }
  return books;
}

const FunctionEntry* findFunctionOf(const SymbolTables& t, const TreeNode& n) {
  const FileEntry* file = n.file.empty() ? nullptr : t.findFile(n.file);
  if (!n.file.empty() && !file) return nullptr;
  return t.findFunction(n.function, file);
}

const SymbolEntry* findVariable(const SymbolTables& t, const TreeNode& n) {
  if (!n.function.empty()) {
    const FunctionEntry* fn = findFunctionOf(t, n);
    return fn ? fn->findLocal(n.variable) : nullptr;
  }
  const FileEntry* file = t.findFile(n.file);
  const FunctionEntry* outer = file ? file->outerScope() : nullptr;
  return outer ? outer->findLocal(n.variable) : nullptr;
}

// How many scopes of the program declare a variable of that name.
int declarations(const SymbolTables& t, const std::string& name) {
  int count = 0;
  for (const auto& f : t.files)
    for (const auto& fn : f->functions)
      for (const SymbolEntry& s : fn->locals)
        if (s.name == name && isVariable(s)) ++count;
  return count;
}

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

constexpr TreePopupItem kFunctionPopup[] = {
    {990, "&Info"},
    {991, "&Show Definiton"},
    {992, "&Cross References"},
    {993, "&Set Breakpoint On Entry"},
    {994, "&Goto Function Entry"},
};

constexpr TreePopupItem kVariablePopup[] = {
    {995, "&Info"},         {996, "&Cross References"}, {997, "&Evaluate"},
    {998, "&Monitor"},      {999, "&Update"},           {1000, "A&cces Break"},
    {1001, "&Read Break"},  {1002, "&Write Break"},     {1003, "Real &Time Monitor"},
};

}  // namespace

TreeImageNames treeImageNames(TreeImage image) {
  switch (image) {
    case TreeImage::Folder: return {"CDIRMAP", "ODIRMAP"};
    case TreeImage::File: return {"CFILEMAP", "OFILEMAP"};
    case TreeImage::Function: return {"FUNCMAP", "OFUNCMAP"};
    case TreeImage::FunctionBook: return {"FBOOKMAP", "OFBOOKMAP"};
    case TreeImage::VariableBook: return {"VBOOKMAP", "OVBOOKMAP"};
    case TreeImage::Variable: break;
  }
  return {};
}

std::vector<ProjectTab> projectTree(const Program& program) {
  return {
      {"Files", "File View", filesTab(program)},
      {"Functions", "Function View", functionsTab(program)},
      {"Variables", "Variable View", variablesTab(program)},
  };
}

std::string variableExpression(const SymbolTables& t, const TreeNode& v) {
  if (!v.function.empty()) return v.function + "():" + v.variable;
  if (declarations(t, v.variable) > 1) return v.file + ":" + v.variable;
  return v.variable;
}

std::span<const TreePopupItem> functionPopup() { return kFunctionPopup; }
std::span<const TreePopupItem> variablePopup() { return kVariablePopup; }

TreeAction functionAction(const SymbolTables& t, const TreeNode& n, uint16_t id) {
  const FunctionEntry* f = findFunctionOf(t, n);
  if (!f) return {};
  const std::string call = f->name + "()";
  switch (id) {
    case 990:
      return {TreeAction::Kind::Info,
              fmtstr("%p %p(%p) at 0x%hl in (%p)", trimmed(f->description), f->name, f->argumentList(), f->address(),
                     f->file ? f->file->name : std::string()),
              {}};
    case 991: return {TreeAction::Kind::Show, {}, functionPlace(*f)};
    case 992: return {TreeAction::Kind::Command, "xref " + call, {}};
    case 993: return {TreeAction::Kind::Command, "break /e " + call, {}};
    case 994: return {TreeAction::Kind::Command, fmtstr("go %p():%l", f->name, f->firstLine), {}};
  }
  return {};
}

TreeAction variableAction(const SymbolTables& t, const TreeNode& n, uint16_t id) {
  const SymbolEntry* s = findVariable(t, n);
  if (!s) return {};
  const std::string v = variableExpression(t, n);
  switch (id) {
    case 995: {
      std::string text = declarationText(*s);
      if (storageClass(s->storageClass).place == FramePlace::Fixed) text = fmtstr("at 0x%hl ", s->value) + text;
      return {TreeAction::Kind::Info, text, {}};
    }
    case 996: return {TreeAction::Kind::Command, "xref " + v, {}};
    case 997: return {TreeAction::Kind::Evaluate, "eval " + v, {}};
    case 998: return {TreeAction::Kind::Command, "monit " + v, {}};
    case 999: return {TreeAction::Kind::Update, v, {}};
    case 1000: return {TreeAction::Kind::Command, "dbreak /t:a " + v, {}};
    case 1001: return {TreeAction::Kind::Command, "dbreak /t:r " + v, {}};
    case 1002: return {TreeAction::Kind::Command, "dbreak /t:w " + v, {}};
    case 1003: return {TreeAction::Kind::Command, "rmonit " + v, {}};
  }
  return {};
}

SourcePlace nodePlace(const SymbolTables& t, const TreeNode& n) {
  if (n.kind == TreeNode::Kind::File) return t.findFile(n.file) ? SourcePlace{n.file, 0} : SourcePlace{};
  if (n.kind == TreeNode::Kind::Function) {
    const FunctionEntry* f = findFunctionOf(t, n);
    return f ? functionPlace(*f) : SourcePlace{};
  }
  return {};
}

}  // namespace yav
