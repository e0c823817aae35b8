// Menu items and menu bars as a model: names, captions, shortcuts and the
// tree of menus. The windows that carry a bar draw it and route a chosen item
// by its Name to the frontmost window's handler (see Window).
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Menus.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class MenuItem {
 public:
  MenuItem() = default;
  virtual ~MenuItem() = default;
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  virtual std::string_view ClassName() const { return "MenuItem"; }

  const std::string& Name() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  // The caption: "-" is a separator, "&" marks the access key.
  const std::string& Value() const { return m_value; }
  void SetValue(std::string value) { m_value = std::move(value); }
  // "Cmd+<letter>" means the platform's command key (Ctrl here). Unset
  // (nullopt) and the empty text both mean no shortcut.
  const std::optional<std::string>& Shortcut() const { return m_shortcut; }
  void SetShortcut(std::string shortcut) { m_shortcut = std::move(shortcut); }
  bool AutoEnabled() const { return m_autoEnabled; }
  void SetAutoEnabled(bool on) { m_autoEnabled = on; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool on) { m_visible = on; }
  bool IsSeparator() const { return m_value == "-"; }

  // Appends `item` as the last child.
  void AddMenu(std::shared_ptr<MenuItem> item);
  // The direct child that bears `name`, or nullptr.
  std::shared_ptr<MenuItem> Child(std::string_view name) const;
  // The item that bears `name` anywhere below this one, or nullptr.
  std::shared_ptr<MenuItem> Lookup(std::string_view name) const;
  std::size_t Count() const { return m_children.size(); }
  const std::shared_ptr<MenuItem>& Item(std::size_t index) const { return m_children.at(index); }

 private:
  std::string m_name;
  std::string m_value;
  std::optional<std::string> m_shortcut;
  bool m_autoEnabled = false;
  bool m_visible = true;
  std::vector<std::shared_ptr<MenuItem>> m_children;
};

// Quits the application by itself when no window handles it.
class QuitMenuItem : public MenuItem {
 public:
  std::string_view ClassName() const override { return "QuitMenuItem"; }
};

// The application's settings or about item; an ordinary item here.
class PrefsMenuItem : public MenuItem {
 public:
  std::string_view ClassName() const override { return "PrefsMenuItem"; }
};

class MenuBar : public MenuItem {
 public:
  std::string_view ClassName() const override { return "MenuBar"; }
};

// The standard editing items: the framework does their work on the focused
// text control itself, and enables them as that control allows.
enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };
EditCommand EditCommandOf(std::string_view itemName);

}  // namespace fw
