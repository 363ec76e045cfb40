// Memory and disassembly windows on the demo program: a data window showing a variable and
// marking it after a write, its dialogs and files, and the disassembly window following the PC
// and turning clicks on the address field into event commands.
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "engine/events.h"
#include "engine/kernel_eval.h"
#include "model/format.h"
#include "model/loader.h"
#include "qt/code_rows_canvas.h"
#include "qt/disassembly_window.h"
#include "qt/memory_window.h"
#include "view_fixture.h"

namespace yav::test {
namespace {

class MemoryWindowTest : public DemoViewTest {
 protected:
  uint32_t label(const char* name) {
    const LabelEntry* l = k.prog.program->labels.rensym(name);
    EXPECT_NE(l, nullptr) << name;
    return l ? l->value : 0;
  }
  // Answers the next dialogs: sets the named line edits, ticks the named buttons, accepts.
  void answer(std::map<std::string, std::string> edits, std::vector<std::string> ticks = {}) {
    services.onDialog = [edits, ticks](QDialog& d) {
      for (const auto& [name, text] : edits)
        if (auto* e = d.findChild<QLineEdit*>(QString::fromStdString(name))) e->setText(QString::fromStdString(text));
      for (const std::string& name : ticks)
        if (auto* b = d.findChild<QAbstractButton*>(QString::fromStdString(name))) b->setChecked(true);
      return static_cast<int>(QDialog::Accepted);
    };
  }
  std::string fileText(const std::filesystem::path& p) {
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  QMdiArea mdi;
};

TEST_F(MemoryWindowTest, DataWindowShowsAVariableAndMarksItsChange) {
  run("update table[0] = 0x12");
  run("update table[1] = 0x34");
  answer({{"Address", "data:table"}});
  MemoryConfig last;
  MemoryWindow* w = runMemoryWindowDialog(services, &mdi, last);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->objectName(), "MEMWIN");
  EXPECT_EQ(w->parentWidget()->objectName(), "MEMHOST");
  EXPECT_EQ(w->menu()->objectName(), "YAVMEMDATA");
  const uint32_t table = label("_table");
  const std::string first = w->rowTexts().at(0);
  EXPECT_EQ(first.substr(0, 12), fmtstr("%+05hl 12 34 ", table)) << first;

  run("update table[1] = 0x99");
  YavDataMemUpdate(&mdi, 0);
  const DataRow& row = w->dataShown().rows.at(0);
  EXPECT_FALSE(row.items[0].changed);
  EXPECT_TRUE(row.items[1].changed);
  EXPECT_EQ(row.items[1].text, "99");
  YavDataMemUpdate(&mdi, 0);
  EXPECT_FALSE(w->dataShown().rows.at(0).items[1].changed);

  // "Format": words in decimal; the layout change starts fresh.
  answer({}, {"Word", "Decimal"});
  ASSERT_TRUE(w->windowCommand(kCmdMemFormat));
  EXPECT_EQ(w->rowTexts().at(0).substr(0, 12), fmtstr("%+05hl 04761 ", table));  // 0x1299 = 4761
  EXPECT_FALSE(w->dataShown().rows.at(0).items[0].changed);
  EXPECT_EQ(sessionSettings(w->spec().layout), (SessionDataSettings{2, 2, 1, 16}));

