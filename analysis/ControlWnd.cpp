#include "analysis/ControlWnd.h"

#include "analysis/Matrix.h"
#include "analysis/Report.h"
#include "app/Lbig.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/base/Files.h"
#include "framework/base/Text.h"
#include "shell/AboutWnd.h"
#include "shell/MenuBar1.h"
#include "shell/helpWnd.h"

namespace lumetra {

namespace {

using fw::Color;
using fw::PropertySet;

const PropertySet kWindowSettings = {
    {"Width", 800}, {"Height", 700}, {"MinimumWidth", 64}, {"MinimumHeight", 64},
    {"MaximumWidth", 32000}, {"MaximumHeight", 32000}, {"Type", 0}, {"Title", "Lumetra"},
    {"HasCloseButton", true}, {"HasMinimizeButton", true}, {"HasMaximizeButton", false},
    {"HasFullScreenButton", false}, {"FullScreen", false}, {"Resizeable", false}, {"LiveResize", true},
    {"Composite", false}, {"MacProcID", 0}, {"DefaultLocation", 0}, {"Visible", true},
    {"HasBackgroundColor", true}, {"BackgroundColor", Color{0x00FFFFE0}}, {"MenuBarVisible", true}};

// A control's own settings followed by those all seven controls share.
PropertySet WithShared(PropertySet own) {
  own.insert(own.end(), {{"Enabled", true}, {"Tooltip", ""}, {"LockRight", false}, {"LockBottom", false},
                         {"AllowAutoDeactivate", true}, {"TabPanelIndex", 0}});
  return own;
}

const PropertySet kRxxFld = WithShared({
    {"Left", 213}, {"Top", 144}, {"Width", 55}, {"Height", 22}, {"Value", ""},
    {"FontName", "System"}, {"FontSize", 12}, {"Bold", false}, {"Italic", false}, {"Underline", false},
    {"FontUnit", 0}, {"TextAlignment", 2}, {"MaximumCharactersAllowed", 2}, {"ValidationMask", "##"},
    {"Format", ""}, {"Hint", ""}, {"Password", false}, {"ReadOnly", false}, {"AllowTabs", false},
    {"AllowSpellChecking", false}, {"HasBorder", true}, {"BackgroundColor", Color{0x00FFFFFF}},
    {"TextColor", Color{0x00000000}}, {"Transparent", true}, {"AllowFocusRing", true}, {"TabStop", true},
    {"TabIndex", 0}, {"Visible", true}, {"LockLeft", false}, {"LockTop", false}, {"InitialParent", ""},
    {"DataSource", ""}, {"DataField", ""}});

const PropertySet kRxxText = WithShared({
    {"Left", 40}, {"Top", 145}, {"Width", 174}, {"Height", 20}, {"Value", "Number of variables (3-99):"},
    {"FontName", "System"}, {"FontSize", 12}, {"Bold", true}, {"Italic", false}, {"Underline", false},
    {"FontUnit", 0}, {"TextAlignment", 0}, {"Multiline", false}, {"Selectable", false}, {"Transparent", false},
    {"TextColor", Color{0x00000000}}, {"TabStop", false}, {"TabIndex", 3}, {"Visible", true},
    {"LockLeft", false}, {"LockTop", false}, {"InitialParent", ""}, {"DataSource", ""}, {"DataField", ""}});

PropertySet ButtonSettings(int left, const char* caption, int fontSize, bool bold, int tabIndex) {
  return WithShared({{"Left", left}, {"Top", 640}, {"Width", 80}, {"Height", 40}, {"Caption", caption},
          {"FontName", "System"}, {"FontSize", fontSize}, {"Bold", bold}, {"Italic", false},
          {"Underline", false}, {"FontUnit", 0}, {"Default", true}, {"Cancel", false}, {"MacButtonStyle", 0},
          {"Transparent", true}, {"TabStop", false}, {"TabIndex", tabIndex}, {"Visible", true},
          {"LockLeft", false}, {"LockTop", false}, {"InitialParent", ""}});
}

const PropertySet kClearBtn = ButtonSettings(360, "Clear", 12, false, 4);
const PropertySet kHelpBtn = ButtonSettings(680, "?", 16, true, 5);
const PropertySet kCalcBtn = ButtonSettings(40, "Begin", 12, false, 6);

const PropertySet kCanvas1 = WithShared({
    {"Left", 167}, {"Top", 2}, {"Width", 465}, {"Height", 100}, {"LockLeft", true}, {"LockTop", true},
    {"Transparent", true}, {"DoubleBuffer", false}, {"AllowFocus", false}, {"AllowFocusRing", true},
    {"AllowTabs", false}, {"TabStop", true}, {"TabIndex", 10}, {"Visible", true}, {"InitialParent", ""}});

const PropertySet kResultsFld = WithShared({
    {"Left", 40}, {"Top", 188}, {"Width", 720}, {"Height", 430}, {"Value", ""},
    {"FontName", "Courier"}, {"FontSize", 10}, {"Bold", false}, {"Italic", false}, {"Underline", false},
    {"FontUnit", 0}, {"Visible", false}, {"Multiline", true}, {"HasHorizontalScrollbar", true},
    {"HasVerticalScrollbar", true}, {"AllowStyledText", true}, {"ReadOnly", false}, {"HideSelection", true},
    {"LineHeight", 0}, {"LineSpacing", 1}, {"UnicodeMode", 1}, {"AllowTabs", true},
    {"AllowSpellChecking", false}, {"MaximumCharactersAllowed", 0}, {"ValidationMask", ""}, {"Format", ""},
    {"TextAlignment", 0}, {"HasBorder", true}, {"BackgroundColor", Color{0x00FFFFFF}},
    {"TextColor", Color{0x00000000}}, {"Transparent", false}, {"AllowFocusRing", true}, {"LockLeft", true},
    {"LockTop", true}, {"TabStop", false}, {"TabIndex", 11}, {"DataSource", ""}, {"DataField", ""}});

// Appends the report to the results area, laid out once at the end.
class ResultsSink : public ReportSink {
 public:
  explicit ResultsSink(fw::TextArea& area) : m_area(area), m_scope(area) {}
  void Append(std::string_view piece) override { m_area.AppendText(piece); }

