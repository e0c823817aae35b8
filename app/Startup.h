// Start-up: the class registrations, the application object with its
// version data and menu bar, the splash as the default window, and the
// event loop. An exception stops start-up where it is raised.
#pragma once

#include <exception>
#include <functional>

namespace lumetra {

// Tells the framework which events each of the program's classes handles.
void RegisterClasses();

// The start-up sequence and the event loop; the process's exit status.
int Main();

void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// Calls `function` and returns the fw::RuntimeException it raised, or
// nullptr; an exception of any other kind passes on.
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& function);

}  // namespace lumetra
