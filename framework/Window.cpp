#include "framework/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>
#include <QTimer>
#include <stdexcept>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/QtBridge.h"

namespace fw {

namespace {

using Registry = std::map<std::string, std::shared_ptr<Window>, std::less<>>;

Registry& OpenWindows() {
  static Registry windows;
  return windows;
}

// Closed windows wait here until the event that closed them has ended.
std::vector<std::shared_ptr<Window>>& ClosedWindows() {
  static std::vector<std::shared_ptr<Window>> windows;
  return windows;
}

std::map<std::string, std::set<std::string, std::less<>>, std::less<>>& ClassEvents() {
  static std::map<std::string, std::set<std::string, std::less<>>, std::less<>> events;
  return events;
}

// The content area reports its stored size, so the window sizes itself to
// its menu bar plus exactly that.
class ContentWidget : public QWidget {
 public:
  QSize sizeHint() const override { return m_hint; }
  QSize m_hint{300, 300};
};

QKeySequence ShortcutOf(const std::optional<std::string>& shortcut) {
  if (!shortcut || shortcut->empty()) return {};
  std::string text = *shortcut;
  if (text.rfind("Cmd+", 0) == 0) text = "Ctrl+" + text.substr(4);
  return QKeySequence(ToQt(text), QKeySequence::PortableText);
}

// Asked each time an Edit menu opens: the clipboard is asked only about
// Paste, and only whether it holds text, since under X11 reading it is a
// round trip to the program that owns it, however large its text.
bool ClipboardHasText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool CanEdit(QWidget* focus, EditCommand command) {
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    bool writable = !line->isReadOnly();
    switch (command) {
      case EditCommand::Undo: return writable && line->isUndoAvailable();
      case EditCommand::Cut: return writable && line->hasSelectedText();
      case EditCommand::Copy: return line->hasSelectedText();
      case EditCommand::Paste: return writable && ClipboardHasText();
      case EditCommand::Clear: return writable && line->hasSelectedText();
      case EditCommand::SelectAll: return !line->text().isEmpty();
      case EditCommand::None: return false;
    }
  }
  if (auto* area = qobject_cast<QPlainTextEdit*>(focus)) {
    bool writable = !area->isReadOnly();
    bool selected = area->textCursor().hasSelection();
    switch (command) {
      case EditCommand::Undo: return writable && area->document()->isUndoAvailable();
      case EditCommand::Cut: return writable && selected;
      case EditCommand::Copy: return selected;
      case EditCommand::Paste: return writable && ClipboardHasText();
      case EditCommand::Clear: return writable && selected;
      case EditCommand::SelectAll: return !area->document()->isEmpty();
      case EditCommand::None: return false;
    }
  }
  return false;
}

void PerformEdit(QWidget* focus, EditCommand command) {
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    switch (command) {
      case EditCommand::Undo: line->undo(); break;
      case EditCommand::Cut: line->cut(); break;
      case EditCommand::Copy: line->copy(); break;
      case EditCommand::Paste: line->paste(); break;
      case EditCommand::Clear: line->del(); break;
      case EditCommand::SelectAll: line->selectAll(); break;
      case EditCommand::None: break;
    }
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(focus)) {
    switch (command) {
      case EditCommand::Undo: area->undo(); break;
      case EditCommand::Cut: area->cut(); break;
      case EditCommand::Copy: area->copy(); break;
      case EditCommand::Paste: area->paste(); break;
      case EditCommand::Clear: area->textCursor().removeSelectedText(); break;
      case EditCommand::SelectAll: area->selectAll(); break;
      case EditCommand::None: break;
    }
  }
}

// The frame the window manager put around the last window of ours it framed.
QMargins& LastFrame() {
  static QMargins frame;
  return frame;
}

// The frame around `window`: its own where the platform can tell it before
// the window shows, else the one around the windows shown before it.
QMargins FrameMargins(const QWidget& window) {
  const QMargins own = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
  return own.isNull() ? LastFrame() : own;
}

bool AnyWindowVisible() {
  for (const auto& [name, window] : OpenWindows())
    if (window->Visible()) return true;
  return false;
}

}  // namespace