 private:
  fw::TextArea& m_area;
  fw::TextArea::AppendScope m_scope;
};

}  // namespace

ControlWnd::ControlWnd() : fw::Window(kClassName), MenuBar1Items(static_cast<const fw::Window&>(*this)) {}

ControlWnd& ControlWnd::Implicit() { return fw::ImplicitWindow<ControlWnd>(kClassName); }

void ControlWnd::Layout() {
  SetMenuBar(MenuBar1::Implicit());
  fw::SetProperties(*this, kWindowSettings);
}

void ControlWnd::CreateControls() { CreateControls0(); }

void ControlWnd::CreateControls0() {
  CreateControl<fw::TextField>("RxxFld", kRxxFld)
      .BindKeyDown([this](fw::TextField& field, const std::string& key) { return RxxFld_KeyDown(field, key); });
  CreateControl<fw::Label>("RxxText", kRxxText);
  CreateControl<fw::PushButton>("clearBtn", kClearBtn)
      .BindMouseDown([this](fw::PushButton& b, int x, int y) { return clearBtn_MouseDown(b, x, y); });
  CreateControl<fw::PushButton>("helpBtn", kHelpBtn)
      .BindMouseDown([this](fw::PushButton& b, int x, int y) { return helpBtn_MouseDown(b, x, y); });
  CreateControl<fw::PushButton>("calcBtn", kCalcBtn)
      .BindMouseDown([this](fw::PushButton& b, int x, int y) { return calcBtn_MouseDown(b, x, y); });
  CreateControl<fw::Canvas>("Canvas1", kCanvas1, [](fw::Canvas& canvas) { canvas.SetBackdrop(Lbig()); });
  CreateControl<fw::TextArea>("ResultsFld", kResultsFld);
}

fw::TextField& ControlWnd::RxxFld() const { return ControlAs<fw::TextField>("RxxFld"); }
fw::Label& ControlWnd::RxxText() const { return ControlAs<fw::Label>("RxxText"); }
fw::PushButton& ControlWnd::clearBtn() const { return ControlAs<fw::PushButton>("clearBtn"); }
fw::PushButton& ControlWnd::helpBtn() const { return ControlAs<fw::PushButton>("helpBtn"); }
fw::PushButton& ControlWnd::calcBtn() const { return ControlAs<fw::PushButton>("calcBtn"); }
fw::Canvas& ControlWnd::Canvas1() const { return ControlAs<fw::Canvas>("Canvas1"); }
fw::TextArea& ControlWnd::ResultsFld() const { return ControlAs<fw::TextArea>("ResultsFld"); }

bool ControlWnd::RxxFld_KeyDown(fw::TextField&, const std::string& key) {
  std::int64_t c = fw::Asc(key);
  if ((47 < c && c < 58) || c == 8 || c == 9 || c == 127 || c == 28 || c == 29) return false;
  fw::Beep();
  return true;
}

bool ControlWnd::clearBtn_MouseDown(fw::PushButton&, int, int) {
  RxxFld().SetText("");
  RxxFld().SetFocus();
  ResultsFld().SetText("");
  ResultsFld().SetVisible(false);
  return false;
}

bool ControlWnd::calcBtn_MouseDown(fw::PushButton&, int, int) {
  std::optional<VariableCount> n = TestCount(RxxFld().Text());
  if (!n) {
    fw::MsgBox(kCountMessage);
    RxxFld().SetFocus();
    return false;
  }
  fw::OpenFileDialog dialog;
  std::unique_ptr<fw::FolderItem> item = dialog.ShowModal();
  // No file, no report: a report of nothing would look like a real result.
  if (!item || !item->Exists()) return false;
  MatrixFile file = ReadMatrixFile(*item, *n);
  ResultsFld().SetVisible(true);
  fw::Date now;
  // The report starts on the area's last line (the end of any text before it).
  const std::int64_t reportLine = ResultsFld().LineCount() - 1;
  {
    ResultsSink sink(ResultsFld());
    WriteReport(sink, file.cells, *n, now.ShortDate(), now.ShortTime(), file.fileName);
  }
  // A report appended out of view would look as if the run did nothing.
  ResultsFld().ScrollToLine(reportLine);
  return false;
}


void ControlWnd::AddMenuHandlers() {
  AddMenuHandler("FileQuit", [this] { return FileQuit_Action(); });
  AddMenuHandler("InfoItem", [this] { return InfoItem_Action(); });
  AddMenuHandler("AboutItem", [this] { return AboutItem_Action(); });
}

void ControlWnd::Event_Close() { fw::Quit(0); }

bool ControlWnd::helpBtn_MouseDown(fw::PushButton&, int, int) {
  helpWnd::Implicit().Show();
  return false;
}

bool ControlWnd::FileQuit_Action() {
  fw::Quit(0);
  return true;
}

bool ControlWnd::InfoItem_Action() {
  helpWnd::Implicit().Show();
  return true;
}

bool ControlWnd::AboutItem_Action() {
  AboutWnd::Implicit().Show();
  return true;
}

bool ControlWnd::IsEventImplemented(std::string_view eventName) const {
  return fw::RuntimeIsEventHandled(kClassName, eventName, true);
}

}  // namespace lumetra
