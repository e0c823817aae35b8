// Internal to the framework: where strings cross into Qt (always as UTF-8),
// and the key translation shared by windows and fields.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/QtBridge.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QKeyEvent;
class QFont;

namespace fw {

class Window;

inline QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// The key as the program sees it, or nothing for a key that never reaches a
// KeyDown handler: a modifier pressed alone, a command-key shortcut or one
// of the platform's editing keys (Shift+Insert), which belong to the menus
// and the control's own editing. A key that
// produces no text and has no code of its own comes as "".
std::optional<std::string> KeyText(const QKeyEvent& event);

// A font from a stored name and size: "System" is the platform's UI font and
// "Courier" a fixed-pitch font. Sizes are the layout's points, one point to
// a pixel, so that text fits the controls' stored pixel sizes.
QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline);

// Holds a window while one of its handlers runs and until the event that
// ran it has ended: a handler may close its window and then open a modal,
// whose event loop deletes closed windows, the widget under the event too.
// A window that no shared_ptr holds is not the framework's to keep.
class WindowHold {
 public:
  explicit WindowHold(Window& window);
  ~WindowHold();
  WindowHold(const WindowHold&) = delete;
  WindowHold& operator=(const WindowHold&) = delete;

 private:
  std::shared_ptr<Window> m_window;
};

// Framework bookkeeping shared by its parts.
void DestroyAllWindows();

}  // namespace fw
