// The registers, stack and list windows, the browser dialogs and the project browser, on the demo
// stopped on the simulated board.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>
#include <fstream>

#include "engine/events.h"
#include "qt/browser_dialogs.h"
#include "qt/list_window.h"
#include "qt/project_browser.h"
#include "qt/registers_window.h"
#include "qt/stack_window.h"
#include "qt/view_kinds.h"
#include "view_fixture.h"

namespace yav::test {
namespace {

class BrowseViews : public DemoViewTest {
 protected:
  uint32_t functionAddress(const char* name) { return k.prog.program->tables.findFunction(name)->address(); }
  static std::string hex(uint32_t v, const char* format = "%04x") {
    char b[16];
    std::snprintf(b, sizeof b, format, v);
    return b;
  }
  static std::string line(LineList* l, int i) { return l->item(i)->text().toStdString(); }
  static QListWidgetItem* pick(QListWidget* list, const char* text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return nullptr;
    list->setCurrentItem(found.front());
    return found.front();
  }
};

TEST_F(BrowseViews, RegistersWindowShowsTheNewPcAfterAStepAndMarksWhatChanged) {
  run("break main()");
  run("go");
  run("update $a = 0x55");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(310)->create(services));
  auto* regs = static_cast<RegistersWindow*>(w.get());
  EXPECT_EQ(w->objectName(), "REGWIN");
  ASSERT_NE(w->findChild<QMenuBar*>("GENERIC_MENU1"), nullptr);
  EXPECT_EQ(line(regs->lines(), 0), "     a:55");

  run("istep");  // main's first instruction: lda #0x02
  w->refresh(kViewAll);
  EXPECT_EQ(line(regs->lines(), 0), "     a:02");
  EXPECT_EQ(line(regs->lines(), 5), "  pc:" + hex(functionAddress("main") + 2));
  EXPECT_TRUE(regs->lines()->isMarked(0));
  EXPECT_TRUE(regs->lines()->isMarked(5));
  EXPECT_FALSE(regs->lines()->isMarked(3));  // HX untouched
  EXPECT_FALSE(regs->lines()->isMarked(4));  // SP untouched

  // Save writes the eight lines as shown.
  services.saveAnswer = tempFile("regs.reg").string();
  EXPECT_TRUE(w->windowCommand(118));
  std::ifstream in(services.saveAnswer);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "     a:02");
}

TEST_F(BrowseViews, UpdatingRegistersThroughTheDialogChangesTheKernel) {
  run("break main()");
  run("go");
  RegistersWindow w(services);
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "WINREGUPDATE");
    d.findChild<QLineEdit*>()->setText(" 0x3c ");
    return int(QDialog::Accepted);
  };
  w.updateLine(0);
  EXPECT_EQ(k.regs.file.a, 0x3c);
  EXPECT_EQ(services.lines.back(), "update $a = 0x3c");
  EXPECT_EQ(line(w.lines(), 0), "     a:3c");
  EXPECT_TRUE(w.lines()->isMarked(0));

  // "&C Function" takes a function's address from the function selection.
  services.onDialog = [this](QDialog& d) {
    if (d.objectName() == "FUNCSELECT") {
      EXPECT_NE(pick(d.findChild<QListWidget*>(), "shapes_walk"), nullptr);
      return int(QDialog::Accepted);
    }
    d.findChild<QPushButton*>("&C Function")->click();
    return int(QDialog::Accepted);
  };
  w.updateLine(3);
  EXPECT_EQ(k.regs.file.hx, functionAddress("shapes_walk"));

  // A cancelled dialog and a line without a register change nothing.
  services.onDialog = nullptr;
  const size_t issued = services.lines.size();
  w.updateLine(0);
  w.updateLine(7);
  EXPECT_EQ(services.lines.size(), issued);
  EXPECT_EQ(services.beeps, 1);
}

// main.c:22 calls console_init, whose first statement is console.c:16.
TEST_F(BrowseViews, StackWindowListsMainAndTheCalleeAndOpensAFrame) {
  run("activ *");
  run("break main()");
  run("go");
  run("step");
  std::unique_ptr<ViewWindow> w(viewKindByShowId(330)->create(services));
  auto* stack = static_cast<StackWindow*>(w.get());
  EXPECT_EQ(stack->lines()->count(), 1);
  run("step");
  w->refresh(kViewAll);
  ASSERT_EQ(stack->lines()->count(), 2);
  EXPECT_EQ(line(stack->lines(), 0), "console_init() at console.c:16");
  EXPECT_EQ(line(stack->lines(), 1), "main() at main.c:22");
  EXPECT_TRUE(stack->lines()->isMarked(0));
  stack->openFrame(1);
  ASSERT_EQ(services.sources.size(), 1u);
  EXPECT_EQ(services.sources.back(), (std::pair<std::string, int>{"main.c", 22}));
}

