#include "shell/MenuBar1.h"

#include <optional>
#include <string_view>
#include <vector>

#include "framework/base/Exceptions.h"

namespace lumetra {

namespace {

enum class Kind { Item, Quit, Prefs };

struct Entry {
  std::string_view name;
  Kind kind;
  std::string_view caption;
  std::optional<std::string_view> shortcut;  // nullopt: never assigned
};

std::shared_ptr<fw::MenuItem> MakeEntry(const Entry& e) {
  std::shared_ptr<fw::MenuItem> item;
  switch (e.kind) {
    case Kind::Item: item = std::make_shared<fw::MenuItem>(); break;
    case Kind::Quit: item = std::make_shared<fw::QuitMenuItem>(); break;
    case Kind::Prefs: item = std::make_shared<fw::PrefsMenuItem>(); break;
  }
  item->SetName(std::string(e.name));
  item->SetAutoEnabled(true);
  item->SetValue(std::string(e.caption));
  item->SetVisible(true);
  if (e.shortcut) item->SetShortcut(std::string(*e.shortcut));
  return item;
}

// Appends the menu `menu` to `bar`, then each item to the menu found again by Name.
void BuildMenu(fw::MenuBar& bar, const Entry& menu, const std::vector<Entry>& items) {
  bar.AddMenu(MakeEntry(menu));
  for (const Entry& e : items) {
    auto item = MakeEntry(e);
    auto parent = bar.Child(menu.name);
    if (!parent) throw fw::NilObjectException("no menu " + std::string(menu.name));
    parent->AddMenu(std::move(item));
  }
}

}  // namespace

std::shared_ptr<MenuBar1> MenuBar1::implicitInstance;

MenuBar1::MenuBar1() {
  Untitled0();
  Untitled1();
  Untitled2();
}

std::shared_ptr<MenuBar1> MenuBar1::Implicit() {
  if (!implicitInstance) implicitInstance = std::make_shared<MenuBar1>();
  return implicitInstance;
}

void MenuBar1::Untitled0() {
  BuildMenu(*this, {"FileMenu", Kind::Item, "&File", ""},
            {{"FileQuit", Kind::Quit, "&Quit", "Cmd+Q"}, {"AboutItem", Kind::Prefs, "About Title", ""}});
}

void MenuBar1::Untitled1() {
  BuildMenu(*this, {"EditMenu", Kind::Item, "&Edit", ""},
            {{"EditUndo", Kind::Item, "&Undo", "Cmd+Z"},
             {"UntitledMenu1", Kind::Item, "-", std::nullopt},
             {"EditCut", Kind::Item, "Cu&t", "Cmd+X"},
             {"EditCopy", Kind::Item, "&Copy", "Cmd+C"},
             {"EditPaste", Kind::Item, "&Paste", "Cmd+V"},
             {"EditClear", Kind::Item, "&Delete", ""},
             {"UntitledMenu0", Kind::Item, "-", std::nullopt},
             {"EditSelectAll", Kind::Item, "Select &All", "Cmd+A"}});
}

void MenuBar1::Untitled2() {
  BuildMenu(*this, {"InfoMenu", Kind::Item, "Window", ""},
            {{"ControlItem", Kind::Item, "Control", ""}, {"InfoItem", Kind::Item, "Info", ""}});
}

template <class T>
T& MenuBar1Items::Find(std::string_view name) const {
  auto item = m_window.MenuBar() ? m_window.MenuBar()->Lookup(name) : nullptr;
  if (auto* typed = dynamic_cast<T*>(item.get())) return *typed;
  throw fw::NilObjectException("no menu item " + std::string(name));
}

fw::MenuItem& MenuBar1Items::InfoMenu() const { return Find<fw::MenuItem>("InfoMenu"); }
fw::MenuItem& MenuBar1Items::InfoItem() const { return Find<fw::MenuItem>("InfoItem"); }
fw::MenuItem& MenuBar1Items::ControlItem() const { return Find<fw::MenuItem>("ControlItem"); }
fw::MenuItem& MenuBar1Items::EditMenu() const { return Find<fw::MenuItem>("EditMenu"); }
fw::MenuItem& MenuBar1Items::EditSelectAll() const { return Find<fw::MenuItem>("EditSelectAll"); }
fw::MenuItem& MenuBar1Items::UntitledMenu0() const { return Find<fw::MenuItem>("UntitledMenu0"); }
fw::MenuItem& MenuBar1Items::EditClear() const { return Find<fw::MenuItem>("EditClear"); }
fw::MenuItem& MenuBar1Items::EditPaste() const { return Find<fw::MenuItem>("EditPaste"); }
fw::MenuItem& MenuBar1Items::EditCopy() const { return Find<fw::MenuItem>("EditCopy"); }
fw::MenuItem& MenuBar1Items::EditCut() const { return Find<fw::MenuItem>("EditCut"); }
fw::MenuItem& MenuBar1Items::UntitledMenu1() const { return Find<fw::MenuItem>("UntitledMenu1"); }
fw::MenuItem& MenuBar1Items::EditUndo() const { return Find<fw::MenuItem>("EditUndo"); }
fw::MenuItem& MenuBar1Items::FileMenu() const { return Find<fw::MenuItem>("FileMenu"); }
fw::PrefsMenuItem& MenuBar1Items::AboutItem() const { return Find<fw::PrefsMenuItem>("AboutItem"); }
fw::QuitMenuItem& MenuBar1Items::FileQuit() const { return Find<fw::QuitMenuItem>("FileQuit"); }

}  // namespace lumetra
