// The browser dialogs: pick a file ("FILEBROWSER", 620), a function ("FUNCBROWSER", 622), any
// source file (625) or a symbol ("SYMBBROWSER", 670), each ending in a source window; and the
// symbol and function selections ("SYMBSELECT", "FUNCSELECT") that give a value to an update
// dialog. Every dialog runs through ViewServices::execDialog.
#pragma once
#include <QDialog>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace yav {

class ViewServices;

// A list of names to choose from, with an optional read-only value of the chosen name.
class PickDialog : public QDialog {
 public:
  PickDialog(std::string_view objectName, std::string_view title, std::string_view label,
             std::vector<std::string> names, std::vector<std::string> values = {}, QWidget* parent = nullptr);
  // The chosen name; empty when none is selected.
  std::string chosen() const;
  // Selects a name (the list's own clicks do the same).
  void choose(std::string_view name);
  // Adds a "Default" button that selects `name`.
  void addDefault(std::string name);
  QListWidget* list() const { return list_; }

 private:
  void showValue();
  QListWidget* list_;
  QLineEdit* value_ = nullptr;
  std::vector<std::string> names_, values_;
};

// "Function Browser": the functions of the file chosen in "File " ("*.*" for all).
class FunctionBrowserDialog : public QDialog {
 public:
  FunctionBrowserDialog(ViewServices& s, QWidget* parent = nullptr);
  void chooseFile(std::string_view file);
  void chooseFunction(std::string_view function);
  std::string function() const;
  std::string file() const;

 private:
  void fillFunctions();
  ViewServices& s_;
  QComboBox* files_;
  QListWidget* functions_;
};

// The dialog of a browse command (620, 622, 625, 670); false for other ids.
bool runBrowserDialog(ViewServices& s, uint16_t id);

void runFileBrowser(ViewServices& s);      // 620
void runFunctionBrowser(ViewServices& s);  // 622
void runAnySource(ViewServices& s);        // 625
void runSymbolBrowser(ViewServices& s);    // 670

// The value of a symbol picked in "SYMBSELECT", the address of a function picked in
// "FUNCSELECT"; empty when cancelled.
std::string selectSymbolValue(ViewServices& s, QWidget* parent);
std::string selectFunctionAddress(ViewServices& s, QWidget* parent);

}  // namespace yav
