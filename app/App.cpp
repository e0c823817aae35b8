#include "app/App.h"

#include "framework/Window.h"

namespace lumetra {

bool App::IsEventImplemented(std::string_view eventName) const {
  return fw::RuntimeIsEventHandled(kClassName, eventName, true);
}

}  // namespace lumetra
