// A top-level window built from stored settings through its class's hooks
// (Layout, CreateControls, AddMenuHandlers), holding its controls by name and
// binding menu items by name. Each window class has one implicit instance,
// kept by the class's full name while the window is open; a hidden window is
// still open, a closed one is gone. Program code never sees Qt: only this
// layer does.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Window.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "framework/base/Exceptions.h"
#include "framework/Properties.h"

class QAction;
class QScrollArea;
class QWidget;

namespace fw {

class Control;
class MenuBar;
class MenuItem;
class WindowWidget;
void DestroyAllWindows();

class Window : public PropertyTarget, public std::enable_shared_from_this<Window> {
 public:
  // `className` is the full class name ("ControlWnd.ControlWnd"), the key of
  // the implicit instance and of IsEventImplemented.
  explicit Window(std::string className);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& ClassName() const { return m_className; }

  // Registers the window as its class's implicit instance, runs Layout,
  // CreateControls and AddMenuHandlers, raises the controls' Open events and
  // shows the window when its stored Visible is True. On an exception the
  // window is unregistered and the exception passes on.
  void Constructor();

  // Visible and to the front.
  void Show();
  // Invisible but open: controls and timers live on.
  void Hide();
  bool Visible() const;
  // Closes the window as its close box does.
  void Close();
  bool IsOpen() const { return m_open; }

  void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);
  const std::shared_ptr<fw::MenuBar>& MenuBar() const { return m_menuBar; }

  // Binds a menu item, by Name, to a handler that returns True when it
  // handled the item. Chosen while this window is frontmost, the item calls it.
  void AddMenuHandler(std::string itemName, std::function<bool()> handler);
  bool HasMenuHandler(std::string_view itemName) const;
  // What choosing the item does with this window frontmost: its handler, or
  // else the framework's own action (editing, quitting). True when handled.
  bool ChooseMenuItem(std::string_view itemName);

  // Makes a control of class T for this window.
  template <class T>
  std::unique_ptr<T> New() {
    return std::make_unique<T>(*this);
  }
  void AddControl(std::string name, std::unique_ptr<Control> control);
  // The steps of making one stored control: make it, register it under
  // `name`, find it again, let `prepare` set what comes before the settings
  // (a backdrop), apply `settings`. Handlers are bound by the caller after.
  template <class T>
  T& CreateControl(std::string name, const PropertySet& settings, const std::function<void(T&)>& prepare = {}) {
    AddControl(name, New<T>());
    if (prepare) prepare(ControlAs<T>(name));
    T& control = ControlAs<T>(name);
    SetProperties(control, settings);
    return control;
  }
  // The control registered under `name`, or nullptr.
  Control* ControlByName(std::string_view name) const;
  // The control registered under `name` as a T; NilObjectException when
  // there is none of that class.
  template <class T>
  T& ControlAs(std::string_view name) const {
    if (auto* c = dynamic_cast<T*>(ControlByName(name))) return *c;
    throw NilObjectException("no control " + std::string(name) + " in " + m_className);
  }

  // Whether the class handles the named event ("Close", "MouseDown", "KeyDown").
  virtual bool IsEventImplemented(std::string_view eventName) const;

  void SetProperty(std::string_view name, const PropertyValue& value) override;

  // The Qt window, for the framework and for tests; program code never uses it.
  QWidget* Widget() const;
  // The area below the menu bar that holds the controls.
  QWidget* ContentArea() const;
  // The menu bar's action for an item, for the framework and for tests.
  QAction* MenuAction(std::string_view itemName) const;

  // Events, called by the framework when IsEventImplemented says so.
  virtual void Event_Close() {}
  virtual bool Event_MouseDown(int x, int y);
  virtual bool Event_KeyDown(const std::string& key);

 protected:
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers() {}

 private:
  friend class WindowWidget;
  friend void DestroyAllWindows();
  void ApplySettings();
  void Closed();
  void UpdateMenuStates();

  std::string m_className;
  std::unique_ptr<WindowWidget> m_widget;
  QWidget* m_content;
  QScrollArea* m_scroll;
  std::shared_ptr<fw::MenuBar> m_menuBar;
  std::map<std::string, std::unique_ptr<Control>, std::less<>> m_controls;
  std::vector<Control*> m_order;
  std::map<std::string, std::function<bool()>, std::less<>> m_menuHandlers;
  std::vector<std::pair<QAction*, std::shared_ptr<MenuItem>>> m_actions;
  bool m_open = false;

  struct Settings {
    int width = 300, height = 300;
    int minWidth = 64, minHeight = 64, maxWidth = 32000, maxHeight = 32000;
    int type = 0;
    std::string title;
    bool closeButton = true, minimizeButton = true, maximizeButton = false;
    bool resizeable = true;
    int defaultLocation = 0;
    bool visible = true;
    bool hasBackgroundColor = false;
    Color backgroundColor{0x00FFFFFF};
  } m_settings;
};

// The open window registered under `className`, or nullptr.
std::shared_ptr<Window> GetImplicitWindow(std::string_view className);

// The implicit instance of window class W: the open one, or a new one built
// from its stored layout (and shown). Never null.
template <class W>
W& ImplicitWindow(std::string_view className) {
  if (auto open = GetImplicitWindow(className)) return dynamic_cast<W&>(*open);
  auto window = std::make_shared<W>();
  window->Constructor();
  return *window;
}

// The events a class declares it handles, by class full name.
void RegisterClassEvents(std::string className, std::set<std::string, std::less<>> events);
// Whether the class `className` declares `eventName` (the program's own
// handlers only, when `ownHandlersOnly`).
bool RuntimeIsEventHandled(std::string_view className, std::string_view eventName, bool ownHandlersOnly);

}  // namespace fw
