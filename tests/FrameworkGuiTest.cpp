// Our framework layer on Qt: stored settings, implicit windows, buttons
// that act on the press, timers, quitting, and the default handling of an
// exception that escapes a handler.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "GuiSupport.h"
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "framework/base/Exceptions.h"
#include "framework/Window.h"

namespace lumetra {
namespace {

using testing::GuiTest;
using testing::ModalAnswers;

// A window of the tests' own, built like the program's windows.
class ProbeWnd : public fw::Window {
 public:
  static constexpr const char* kClassName = "ProbeWnd.ProbeWnd";
  ProbeWnd() : fw::Window(kClassName) { fw::RegisterClassEvents(kClassName, {"Close", "MouseDown", "KeyDown"}); }
  static ProbeWnd& Implicit() { return fw::ImplicitWindow<ProbeWnd>(kClassName); }

  int presses = 0;
  int ticks = 0;
  std::function<void()> onPress, onKey, onTick, onMenu, onClose, onWindowMouse, onWindowKey;

  void Event_Close() override { if (onClose) onClose(); }
  bool Event_MouseDown(int, int) override { return onWindowMouse && (onWindowMouse(), true); }
  bool Event_KeyDown(const std::string&) override { return onWindowKey && (onWindowKey(), true); }

 protected:
  void Layout() override {
    auto bar = std::make_shared<fw::MenuBar>();
    bar->AddMenu(std::make_shared<fw::MenuItem>());
    bar->Item(0)->SetValue("Probe");
    bar->Item(0)->AddMenu(std::make_shared<fw::MenuItem>());
    bar->Item(0)->Item(0)->SetName("ProbeItem");
    bar->Item(0)->Item(0)->SetValue("Probe item");
    SetMenuBar(bar);
    fw::SetProperties(*this, {{"Width", 200}, {"Height", 100}, {"Title", "Probe"}});
  }
  void AddMenuHandlers() override { AddMenuHandler("ProbeItem", [this] { return onMenu && (onMenu(), true); }); }
  void CreateControls() override {
    CreateControl<fw::PushButton>("button", {{"Left", 10}, {"Top", 10}, {"Width", 80}, {"Height", 30},
                                             {"Caption", "Go"}, {"Default", true}, {"TabStop", true}})
        .BindMouseDown([this](fw::PushButton&, int, int) {
          ++presses;
          if (onPress) onPress();
          return false;
        });
    // Passes every key on to the field, as a filter does with the keys it lets through.
    CreateControl<fw::TextField>("field", {{"Left", 100}, {"Top", 10}, {"Width", 80}, {"Height", 22}})
        .BindKeyDown([this](fw::TextField&, const std::string&) {
          if (onKey) onKey();
          return false;
        });
    CreateControl<fw::Timer>("timer", {{"Period", 20}, {"RunMode", 1}}).BindAction([this](fw::Timer&) {
      ++ticks;
      if (onTick) onTick();
    });
  }
};

TEST_F(GuiTest, UnknownSettingFailsLoudly) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_THROW(fw::SetProperties(w, {{"Widht", 10}}), std::logic_error);
  EXPECT_THROW(fw::SetProperties(w.ControlAs<fw::PushButton>("button"), {{"Captoin", "x"}}), std::logic_error);
  EXPECT_THROW(fw::SetProperties(w, {{"Width", "wide"}}), std::logic_error) << "a value of the wrong type";
  EXPECT_THROW(w.ControlAs<fw::TextField>("button"), fw::NilObjectException);
}

// A label never cuts its text: in a font wider than the layout's it grows,
// away from the side its text is aligned to; a text that fits changes nothing.
TEST_F(GuiTest, ALabelGrowsToItsTextAwayFromItsAlignment) {
  ProbeWnd& w = ProbeWnd::Implicit();
  for (int alignment : {0, 2, 3}) {
    SCOPED_TRACE(alignment);
    for (const char* text : {"Number of variables (3-99):", "N"}) {
      const std::string name = "label" + std::to_string(alignment) + text;
      QLabel* label = w.CreateControl<fw::Label>(name, {{"Left", 60}, {"Top", 50}, {"Width", 40}, {"Height", 20},
                                                        {"Value", text}, {"TextAlignment", alignment}})
                          .LabelWidget();
      const int width = std::max(40, label->sizeHint().width());
      const int left = alignment == 0 ? 60 : alignment == 3 ? 100 - width : 80 - width / 2;
      EXPECT_EQ(label->geometry(), QRect(left, 50, width, 20)) << text;
      EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width()) << text;
    }
  }
}