  // "Address": a new start, the layout kept.
  answer({{"Address", "table + 0x10"}});
  ASSERT_TRUE(w->windowCommand(kCmdMemAddress));
  EXPECT_EQ(w->rowTexts().at(0).substr(0, 5), fmtstr("%+05hl", table + 0x10));
  EXPECT_EQ(w->parentWidget()->windowTitle().toStdString(), fmtstr("Data Memory data:0x%hl", table + 0x10));
  EXPECT_EQ(w->spec().layout.size, 2);
}

TEST_F(MemoryWindowTest, AnAddressThatCannotBeEvaluatedOpensNothing) {
  answer({{"Address", "data:no_such_thing + "}});
  MemoryConfig last;
  EXPECT_EQ(runMemoryWindowDialog(services, &mdi, last), nullptr);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back(), "Error: Can't evaluate\n");
  EXPECT_TRUE(memoryWindows(&mdi).empty());
}

TEST_F(MemoryWindowTest, FillAndSRecordsFromTheDataWindow) {
  const uint32_t table = label("_table");
  MemoryWindow* w = openMemoryWindow(services, &mdi, MemoryWindowSpec{MemKind::Data, false, table, {}});
  answer({{"With", "0xA5"}, {"From", fmtstr("0x%hl", table)}, {"To", fmtstr("0x%hl", table + 2)}}, {"Verify"});
  ASSERT_TRUE(w->windowCommand(kCmdMemFill));
  EXPECT_EQ(w->rowTexts().at(0).substr(6, 9), "a5 a5 a5 ");
  EXPECT_EQ(ui.status[0], "Command");

  services.saveAnswer = tempFile("table.mem").string();
  answer({{"From", fmtstr("0x%hl", table)}, {"To", fmtstr("0x%hl", table + 1)}});
  ASSERT_TRUE(w->windowCommand(kCmdMemSRecords));
  // count 3 + 2 address bytes + two 0xA5: the one's complement of the sum's low byte.
  const unsigned sum = 5 + (table >> 8) + (table & 0xFF) + 0xA5 + 0xA5;
  std::string expected = fmtstr("S105%+04hlA5A5%+02hc", table, ~sum & 0xFF);
  for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(fileText(tempFile("table.mem")), expected + "\nS903FFFFFE\n");
}

TEST_F(MemoryWindowTest, SessionRecordsBringWindowsBack) {
  MemoryWindow* w = openMemoryWindow(services, &mdi, MemoryWindowSpec{MemKind::Data, false, 0x102, {2, MemBase::Octal, false, 8}});
  const std::string record = formatSessionRecord(w->sessionRecord({10, 20, 311, 222}));
  EXPECT_EQ(record, "D,102,2,1,0,8,10,20,311,222");
  std::string error;
  MemoryWindow* back = restoreMemoryWindow(services, &mdi, record, error);
  ASSERT_NE(back, nullptr) << error;
  EXPECT_EQ(back->spec().layout, w->spec().layout);
  EXPECT_EQ(back->spec().addressText(), "data:0x102");
  EXPECT_EQ(back->parentWidget()->geometry(), QRect(10, 20, 300, 201));
  MemoryWindow* code = restoreMemoryWindow(services, &mdi, "C,20cc,0,0,400,200", error);
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->menu()->objectName(), "YAVMEMCODE");
  EXPECT_EQ(code->codeShown().rows.at(0).address, 0x20ccu);
  EXPECT_EQ(restoreMemoryWindow(services, &mdi, "D,zz", error), nullptr);
  EXPECT_EQ(memoryWindows(&mdi).size(), 3u);
  closeMemoryWindows(&mdi);
  EXPECT_TRUE(memoryWindows(&mdi).empty());
}

class DisassemblyWindowTest : public MemoryWindowTest {
 protected:
  void SetUp() override {
    MemoryWindowTest::SetUp();
    if (IsSkipped()) return;
    run("break main");
    run("go");
    w = std::make_unique<DisassemblyWindow>(services);
    w->resize(600, 300);
    w->show();
    w->refresh(kViewAll);
  }
  const CodeRow* pcRow() {
    for (const CodeRow& r : w->shown().rows)
      if (r.atPc) return &r;
    return nullptr;
  }
  QPoint addressField(int row) { return {2, row * w->canvas()->lineHeight() + 2}; }
  std::unique_ptr<DisassemblyWindow> w;
};

TEST_F(DisassemblyWindowTest, FollowsTheProgramCounter) {
  EXPECT_EQ(w->objectName(), "ASMWIN");
  EXPECT_EQ(w->menu()->objectName(), "GENERIC_MENU3");
  ASSERT_NE(pcRow(), nullptr);
  EXPECT_EQ(pcRow()->address, label("_main"));
  EXPECT_TRUE(pcRow()->inLineRange);
  EXPECT_EQ(pcRow()->event, EventMark::Active);  // the breakpoint on main

  run("step");
  w->refresh(kViewAll);
  ASSERT_NE(pcRow(), nullptr);
  EXPECT_EQ(pcRow()->address, currentPc(k));
  EXPECT_NE(currentPc(k), label("_main"));

  run("break shapes_walk");
  run("go");
  w->refresh(kViewAll);
  ASSERT_NE(pcRow(), nullptr);
  EXPECT_EQ(pcRow()->address, currentPc(k));

  // Scrolled away, the rows stay put until the PC moves.
  QTest::keyClick(w->canvas(), Qt::Key_PageDown);
  const uint32_t scrolled = w->shown().rows.at(0).address;
  EXPECT_EQ(pcRow(), nullptr);
  w->refresh(kViewAll);
  EXPECT_EQ(w->shown().rows.at(0).address, scrolled);
  run("step");
  w->refresh(kViewAll);
  ASSERT_NE(pcRow(), nullptr);
}

