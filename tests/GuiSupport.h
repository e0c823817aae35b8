// Helpers for the GUI tests: answering real modal dialogs, finding windows'
// widgets, and resetting the framework between tests.
#pragma once

#include <QString>
#include <Qt>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "WorkedExample.h"

class QFileDialog;
class QMenu;
class QScrollArea;
class QScrollBar;
class QTimer;
class QWidget;

namespace fw {
class Window;
}

namespace lumetra::testing {

// Answers the modal dialogs that an action opens, in order, from a timer
// started before the action. A dialog left open 5 s is rejected, so a wrong
// answer fails the test instead of hanging it.
class ModalAnswers {
 public:
  ModalAnswers();
  ~ModalAnswers();
  // Dismisses a message box with its button, recording its text.
  ModalAnswers& DismissMessage();
  // Types `path` into the open-file dialog and accepts it.
  ModalAnswers& ChooseFile(const std::string& path);
  // Cancels the open-file dialog.
  ModalAnswers& CancelFile();
  // Shows the open-file dialog to `look` without answering it; the next step
  // answers the same dialog. `look` returns false while it is not ready to
  // look yet (it is asked again).
  ModalAnswers& LookAtFileDialog(std::function<bool(QFileDialog&)> look);
  // Lets the left mouse button go over the dialog, through the window system
  // as a real mouse does, so the application sees no button down any more.
  ModalAnswers& ReleaseMouse();

  const std::vector<std::string>& Messages() const { return m_messages; }
  // Dialogs that were answered, and any that had to be rejected.
  int Answered() const { return m_answered; }
  int Unexpected() const { return m_unexpected; }
  bool AllUsed() const { return m_steps.empty(); }

 private:
  void Poll();
  std::vector<std::function<bool(QWidget*)>> m_steps;
  std::vector<std::string> m_messages;
  QTimer* m_timer;
  QWidget* m_lastModal = nullptr;
  int m_waited = 0;
  int m_answered = 0;
  int m_unexpected = 0;
};

// Chooses a menu item as a user does: a click on its menu in the window's
// menu bar, then a click on the item (which does nothing when the item is
// disabled). False when the item could not be clicked.
bool ChooseFromMenuBar(const fw::Window& window, std::string_view itemName);

// A window system makes a window active again once a popup menu or a modal
// dialog over it has closed; the offscreen platform leaves the hidden popup
// active, or none. This does it for `window` where no visible one is active.
void GiveBackActivation(QWidget* window);

// Opens the menu that holds `itemName` with a click on its title in the
// window's menu bar, as a user does; nullptr when it does not open.
QMenu* OpenMenuOf(const fw::Window& window, std::string_view itemName);
// Closes it with Escape, as a user does; the window is the active one again
// and the focus where it was.
void CloseMenu(const fw::Window& window, QMenu* menu);

// Opens `widget`'s context menu with a right click through the window
// system and chooses the item whose text starts with `item` ("Paste").
// False when there was no such item, or it was disabled.
bool ChooseFromContextMenu(QWidget* widget, const QString& item);

// Drags `text` over `widget` and drops it in its middle, as from another program.
void Drop(QWidget* widget, const QString& text);

// Presses the left mouse button on `widget` through the window system, as a
// real mouse does: unlike QTest's widget overloads this also sets
// QGuiApplication::mouseButtons(). The button stays down until released.
void PressThroughWindowSystem(QWidget* widget);

// The scroll area that holds a window's content.
QScrollArea* ContentScroller(const fw::Window& window);
// Pages `bar` to its end as a user does, with clicks into its groove past
// the slider.
void PageToEnd(QScrollBar* bar);
// Whether all of `widget` is in view in `scroller`.
bool InView(const QScrollArea* scroller, const QWidget* widget);

// Types `key` as the keyboard does: into the window the window system made
// active, which must be `window`, and there to whatever has the focus.
// False when `window` does not become the active one.
bool TypeInto(const fw::Window& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types `text`, character by character (Latin-1), the same way.
bool TypeInto(const fw::Window& window, const QString& text);

// Closes every window and forgets a quit request, so each test starts fresh.
void ResetApplication();

// Writes `text` to a new file in a folder of the test's own; its path.
std::string WriteTempFile(const std::string& name, const std::string& text);
// Removes the folder WriteTempFile writes to, with all in it.
void RemoveTempFiles();


class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetApplication(); }
  void TearDown() override { ResetApplication(); }
};

}  // namespace lumetra::testing
