// The main window: the count field with its key filter, the results area
// to which each analysis appends its report, and the Begin, Clear and "?"
// buttons. It keeps no state beyond its controls; closing it quits.
#pragma once

#include <string>

#include "framework/Controls.h"
#include "framework/Window.h"
#include "shell/MenuBar1.h"

namespace lumetra {

class ControlWnd : public fw::Window, public MenuBar1Items {
 public:
  static constexpr const char* kClassName = "ControlWnd.ControlWnd";
  ControlWnd();

  // The implicit instance: the open main window, or a new one, shown.
  static ControlWnd& Implicit();

  fw::TextField& RxxFld() const;
  fw::Label& RxxText() const;
  fw::PushButton& clearBtn() const;
  fw::PushButton& helpBtn() const;
  fw::PushButton& calcBtn() const;
  fw::Canvas& Canvas1() const;
  fw::TextArea& ResultsFld() const;

  // Lets digits and editing keys through (False); beeps at and swallows any
  // other key (True).
  bool RxxFld_KeyDown(fw::TextField& field, const std::string& key);
  bool clearBtn_MouseDown(fw::PushButton& button, int x, int y);
  bool helpBtn_MouseDown(fw::PushButton& button, int x, int y);
  // The analysis: count test, file dialog, reading, report.
  bool calcBtn_MouseDown(fw::PushButton& button, int x, int y);


  void Event_Close() override;
  bool FileQuit_Action();
  bool InfoItem_Action();
  bool AboutItem_Action();

  bool IsEventImplemented(std::string_view eventName) const override;

 protected:
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  void AddMenuHandlers() override;
};


}  // namespace lumetra
