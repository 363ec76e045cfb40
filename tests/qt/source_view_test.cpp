// The source view on the demo stopped on the simulated board: the execution line is painted on
// the `Source` colour, and double clicks on a line number set and switch a breakpoint.
#include "qt/source_view.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "qt/source_dialogs.h"
#include "view_fixture.h"

namespace yav::test {
namespace {

class SourceViewTest : public DemoViewTest {
 protected:
  void SetUp() override {
    DemoViewTest::SetUp();
    if (IsSkipped()) return;
    services.colours = {{"Source", QColor(0, 0, 255)}, {"BkptOn", QColor(255, 0, 0)}, {"BkptOff", QColor(0, 255, 0)},
                        {"Search", QColor(255, 255, 0)}};
  }
  // The first line of the view's file holding `text`.
  static size_t lineOf(const SourceView& v, std::string_view text) {
    for (size_t n = 1; n <= v.model().lineCount(); ++n) {
      if (v.model().displayed(n).find(text) != std::string::npos) return n;
    }
    ADD_FAILURE() << text;
    return 0;
  }
  // Middle of a cell of a line on screen: `cell` counted from the left edge.
  static QPoint cellOf(const SourceView& v, size_t line, int cell) {
    const SourceTextArea* a = v.textArea();
    return {cell * a->charWidth() + a->charWidth() / 2,
            static_cast<int>(line - 1 - v.model().firstLine()) * a->lineHeight() + a->lineHeight() / 2};
  }
  // True when some pixel of cells [first, last] of `line` has the colour.
  static bool painted(const SourceView& v, size_t line, int first, int last, QColor colour) {
    const QImage image = v.textArea()->viewport()->grab().toImage();
    const QPoint a = cellOf(v, line, first), b = cellOf(v, line, last);
    for (int x = a.x(); x <= b.x(); ++x) {
      for (int y = a.y() - 2; y <= a.y() + 2; ++y) {
        if (image.pixelColor(x, y) == colour) return true;
      }
    }
    return false;
  }
  std::unique_ptr<SourceView> shown(SourceView* v) {
    v->resize(700, 500);
    v->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(v));
    return std::unique_ptr<SourceView>(v);
  }
};

TEST_F(SourceViewTest, MainViewHighlightsTheLineWhereExecutionStopped) {
  run("go main.c:29");  // perimeter = shapes_walk();
  auto v = shown(SourceView::createMain(services));
  EXPECT_EQ(v->objectName(), "YAVWIN");
  EXPECT_EQ(v->windowTitle(), "Source");
  EXPECT_EQ(v->model().fileName(), "main.c");
  const size_t line = lineOf(*v, "perimeter = shapes_walk();");
  EXPECT_EQ(line, 29u);
  const int textStart = v->model().prefix().columns();
  EXPECT_TRUE(painted(*v, line, textStart, textStart + 20, QColor(0, 0, 255)));
  EXPECT_FALSE(painted(*v, line + 1, textStart, textStart + 20, QColor(0, 0, 255)));

  // The next stop moves the highlight.
  run("go shapes.c:37");
  v->refresh(kViewAll);
  EXPECT_EQ(v->model().fileName(), "shapes.c");
  EXPECT_TRUE(painted(*v, 37, textStart, textStart + 20, QColor(0, 0, 255)));
  EXPECT_FALSE(painted(*v, 29, textStart, textStart + 20, QColor(0, 0, 255)));
}

TEST_F(SourceViewTest, DoubleClickOnALineNumberSetsThenSwitchesTheBreakpoint) {
  auto v = shown(SourceView::createBrowser(services, "main.c", 1));
  ASSERT_TRUE(v);
  EXPECT_EQ(v->windowTitle(), "Browser: main.c");
  const size_t line = lineOf(*v, "console_init();");
  QWidget* area = v->textArea()->viewport();

  // A line without code takes no double click.
  QTest::mouseDClick(area, Qt::LeftButton, {}, cellOf(*v, lineOf(*v, "int perimeter;"), 0));
  EXPECT_TRUE(services.lines.empty());

  QTest::mouseDClick(area, Qt::LeftButton, {}, cellOf(*v, line, 0));
  ASSERT_EQ(services.lines.size(), 1u);
  EXPECT_EQ(services.lines[0], "break main.c:" + std::to_string(line));
  v->refresh(kViewAll);
  EXPECT_TRUE(painted(*v, line, 0, 1, QColor(255, 0, 0)));
  EXPECT_FALSE(painted(*v, line + 1, 0, 1, QColor(255, 0, 0)));

  QTest::mouseDClick(area, Qt::LeftButton, {}, cellOf(*v, line, 0));
  ASSERT_EQ(services.lines.size(), 2u);
  EXPECT_EQ(services.lines[1], "break /s 1");
  v->refresh(kViewAll);
  EXPECT_TRUE(painted(*v, line, 0, 1, QColor(0, 255, 0)));
  EXPECT_FALSE(painted(*v, line, 0, 1, QColor(255, 0, 0)));
}

TEST_F(SourceViewTest, SearchDialogFindsAndReportsMisses) {
  auto v = shown(SourceView::createBrowser(services, "main.c", 1));
  ASSERT_TRUE(v);
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "SEARCH_DLG");
    d.findChild<QLineEdit*>("text")->setText("fact_result");
    return SearchDialog::kFindNext;
  };
  v->windowCommand(127);
  EXPECT_EQ(v->model().search().line, 8u);  // unsigned long fact_result;
  v->windowCommand(128);
  EXPECT_EQ(v->model().search().line, 30u);
  v->windowCommand(128);
  v->windowCommand(128);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back(), "Info:  MATCH NOT FOUND");
  EXPECT_EQ(v->model().search().line, 34u);
}

