#include "shell/helpWnd.h"

#include <string>

#include "analysis/ControlWnd.h"
#include "framework/base/Text.h"
#include "shell/HelpText.h"
#include "shell/MenuBar1.h"

namespace lumetra {

namespace {

using fw::Color;

const fw::PropertySet kWindowSettings = {
    {"Width", 550}, {"Height", 500}, {"Type", 0}, {"Title", "Info"}, {"DefaultLocation", 3},
    {"Resizeable", false}, {"MinimumWidth", 64}, {"MinimumHeight", 64}, {"MaximumWidth", 32000},
    {"MaximumHeight", 32000}, {"HasCloseButton", true}, {"HasMinimizeButton", true},
    {"HasMaximizeButton", false}, {"HasFullScreenButton", false}, {"FullScreen", false}, {"Composite", false},
    {"LiveResize", false}, {"MacProcID", 0}, {"Visible", true}, {"MenuBarVisible", true},
    {"HasBackgroundColor", false}, {"BackgroundColor", Color{0x00FFFFFF}}};

fw::PropertySet EditField1Settings() {
  return {{"Left", 0}, {"Top", 0}, {"Width", 551}, {"Height", 498}, {"LockLeft", false}, {"LockTop", false},
          {"LockRight", false}, {"LockBottom", false}, {"FontName", "Courier"}, {"FontSize", 11},
          {"FontUnit", 0}, {"Bold", false}, {"Italic", false}, {"Underline", false},
          {"TextColor", Color{0x00000000}}, {"BackgroundColor", Color{0x00FFFFFF}}, {"Transparent", true},
          {"HasBorder", true}, {"Multiline", true}, {"HasVerticalScrollbar", true},
          {"HasHorizontalScrollbar", false}, {"AllowStyledText", true}, {"ReadOnly", false}, {"Enabled", true},
          {"Visible", true}, {"TabIndex", 0}, {"TabPanelIndex", 0}, {"TabStop", true}, {"AllowTabs", false},
          {"AllowFocusRing", true}, {"AllowAutoDeactivate", true}, {"HideSelection", true},
          {"AllowSpellChecking", false}, {"TextAlignment", 0}, {"LineHeight", 0.0}, {"LineSpacing", 1.0},
          {"MaximumCharactersAllowed", 0}, {"UnicodeMode", 0}, {"Format", ""}, {"Tooltip", ""},
          {"ValidationMask", ""}, {"DataSource", ""}, {"DataField", ""}, {"InitialParent", ""},
          {"Value", HelpText}};
}

}  // namespace

helpWnd::helpWnd() : fw::Window(kClassName), MenuBar1Items(static_cast<const fw::Window&>(*this)) {}

helpWnd& helpWnd::Implicit() { return fw::ImplicitWindow<helpWnd>(kClassName); }

void helpWnd::Layout() {
  SetMenuBar(MenuBar1::Implicit());
  fw::SetProperties(*this, kWindowSettings);
}

void helpWnd::CreateControls() { CreateControls0(); }

void helpWnd::CreateControls0() {
  // With the toolkit's wide default tab stops, every row of the examples
  // would wrap onto a second line.
  const auto narrowTabs = [](fw::TextArea& area) { area.SetTabInterval(kExampleTabInterval); };
  CreateControl<fw::TextArea>("EditField1", EditField1Settings(), narrowTabs).BindOpen([this](fw::Control& control) {
    EditField1_Open(static_cast<fw::TextArea&>(control));
  });
}

fw::TextArea& helpWnd::EditField1() const { return ControlAs<fw::TextArea>("EditField1"); }

void helpWnd::EditField1_Open(fw::TextArea&) {
  EditField1().GetStyledText().Bold(0, fw::Len(kProgramName), true);
}


void helpWnd::AddMenuHandlers() {
  AddMenuHandler("ControlItem", [this] { return ControlItem_Action(); });
}

bool helpWnd::ControlItem_Action() {
  ControlWnd::Implicit().Show();
  return true;
}

bool helpWnd::IsEventImplemented(std::string_view eventName) const {
  return fw::RuntimeIsEventHandled(kClassName, eventName, true);
}

}  // namespace lumetra
