// The runtime (the toolkit and its event loop), the application object, the
// exception boundary around every event handler, and quitting.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Application.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QApplication;

namespace fw {

class MenuBar;

// Starts the toolkit for the process and ends it: windows still open are
// destroyed before the toolkit goes. The toolkit sees the program's name
// alone, never its command line: the program takes no options, so none of
// the toolkit's own (-style, -reverse, -qwindowtitle ...) may change it.
class Runtime {
 public:
  // Whether a graphical display can be had (or a platform is named).
  static bool DisplayAvailable();
  Runtime(std::string programName, std::string applicationName);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

 private:
  // The toolkit keeps pointers to its arguments for its whole life.
  std::string m_programName;
  int m_argc = 1;
  char* m_argv[2];
  std::unique_ptr<QApplication> m_app;
};

// The application object: one per process, registered with the runtime.
class Application {
 public:
  Application() = default;
  virtual ~Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void SetMenuBar(std::shared_ptr<fw::MenuBar> bar) { m_menuBar = std::move(bar); }
  const std::shared_ptr<fw::MenuBar>& MenuBar() const { return m_menuBar; }

  struct VersionData {
    int major = 0, minor = 0, bug = 0, nonRelease = 0, stage = 0;
    std::string longVersion, shortVersion, packageInfo;
  };
  void SetVersionData(VersionData data) { m_version = std::move(data); }
  const VersionData& Version() const { return m_version; }

  virtual bool IsEventImplemented(std::string_view eventName) const;

 private:
  std::shared_ptr<fw::MenuBar> m_menuBar;
  VersionData m_version;
};

// The start-up calls a program makes of the runtime, in the order it makes them.
// The helper calls a function and returns the RuntimeException it raised
// (nullptr when none); any other exception passes on. The dispatcher of
// event handlers calls them through it.
using ExceptionHelper = std::exception_ptr (*)(const std::function<void()>&);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// The framework release the program was built for.
void RuntimeSetFrameworkVersion(double version);
double FrameworkVersion();
// High-resolution displays: always supported here, the toolkit scales.
void SetSupportsHiDPI(bool on);
// The framework's external classes and plug-ins: it has none to set up.
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
// An exception that escaped start-up: says on standard error what failed
// and gives the process's exit status (non-zero).
int UnhandledException(std::exception_ptr error);

// Takes the application object; raises RuntimeException when one is
// registered already.
void RuntimeRegisterAppObject(std::unique_ptr<Application> app);
Application* App();

// Calls `ready` once the toolkit is initialised, before the first pass of
// the event loop.
void RunFrameworkInitialization(const std::function<void()>& ready);
// Runs the event loop until the application quits; its exit code. Returns
// at once when a quit was requested before.
int RuntimeRun();
bool EventLoopRan();

// Ends the application with `code`; a repeated request is ignored.
void Quit(int code = 0);
bool QuitRequested();
int ExitCode();
// Forgets an earlier request, for tests that quit more than once in one process.
void ResetQuitRequest();

// The exception boundary: runs an event handler and gives anything that
// escapes it to the default handling, so the application keeps running.
void Dispatch(const std::function<void()>& handler);
// The default handling: a modal message box that says what failed.
void DefaultUnhandledException(std::exception_ptr error);
// What the message box says for an error.
std::string DescribeError(std::exception_ptr error);

}  // namespace fw
