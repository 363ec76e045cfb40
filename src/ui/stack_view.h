// The stack window's logic: one line per call frame, innermost first, as the frame listing
// prints them; the place a frame's line opens; the text Save writes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kernel.h"
#include "ui/source_place.h"

namespace yav {

inline constexpr std::string_view kStackSaveTitle = "Save Stack";
inline constexpr std::string_view kStackFileFilter = "Stack Files(*.mon)";
inline constexpr std::string_view kStackFileExtension = "mon";
inline constexpr std::string_view kStackFileHeader = "\n\t\tStack Layout\n\n";

class StackModel {
 public:
  // Re-reads the kernel's frame chain.
  void refresh(Kernel& k);

  const std::vector<std::string>& lines() const { return lines_; }
  // The line of the selected frame (the one the evaluator resolves names in).
  size_t selected() const { return selected_; }
  // The source place of the frame on `line`: the line execution stands at in that frame (the
  // function's first line when the frame has none yet); empty file when it has none.
  SourcePlace place(size_t line) const;
  // The stack file: the header, then the lines as shown.
  std::string saveText() const;

 private:
  std::vector<std::string> lines_;
  std::vector<SourcePlace> places_;
  size_t selected_ = 0;
};

}  // namespace yav
