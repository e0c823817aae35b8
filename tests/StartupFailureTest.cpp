// Start-up that raises: no event loop, a message on standard error, a
// non-zero status.
#include <gtest/gtest.h>

#include "app/App.h"
#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/Window.h"
#include "shell/AboutWnd.h"

namespace lumetra {
namespace {

TEST(Startup, FailureEndsWithoutAnEventLoop) {
  // A second application object is refused, which stops start-up early.
  fw::RuntimeRegisterAppObject(std::make_unique<App>());
  ::testing::internal::CaptureStderr();
  int status = Main();
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(status, 0);
  EXPECT_NE(err.find("Lumetra could not start"), std::string::npos) << err;
  EXPECT_FALSE(fw::EventLoopRan());
  EXPECT_EQ(fw::GetImplicitWindow(AboutWnd::kClassName), nullptr) << "no later step ran";
}

}  // namespace
}  // namespace lumetra