// The Qt side of a Window: forwards the window's own events to it.
class WindowWidget : public QMainWindow {
 public:
  explicit WindowWidget(Window& owner) : m_owner(owner) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (!m_owner.m_open) return;
    WindowHold hold(m_owner);
    if (m_owner.IsEventImplemented("Close")) Dispatch([this] { m_owner.Event_Close(); });
    m_owner.Closed();
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (!m_owner.IsEventImplemented("MouseDown")) return QMainWindow::mousePressEvent(event);
    WindowHold hold(m_owner);
    QPoint at = event->position().toPoint();
    bool claimed = false;
    Dispatch([&] { claimed = m_owner.Event_MouseDown(at.x(), at.y()); });
    event->setAccepted(claimed);
  }

  // A window manager tells the frame once it has framed the window, which
  // moves it; the next window is sized with that frame.
  void moveEvent(QMoveEvent* event) override {
    QMainWindow::moveEvent(event);
    if (windowHandle() && !windowHandle()->frameMargins().isNull()) LastFrame() = windowHandle()->frameMargins();
  }

  void keyPressEvent(QKeyEvent* event) override {
    auto key = KeyText(*event);
    if (!key || !m_owner.IsEventImplemented("KeyDown")) return QMainWindow::keyPressEvent(event);
    WindowHold hold(m_owner);
    bool claimed = false;
    Dispatch([&] { claimed = m_owner.Event_KeyDown(*key); });
    event->setAccepted(claimed);
  }

 private:
  Window& m_owner;
};

WindowHold::WindowHold(Window& window) : m_window(window.weak_from_this().lock()) {}

WindowHold::~WindowHold() {
  if (m_window && m_window.use_count() == 1) QTimer::singleShot(0, qApp, [window = std::move(m_window)] {});
}

