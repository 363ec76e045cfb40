// The command lines built by the frame's editor dialogs: Go Editor ("GOEDIT"), Step Editor
// ("STEPEDIT", "STEPTOFN") and the code and data event editors. Each takes the fields as typed
// and gives the line for the dispatcher, or the error text that the dialog shows instead.
#pragma once
#include <string>

namespace yav {

struct EditorLine {
  std::string line;   // the command line; empty when `error` is set
  std::string error;  // "Missing Specification", "Conflicting Specification", "Wrong Address Specification"
};

// Fields of the Go and Step editors; an empty text is a field left blank.
struct RunEditorFields {
  std::string function, file, line, address, count;
  bool assembler = false;  // step by instructions
};

// "go" to a function (at a line of it), a file's line or an address.
EditorLine goEditorLine(const RunEditorFields& f);
// "go" to a function's entry: the function alone.
EditorLine goToFunctionLine(const RunEditorFields& f);
// "step" (or "istep" at assembler level) a number of units or until a place.
EditorLine stepEditorLine(const RunEditorFields& f);
// "step" (or "istep") until a function's entry.
EditorLine stepToFunctionLine(const RunEditorFields& f);

// Code event editor: a place (function and line, file and line, or address), a count, the
// watchpoint and suspended choices and a command list.
struct CodeEventFields {
  RunEditorFields place;
  std::string count, actions;
  bool watch = false, suspended = false;
};
EditorLine codeEventLine(const CodeEventFields& f);

// Data event editor: an expression, the access ('R', 'W' or 'A' for any), a count, the
// watchpoint choice and a command list.
struct DataEventFields {
  std::string expression, count, actions;
  char access = 'A';
  bool watch = false;
};
EditorLine dataEventLine(const DataEventFields& f);

}  // namespace yav
