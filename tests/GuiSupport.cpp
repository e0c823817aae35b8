#include "GuiSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/QtBridge.h"
#include "framework/Window.h"

namespace lumetra::testing {

ModalAnswers::ModalAnswers() : m_timer(new QTimer) {
  QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { Poll(); });
  m_timer->start(10);
}

ModalAnswers::~ModalAnswers() { delete m_timer; }

ModalAnswers& ModalAnswers::DismissMessage() {
  m_steps.push_back([this](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    m_messages.push_back(box->text().toStdString());
    QTest::keyClick(box, Qt::Key_Return);
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::ChooseFile(const std::string& path) {
  m_steps.push_back([path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) return false;
    // Offscreen, the dialog is not made active by itself; an inactive one
    // rewrites the field from its list. Until it is, it is not ready.
    if (!dialog->isActiveWindow()) {
      dialog->activateWindow();
      return false;
    }
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);  // what is typed replaces what was there
    QTest::keyClicks(edit, QString::fromStdString(path));
    if (edit->completer() && edit->completer()->popup()) edit->completer()->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::CancelFile() {
  m_steps.push_back([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    if (!dialog->isActiveWindow()) {
      dialog->activateWindow();
      return false;
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::ReleaseMouse() {
  m_steps.push_back([](QWidget* modal) {
    QWindow* window = modal->windowHandle();
    if (!window) return false;
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(window->width() / 2, window->height() / 2));
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::LookAtFileDialog(std::function<bool(QFileDialog&)> look) {
  m_steps.push_back([look = std::move(look)](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    return dialog && look(*dialog);
  });
  return *this;
}

void ModalAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) {
    m_waited = 0;
    return;
  }
  if (modal != m_lastModal) {
    m_lastModal = modal;
    m_waited = 0;
  }
  if (!m_steps.empty() && m_steps.front()(modal)) {
    m_steps.erase(m_steps.begin());
    ++m_answered;
    m_lastModal = nullptr;
    return;
  }
  if (++m_waited > 500) {
    ++m_unexpected;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) m_messages.push_back(box->text().toStdString());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
    m_waited = 0;
  }
}

void GiveBackActivation(QWidget* window) {
  const QPointer<QWidget> alive(window);  // a handler may have closed it
  QTest::qWait(0);  // the menu's or dialog's own activation may still be on its way
  if (QWindow* active = QGuiApplication::focusWindow(); alive && (!active || !active->isVisible())) {
    window->activateWindow();
    QTest::qWait(0);
  }
}

bool TypeInto(const fw::Window& window, const QString& text) {
  for (QChar c : text)
    if (!TypeInto(window, Qt::Key(c.toUpper().unicode()), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier)) return false;
  return true;
}

QMenu* OpenMenuOf(const fw::Window& window, std::string_view itemName) {
  QAction* action = window.MenuAction(itemName);
  auto* main = qobject_cast<QMainWindow*>(window.Widget());
  if (!action || !main || !main->menuBar()) return nullptr;
  QMenuBar* bar = main->menuBar();
  for (QMenu* menu : bar->findChildren<QMenu*>()) {
    if (!menu->actions().contains(action)) continue;
    // Through the window system, as a real mouse: a menu closes on a press
    // near where the mouse was when it opened (Qt 6.8), which a click sent
    // straight to the bar leaves unknown.
    QWindow* handle = main->windowHandle();
    const QPoint title = bar->actionGeometry(menu->menuAction()).center();
    QTest::mouseClick(handle, Qt::LeftButton, {}, handle->mapFromGlobal(bar->mapToGlobal(title)));
    return QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000) ? menu : nullptr;
  }
  return nullptr;
}

void CloseMenu(const fw::Window& window, QMenu* menu) {
  // Escape closes the menu and leaves the bar in keyboard mode; a second
  // Escape gives the focus back to where it was.
  if (menu->isVisible()) QTest::keyClick(menu, Qt::Key_Escape);
  if (QWidget* bar = static_cast<QMainWindow*>(window.Widget())->menuBar(); bar && bar->hasFocus())
    QTest::keyClick(bar, Qt::Key_Escape);
  GiveBackActivation(window.Widget());
}

bool ChooseFromMenuBar(const fw::Window& window, std::string_view itemName) {
  QMenu* menu = OpenMenuOf(window, itemName);
  if (!menu) return false;
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(window.MenuAction(itemName)).center());
  CloseMenu(window, menu);
  return true;
}

bool ChooseFromContextMenu(QWidget* widget, const QString& item) {
  bool chosen = false;
  QTimer look;
  look.setSingleShot(true);
  QObject::connect(&look, &QTimer::timeout, &look, [&] {
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      if (!action->text().remove(u'&').startsWith(item) || !action->isEnabled()) continue;
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
      chosen = true;
    }
    if (menu->isVisible()) menu->close();
  });
  look.start(50);
  // What a right click makes of itself; the menu may run a loop of its own.
  QContextMenuEvent event(QContextMenuEvent::Mouse, widget->rect().center(), widget->mapToGlobal(widget->rect().center()));
  QApplication::sendEvent(widget, &event);
  if (!QTest::qWaitFor([&] { return !look.isActive(); }, 1000)) return false;
  GiveBackActivation(widget->window());
  return chosen;
}

void Drop(QWidget* widget, const QString& text) {
  QMimeData data;
  data.setText(text);
  const QPoint at = widget->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(widget, &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(widget, &move);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(widget, &drop);
}

void PressThroughWindowSystem(QWidget* widget) {
  QWindow* window = widget->window()->windowHandle();
  QTest::mousePress(window, Qt::LeftButton, {}, window->mapFromGlobal(widget->mapToGlobal(widget->rect().center())));
}

bool TypeInto(const fw::Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWindow* target = window.Widget()->windowHandle();
  if (!QTest::qWaitFor([target] { return QGuiApplication::focusWindow() == target; }, 1000)) return false;
  // QTest has no character for AltGr: it goes as a key without text.
  if (key == Qt::Key_AltGr) QTest::sendKeyEvent(QTest::Click, target, key, QString(), modifiers);
  else QTest::keyClick(target, key, modifiers);
  return true;
}

QScrollArea* ContentScroller(const fw::Window& window) {
  return qobject_cast<QScrollArea*>(static_cast<QMainWindow*>(window.Widget())->centralWidget());
}

void PageToEnd(QScrollBar* bar) {
  const QPoint end = bar->orientation() == Qt::Horizontal ? QPoint(bar->width() - bar->height() - 3, bar->height() / 2)
                                                          : QPoint(bar->width() / 2, bar->height() - bar->width() - 3);
  for (int page = 0; page < 40 && bar->value() < bar->maximum(); ++page) QTest::mouseClick(bar, Qt::LeftButton, {}, end);
}

bool InView(const QScrollArea* scroller, const QWidget* widget) {
  const QWidget* viewport = scroller->viewport();
  return viewport->rect().contains(QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size()));
}

void ResetApplication() {
  QApplication::processEvents();
  fw::DestroyAllWindows();
  QApplication::processEvents();
  fw::ResetQuitRequest();
  fw::Date::SetClock({});
}

namespace {
std::filesystem::path TempFolder() {
  return std::filesystem::temp_directory_path() / ("lumetra-gui-test-" + std::to_string(::getpid()));
}
}  // namespace

std::string WriteTempFile(const std::string& name, const std::string& text) {
  std::filesystem::create_directories(TempFolder());
  std::filesystem::path path = TempFolder() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

void RemoveTempFiles() {
  std::error_code ignored;
  std::filesystem::remove_all(TempFolder(), ignored);
}

}  // namespace lumetra::testing
