#include "framework/Application.h"

#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

#include "framework/Dialogs.h"
#include "framework/base/Exceptions.h"
#include "framework/QtBridge.h"

namespace fw {

namespace {

std::unique_ptr<Application>& AppObject() {
  static std::unique_ptr<Application> app;
  return app;
}

ExceptionHelper g_exceptionHelper = nullptr;
double g_frameworkVersion = 0;

struct QuitState {
  bool requested = false;
  int code = 0;
  bool loopRan = false;
  bool inLoop = false;
} g_quit;

bool NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool Runtime::DisplayAvailable() {
  if (NonEmptyEnv("QT_QPA_PLATFORM")) return true;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
  // Here the toolkit's display is X11 or Wayland, and without either it aborts.
  return NonEmptyEnv("DISPLAY") || NonEmptyEnv("WAYLAND_DISPLAY");
#else
  // The platform's own window system is always there.
  return true;
#endif
}

Runtime::Runtime(std::string programName, std::string applicationName)
    : m_programName(std::move(programName)), m_argv{m_programName.data(), nullptr},
      m_app(std::make_unique<QApplication>(m_argc, m_argv)) {
  QApplication::setApplicationName(ToQt(applicationName));
  // The program keeps nothing between sessions: the toolkit's own dialogs
  // would store their folders, history and column widths in the user's
  // settings. Settings under a path that can never be a folder are neither
  // read nor written.
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
    QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/no-settings"));
  // The windows decide when the application ends, not the toolkit.
  QApplication::setQuitOnLastWindowClosed(false);
}

Runtime::~Runtime() {
  DestroyAllWindows();
  AppObject().reset();
  m_app.reset();
}

bool Application::IsEventImplemented(std::string_view) const { return false; }

void RuntimeRegisterAppObject(std::unique_ptr<Application> app) {
  if (AppObject()) throw RuntimeException("an application object is registered already");
  AppObject() = std::move(app);
}

Application* App() { return AppObject().get(); }

void RunFrameworkInitialization(const std::function<void()>& ready) { ready(); }

int RuntimeRun() {
  if (g_quit.requested) return g_quit.code;
  g_quit.loopRan = true;
  g_quit.inLoop = true;
  int code = QApplication::exec();
  g_quit.inLoop = false;
  return code;
}

bool EventLoopRan() { return g_quit.loopRan; }

void Quit(int code) {
  if (g_quit.requested) return;
  g_quit.requested = true;
  g_quit.code = code;
  // Outside the event loop the request is only noted: telling the toolkit
  // would make every later modal dialog return at once.
  if (g_quit.inLoop) QCoreApplication::exit(code);
}

bool QuitRequested() { return g_quit.requested; }

int ExitCode() { return g_quit.code; }

void ResetQuitRequest() { g_quit.requested = false; g_quit.code = 0; }

void RuntimeSetExceptionHelper(ExceptionHelper helper) { g_exceptionHelper = helper; }

void RuntimeSetFrameworkVersion(double version) { g_frameworkVersion = version; }

double FrameworkVersion() { return g_frameworkVersion; }

void SetSupportsHiDPI(bool) {}

void RuntimeInitExternalClasses() {}

void InitPluginEntrypoints() {}

int UnhandledException(std::exception_ptr error) {
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "unknown error";
  }
  std::fputs(("Lumetra could not start: " + message + "\n").c_str(), stderr);
  return 1;
}

void Dispatch(const std::function<void()>& handler) {
  try {
    if (g_exceptionHelper) {
      if (std::exception_ptr raised = g_exceptionHelper(handler)) std::rethrow_exception(raised);
    } else {
      handler();
    }
  } catch (...) {
    DefaultUnhandledException(std::current_exception());
  }
}

std::string DescribeError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const IOException& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("Lumetra could not complete the action: ") + e.what();
  } catch (...) {
    return "Lumetra could not complete the action because of an unknown error.";
  }
}

void DefaultUnhandledException(std::exception_ptr error) {
  std::string message = DescribeError(error);
  std::fputs((message + "\n").c_str(), stderr);
  try {
    MsgBox(message);
  } catch (...) {
    // Nothing is left to tell the user with; the message went to stderr.
  }
}

}  // namespace fw
