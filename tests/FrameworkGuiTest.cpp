// Our framework layer on Qt: stored settings, implicit windows, buttons
// that act on the press, timers, quitting, and the default handling of an
// exception that escapes a handler.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "GuiSupport.h"
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/base/Exceptions.h"
#include "framework/Window.h"

namespace lumetra {
namespace {

using testing::GuiTest;
using testing::ModalAnswers;

// A window of the tests' own, built like the program's windows.
class ProbeWnd : public fw::Window {
 public:
  static constexpr const char* kClassName = "ProbeWnd.ProbeWnd";
  ProbeWnd() : fw::Window(kClassName) {}
  static ProbeWnd& Implicit() { return fw::ImplicitWindow<ProbeWnd>(kClassName); }

  int presses = 0;
  int ticks = 0;
  std::function<void()> onPress;

 protected:
  void Layout() override { fw::SetProperties(*this, {{"Width", 200}, {"Height", 100}, {"Title", "Probe"}}); }
  void CreateControls() override {
    CreateControl<fw::PushButton>("button", {{"Left", 10}, {"Top", 10}, {"Width", 80}, {"Height", 30},
                                             {"Caption", "Go"}, {"Default", true}, {"TabStop", true}})
        .BindMouseDown([this](fw::PushButton&, int, int) {
          ++presses;
          if (onPress) onPress();
          return false;
        });
    CreateControl<fw::Timer>("timer", {{"Period", 20}, {"RunMode", 1}}).BindAction([this](fw::Timer&) { ++ticks; });
  }
};

TEST_F(GuiTest, UnknownSettingFailsLoudly) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_THROW(fw::SetProperties(w, {{"Widht", 10}}), std::logic_error);
  EXPECT_THROW(fw::SetProperties(w.ControlAs<fw::PushButton>("button"), {{"Captoin", "x"}}), std::logic_error);
  EXPECT_THROW(fw::SetProperties(w, {{"Width", "wide"}}), std::logic_error) << "a value of the wrong type";
  EXPECT_THROW(w.ControlAs<fw::TextField>("button"), fw::NilObjectException);
}

TEST_F(GuiTest, ImplicitInstanceLivesWhileOpen) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(&ProbeWnd::Implicit(), &w);
  w.Hide();
  EXPECT_EQ(&ProbeWnd::Implicit(), &w) << "a hidden window is still open";
  EXPECT_FALSE(w.Visible());
  w.Show();
  std::weak_ptr<fw::Window> old = w.weak_from_this();
  w.Close();
  QTest::qWait(0);
  EXPECT_TRUE(old.expired()) << "a closed window is gone";
  EXPECT_NE(&ProbeWnd::Implicit(), nullptr);
  EXPECT_TRUE(fw::GetImplicitWindow(ProbeWnd::kClassName)->Visible());
}

TEST_F(GuiTest, ButtonActsOnThePressOnly) {
  ProbeWnd& w = ProbeWnd::Implicit();
  QPushButton* button = w.ControlAs<fw::PushButton>("button").Button();
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_EQ(w.presses, 1);
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(w.presses, 1);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(w.presses, 1) << "no keyboard activation";
}

TEST_F(GuiTest, TimerSingleShotFiresOnce) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.ticks == 1; }, 2000));
  QTest::qWait(60);
  EXPECT_EQ(w.ticks, 1);
  w.Hide();
  w.Show();
  QTest::qWait(60);
  EXPECT_EQ(w.ticks, 1) << "hiding and showing do not restart it";
}

TEST_F(GuiTest, EscapedExceptionIsShownAndTheApplicationRunsOn) {
  ProbeWnd& w = ProbeWnd::Implicit();
  w.onPress = [] { throw fw::IOException("The file \"m.txt\" could not be read: Input/output error.", 5, "m.txt"); };
  ModalAnswers answers;
  answers.DismissMessage();
  QTest::mousePress(w.ControlAs<fw::PushButton>("button").Button(), Qt::LeftButton);
  ASSERT_EQ(answers.Messages().size(), 1u);
  EXPECT_EQ(answers.Messages()[0], "The file \"m.txt\" could not be read: Input/output error.");
  EXPECT_FALSE(fw::QuitRequested());
  EXPECT_TRUE(w.Visible());
}

TEST_F(GuiTest, QuitIsRequestedOnce) {
  fw::Quit(0);
  fw::Quit(3);
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::ExitCode(), 0);
}

TEST_F(GuiTest, MissingPictureIsNil) { EXPECT_EQ(fw::Picture::OpenFromApp("NoSuch.png"), nullptr); }

}  // namespace
}  // namespace lumetra
