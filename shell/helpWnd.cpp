#include "shell/helpWnd.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Tab stops for the examples' rows, the lines with tabs: the name column one
// character wider than the longest name and each value column one wider than
// the longest value, so a space parts every two fields and the columns line up.
std::vector<int> ExampleTabColumns(std::string_view text) {
  std::int64_t name = 0, value = 0;
  std::size_t fields = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\r', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.find('\t') == std::string_view::npos) continue;
    std::size_t count = 0;
    for (std::size_t from = 0; from <= line.size(); ++count) {
      const std::size_t to = std::min(line.find('\t', from), line.size());
      std::int64_t& widest = count == 0 ? name : value;
      widest = std::max(widest, fw::Len(line.substr(from, to - from)));
      from = to + 1;
    }
    fields = std::max(fields, count);
  }
  std::vector<int> columns;
  for (std::size_t i = 1; i < fields; ++i) columns.push_back(int(name + 1 + std::int64_t(i - 1) * (value + 1)));
  return columns;
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
  fw::TextArea& area = CreateControl<fw::TextArea>("EditField1", EditField1Settings());
  area.BindOpen([this](fw::Control& control) { EditField1_Open(static_cast<fw::TextArea&>(control)); });
  // The toolkit's wide default tab stops would wrap every example row, and
  // its line breaking would split the text's decimals after their point.
  area.SetTabColumns(ExampleTabColumns(HelpText));
  area.WrapKeepingNumbersWhole();
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
