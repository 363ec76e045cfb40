// The variable, monitor and aggregate windows on the demo: what their trees show, expansion
// from the "Dummy" placeholder, changed values drawn in the highlight colour, the update and
// frequency dialogs, one browser per kind and the data refresh. Expected values follow the
// demo's C source (shapes[1].corner = {10, 25}; shapes_perimeter's side = x + y).
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/kernel_eval.h"
#include "qt/variable_window.h"
#include "qt/view_kinds.h"
#include "tests/qt/view_fixture.h"

namespace yav::test {
namespace {

class VariableWindowTest : public DemoViewTest {
 protected:
  // Runs to a place, leaving no breakpoint behind. "shapes.c:36" is inside shapes_walk() in
  // main's first turn, after shapes_init().
  void stopAt(const std::string& place) {
    run("del *");
    run("b " + place);
    run("go");
    run("del *");
  }
  static QStringList childTexts(QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
    return texts;
  }
  std::string evaluated(const std::string& expression) {
    ui.out.clear();
    run("eval " + expression);
    return ui.out;
  }
};

TEST_F(VariableWindowTest, LocalsShowTheStoppedFunctionsVariables) {
  run("b /e shapes_perimeter()");
  run("go");
  run("go");  // the second shape
  run("del *");
  run("activ shapes_perimeter");
  run("step");
  run("step");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(335)->create(services));
  auto* locals = static_cast<VariableWindow*>(w.get());
  EXPECT_EQ(locals->objectName(), "YAVLOCS");
  EXPECT_EQ(locals->windowTitle(), "Locals");
  QTreeWidget* tree = locals->treeWidget();
  EXPECT_EQ(tree->objectName(), "LOCSTREE");
  QStringList lines;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) lines << tree->topLevelItem(i)->text(0);
  EXPECT_TRUE(lines.filter("shapes_perimeter():side = 35").size() == 1) << lines.join('|').toStdString();
  EXPECT_TRUE(lines.filter("shapes_perimeter():s = ").size() == 1) << lines.join('|').toStdString();
}

TEST_F(VariableWindowTest, MonitorOnAStructExpandsInTheTree) {
  stopAt("shapes.c:36");
  run("monit shapes[1].corner");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(340)->create(services));
  auto* monitors = static_cast<VariableWindow*>(w.get());
  EXPECT_EQ(monitors->objectName(), "MONWIN");
  ASSERT_NE(monitors->menuBar(), nullptr);
  EXPECT_EQ(monitors->menuBar()->objectName(), "MON_MENU");
  QTreeWidget* tree = monitors->treeWidget();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* corner = tree->topLevelItem(0);
  EXPECT_EQ(corner->text(0), "shapes[1].corner = {x=10, y=25}");
  EXPECT_EQ(childTexts(corner), QStringList{"Dummy"});
  corner->setExpanded(true);
  EXPECT_EQ(childTexts(corner), (QStringList{"x = 10", "y = 25"}));

  // Saved through the window's menu.
  services.saveAnswer = tempFile("w.mon").string();
  EXPECT_TRUE(monitors->windowCommand(kVarSave));
  std::ifstream in(services.saveAnswer);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "\n\t\tMonitors\n\nshapes[1].corner = {x=10, y=25}\n\tx = 10\n\ty = 25\n");
}

TEST_F(VariableWindowTest, ValueChangedByAStepIsDrawnAsChanged) {
  stopAt("shapes.c:36");
  run("monit main.c:count, shapes[1].corner.y");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(340)->create(services));
  auto* monitors = static_cast<VariableWindow*>(w.get());
  QTreeWidget* tree = monitors->treeWidget();
  const QBrush plain = tree->topLevelItem(0)->foreground(0);
  stopAt("main.c:28");  // main's next turn: count 0 -> 1
  monitors->refresh(kViewAll);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "main.c:count = 1");
  EXPECT_EQ(tree->topLevelItem(0)->foreground(0).color(), QColor(Qt::red));
  EXPECT_EQ(tree->topLevelItem(1)->foreground(0), plain);
}

