// Helpers of the text views: the in-window menu bar, a list of text lines with marked lines,
// and the Save and Print items that write a view's text.
#pragma once
#include <QListWidget>
#include <QMenuBar>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>


namespace yav {

class ViewServices;
class ViewWindow;

// A menu bar at the top of a view, named after its menu resource; each item sends its id to
// the view's windowCommand().
QMenuBar* viewMenuBar(ViewWindow* view, std::string_view resource,
                      std::initializer_list<std::pair<uint16_t, const char*>> items);

// Lines of text in a fixed font; marked lines stand out (changed values, the selected frame).
class LineList : public QListWidget {
 public:
  explicit LineList(QWidget* parent = nullptr);
  // Replaces the lines, keeping the scroll position where the count stays the same.
  void setLines(const std::vector<std::string>& lines);
  void setMarked(int line, bool marked);
  bool isMarked(int line) const;
};

// Lays a view out as its menu bar (when given) above a LineList in `font`; a double click on a
// line hands its row to `open`.
LineList* layOutLineView(ViewWindow* view, const QFont& font, QMenuBar* menu, std::function<void(int)> open);

// Save: asks for a file through the frame and writes `text`; a file that cannot be written is
// reported ("Can't write " and the name).
void saveViewText(ViewServices& s, std::string_view title, std::string_view filter, std::string_view extension,
                  const std::string& text);

// Print: the text with a title, laid out on pages of a PDF file the user names.
void printViewText(ViewServices& s, std::string_view title, const std::string& text);

}  // namespace yav
