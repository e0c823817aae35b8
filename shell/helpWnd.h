// The help window: one editable text area holding the fixed help text, its
// first line bold. Edits are never stored; a closed help window comes back
// with the stored text. Window > Control brings the main window back.
#pragma once

#include "framework/Controls.h"
#include "framework/Window.h"
#include "shell/MenuBar1.h"

namespace lumetra {

class helpWnd : public fw::Window, public MenuBar1Items {
 public:
  static constexpr const char* kClassName = "helpWnd.helpWnd";
  helpWnd();

  // The implicit instance: the open help window, or a new one, shown.
  static helpWnd& Implicit();

  fw::TextArea& EditField1() const;
  void EditField1_Open(fw::TextArea& area);


  bool ControlItem_Action();

  bool IsEventImplemented(std::string_view eventName) const override;

 protected:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  void AddMenuHandlers() override;
};

}  // namespace lumetra