TEST_F(GuiTest, ImplicitInstanceLivesWhileOpen) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(&ProbeWnd::Implicit(), &w);
  w.Hide();
  EXPECT_EQ(&ProbeWnd::Implicit(), &w) << "a hidden window is still open";
  EXPECT_FALSE(w.Visible());
  w.Show();
  std::weak_ptr<fw::Window> old = w.weak_from_this();
  w.Close();
  QTest::qWait(0);
  EXPECT_TRUE(old.expired()) << "a closed window is gone";
  ProbeWnd& fresh = ProbeWnd::Implicit();
  EXPECT_EQ(fw::GetImplicitWindow(ProbeWnd::kClassName).get(), &fresh) << "the next use builds a new one";
  EXPECT_TRUE(fresh.Visible());
}

TEST_F(GuiTest, ButtonActsOnThePressOnly) {
  ProbeWnd& w = ProbeWnd::Implicit();
  QPushButton* button = w.ControlAs<fw::PushButton>("button").Button();
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_EQ(w.presses, 1);
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(w.presses, 1);
  // Tab to the button, the window's first Tab stop, as a user does.
  for (int tab = 0; tab < 2 && w.Widget()->focusWidget() != button; ++tab) ASSERT_TRUE(testing::TypeInto(w, Qt::Key_Tab));
  ASSERT_EQ(w.Widget()->focusWidget(), button);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) ASSERT_TRUE(testing::TypeInto(w, key));
  EXPECT_EQ(w.presses, 1) << "no keyboard activation";
}

TEST_F(GuiTest, TimerSingleShotFiresOnce) {
  ProbeWnd& w = ProbeWnd::Implicit();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.ticks == 1; }, 2000));
  QTest::qWait(60);
  EXPECT_EQ(w.ticks, 1);
  w.Hide();
  w.Show();
  QTest::qWait(60);
  EXPECT_EQ(w.ticks, 1) << "hiding and showing do not restart it";
}

TEST_F(GuiTest, EscapedExceptionIsShownAndTheApplicationRunsOn) {
  ProbeWnd& w = ProbeWnd::Implicit();
  w.onPress = [] { throw fw::IOException("The file \"m.txt\" could not be read: Input/output error.", 5, "m.txt"); };
  ModalAnswers answers;
  answers.DismissMessage();
  QTest::mousePress(w.ControlAs<fw::PushButton>("button").Button(), Qt::LeftButton);
  ASSERT_EQ(answers.Messages().size(), 1u);
  EXPECT_EQ(answers.Messages()[0], "The file \"m.txt\" could not be read: Input/output error.");
  EXPECT_FALSE(fw::QuitRequested());
  EXPECT_TRUE(w.Visible());
}