TEST_F(SourceViewTest, SelectionPicksOneExpressionOnOneLine) {
  auto v = shown(SourceView::createBrowser(services, "main.c", 1));
  ASSERT_TRUE(v);
  QWidget* area = v->textArea()->viewport();
  const size_t line = lineOf(*v, "fact_result = factorial(5);");
  const int at = v->model().prefix().columns() + static_cast<int>(v->model().displayed(line).find("fact_result"));
  QTest::mousePress(area, Qt::LeftButton, {}, cellOf(*v, line, at));
  QTest::mouseRelease(area, Qt::LeftButton, {}, cellOf(*v, line, at + 10));
  ASSERT_TRUE(v->model().selection());
  EXPECT_EQ(v->model().selection()->expression, "fact_result");
  EXPECT_TRUE(ui.boxes.empty());

  QTest::mousePress(area, Qt::LeftButton, {}, cellOf(*v, line, at));
  QTest::mouseRelease(area, Qt::LeftButton, {}, cellOf(*v, line + 1, at));  // over two lines
  QTest::mousePress(area, Qt::LeftButton, {}, cellOf(*v, line, 0));
  QTest::mouseRelease(area, Qt::LeftButton, {}, cellOf(*v, line, at + 3));  // from the number column
  EXPECT_EQ(ui.boxes, (std::vector<std::string>{"Error: Illegal Selection", "Error: Illegal Selection"}));
  EXPECT_FALSE(v->model().selection());
}

TEST_F(SourceViewTest, LettersRunShortcutsOnlyInTheMainView) {
  auto browser = shown(SourceView::createBrowser(services, "main.c", 1));
  ASSERT_TRUE(browser);
  QTest::keyClick(browser->textArea(), 's');
  EXPECT_EQ(services.beeps, 1);
  EXPECT_TRUE(services.lines.empty());
  auto mainView = shown(SourceView::createMain(services));
  QTest::keyClick(mainView->textArea(), 's');
  QTest::keyClick(mainView->textArea(), 'd');  // ignored silently
  EXPECT_EQ(services.lines, (std::vector<std::string>{"step"}));
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(SourceViewTest, MissingFileOpensNoBrowser) {
  ui.answer = false;
  EXPECT_EQ(SourceView::createBrowser(services, "nowhere.c", 1), nullptr);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0], "Error: Can't Open nowhere.c\n Would you like to change the PATH ??");
}

}  // namespace
}  // namespace yav::test
