#include "MenuItem.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "EditCommands.h"
#include "internal/MenuItemQt.h"

namespace {

// "Cmd" is the command modifier, which the toolkit calls Ctrl on every platform.
QKeySequence KeySequence(const std::string& shortcut) {
  QStringList keys = QString::fromUtf8(shortcut).split(QLatin1Char('+'));
  for (QString& key : keys)
    if (key.compare(QLatin1String("Cmd"), Qt::CaseInsensitive) == 0) key = QStringLiteral("Ctrl");
  return QKeySequence::fromString(keys.join(QLatin1Char('+')), QKeySequence::PortableText);
}

}  // namespace

MenuItemQt::MenuItemQt(MenuItem& owner, QAction::MenuRole role) : action_(std::make_unique<QAction>()) {
  action_->setMenuRole(role);
  // The menu bar belongs to the application, not to the window that shows
  // it: its shortcuts work in every window of the program.
  action_->setShortcutContext(Qt::ApplicationShortcut);
  QObject::connect(action_.get(), &QAction::triggered, [&owner] { ChooseMenuItem(owner); });
}

MenuItemQt::~MenuItemQt() {
  // A window that took the bar may already have deleted it.
  delete bar_.data();
}

QMenu& MenuItemQt::Menu() {
  if (!menu_) {
    RequireWidgets();
    menu_ = std::make_unique<QMenu>();
    QObject::connect(menu_.get(), &QMenu::aboutToShow, [] { RaiseEnableMenuItems(); });
    action_->setMenu(menu_.get());
  }
  return *menu_;
}

void MenuItemQt::MakeBar() {
  RequireWidgets();
  bar_ = new QMenuBar;
}

void MenuItemQt::Attach(MenuItemQt& child) {
  if (bar_) {
    child.Menu();  // every entry of a menu bar opens a menu
    bar_->addAction(child.action_.get());
  } else {
    Menu().addAction(child.action_.get());
  }
}

MenuItem::MenuItem() : MenuItem(Role::Plain) {}

// Plain items get no role rather than the toolkit's guess from the caption:
// only our About and Quit kinds move to the platform's application menu.
MenuItem::MenuItem(Role role)
    : qt_(std::make_unique<MenuItemQt>(*this, role == Role::About  ? QAction::AboutRole
                                              : role == Role::Quit ? QAction::QuitRole
                                                                   : QAction::NoRole)) {}

MenuItem::~MenuItem() = default;

void MenuItem::SetName(const std::string& name) {
  name_ = name;
  qt_->Action().setObjectName(QString::fromStdString(name));
}

void MenuItem::SetText(const std::string& text) {
  text_ = text;
  // A separator's text would be drawn beside its line as a section title.
  const bool separator = text == "-";
  qt_->Action().setSeparator(separator);
  qt_->Action().setText(separator ? QString() : QString::fromUtf8(text));
}

void MenuItem::SetKeyboardShortcut(const std::string& shortcut) {
  shortcut_ = shortcut;
  qt_->Action().setShortcut(KeySequence(shortcut));
}

bool MenuItem::Enabled() const { return qt_->Action().isEnabled(); }

void MenuItem::SetEnabled(bool enabled) { qt_->Action().setEnabled(enabled); }

void MenuItem::Append(const Ref<MenuItem>& item) {
  MenuItem& child = item.get();
  for (const MenuItem* at = this; at; at = at->parent_)
    if (at == &child) throw RuntimeException("A menu item cannot be appended below itself.");
  if (child.parent_) throw RuntimeException("The menu item \"" + child.name_ + "\" is already in a menu.");
  qt_->Attach(*child.qt_);
  child.parent_ = this;
  children_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<size_t>(index)];
}

Ref<MenuItem> MenuItem::Child(const std::string& name) const {
  for (const auto& child : children_)
    if (child->name_ == name) return child;
  return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(const std::string& name) const {
  for (const auto& child : children_) {
    if (child->name_ == name) return child;
    if (Ref<MenuItem> found = child->Lookup(name)) return found;
  }
  return nullptr;
}

void MenuItem::DefaultAction() {
  if (IsEditCommand(name_)) RunEditCommand(name_);
}
