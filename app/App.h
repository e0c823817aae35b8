// The application object: one per process. It handles no application event
// of its own, so the framework's defaults apply to all of them.
#pragma once

#include "framework/Application.h"

namespace lumetra {

class App : public fw::Application {
 public:
  static constexpr const char* kClassName = "App";
  App() = default;
  bool IsEventImplemented(std::string_view eventName) const override;
};

}  // namespace lumetra
