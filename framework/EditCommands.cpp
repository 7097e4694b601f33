#include "EditCommands.h"

#include <QApplication>
#include <QLineEdit>

namespace {

struct Command {
  const char* name;
  void (*run)(QLineEdit& field);
};

const Command kCommands[] = {
    {"EditUndo", [](QLineEdit& field) { field.undo(); }},
    {"EditCut", [](QLineEdit& field) { field.cut(); }},
    {"EditCopy", [](QLineEdit& field) { field.copy(); }},
    {"EditPaste", [](QLineEdit& field) { field.paste(); }},
    // Clears the selection only; with none, the menu item must not eat a letter.
    {"EditClear", [](QLineEdit& field) { if (field.hasSelectedText()) field.del(); }},
    {"EditSelectAll", [](QLineEdit& field) { field.selectAll(); }},
};

const Command* Find(const std::string& name) {
  for (const Command& command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

QLineEdit* Target() {
  // While a menu is open the field keeps the application's focus, but
  // look at the active window too, in case the menu took it.
  QWidget* focus = QApplication::focusWidget();
  if (!focus && QApplication::activeWindow()) focus = QApplication::activeWindow()->focusWidget();
  return qobject_cast<QLineEdit*>(focus);
}

}  // namespace

bool IsEditCommand(const std::string& name) { return Find(name) != nullptr; }

bool HasEditTarget() { return Target() != nullptr; }

void RunEditCommand(const std::string& name) {
  const Command* command = Find(name);
  QLineEdit* field = Target();
  if (command && field) command->run(*field);
}