TEST_F(VariableWindowTest, UpdateDialogWritesTheNewValueToMemory) {
  stopAt("shapes.c:36");
  VariableWindows windows(services);
  const char* text = "shapes[1]";
  int error = 0;
  std::unique_ptr<ValueRecord> v = xexpr(k, text, error, true);
  ASSERT_EQ(error, 0);
  std::unique_ptr<VariableWindow> w(windows.aggregateWindow(*v, 0));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->objectName(), "STRUCTWIN");
  EXPECT_EQ(w->windowTitle(), "shapes[1]");
  EXPECT_EQ(w->treeWidget()->objectName(), "STRUCTTREE");
  QTreeWidgetItem* top = w->treeWidget()->topLevelItem(0);
  ASSERT_TRUE(top->isExpanded());
  QTreeWidgetItem* corner = top->child(1);
  corner->setExpanded(true);
  VarNode* y = VariableWindow::nodeOf(corner->child(1));
  ASSERT_NE(y, nullptr);
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "WINVARUPDATE");
    d.findChild<QLineEdit*>()->setText("-7");
    d.accept();
    return d.result();
  };
  w->popupCommand(*y, kPopupUpdate);
  ASSERT_FALSE(services.lines.empty());
  EXPECT_EQ(services.lines.back(), "update shapes[1].corner.y = -7");
  EXPECT_NE(evaluated("shapes[1].corner.y").find("shapes[1].corner.y = -7"), std::string::npos) << ui.out;
  EXPECT_EQ(corner->child(1)->text(0), "y = -7");
  EXPECT_EQ(corner->child(1)->foreground(0).color(), QColor(Qt::red));

  // The format items redraw the node.
  w->popupCommand(*VariableWindow::nodeOf(corner->child(0)), 348);
  EXPECT_EQ(corner->child(0)->text(0), "x = 0xa");

  // The Status menu of an aggregate window.
  ASSERT_NE(w->menuBar(), nullptr);
  EXPECT_EQ(w->menuBar()->objectName(), "STRUCT_MENU");
  EXPECT_TRUE(w->windowCommand(kVarFrozen));
  EXPECT_EQ(w->model().statusWord(), "Manual Remove (Frozen)");
}

TEST_F(VariableWindowTest, AggregateAtNullAddressIsReported) {
  VariableWindows windows(services);
  ValueRecord v;
  v.text = "*first_shape";
  v.type = tc::Struct;
  EXPECT_EQ(windows.aggregateWindow(v, 0), nullptr);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_NE(ui.boxes.back().find("Object *first_shape has NULL address"), std::string::npos);
}

TEST_F(VariableWindowTest, OneBrowserPerKind) {
  stopAt("shapes.c:36");
  VariableWindows windows(services);
  std::unique_ptr<VariableWindow> first(windows.browserCommand(631));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->windowTitle(), "Current File Variables Browser");
  EXPECT_EQ(first->objectName(), "YAVVARS");
  EXPECT_EQ(first->hostClass(), "YAVVHOST");
  EXPECT_EQ(windows.browserCommand(631), nullptr);
  std::unique_ptr<VariableWindow> other(windows.browserCommand(632));
  EXPECT_TRUE(other);
  ASSERT_NE(first->menuBar(), nullptr);
  EXPECT_EQ(first->menuBar()->objectName(), "VAR_MENU");
  QMenu* status = first->menuBar()->findChild<QMenu*>();
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->title(), "Auto Refresh");
  first->windowCommand(kVarFrozen);
  EXPECT_EQ(status->title(), "Frozen");
  first.reset();
  std::unique_ptr<VariableWindow> again(windows.browserCommand(631));
  EXPECT_TRUE(again);
}

TEST_F(VariableWindowTest, FrequencyDialogRefusesTextThatIsNotANumber) {
  VariableWindows windows(services);
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "DATAFREQUENCY");
    auto* edit = d.findChild<QLineEdit*>();
    EXPECT_EQ(edit->text(), "1000");
    for (const char* bad : {"", "12x"}) {
      edit->setText(bad);
      d.accept();
      EXPECT_NE(d.result(), QDialog::Accepted) << bad;
    }
    edit->setText("20");
    d.accept();
    return d.result();
  };
  windows.frequencyDialog();
  EXPECT_EQ(windows.period(), 20u);
}

TEST_F(VariableWindowTest, DataRefreshRunsUntilStop) {
  VariableWindows windows(services);
  services.onDialog = [](QDialog& d) {
    d.findChild<QLineEdit*>()->setText("10");
    d.accept();
    return d.result();
  };
  windows.frequencyDialog();
  int refreshes = 0;
  bool busyInside = false;
  QTimer::singleShot(100, [&] { k.exec.stopreq = true; });
  windows.startDataRefresh([&] {
    ++refreshes;
    busyInside = k.exec.busy && windows.inRefresh();
  });
  EXPECT_GT(refreshes, 0);
  EXPECT_TRUE(busyInside);
  EXPECT_FALSE(k.exec.busy);
  // Refused while the target runs.
  k.exec.running = true;
  refreshes = 0;
  windows.startDataRefresh([&] { ++refreshes; });
  k.exec.running = false;
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(services.beeps, 1);
}

TEST_F(VariableWindowTest, Screenshot) {
  const char* path = std::getenv("YAV_VARIABLES_SCREENSHOT");
  if (!path) GTEST_SKIP() << "YAV_VARIABLES_SCREENSHOT not set";
  stopAt("shapes.c:36");
  run("monit main.c:count, shapes[1], table");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(340)->create(services));
  auto* monitors = static_cast<VariableWindow*>(w.get());
  monitors->treeWidget()->topLevelItem(1)->setExpanded(true);
  stopAt("main.c:28");
  monitors->refresh(kViewAll);
  monitors->resize(420, 260);
  ASSERT_TRUE(monitors->grab().save(path));
}

}  // namespace
}  // namespace yav::test
