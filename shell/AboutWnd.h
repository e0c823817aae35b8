// The splash window, which doubles as the about window: the logo and a
// copyright line. Its single-shot timer, a click or a key hands over to the
// main window: the splash hides (never closes) and the main window shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/Window.h"

namespace lumetra {

// The splash's timer, a control of its window: it carries its control
// index and only a weak reference to the window, so it never keeps the
// window alive.
class wrapper_Timer1 : public fw::Timer {
 public:
  explicit wrapper_Timer1(fw::Window& window);
  void SetWindow(fw::Window& window);
  // The window, or nullptr when it is gone.
  std::shared_ptr<fw::Window> Window() const;
  std::int64_t GetIndex() const { return Index; }
  void SetIndex(std::int64_t index) { Index = index; }

 private:
  std::int64_t Index = -1;
  std::weak_ptr<fw::Window> ownerWindow;
};

class AboutWnd : public fw::Window {
 public:
  static constexpr const char* kClassName = "AboutWnd.AboutWnd";
  static constexpr const char* kCopyright = "\u00A9 2026 the Lumetra authors";
  AboutWnd();

  // The implicit instance: the open splash (perhaps hidden), or a new one, shown.
  static AboutWnd& Implicit();

  fw::Label& StaticText2() const;
  fw::Timer& Timer1() const;
  fw::Canvas& Canvas1() const;

  void Timer1_Action(fw::Timer& timer);
  bool Event_MouseDown(int x, int y) override;
  bool Event_KeyDown(const std::string& key) override;

  bool IsEventImplemented(std::string_view eventName) const override;

 protected:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

 private:
  static void SplashHandOver();
};

}  // namespace lumetra
