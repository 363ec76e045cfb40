// The tree of C variables that the variable, monitor and aggregate windows show: one node per
// variable or expression, expanded into struct and union members, array elements and the
// objects pointers point to. A node keeps only names and texts, never pointers into the loaded
// program: each read walks again from its top-level expression, so a reload cannot leave a
// node pointing at freed symbols.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/kernel.h"
#include "model/value.h"

namespace yav {

// The text of the placeholder child an expandable node carries until it is first expanded.
inline constexpr std::string_view kDummyNodeText = "Dummy";
// Value texts longer than this are cut.
inline constexpr size_t kValueTextLimit = 32;
// The line of a node shown as a string ends at this length.
inline constexpr size_t kStringLineLimit = 510;

// How a tree line is laid out: name and value (monitors, aggregates), or by the browsers'
// display format (633 brief, 634 standard, 635 full).
enum class LineLayout : uint16_t { NameValue = 0, Brief = 633, Standard = 634, Full = 635 };

struct VarNode {
  enum class Kind : uint8_t { Top, Member, Element, Target };

  Kind kind = Kind::Top;
  std::string label;       // name shown: "count", "shapes[1]", "corner", "*first_shape"
  std::string expression;  // the same object as an expression of the evaluator
  size_t index = 0;        // member or element index
  std::string declaration;  // storage class, type and name in C declaration order
  std::string format;       // display format string chosen in the popup; empty: the type's own
  char letter = 0;          // display letter of a monitor (0: the type's default)
  bool expandable = false;
  bool expanded = false;
  bool built = false;       // the real children exist (else an expandable node shows "Dummy")
  bool isString = false;    // shown as the characters it points to
  uint32_t address = 0;
  bool hasAddress = false;

  std::string value;                    // value text as last read
  // The value as compared between stops: its text in the type's own display, so that choosing
  // another format marks nothing.
  std::string key;
  std::optional<std::string> previous;  // the key at the previous stop
  uint32_t readAtStop = 0;              // the stop the value was last read at
  bool everRead = false;

  VarNode* parent = nullptr;
  std::vector<std::unique_ptr<VarNode>> children;

  bool changed() const { return previous && *previous != key; }
  int depth() const { return parent ? parent->depth() + 1 : 0; }
};

class VariableTree {
 public:
  explicit VariableTree(Kernel& k, LineLayout layout = LineLayout::NameValue) : k_(k), layout_(layout) {}

  // Drops every node.
  void clear() { roots_.clear(); }
  // Appends a top-level node for `expression` (read at once). `label` defaults to the
  // expression; `declaration` is shown by the browsers' layouts.
  VarNode& add(const std::string& expression, const std::string& label = {}, const std::string& declaration = {},
               char letter = 0);
  const std::vector<std::unique_ptr<VarNode>>& roots() const { return roots_; }
  std::vector<std::unique_ptr<VarNode>>& roots() { return roots_; }
  VarNode* find(const std::string& label) const;

  // Expanding builds the real children the first time (reading their values); collapsing keeps
  // them. A null pointer expands into nothing.
  void expand(VarNode& n);
  void collapse(VarNode& n) { n.expanded = false; }

  // Re-reads every top-level node and the children of expanded nodes; collapsed subtrees are
  // not read. A new stop moves each value into `previous` first, so views can mark changes.
  void refresh();
  // Re-reads one node and its expanded subtree.
  void refresh(VarNode& n);

  // Sets the display format of a node and of its children (the String format collapses the
  // node and rebuilds its children), then reads them again.
  void setFormat(VarNode& n, const std::string& format);

  // The line a view shows for a node.
  std::string text(const VarNode& n) const;
  LineLayout layout() const { return layout_; }
  void setLayout(LineLayout l) { layout_ = l; }

  // The tree as text: one line per node in tree order, one tab per depth level; children of a
  // never-expanded node (the "Dummy" placeholder) are left out.
  std::string saveText() const;

 private:
  std::optional<ValueRecord> resolve(const VarNode& n, std::string& error);
  // Keeps what was read for a node (or why it could not be read).
  void store(VarNode& n, const std::optional<ValueRecord>& v, const std::string& error);
  void build(VarNode& n, const ValueRecord& v);
  std::string valueText(const VarNode& n, const ValueRecord& v, const std::string& format);
  std::string stringText(const VarNode& n, const ValueRecord& v);

  Kernel& k_;
  LineLayout layout_;
  std::vector<std::unique_ptr<VarNode>> roots_;
};

// The format strings of the node popup's format items (344..349, 352); null for other ids.
const char* popupFormat(uint16_t id);
inline constexpr uint16_t kPopupFormatString = 349;
inline constexpr uint16_t kPopupUpdate = 350;

}  // namespace yav
