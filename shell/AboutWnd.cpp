#include "shell/AboutWnd.h"

#include "analysis/ControlWnd.h"
#include "app/Lbig.h"

namespace lumetra {

namespace {

using fw::Color;

const fw::PropertySet kWindowSettings = {
    {"Width", 500}, {"Height", 300}, {"MinimumWidth", 64}, {"MinimumHeight", 64},
    {"MaximumWidth", 32000}, {"MaximumHeight", 32000}, {"Type", 2}, {"Title", ""},
    {"HasCloseButton", true}, {"HasMinimizeButton", true}, {"HasMaximizeButton", true},
    {"HasFullScreenButton", false}, {"FullScreen", false}, {"Resizeable", true}, {"LiveResize", false},
    {"Composite", false}, {"MacProcID", 0}, {"DefaultLocation", 0}, {"Visible", true},
    {"HasBackgroundColor", true}, {"BackgroundColor", Color{0x00FFFFDD}}, {"MenuBarVisible", true}};

const fw::PropertySet kStaticText2 = {
    {"Left", 135}, {"Top", 265}, {"Width", 229}, {"Height", 15}, {"Value", AboutWnd::kCopyright},
    {"TextAlignment", 2}, {"FontName", "System"}, {"FontSize", 9}, {"FontUnit", 0},
    {"TextColor", Color{0x00073F80}}, {"Bold", false}, {"Italic", false}, {"Underline", false},
    {"Multiline", true}, {"Selectable", false}, {"Transparent", false}, {"Enabled", true}, {"Visible", true},
    {"TabStop", false}, {"TabIndex", 3}, {"LockLeft", false}, {"LockTop", false}, {"LockRight", false},
    {"LockBottom", false}, {"Tooltip", ""}};

const fw::PropertySet kTimer1 = {{"Period", 4000}, {"RunMode", 1}};

const fw::PropertySet kCanvas1 = {
    {"Left", 20}, {"Top", 61}, {"Width", 460}, {"Height", 100}, {"LockLeft", true}, {"LockTop", true},
    {"LockRight", false}, {"LockBottom", false}, {"Transparent", true}, {"DoubleBuffer", false},
    {"AllowFocus", false}, {"AllowFocusRing", true}, {"AllowTabs", false}, {"TabStop", true}, {"TabIndex", 4},
    {"Enabled", true}, {"Visible", true}, {"Tooltip", ""}};

}  // namespace

wrapper_Timer1::wrapper_Timer1(fw::Window& window) : fw::Timer(window) { SetWindow(window); }

void wrapper_Timer1::SetWindow(fw::Window& window) { ownerWindow = window.weak_from_this(); }

std::shared_ptr<fw::Window> wrapper_Timer1::Window() const { return ownerWindow.lock(); }

AboutWnd::AboutWnd() : fw::Window(kClassName) {}

AboutWnd& AboutWnd::Implicit() { return fw::ImplicitWindow<AboutWnd>(kClassName); }

void AboutWnd::Layout() { fw::SetProperties(*this, kWindowSettings); }

void AboutWnd::CreateControls() { CreateControls0(); }

void AboutWnd::CreateControls0() {
  CreateControl<fw::Label>("StaticText2", kStaticText2);
  CreateControl<wrapper_Timer1>("Timer1", kTimer1).BindAction([this](fw::Timer& timer) { Timer1_Action(timer); });
  CreateControl<fw::Canvas>("Canvas1", kCanvas1, [](fw::Canvas& canvas) { canvas.SetBackdrop(Lbig()); });
}

fw::Label& AboutWnd::StaticText2() const { return ControlAs<fw::Label>("StaticText2"); }
fw::Timer& AboutWnd::Timer1() const { return ControlAs<fw::Timer>("Timer1"); }
fw::Canvas& AboutWnd::Canvas1() const { return ControlAs<fw::Canvas>("Canvas1"); }

void AboutWnd::SplashHandOver() {
  AboutWnd::Implicit().Hide();
  ControlWnd::Implicit().Show();
}

void AboutWnd::Timer1_Action(fw::Timer&) { SplashHandOver(); }

bool AboutWnd::Event_MouseDown(int, int) {
  SplashHandOver();
  return false;
}

bool AboutWnd::Event_KeyDown(const std::string&) {
  SplashHandOver();
  return false;
}

bool AboutWnd::IsEventImplemented(std::string_view eventName) const {
  return fw::RuntimeIsEventHandled(kClassName, eventName, true);
}

}  // namespace lumetra
