#include "app/Startup.h"

#include <memory>

#include "analysis/ControlWnd.h"
#include "app/App.h"
#include "framework/Application.h"
#include "framework/base/Exceptions.h"
#include "shell/AboutWnd.h"
#include "shell/MenuBar1.h"
#include "shell/helpWnd.h"

namespace lumetra {

void RegisterClasses() {
  fw::RegisterClassEvents(App::kClassName, {});
  fw::RegisterClassEvents(ControlWnd::kClassName, {"Layout", "CreateControls", "AddMenuHandlers", "Close"});
  fw::RegisterClassEvents(helpWnd::kClassName, {"Layout", "CreateControls", "AddMenuHandlers"});
  fw::RegisterClassEvents(AboutWnd::kClassName, {"Layout", "CreateControls", "MouseDown", "KeyDown"});
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& function) {
  try {
    function();
  } catch (const fw::RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

int Main() {
  try {
    fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    fw::RuntimeSetFrameworkVersion(2020.012);
    EarlyStartup();
    fw::RunFrameworkInitialization(&LateStartup);
    return fw::RuntimeRun();
  } catch (...) {
    return fw::UnhandledException(std::current_exception());
  }
}

void EarlyStartup() {
  fw::SetSupportsHiDPI(true);
  fw::RuntimeInitExternalClasses();
  fw::InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
}

// The program declares no document types.
void InitFileTypes() {}

void NewAppInstance() {
  auto app = std::make_unique<App>();
  app->SetVersionData({.major = 1, .minor = 1, .bug = 0, .nonRelease = 0, .stage = 3,
                       .longVersion = "", .shortVersion = "", .packageInfo = ""});
  app->SetMenuBar(MenuBar1::Implicit());
  fw::RuntimeRegisterAppObject(std::move(app));
}

// The application object handles no menu item.
void ApplicationAddMenuHandlers() {}

void LateStartup() { MakeDefaultView(); }

void MakeDefaultView() { AboutWnd::Implicit(); }

}  // namespace lumetra
