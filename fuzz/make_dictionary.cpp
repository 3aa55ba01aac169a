// Writes the script fuzzer's dictionary from the program itself: every command of the command
// table, every control of every window as a script names it (with the statement it takes), every
// list item, and the words and numbers of the statements. With the argument "settings", the
// settings file fuzzer's instead: every keyword as a member, its list items and names, and the
// file's frame. Generated, so that a new command or field is in the dictionary the day it exists.
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "experiment/settings_table.h"
#include "shell/cli_host.h"
#include "shell/command_table.h"
#include "shell/program.h"

namespace {

// One dictionary line: the text quoted, with everything but plain printable ASCII escaped.
std::string Entry(const std::string& text) {
  std::string line = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\' || c < 0x20 || c > 0x7e) {
      static constexpr char kHex[] = "0123456789abcdef";
      line += "\\x";
      line += kHex[c >> 4];
      line += kHex[c & 15];
    } else {
      line += static_cast<char>(c);
    }
  }
  return line + "\"";
}

std::string Statement(const vorex::Window& window, const vorex::Control& c) {
  const std::string name = window.Name() + "." + c.FullName();
  switch (c.Kind()) {
    case vorex::ControlKind::TextBox:
    case vorex::ControlKind::ComboBox:
    case vorex::ControlKind::CheckBox:
      return name + " = ";
    case vorex::ControlKind::OptionButton:
      return name + " = 1\n";
    case vorex::ControlKind::Button:
      return "click " + name + "\n";
    default:
      return "show " + name + "\n";
  }
}

}  // namespace

std::set<std::string> SettingsEntries() {
  std::set<std::string> entries{"{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": {",
                                "}}",
                                ": ",
                                ", ",
                                "true",
                                "false",
                                "null",
                                "\"",
                                "\\u00",
                                "1e999",
                                "-0",
                                "0.3V",
                                "1,5"};
  for (const vorex::FieldSpec& f : vorex::SettingsTable()) {
    entries.insert("\"" + f.keyword + "\": ");
    for (const std::string& item : f.items) entries.insert("\"" + item + "\"");
  }
  return entries;
}

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "settings") {
    for (const std::string& entry : SettingsEntries()) std::cout << Entry(entry) << '\n';
    return 0;
  }
  std::ostringstream ignored;
  vorex::CliHost host(ignored);
  auto program = std::make_unique<vorex::Program>(host);
  std::set<std::string> entries;
  for (const vorex::MenuEntry& entry : vorex::MenuTable()) {
    if (entry.handler == nullptr) continue;
    entries.insert(std::string(entry.control) + (entry.takesFile ? " f\n" : "\n"));
  }
  for (const vorex::Window* window : program->desktop.Windows()) {
    entries.insert(window->Name() + ".");
    entries.insert("show " + window->Name() + "\n");
    for (const auto& control : window->Controls()) {
      if (control->Kind() == vorex::ControlKind::MenuItem) continue;
      entries.insert(Statement(*window, *control));
      for (const std::string& item : control->Items()) entries.insert(item + "\n");
    }
  }
  for (const char* word : {"sweeps\n", "cut cycle ", "cut segment ", "cut segments ", "cut window ",
                           "background subtract ", "degree ", "segment ", "ranges ", "help\n"}) {
    entries.insert(word);
  }
  for (const char* word :
       {"help global\n", "global add f\n", "global add curve\n", " cycle=all",
        " scan_rate=", " background=linear", "global set 1 ", "global remove 1\n", "global clear\n",
        "global list\n", "global per_curve E0_1\n", "global shared ", "global weighting max\n",
        "global threads 1\n", "global fit\n", "global export f\n", "global plot 1 residual\n"}) {
    entries.insert(word);
  }
  for (const char* word : {"click ", "show ", " = ", "save-plot p.svg\n", "save-plot p.png\n",
                           "%%file\n", "0\n", "1\n", "-0", "1e999", "1e-310", "5e-311",
                           "0,3\t1,5\n", "0.3;1.5\n", ",", ";", "\t", "\r\n", "\xEF\xBB\xBF"}) {
    entries.insert(word);
  }
  for (const std::string& entry : entries) std::cout << Entry(entry) << '\n';
  return 0;
}