// A handler that closes its own window and then shows a message: the
// message's event loop deletes closed windows, yet the handler goes on with
// its window afterwards, and the event it handles goes on to its widget.
TEST_F(GuiTest, HandlerThatClosesItsWindowOutlivesItsModal) {
  using Handler = std::function<void()>;
  struct Site {
    const char* name;
    std::function<void(ProbeWnd&, Handler)> bind;
    std::function<void(ProbeWnd&, ModalAnswers&)> raise;
    bool openInHandler = false;  // a Close handler runs before its window closes
  };
  const Site sites[] = {
      {"button press",
       [](ProbeWnd& w, Handler h) { w.onPress = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) {
         // The release goes to the message box, as under a real mouse.
         answers.ReleaseMouse().DismissMessage();
         testing::PressThroughWindowSystem(w.ControlAs<fw::PushButton>("button").Button());
       }},
      {"key down",
       [](ProbeWnd& w, Handler h) { w.onKey = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) {
         answers.DismissMessage();
         QTest::keyClick(w.ControlAs<fw::TextField>("field").Edit(), Qt::Key_1);
       }},
      {"timer action",
       [](ProbeWnd& w, Handler h) { w.onTick = std::move(h); },
       [](ProbeWnd&, ModalAnswers& answers) {
         answers.DismissMessage();
         EXPECT_TRUE(QTest::qWaitFor([&] { return answers.AllUsed(); }, 2000));
       }},
      {"open",
       [](ProbeWnd& w, Handler h) {
         w.ControlAs<fw::TextField>("field").BindOpen([h = std::move(h)](fw::Control&) { h(); });
       },
       [](ProbeWnd& w, ModalAnswers& answers) {
         answers.DismissMessage();
         w.ControlAs<fw::TextField>("field").RaiseOpen();
       }},
      {"menu item",
       [](ProbeWnd& w, Handler h) { w.onMenu = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) {
         answers.DismissMessage();
         // Not ChooseFromMenuBar: it gives the activation back to the window, gone by then.
         QMenu* menu = testing::OpenMenuOf(w, "ProbeItem");
         ASSERT_NE(menu, nullptr);
         QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(w.MenuAction("ProbeItem")).center());
       }},
      {"window mouse down",
       [](ProbeWnd& w, Handler h) { w.onWindowMouse = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) {
         answers.ReleaseMouse().DismissMessage();
         testing::PressThroughWindowSystem(w.ContentArea());
       }},
      {"window key down",
       [](ProbeWnd& w, Handler h) { w.onWindowKey = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) {
         answers.DismissMessage();
         EXPECT_TRUE(testing::TypeInto(w, Qt::Key_1));
       }},
      {"window close",
       [](ProbeWnd& w, Handler h) { w.onClose = std::move(h); },
       [](ProbeWnd& w, ModalAnswers& answers) { answers.DismissMessage(); w.Close(); },
       true},
  };
  for (const Site& site : sites) {
    SCOPED_TRACE(site.name);
    testing::ResetApplication();
    ProbeWnd& w = ProbeWnd::Implicit();
    std::weak_ptr<fw::Window> held = w.weak_from_this();
    bool stillOpen = true;
    site.bind(w, [&w, &stillOpen] {
      w.Close();
      fw::MsgBox("closed");
      stillOpen = w.IsOpen();
    });
    ModalAnswers answers;
    site.raise(w, answers);
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_EQ(answers.Unexpected(), 0);
    EXPECT_EQ(stillOpen, site.openInHandler) << "the handler went on with its closed window";
    QTest::qWait(0);
    EXPECT_TRUE(held.expired()) << "a closed window is still deleted";
  }
}

TEST_F(GuiTest, QuitIsRequestedOnce) {
  fw::Quit(0);
  fw::Quit(3);
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::ExitCode(), 0);
}

TEST_F(GuiTest, MissingPictureIsNil) { EXPECT_EQ(fw::Picture::OpenFromApp("NoSuch.png"), nullptr); }

