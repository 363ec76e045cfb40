// A debugging session through the frame alone, as a user does it: a breakpoint set by a double
// click on a line number, Go, a struct inspected in a tree, a member changed, and the change seen
// in a memory window.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>
#include <algorithm>
#include <cctype>

#include "frame_fixture.h"
#include "qt/memory_window.h"
#include "qt/source_view.h"
#include "qt/variable_window.h"
#include "ui/variable_tree.h"

namespace yav::test {
namespace {

class WalkthroughTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (!loadDemo()) GTEST_SKIP() << "demo program not built (sdcc missing)";
    frame().createMainSource();
  }
  template <typename T>
  T* child(const char* name) {
    for (T* w : frame().findChildren<T*>(name)) return w;
    return nullptr;
  }
  static std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  }
};

TEST_F(WalkthroughTest, BreakGoInspectChangeAndSeeItInMemory) {
  // shapes.c:36 lies inside shapes_walk(), reached in main's first turn.
  frame().showSource("shapes.c", 36);
  SourceView* browser = nullptr;
  for (SourceView* v : frame().findChildren<SourceView*>())
    if (v != frame().mainSource()) browser = v;
  ASSERT_NE(browser, nullptr);
  const SourceTextArea* area = browser->textArea();
  const QPoint number(area->charWidth() / 2,
                      static_cast<int>(36 - 1 - browser->model().firstLine()) * area->lineHeight() + area->lineHeight() / 2);
  QTest::mouseDClick(area->viewport(), Qt::LeftButton, {}, number);
  EXPECT_NE(session->cmd->text().find("shapes.c"), std::string::npos);

  frame().command(201);  // Go
  settle();
  auto* main = dynamic_cast<SourceView*>(frame().mainSource());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->model().fileName(), "shapes.c");

  // The struct in a tree: evaluating an aggregate opens its window.
  run("eval shapes[1]");
  settle();
  auto* tree = child<QTreeWidget>("STRUCTTREE");
  ASSERT_NE(tree, nullptr);
  auto* window = dynamic_cast<VariableWindow*>(tree->parentWidget());
  ASSERT_NE(window, nullptr);
  QTreeWidgetItem* top = tree->topLevelItem(0);
  top->setExpanded(true);
  QTreeWidgetItem* corner = nullptr;
  for (int i = 0; i < top->childCount(); ++i)
    if (top->child(i)->text(0).startsWith("corner")) corner = top->child(i);
  ASSERT_NE(corner, nullptr);
  corner->setExpanded(true);
  QTreeWidgetItem* y = nullptr;
  for (int i = 0; i < corner->childCount(); ++i)
    if (corner->child(i)->text(0).startsWith("y")) y = corner->child(i);
  ASSERT_NE(y, nullptr);

  // Change the member through the update dialog.
  onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "WINVARUPDATE");
    d.findChild<QLineEdit*>()->setText("-7");
    d.accept();
    return d.result();
  };
  window->popupCommand(*VariableWindow::nodeOf(y), kPopupUpdate);
  EXPECT_EQ(y->text(0), "y = -7");

  // The same bytes in a data memory window: -7 in a 16-bit big-endian int.
  onDialog = [](QDialog& d) {
    if (auto* e = d.findChild<QLineEdit*>("Address")) e->setText("data:&shapes[1].corner.y");
    return static_cast<int>(QDialog::Accepted);
  };
  frame().command(360);
  settle();
  auto* memory = child<MemoryWindow>("MEMWIN");
  ASSERT_NE(memory, nullptr);
  const std::string row = lower(memory->rowTexts().at(0));
  EXPECT_EQ(row.substr(6, 6), "ff f9 ") << row;
}

}  // namespace
}  // namespace yav::test