TEST_F(DisassemblyWindowTest, AddressFieldClicksIssueEventCommands) {
  const CodeRow target = w->shown().rows.at(2);
  ASSERT_EQ(target.event, EventMark::None);
  QTest::mouseDClick(w->canvas(), Qt::LeftButton, Qt::NoModifier, addressField(2));
  ASSERT_FALSE(services.lines.empty());
  EXPECT_EQ(services.lines.back(), fmtstr("break @0x%hl", target.address));
  w->refresh(kViewAll);
  const CodeRow now = w->shown().rows.at(2);
  EXPECT_EQ(now.event, EventMark::Active);

  QTest::mouseClick(w->canvas(), Qt::RightButton, Qt::ShiftModifier, addressField(2));
  EXPECT_EQ(services.lines.back(), fmtstr("break /s %i", now.eventNumber));
  w->refresh(kViewAll);
  EXPECT_EQ(w->shown().rows.at(2).event, EventMark::Suspended);

  std::string popupName;
  w->onPopup = [&popupName](const QMenu& m) {
    popupName = m.objectName().toStdString();
    return kBkptDelete;
  };
  QTest::mouseClick(w->canvas(), Qt::RightButton, Qt::NoModifier, addressField(2));
  EXPECT_EQ(popupName, "RBKPTPOPUP");
  EXPECT_EQ(services.lines.back(), fmtstr("del /e %i", now.eventNumber));

  // With W held a double click asks for a watchpoint.
  const CodeRow other = w->shown().rows.at(3);
  QTest::keyPress(w->canvas(), Qt::Key_W);
  QTest::mouseDClick(w->canvas(), Qt::LeftButton, Qt::NoModifier, addressField(3));
  QTest::keyRelease(w->canvas(), Qt::Key_W);
  EXPECT_EQ(services.lines.back(), fmtstr("watch @0x%hl", other.address));
}

TEST_F(DisassemblyWindowTest, OperandSymbolsOpenTheirPopups) {
  // main's third instruction calls console_init: a code label.
  int row = -1;
  const auto& rows = w->shown().rows;
  for (size_t i = 0; i < rows.size() && row < 0; ++i)
    if (rows[i].operand.find("_console_init") != std::string::npos) row = static_cast<int>(i);
  ASSERT_GE(row, 0);
  const CodeRow& r = rows[static_cast<size_t>(row)];
  const int column = CodeRow::kTextColumn + static_cast<int>(r.mnemonic.size() + r.operand.find("_console_init")) + 3;
  std::string popupName;
  w->onPopup = [&popupName](const QMenu& m) {
    popupName = m.objectName().toStdString();
    return static_cast<uint16_t>(kLabelPopupBase + kSetBreakpoint);
  };
  const int cw = w->canvas()->charWidth();
  QTest::mouseClick(w->canvas(), Qt::RightButton, Qt::NoModifier,
                    QPoint(column * cw + cw / 2, row * w->canvas()->lineHeight() + 2));
  EXPECT_EQ(popupName, "LBLPOPUP");
  EXPECT_EQ(services.lines.back(), "break _console_init");
}

TEST_F(DisassemblyWindowTest, CodeDumpWritesTheRange) {
  const uint32_t main = label("_main");
  services.saveAnswer = tempFile("main.mem").string();
  answer({{"From", fmtstr("0x%hl", main)}, {"To", fmtstr("0x%hl", main)}});
  ASSERT_TRUE(w->windowCommand(kCmdDisassemblyDump));
  const std::string text = fileText(tempFile("main.mem"));
  // The first instruction of main stores 2 into SOPT1: lda #0x02 (a6 02), four bytes missing.
  EXPECT_EQ(text, fmtstr("%+05hl  a602        lda   #0x02\n", main));
}

}  // namespace
}  // namespace yav::test
