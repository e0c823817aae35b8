// The controls a window holds: each is made for one window, registered by
// name, configured from a stored property set, and only then bound to its
// handlers. Handlers run through the framework's exception boundary.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Controls.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QRect>

#include "framework/Properties.h"

class QWidget;
class QTimer;
class QLineEdit;
class QPlainTextEdit;
class QLabel;
class QPushButton;

namespace fw {

class Window;
class Picture;
class FieldValidator;

// Anything a window registers by name, timers included.
class Control : public PropertyTarget {
 public:
  explicit Control(Window& window) : m_window(&window) {}
  ~Control() override = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual std::string_view ClassName() const = 0;
  const std::string& Name() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  Window& OwnerWindow() const { return *m_window; }

  // The Open event, raised once the window has made all its controls.
  void BindOpen(std::function<void(Control&)> handler) { m_open = std::move(handler); }
  void RaiseOpen();

 private:
  Window* m_window;
  std::string m_name;
  std::function<void(Control&)> m_open;
};

// A control with a place and a widget on its window.
class RectControl : public Control {
 public:
  RectControl(Window& window, QWidget* widget);
  ~RectControl() override;

  bool Visible() const;
  void SetVisible(bool on);
  void SetFocus();
  QWidget* Widget() const { return m_widget; }
  // The stored font size, in points.
  double FontSize() const { return m_fontSize; }

  void SetProperty(std::string_view name, const PropertyValue& value) override;

 protected:
  // Puts the widget where the stored Left, Top, Width and Height say.
  virtual void Place();
  QRect m_bounds;
  // The font settings; applied together so that the order does not matter.
  bool SetFontProperty(std::string_view name, const PropertyValue& value);
  // The font family: "System" is the platform's UI font, "Courier" a
  // fixed-pitch font (the system's monospace font when Courier is missing).
  std::string m_fontName = "System";
  double m_fontSize = 0;
  bool m_bold = false, m_italic = false, m_underline = false;

 private:
  QWidget* m_widget;
};

// One line of text. KeyDown sees each key before the field does.
class TextField : public RectControl {
 public:
  explicit TextField(Window& window);
  std::string_view ClassName() const override { return "TextField"; }

  std::string Text() const;
  void SetText(std::string_view text);
  // `key` is the key's text; special keys come as one character: backspace
  // 8, tab 9, Return 13, Escape 27, left 28, right 29, up 30, down 31,
  // delete 127; a key with neither text nor such a code (F1, Insert) comes
  // as "". True swallows the key. Modifier keys pressed alone,
  // command-key shortcuts (with Ctrl, Alt or Meta) and the platform's editing
  // keys (Shift+Insert) never reach it. Text reaches the field whole or not
  // at all: a masked field takes it without the white space around it, and
  // what does not fit its length and mask is refused with the alert.
  void BindKeyDown(std::function<bool(TextField&, const std::string&)> handler);

  void SetProperty(std::string_view name, const PropertyValue& value) override;
  QLineEdit* Edit() const;

 private:
  friend class KeyFilter;
  std::function<bool(TextField&, const std::string&)> m_keyDown;
  FieldValidator* m_validator;
};

class StyledText;

// Several lines of text; the report is appended to one.
class TextArea : public RectControl {
 public:
  explicit TextArea(Window& window);
  ~TextArea() override;
  std::string_view ClassName() const override { return "TextArea"; }

  std::string Text() const;
  // Replaces the whole text.
  void SetText(std::string_view text);
  // Appends at the end: the same text as reading the whole text and setting
  // it back with `piece` joined, without re-laying out the whole document.
  // Appended text cannot be undone (nor can anything before it).
  void AppendText(std::string_view piece);
  StyledText GetStyledText();
  // Lines are counted from 0; a line is what ends in a line end.
  std::int64_t LineCount() const;
  // Scrolls so that `line` is the first line in view, or as near as the
  // area's length allows, and back to the first column.
  void ScrollToLine(std::int64_t line);
  // Tabs stop at these columns, counted in widths of a space of the area's
  // font as it is when called; past the last, at the default interval.
  void SetTabColumns(const std::vector<int>& columns);
  // Long lines wrap as before but never inside a word that holds a digit
  // (".05", "0.028", "(7.14%)"): such a word moves whole to the next line
  // unless it starts its line.
  void WrapKeepingNumbersWhole();

  // Inside one AppendScope, appends are laid out once, when it ends.
  class AppendScope {
   public:
    explicit AppendScope(TextArea& area);
    ~AppendScope();
    AppendScope(const AppendScope&) = delete;
    AppendScope& operator=(const AppendScope&) = delete;

   private:
    TextArea& m_area;
  };

  void SetProperty(std::string_view name, const PropertyValue& value) override;
  QPlainTextEdit* Edit() const;

 private:
  struct Appender;
  std::unique_ptr<Appender> m_appender;
  int m_scopes = 0;
};

// Styling of a text area's text, by character positions.
class StyledText {
 public:
  explicit StyledText(TextArea& area) : m_area(&area) {}
  void Bold(std::int64_t start, std::int64_t length, bool on);
  bool IsBold(std::int64_t position) const;

 private:
  TextArea* m_area;
};

class Label : public RectControl {
 public:
  explicit Label(Window& window);
  std::string_view ClassName() const override { return "Label"; }
  std::string Text() const;
  void SetProperty(std::string_view name, const PropertyValue& value) override;
  QLabel* LabelWidget() const;

 protected:
  // A line of text never cut: wider than the stored width (in a font wider
  // than the layout's), the label grows away from the side it is aligned to.
  void Place() override;
};

// Acts when the mouse button goes down on it: never on release and never on
// a keyboard activation (Return, Space), whatever Default says.
class PushButton : public RectControl {
 public:
  explicit PushButton(Window& window);
  std::string_view ClassName() const override { return "PushButton"; }
  std::string Caption() const;
  // x, y: the press position in the button. True claims the press.
  void BindMouseDown(std::function<bool(PushButton&, int, int)> handler);
  void SetProperty(std::string_view name, const PropertyValue& value) override;
  QPushButton* Button() const;

 private:
  friend class ButtonWidget;
  std::function<bool(PushButton&, int, int)> m_mouseDown;
};

// Shows its backdrop picture and nothing else.
class Canvas : public RectControl {
 public:
  explicit Canvas(Window& window);
  std::string_view ClassName() const override { return "Canvas"; }
  void SetBackdrop(std::shared_ptr<Picture> picture);
  const std::shared_ptr<Picture>& Backdrop() const { return m_backdrop; }
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 private:
  std::shared_ptr<Picture> m_backdrop;
};

// Fires its Action after Period milliseconds: once (RunMode 1) or again and
// again (RunMode 2); RunMode 0 is off. It starts when its settings are
// applied and ends with its window.
class Timer : public Control {
 public:
  explicit Timer(Window& window);
  ~Timer() override;
  std::string_view ClassName() const override { return "Timer"; }

  std::int64_t Period() const { return m_period; }
  int RunMode() const { return m_runMode; }
  bool Running() const;
  void BindAction(std::function<void(Timer&)> handler) { m_action = std::move(handler); }
  // Runs the Action now, as the timer itself would.
  void CallAction();

  void SetProperty(std::string_view name, const PropertyValue& value) override;

 private:
  void Restart();
  std::unique_ptr<QTimer> m_timer;
  std::int64_t m_period = 1000;
  int m_runMode = 2;
  std::function<void(Timer&)> m_action;
};

}  // namespace fw