Window::Window(std::string className)
    : m_className(std::move(className)), m_widget(std::make_unique<WindowWidget>(*this)), m_content(new ContentWidget),
      m_scroll(new QScrollArea) {
  // The content keeps its stored size and scrolls inside a window that the
  // screen cannot hold; where the window fits, no scroll bar shows.
  m_scroll->setFrameShape(QFrame::NoFrame);
  // Only a frame: the focus and Tab go among the controls as if they stood
  // on the window itself.
  m_scroll->setFocusPolicy(Qt::NoFocus);
  m_scroll->setWidget(m_content);
  m_widget->setCentralWidget(m_scroll);
  m_widget->setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window() {
  // The widgets go first: controls only point at them.
  m_widget.reset();
  m_order.clear();
  m_controls.clear();
}

void Window::Constructor() {
  auto self = shared_from_this();
  auto& windows = OpenWindows();
  windows[m_className] = self;
  m_open = true;
  try {
    Layout();
    CreateControls();
    AddMenuHandlers();
    ApplySettings();
    UpdateMenuStates();
    for (Control* control : m_order) control->RaiseOpen();
  } catch (...) {
    m_open = false;
    if (auto it = windows.find(m_className); it != windows.end() && it->second == self) windows.erase(it);
    throw;
  }
  if (m_settings.visible) Show();
}

void Window::ApplySettings() {
  const Settings& s = m_settings;
  Qt::WindowFlags flags = (s.type == 0 ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint;
  if (s.closeButton) flags |= Qt::WindowCloseButtonHint;
  if (s.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (s.maximizeButton && s.resizeable) flags |= Qt::WindowMaximizeButtonHint;
  m_widget->setWindowFlags(flags);
  // The platform shows the application's name in place of an empty title;
  // a lone space keeps the title bar as empty as the setting says.
  m_widget->setWindowTitle(s.title.empty() ? QStringLiteral(" ") : ToQt(s.title));

  auto* content = static_cast<ContentWidget*>(m_content);
  content->m_hint = QSize(s.width, s.height);
  if (s.resizeable) {
    // Smaller than its layout, the window scrolls rather than cut controls off.
    m_scroll->setWidgetResizable(true);
    content->setMinimumSize(s.width, s.height);
    content->setMaximumSize(std::max(s.width, s.maxWidth), std::max(s.height, s.maxHeight));
    m_scroll->setMinimumSize(s.minWidth, s.minHeight);
    m_scroll->setMaximumSize(s.maxWidth, s.maxHeight);
  } else {
    content->setFixedSize(s.width, s.height);
  }
  if (s.hasBackgroundColor) {
    QPalette palette = content->palette();
    Color c = s.backgroundColor;
    palette.setColor(QPalette::Window, QColor(c.Red(), c.Green(), c.Blue(), c.Alpha()));
    content->setPalette(palette);
    content->setAutoFillBackground(true);
  }
  if (IsEventImplemented("KeyDown")) m_widget->setFocusPolicy(Qt::StrongFocus);

  // Location 3 is the screen of the window the user works in; the others
  // the primary screen. Where on it the window goes is the window manager's.
  QScreen* screen = QGuiApplication::primaryScreen();
  if (QWidget* active = QApplication::activeWindow(); s.defaultLocation == 3 && active && active->screen())
    screen = active->screen();
  if (screen) m_widget->setScreen(screen);
  // The platform's window, so that it can tell its frame before it shows.
  (void)m_widget->winId();

  // Sized once, before it is first shown, to what its screen has room for;
  // where that is less than the content, the content scrolls, and a side
  // that scrolls leaves room for the other side's scroll bar.
  const int menuHeight = m_widget->menuWidget() ? m_widget->menuWidget()->sizeHint().height() : 0;
  const QSize room = screen ? screen->availableGeometry().size().shrunkBy(FrameMargins(*m_widget)) : QSize(32000, 32000);
  QSize size(s.width, s.height + menuHeight);
  if (size.height() > room.height()) size.rwidth() += m_scroll->verticalScrollBar()->sizeHint().width();
  if (size.width() > room.width()) size.rheight() += m_scroll->horizontalScrollBar()->sizeHint().height();
  size = size.boundedTo(room);
  if (s.resizeable) m_widget->resize(size);
  else m_widget->setFixedSize(size);
}

void Window::Show() {
  // A minimised window is restored: shown alone it would stay in the task bar.
  if (m_widget->isMinimized()) m_widget->setWindowState(m_widget->windowState() & ~Qt::WindowMinimized);
  m_widget->show();
  m_widget->raise();
  m_widget->activateWindow();
  if (!m_widget->focusWidget() && m_widget->focusPolicy() != Qt::NoFocus) m_widget->setFocus();
}

void Window::Hide() { m_widget->hide(); }

bool Window::Visible() const { return m_widget->isVisible(); }

void Window::Close() { m_widget->close(); }

void Window::Closed() {
  m_open = false;
  auto& windows = OpenWindows();
  if (auto it = windows.find(m_className); it != windows.end() && it->second.get() == this) {
    ClosedWindows().push_back(it->second);
    windows.erase(it);
    QTimer::singleShot(0, qApp, [] { ClosedWindows().clear(); });
  }
  // Without a menu bar outside the windows, an application whose last
  // visible window the user closed could no longer be reached or quit.
  if (!AnyWindowVisible()) Quit(0);
}

void Window::SetMenuBar(std::shared_ptr<fw::MenuBar> bar) {
  m_menuBar = std::move(bar);
  m_actions.clear();
  auto* qbar = new QMenuBar;
  for (std::size_t i = 0; m_menuBar && i < m_menuBar->Count(); ++i) {
    const auto& menu = m_menuBar->Item(i);
    QMenu* qmenu = qbar->addMenu(ToQt(menu->Value()));
    qmenu->menuAction()->setVisible(menu->Visible());
    QObject::connect(qmenu, &QMenu::aboutToShow, m_widget.get(), [this] { UpdateMenuStates(); });
    for (std::size_t j = 0; j < menu->Count(); ++j) {
      const auto& item = menu->Item(j);
      QAction* action = item->IsSeparator() ? qmenu->addSeparator() : qmenu->addAction(ToQt(item->Value()));
      action->setVisible(item->Visible());
      if (item->IsSeparator()) continue;
      action->setShortcut(ShortcutOf(item->Shortcut()));
      action->setMenuRole(QAction::NoRole);
      m_actions.emplace_back(action, item);
      QObject::connect(action, &QAction::triggered, m_widget.get(), [this, name = item->Name()] { ChooseMenuItem(name); });
    }
  }
  m_widget->setMenuBar(qbar);
}

void Window::AddMenuHandler(std::string itemName, std::function<bool()> handler) {
  m_menuHandlers[std::move(itemName)] = std::move(handler);
}

bool Window::HasMenuHandler(std::string_view itemName) const { return m_menuHandlers.contains(itemName); }

bool Window::ChooseMenuItem(std::string_view itemName) {
  WindowHold hold(*this);
  if (auto it = m_menuHandlers.find(itemName); it != m_menuHandlers.end()) {
    bool handled = false;
    auto handler = it->second;
    Dispatch([&] { handled = handler(); });
    return handled;
  }
  if (EditCommand command = EditCommandOf(itemName); command != EditCommand::None) {
    QWidget* focus = m_widget->focusWidget();
    if (!CanEdit(focus, command)) return false;
    PerformEdit(focus, command);
    return true;
  }
  auto item = m_menuBar ? m_menuBar->Lookup(itemName) : nullptr;
  if (item && dynamic_cast<QuitMenuItem*>(item.get())) {
    Quit(0);
    return true;
  }
  return false;
}

void Window::UpdateMenuStates() {
  QWidget* focus = m_widget->focusWidget();
  for (auto& [action, item] : m_actions) {
    bool enabled = true;
    if (item->AutoEnabled()) {
      EditCommand command = EditCommandOf(item->Name());
      enabled = HasMenuHandler(item->Name()) || dynamic_cast<QuitMenuItem*>(item.get()) != nullptr ||
                (command != EditCommand::None && CanEdit(focus, command));
    }
    action->setEnabled(enabled);
  }
}

QAction* Window::MenuAction(std::string_view itemName) const {
  for (const auto& [action, item] : m_actions)
    if (item->Name() == itemName) return action;
  return nullptr;
}

void Window::AddControl(std::string name, std::unique_ptr<Control> control) {
  if (m_controls.contains(name)) throw std::logic_error("control " + name + " added twice to " + m_className);
  control->SetName(name);
  m_order.push_back(control.get());
  m_controls.emplace(std::move(name), std::move(control));
}

Control* Window::ControlByName(std::string_view name) const {
  auto it = m_controls.find(name);
  return it == m_controls.end() ? nullptr : it->second.get();
}

bool Window::IsEventImplemented(std::string_view eventName) const {
  return RuntimeIsEventHandled(m_className, eventName, true);
}

bool Window::Event_MouseDown(int, int) { return false; }

bool Window::Event_KeyDown(const std::string&) { return false; }

void Window::SetProperty(std::string_view name, const PropertyValue& value) {
  Settings& s = m_settings;
  auto integer = [&] { return int(value.AsInt(name)); };
  if (name == "Width") s.width = integer();
  else if (name == "Height") s.height = integer();
  else if (name == "MinimumWidth") s.minWidth = integer();
  else if (name == "MinimumHeight") s.minHeight = integer();
  else if (name == "MaximumWidth") s.maxWidth = integer();
  else if (name == "MaximumHeight") s.maxHeight = integer();
  else if (name == "Type") s.type = integer();
  else if (name == "Title") s.title = value.AsText(name);
  else if (name == "HasCloseButton") s.closeButton = value.AsBool(name);
  else if (name == "HasMinimizeButton") s.minimizeButton = value.AsBool(name);
  else if (name == "HasMaximizeButton") s.maximizeButton = value.AsBool(name);
  else if (name == "Resizeable") s.resizeable = value.AsBool(name);
  else if (name == "DefaultLocation") s.defaultLocation = integer();
  else if (name == "Visible") s.visible = value.AsBool(name);
  else if (name == "HasBackgroundColor") s.hasBackgroundColor = value.AsBool(name);
  else if (name == "BackgroundColor") s.backgroundColor = value.AsColor(name);
  // Settings of other platforms' windows, without effect here.
  else if (name == "HasFullScreenButton" || name == "FullScreen" || name == "LiveResize" || name == "Composite" ||
           name == "MenuBarVisible")
    value.AsBool(name);
  else if (name == "MacProcID") value.AsInt(name);
  else UnknownProperty(m_className, name);
}

QWidget* Window::Widget() const { return m_widget.get(); }

QWidget* Window::ContentArea() const { return m_content; }

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
  auto& windows = OpenWindows();
  auto it = windows.find(className);
  return it == windows.end() ? nullptr : it->second;
}

void RegisterClassEvents(std::string className, std::set<std::string, std::less<>> events) {
  ClassEvents()[std::move(className)] = std::move(events);
}

bool RuntimeIsEventHandled(std::string_view className, std::string_view eventName, bool) {
  auto& classes = ClassEvents();
  auto it = classes.find(className);
  return it != classes.end() && it->second.contains(eventName);
}

void DestroyAllWindows() {
  auto windows = std::move(OpenWindows());
  OpenWindows().clear();
  for (auto& [name, window] : windows) window->m_open = false;
  windows.clear();
  ClosedWindows().clear();
}

}  // namespace fw