TEST_F(GuiTest, PictureDrawsItsHighResVariantOnlyAboveRatioOne) {
  const QImage own(4, 3, QImage::Format_ARGB32), twice(8, 6, QImage::Format_ARGB32), other(12, 9, QImage::Format_ARGB32);
  const struct {
    const QImage* highRes;
    double ratio;
    bool drawsHighRes;
  } cases[] = {
      // Above 1 the variant, at 1 (and below) the picture's own pixels.
      {&twice, 2.0, true}, {&twice, 1.25, true}, {&twice, 1.0, false}, {&twice, 0.5, false},
      // No variant, or one that is not twice the size, counts as none.
      {nullptr, 2.0, false}, {&other, 2.0, false},
  };
  for (const auto& c : cases) {
    const fw::Picture picture = c.highRes ? fw::Picture(own, *c.highRes) : fw::Picture(own);
    EXPECT_EQ(&picture.ImageFor(c.ratio) != &picture.Image(), c.drawsHighRes) << c.ratio;
    EXPECT_EQ(picture.ImageFor(c.ratio).size(), c.drawsHighRes ? QSize(8, 6) : QSize(4, 3)) << c.ratio;
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(4, 3)) << "the size stays logical";
  }
  // The logo on a canvas of the About window's size, on a screen at 100, 150 or 200 % (the test
  // runs on each): at its logical size, from its own pixels at 100 % and from the variant above,
  // smoothly scaled to the screen's pixels.
  ProbeWnd& w = ProbeWnd::Implicit();
  QWidget* canvas = w.CreateControl<fw::Canvas>("logo", {{"Width", 460}, {"Height", 100}}).Widget();
  w.ControlAs<fw::Canvas>("logo").SetBackdrop(fw::Picture::OpenFromApp("Lbig.png"));
  const qreal ratio = canvas->devicePixelRatioF();
  EXPECT_EQ(ratio, QGuiApplication::primaryScreen()->devicePixelRatio());
  const QImage shown = canvas->grab().toImage();
  EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(460, 100));
  const QImage source(ratio > 1 ? QStringLiteral(":/Lbig@2x.png") : QStringLiteral(":/Lbig.png"));
  QImage expected(shown.size(), QImage::Format_ARGB32_Premultiplied);
  expected.fill(canvas->palette().color(canvas->backgroundRole()));
  QPainter(&expected).drawImage(expected.rect(), source.copy(0, 0, source.width() * 460 / 465, source.height())
                                                    .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  const QImage a = shown.convertToFormat(QImage::Format_RGB32), b = expected.convertToFormat(QImage::Format_RGB32);
  int most = 0;
  for (qsizetype i = 0; i < a.sizeInBytes(); ++i) most = std::max(most, std::abs(a.constBits()[i] - b.constBits()[i]));
  EXPECT_LE(most, 2) << "the most a colour is off";

}

// A window larger than any screen the tests run on, a button in its far corner.
class HugeWnd : public fw::Window {
 public:
  static constexpr const char* kClassName = "HugeWnd.HugeWnd";
  static inline bool resizeable = false;
  HugeWnd() : fw::Window(kClassName) {}
  int presses = 0;

 protected:
  void Layout() override { fw::SetProperties(*this, {{"Width", 4000}, {"Height", 3000}, {"Resizeable", resizeable}}); }
  void CreateControls() override {
    CreateControl<fw::PushButton>("far", {{"Left", 3900}, {"Top", 2950}, {"Width", 80}, {"Height", 30}, {"Caption", "Far"}})
        .BindMouseDown([this](fw::PushButton&, int, int) {
          ++presses;
          return false;
        });
  }
};

TEST_F(GuiTest, AWindowLargerThanItsScreenOpensInsideItAndScrollsToEveryControl) {
  for (bool resizeable : {false, true}) {
    SCOPED_TRACE(resizeable ? "resizeable" : "fixed size");
    testing::ResetApplication();
    HugeWnd::resizeable = resizeable;
    HugeWnd& w = fw::ImplicitWindow<HugeWnd>(HugeWnd::kClassName);
    QTest::qWait(0);  // the frame is known once the window is shown
    EXPECT_TRUE(w.Widget()->screen()->availableGeometry().contains(w.Widget()->frameGeometry()));
    EXPECT_EQ(w.ContentArea()->size(), QSize(4000, 3000));
    QScrollArea* scroller = testing::ContentScroller(w);
    ASSERT_NE(scroller, nullptr);
    for (QScrollBar* bar : {scroller->horizontalScrollBar(), scroller->verticalScrollBar()}) {
      ASSERT_TRUE(bar->isVisible());
      testing::PageToEnd(bar);
      EXPECT_EQ(bar->value(), bar->maximum());
    }
    QPushButton* far = w.ControlAs<fw::PushButton>("far").Button();
    EXPECT_TRUE(testing::InView(scroller, far));
    QTest::mousePress(far, Qt::LeftButton);
    QTest::mouseRelease(far, Qt::LeftButton);
    EXPECT_EQ(w.presses, 1);
  }
}

}  // namespace
}  // namespace lumetra