TEST_F(BrowseViews, ProjectTreePopupsIssueTheirCommandLines) {
  ProjectBrowser b(services);
  EXPECT_EQ(b.objectName(), "PHOSTWIN");
  ASSERT_EQ(b.tabs()->count(), 3);
  EXPECT_EQ(b.tabs()->tabText(1), "Functions");
  const auto mainItems = b.tree(1)->findItems("main()", Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(mainItems.size(), 1);
  b.popupCommand(mainItems.front(), 993);
  EXPECT_EQ(services.lines.back(), "break /e main()");
  EXPECT_EQ(eventState(k).list.size(), 1u);

  // Evaluate also shows what it printed in a box.
  const auto tableItems = b.tree(2)->findItems("table", Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(tableItems.size(), 1);
  b.popupCommand(tableItems.front(), 997);
  EXPECT_EQ(services.lines.back(), "eval table");
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().rfind("Evaluate: ", 0), 0u);
  EXPECT_NE(ui.out.find("table"), std::string::npos) << "the command window still gets the output";

  // A double click on a function opens it at its first line (main is defined on line 18).
  b.open(mainItems.front());
  EXPECT_EQ(services.sources.back(), (std::pair<std::string, int>{"main.c", 18}));
}

TEST_F(BrowseViews, BrowserDialogsOpenTheChosenSource) {
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "FILEBROWSER");
    EXPECT_EQ(d.windowTitle(), "File Browser");
    pick(d.findChild<QListWidget*>(), "mathx.c");
    return int(QDialog::Accepted);
  };
  EXPECT_TRUE(runBrowserDialog(services, 620));
  // average is defined at mathx.c:11.
  services.onDialog = [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "FUNCBROWSER");
    d.findChild<QComboBox*>()->setCurrentText("mathx.c");
    EXPECT_EQ(d.findChild<QListWidget*>()->count(), 2);
    pick(d.findChild<QListWidget*>(), "average");
    return int(QDialog::Accepted);
  };
  EXPECT_TRUE(runBrowserDialog(services, 622));
  services.openAnswer = (demo_ / "demo.h").string();
  EXPECT_TRUE(runBrowserDialog(services, 625));
  const std::vector<std::pair<std::string, int>> expected = {{"mathx.c", 0}, {"mathx.c", 11}, {services.openAnswer, 0}};
  EXPECT_EQ(services.sources, expected);
  EXPECT_FALSE(runBrowserDialog(services, 621));
}

TEST_F(BrowseViews, ListWindowsSaveAndPrintTheirText) {
  std::unique_ptr<ViewWindow> w(createListWindow(services, 650));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->objectName(), "LISTWIN");
  services.saveAnswer = tempFile("list.fns").string();
  EXPECT_TRUE(w->windowCommand(118));
  std::ifstream in(services.saveAnswer);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.rfind("\n\t\tFunction List\n\n\n\tFunctions in file: console.c\n", 0), 0u);

  services.saveAnswer = tempFile("list.pdf").string();
  EXPECT_TRUE(w->windowCommand(121));
  std::ifstream pdf(services.saveAnswer, std::ios::binary);
  std::string magic(4, '\0');
  pdf.read(magic.data(), 4);
  EXPECT_EQ(magic, "%PDF");

  // An unwritable file is reported.
  services.saveAnswer = tempFile("no/such/dir/list.fns").string();
  w->windowCommand(118);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back(), "Error: Can't write " + services.saveAnswer);

  // The events list follows the events; a double click opens an event's line.
  std::unique_ptr<ViewWindow> events(createListWindow(services, 621));
  run("break main.c:30");
  events->refresh(kViewSource);
  auto* list = static_cast<ListWindow*>(events.get());
  ASSERT_EQ(list->lines()->count(), 1);
  list->openLine(0);
  EXPECT_EQ(services.sources.back(), (std::pair<std::string, int>{"main.c", 30}));
  EXPECT_EQ(createListWindow(services, 999), nullptr);
}

}  // namespace
}  // namespace yav::test
