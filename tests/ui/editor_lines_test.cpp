// The Go, Step and event editors: which fields make a command line and which are refused.
#include "ui/editor_lines.h"

#include <gtest/gtest.h>

namespace yav {
namespace {

struct Case {
  const char* what;
  EditorLine (*build)(const RunEditorFields&);
  RunEditorFields fields;
  const char* line;
  const char* error;
};

TEST(EditorLines, GoAndStepEditorsBuildOnePlaceOrRefuse) {
  const Case cases[] = {
      {"function and line", goEditorLine, {"main", "", "28", "", ""}, "go main():28", ""},
      {"function alone", goEditorLine, {"fill_table", "", "", "", ""}, "go fill_table()", ""},
      {"file and line", goEditorLine, {"", "main.c", "24", "", ""}, "go main.c:24", ""},
      {"address in hex", goEditorLine, {"", "", "", "0x2100", ""}, "go @0x2100", ""},
      {"address in decimal", goEditorLine, {"", "", "", "8448", ""}, "go @0x2100", ""},
      {"nothing", goEditorLine, {}, "", "Missing Specification"},
      {"file without line", goEditorLine, {"", "main.c", "", "", ""}, "", "Missing Specification"},
      {"line alone", goEditorLine, {"", "", "12", "", ""}, "", "Missing Specification"},
      {"function and file", goEditorLine, {"main", "main.c", "", "", ""}, "", "Conflicting Specification"},
      {"address and line", goEditorLine, {"", "", "3", "0x100", ""}, "", "Conflicting Specification"},
      {"address not a number", goEditorLine, {"", "", "", "0x1g", ""}, "", "Wrong Address Specification"},
      {"go to entry", goToFunctionLine, {"console_init", "", "", "", ""}, "go console_init()", ""},
      {"go to entry without function", goToFunctionLine, {}, "", "Missing Specification"},
      {"step alone", stepEditorLine, {}, "step", ""},
      {"step a count", stepEditorLine, {"", "", "", "", "3"}, "step 3", ""},
      {"istep a count", stepEditorLine, {"", "", "", "", "2", true}, "istep 2", ""},
      {"step to a line", stepEditorLine, {"", "main.c", "30", "", ""}, "step main.c:30", ""},
      {"count and place", stepEditorLine, {"main", "", "", "", "2"}, "", "Conflicting Specification"},
      {"count of zero", stepEditorLine, {"", "", "", "", "0"}, "", "Missing Specification"},
      {"step to entry", stepToFunctionLine, {"fill_table", "", "", "", ""}, "step fill_table()", ""},
      {"istep to entry", stepToFunctionLine, {"fill_table", "", "", "", "", true}, "istep fill_table()", ""},
      {"step to entry with a line", stepToFunctionLine, {"main", "", "4", "", ""}, "", "Conflicting Specification"},
  };
  for (const Case& c : cases) {
    const EditorLine got = c.build(c.fields);
    EXPECT_EQ(got.line, c.line) << c.what;
    EXPECT_EQ(got.error, c.error) << c.what;
  }
}

TEST(EditorLines, EventEditorsCarryOptionsAndActions) {
  CodeEventFields code;
  code.place = {"main", "", "28", "", ""};
  EXPECT_EQ(codeEventLine(code).line, "break main():28");
  code.count = "3";
  code.suspended = true;
  code.watch = true;
  code.actions = "eval count";
  EXPECT_EQ(codeEventLine(code).line, "watch /I /C:3 main():28 {eval count}");
  code.count = "x";
  EXPECT_EQ(codeEventLine(code).error, "Missing Specification");

  DataEventFields data;
  EXPECT_EQ(dataEventLine(data).error, "Missing Specification");
  data.expression = "count";
  EXPECT_EQ(dataEventLine(data).line, "dbreak count");
  data.access = 'W';
  data.watch = true;
  data.count = "2";
  EXPECT_EQ(dataEventLine(data).line, "dwatch /T:W /C:2 count");
}

}  // namespace
}  // namespace yav
