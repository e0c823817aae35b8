// The whole start-up in one process: the application object and its menu
// bar before any window, the splash first, and Quit ending the event loop
// with status 0.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "analysis/ControlWnd.h"
#include "app/App.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/Window.h"
#include "shell/AboutWnd.h"
#include "shell/MenuBar1.h"

namespace lumetra {
namespace {

TEST(Startup, RunsToTheEventLoopAndQuitsWithStatusZero) {
  bool checked = false;
  QTimer::singleShot(0, qApp, [&] {
    ASSERT_NE(fw::App(), nullptr);
    EXPECT_NE(dynamic_cast<App*>(fw::App()), nullptr);
    EXPECT_EQ(fw::App()->MenuBar(), MenuBar1::Implicit());
    EXPECT_EQ(fw::App()->Version().major, 1);
    EXPECT_EQ(fw::App()->Version().minor, 1);
    EXPECT_EQ(fw::App()->Version().stage, 3);
    EXPECT_DOUBLE_EQ(fw::FrameworkVersion(), 2020.012);
    EXPECT_TRUE(AboutWnd::Implicit().Visible()) << "the splash is the first window";
    EXPECT_EQ(fw::GetImplicitWindow(ControlWnd::kClassName), nullptr);
    QTest::mouseClick(AboutWnd::Implicit().Widget(), Qt::LeftButton);
    ControlWnd& main = ControlWnd::Implicit();
    EXPECT_TRUE(main.Visible());
    checked = true;
    main.MenuAction("FileQuit")->trigger();
    main.Close();  // a second request to end is tolerated
  });
  EXPECT_EQ(Main(), 0);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(fw::EventLoopRan());
  EXPECT_THROW(NewAppInstance(), fw::RuntimeException) << "exactly one App";
}

}  // namespace
}  // namespace lumetra
