// The project browser's logic: the three tabs ("Files", "Functions", "Variables") with their
// trees, and what the popups of a function ("TFUNCPOPUP") and of a variable ("TVARPOPUP") do.
// Nodes hold names, not pointers into the symbol tables, so a tree outlives a reload harmlessly:
// each action looks its symbol up again.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "model/symbols.h"
#include "ui/source_place.h"

namespace yav {

inline constexpr std::string_view kProjectBrowserTitle = "Project Browser";

// Images of the tree nodes, each a closed/open pair of bitmap names.
enum class TreeImage : uint8_t { Folder, File, Function, FunctionBook, VariableBook, Variable };
struct TreeImageNames {
  std::string_view closed, open;
};
TreeImageNames treeImageNames(TreeImage image);

struct TreeNode {
  enum class Kind : uint8_t { Group, File, Function, Variable };
  Kind kind = Kind::Group;
  TreeImage image = TreeImage::Folder;
  std::string text;
  std::string file;      // the file of a file, function or variable node
  std::string function;  // a function node's name; a local's function
  std::string variable;  // a variable node's own name
  std::vector<TreeNode> children;
  bool operator==(const TreeNode&) const = default;
};

struct ProjectTab {
  std::string_view title;      // "Files"
  std::string_view treeTitle;  // "File View"
  std::vector<TreeNode> roots;
  bool operator==(const ProjectTab&) const = default;
};

// Files: one folder holding each source file with its functions. Functions: a book of the
// global and a book of the file-local functions, each by name. Variables: a book per source
// file with its file-level variables, and in it a book per function holding its arguments and
// locals.
std::vector<ProjectTab> projectTree(const Program& program);

// The name commands use for a variable node: the plain name where that names this very
// variable, "file:name" for a file-level variable another one shadows, "function():name" for a
// local.
std::string variableExpression(const SymbolTables& t, const TreeNode& variable);

// The popups' items.
struct TreePopupItem {
  uint16_t id;
  std::string_view text;
};
std::span<const TreePopupItem> functionPopup();  // "TFUNCPOPUP", 990..994
std::span<const TreePopupItem> variablePopup();  // "TVARPOPUP", 995..1003

// What a popup item asks for.
struct TreeAction {
  enum class Kind : uint8_t {
    None,          // nothing (an unknown id, or a symbol no longer in the program)
    Command,       // run `text` as the user's command line
    Info,          // show `text` in a box titled "Info"
    Show,          // open `place` in a source window
    Evaluate,      // run `text`; what it prints is also shown in a box titled "Evaluate"
    Update,        // the update dialog for the variable `text` ("WINCVARUPDATE")
  };
  Kind kind = Kind::None;
  std::string text;
  SourcePlace place;
  bool operator==(const TreeAction&) const = default;
};

TreeAction functionAction(const SymbolTables& t, const TreeNode& function, uint16_t id);
TreeAction variableAction(const SymbolTables& t, const TreeNode& variable, uint16_t id);

// What a double click does: a file or function node opens its source; nothing for the others.
SourcePlace nodePlace(const SymbolTables& t, const TreeNode& node);

}  // namespace yav
