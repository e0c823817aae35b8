// The application shell as the user drives it: the menu bar's content, the
// splash's hand-over in every state, the help window, and closing windows.
// Menu items are chosen from a window's own menu bar and buttons pressed
// with the mouse, so a handler bound to the wrong item or event fails here.
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWindow>
#include <functional>

#include "GuiSupport.h"
#include "analysis/ControlWnd.h"
#include "app/Lbig.h"
#include "framework/Application.h"
#include "framework/Window.h"
#include "shell/AboutWnd.h"
#include "shell/HelpText.h"
#include "shell/MenuBar1.h"
#include "shell/helpWnd.h"

namespace lumetra {
namespace {

using testing::GuiTest;

bool IsOpen(const char* className) { return fw::GetImplicitWindow(className) != nullptr; }

// What a click on the window's title bar does: it becomes the one the user
// works in, after any activation still pending from an earlier show.
void Activate(const fw::Window& window) {
  QTest::qWait(0);
  QApplication::setActiveWindow(window.Widget());
}

// Chooses an item as the user does: from the menu bar of the window they
// work in, where the item must be shown and enabled.
void Choose(const fw::Window& window, const char* item) {
  SCOPED_TRACE(item);
  QAction* action = window.MenuAction(item);
  ASSERT_NE(action, nullptr);
  bool inBar = false;
  for (QAction* menu : static_cast<QMainWindow*>(window.Widget())->menuBar()->actions())
    inBar = inBar || (menu->menu() && menu->menu()->actions().contains(action));
  ASSERT_TRUE(inBar) << "not in this window's menu bar";
  ASSERT_TRUE(window.Visible());
  // Offscreen, a shown window becomes active once its activation is delivered.
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.Widget(); }, 1000))
      << "not the window the user works in";
  ASSERT_TRUE(testing::ChooseFromMenuBar(window, item));
}

// Presses "?" in the main window; the help window must be there before the release.
void PressHelp() {
  QPushButton* button = ControlWnd::Implicit().helpBtn().Button();
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_TRUE(IsOpen(helpWnd::kClassName)) << "opened on the press";
  QTest::mouseRelease(button, Qt::LeftButton);
}

TEST(MenuBar1Content, MenusItemsClassesCaptionsAndShortcuts) {
  auto bar = MenuBar1::Implicit();
  EXPECT_EQ(MenuBar1::Implicit(), bar) << "one bar, built once";
  ASSERT_EQ(bar->Count(), 3u);
  struct Row {
    const char* name;
    const char* className;
    const char* caption;
    std::optional<std::string> shortcut;
  };
  const std::vector<std::vector<Row>> expected = {
      {{"FileMenu", "MenuItem", "&File", ""},
       {"FileQuit", "QuitMenuItem", "&Quit", "Cmd+Q"},
       {"AboutItem", "PrefsMenuItem", "About Title", ""}},
      {{"EditMenu", "MenuItem", "&Edit", ""},
       {"EditUndo", "MenuItem", "&Undo", "Cmd+Z"},
       {"UntitledMenu1", "MenuItem", "-", std::nullopt},
       {"EditCut", "MenuItem", "Cu&t", "Cmd+X"},
       {"EditCopy", "MenuItem", "&Copy", "Cmd+C"},
       {"EditPaste", "MenuItem", "&Paste", "Cmd+V"},
       {"EditClear", "MenuItem", "&Delete", ""},
       {"UntitledMenu0", "MenuItem", "-", std::nullopt},
       {"EditSelectAll", "MenuItem", "Select &All", "Cmd+A"}},
      {{"InfoMenu", "MenuItem", "Window", ""},
       {"ControlItem", "MenuItem", "Control", ""},
       {"InfoItem", "MenuItem", "Info", ""}}};
  for (std::size_t m = 0; m < expected.size(); ++m) {
    const auto& menu = bar->Item(m);
    ASSERT_EQ(menu->Count() + 1, expected[m].size());
    for (std::size_t i = 0; i < expected[m].size(); ++i) {
      const fw::MenuItem& item = i == 0 ? *menu : *menu->Item(i - 1);
      const Row& row = expected[m][i];
      EXPECT_EQ(item.Name(), row.name);
      EXPECT_EQ(item.ClassName(), row.className) << row.name;
      EXPECT_EQ(item.Value(), row.caption) << row.name;
      EXPECT_EQ(item.Shortcut(), row.shortcut) << row.name;
      EXPECT_TRUE(item.AutoEnabled() && item.Visible()) << row.name;
    }
  }
  EXPECT_EQ(bar->Child("Window"), nullptr) << "menus are found by Name, not caption";
  EXPECT_NE(bar->Child("InfoMenu"), nullptr);
}

class Splash : public GuiTest {
 protected:
  AboutWnd& Open() { return AboutWnd::Implicit(); }
  static bool MainShown() {
    auto w = fw::GetImplicitWindow(ControlWnd::kClassName);
    return w && w->Visible();
  }
};

TEST_F(Splash, LayoutAndLogo) {
  AboutWnd& splash = Open();
  EXPECT_EQ(splash.ContentArea()->size(), QSize(500, 300));
  EXPECT_EQ(splash.ContentArea()->palette().color(QPalette::Window), QColor(255, 255, 221));
  EXPECT_EQ(splash.MenuBar(), nullptr);
  EXPECT_EQ(splash.StaticText2().Text(), "\u00A9 2026 the Lumetra authors");
  EXPECT_EQ(splash.Timer1().Period(), 4000);
  EXPECT_EQ(splash.Timer1().RunMode(), 1);
  EXPECT_EQ(splash.Canvas1().Backdrop(), Lbig()) << "the picture is opened once and shared";
  // The platform puts the application's name in an empty title bar; this one must stay blank.
  const QString title = splash.Widget()->windowHandle()->title();
  EXPECT_FALSE(title.isEmpty());
  EXPECT_TRUE(title.trimmed().isEmpty()) << title.toStdString();
  EXPECT_EQ(ControlWnd::Implicit().Canvas1().Backdrop(), Lbig());
}

TEST_F(Splash, AKeyWithoutTextHandsOverToo) {
  AboutWnd& splash = Open();
  QTest::keyClick(splash.Widget(), Qt::Key_F1);
  EXPECT_FALSE(splash.Visible());
  ASSERT_TRUE(IsOpen(ControlWnd::kClassName));
  EXPECT_TRUE(ControlWnd::Implicit().Visible());
}

TEST_F(Splash, RealTimerHandsOverAfterFourSeconds) {
  AboutWnd& splash = Open();
  EXPECT_TRUE(splash.Visible());
  EXPECT_FALSE(IsOpen(ControlWnd::kClassName));
  ASSERT_TRUE(QTest::qWaitFor([] { return MainShown(); }, 6000));
  EXPECT_FALSE(splash.Visible());
  EXPECT_FALSE(splash.Timer1().Running());
  EXPECT_TRUE(IsOpen(AboutWnd::kClassName)) << "hidden, never closed";
  EXPECT_TRUE(ControlWnd::Implicit().RxxFld().Text().empty());
  EXPECT_FALSE(ControlWnd::Implicit().ResultsFld().Visible());
}

// Records whether the splash was hidden when the main window first showed.
class ShowWatcher : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && !seen) {
      auto main = fw::GetImplicitWindow(ControlWnd::kClassName);
      if (main && object == main->Widget()) {
        seen = true;
        splashVisibleThen = AboutWnd::Implicit().Visible();
      }
    }
    return false;
  }
  bool seen = false;
  bool splashVisibleThen = true;
};

TEST_F(Splash, PressHidesTheSplashBeforeTheMainWindowIsMade) {
  AboutWnd& splash = Open();
  ShowWatcher watcher;
  qApp->installEventFilter(&watcher);
  QTest::mousePress(splash.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
  qApp->removeEventFilter(&watcher);
  ASSERT_TRUE(watcher.seen);
  EXPECT_FALSE(watcher.splashVisibleThen);
  EXPECT_FALSE(splash.Visible());
  EXPECT_TRUE(splash.Timer1().Running()) << "hidden, pending";
}

TEST_F(Splash, EveryStateOfTheHandOver) {
  AboutWnd& splash = Open();
  // visible, pending -- key --> hidden, pending
  QTest::keyClick(splash.Widget(), Qt::Key_A);
  EXPECT_FALSE(splash.Visible());
  ControlWnd& main = ControlWnd::Implicit();
  EXPECT_TRUE(main.Visible());
  // hidden, pending -- About --> visible, pending: the same splash, its timer not restarted
  Choose(main, "AboutItem");
  EXPECT_EQ(&AboutWnd::Implicit(), &splash);
  EXPECT_TRUE(splash.Visible());
  EXPECT_TRUE(splash.Timer1().Running());
  EXPECT_FALSE(IsOpen(helpWnd::kClassName)) << "About is not Info";
  // About while visible: no second splash
  Activate(main);
  Choose(main, "AboutItem");
  EXPECT_EQ(&AboutWnd::Implicit(), &splash);
  EXPECT_TRUE(splash.Visible());
  // visible, pending -- timer --> hidden, spent; the same main window again
  splash.Timer1().CallAction();
  QTest::qWait(0);
  EXPECT_FALSE(splash.Visible());
  EXPECT_EQ(&ControlWnd::Implicit(), &main);
  // hidden, spent -- About --> visible, spent; it stays until a press or key
  Choose(main, "AboutItem");
  EXPECT_TRUE(splash.Visible());
  QTest::mousePress(splash.Widget(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(splash.Visible());
  EXPECT_TRUE(main.Visible());
}

TEST_F(Splash, ClosedSplashIsGoneAndAboutMakesAFreshOne) {
  AboutWnd& first = Open();
  QTest::keyClick(first.Widget(), Qt::Key_Space);
  ControlWnd& main = ControlWnd::Implicit();
  Choose(main, "AboutItem");
  std::weak_ptr<fw::Window> old = first.weak_from_this();
  auto& timer = static_cast<wrapper_Timer1&>(first.Timer1());
  EXPECT_EQ(timer.Window().get(), &first);
  first.Widget()->close();
  QTest::qWait(0);
  EXPECT_FALSE(IsOpen(AboutWnd::kClassName));
  EXPECT_TRUE(old.expired()) << "the timer did not keep its window alive";
  EXPECT_FALSE(fw::QuitRequested()) << "the main window is still visible";
  Activate(main);
  Choose(main, "AboutItem");
  ASSERT_TRUE(IsOpen(AboutWnd::kClassName));
  AboutWnd& fresh = AboutWnd::Implicit();
  EXPECT_TRUE(fresh.Visible());
  EXPECT_TRUE(fresh.Timer1().Running());
}

TEST_F(Splash, ClosingItBeforeTheHandOverLeavesNoWindowSoTheApplicationQuits) {
  Open().Widget()->close();
  EXPECT_FALSE(IsOpen(ControlWnd::kClassName));
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::ExitCode(), 0);
}

class HelpWindow : public GuiTest {
 protected:
  static std::string Shown(const std::string& text) {
    std::string lf = text;
    for (char& c : lf)
      if (c == '\r') c = '\n';
    return lf;
  }
};

TEST_F(HelpWindow, QuestionMarkShowsTheHelpTextWithItsTitleBold) {
  ControlWnd::Implicit();
  ASSERT_FALSE(IsOpen(helpWnd::kClassName));
  PressHelp();
  ASSERT_TRUE(IsOpen(helpWnd::kClassName));
  helpWnd& help = helpWnd::Implicit();
  EXPECT_TRUE(help.Visible());
  EXPECT_EQ(help.Widget()->windowTitle(), QStringLiteral("Info"));
  EXPECT_EQ(help.ContentArea()->size(), QSize(550, 500));
  EXPECT_EQ(help.EditField1().Edit()->geometry(), QRect(0, 0, 551, 498));
  EXPECT_EQ(help.EditField1().Text(), Shown(std::string(HelpText)));
  fw::StyledText styled = help.EditField1().GetStyledText();
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(styled.IsBold(i)) << i;
  EXPECT_FALSE(styled.IsBold(7)) << "not the line end";
  EXPECT_FALSE(styled.IsBold(9)) << "not the next lines";
  EXPECT_FALSE(IsOpen(AboutWnd::kClassName)) << "? is not About";
}

TEST_F(HelpWindow, EveryExampleRowFitsOnOneLine) {
  ControlWnd::Implicit();
  PressHelp();
  QPlainTextEdit* edit = helpWnd::Implicit().EditField1().Edit();
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(edit->document()->documentLayout());
  ASSERT_NE(layout, nullptr);
  qreal widest = 0;
  for (int first : {25, 35}) {  // the full square, then the lower triangle
    for (int line = first; line < first + 8; ++line) {
      QTextBlock block = edit->document()->findBlockByNumber(line - 1);
      ASSERT_FALSE(block.text().isEmpty()) << line;
      layout->ensureBlockLayout(block);
      EXPECT_EQ(block.layout()->lineCount(), 1) << "line " << line << " wraps";
      widest = std::max(widest, block.layout()->lineAt(0).naturalTextWidth());
    }
  }
  EXPECT_LE(widest, edit->viewport()->width() - 2 * edit->document()->documentMargin());
}

TEST_F(HelpWindow, EditsLiveWhileOpenAndGoWithTheWindow) {
  ControlWnd& main = ControlWnd::Implicit();
  ASSERT_FALSE(IsOpen(helpWnd::kClassName));
  Choose(main, "InfoItem");
  ASSERT_TRUE(IsOpen(helpWnd::kClassName));
  helpWnd& help = helpWnd::Implicit();
  EXPECT_TRUE(help.Visible());
  help.EditField1().Edit()->setFocus();
  QTest::keyClicks(help.EditField1().Edit(), QStringLiteral("my note "));
  std::string edited = help.EditField1().Text();
  EXPECT_NE(edited, Shown(std::string(HelpText)));
  PressHelp();
  EXPECT_EQ(&helpWnd::Implicit(), &help) << "one help window";
  EXPECT_EQ(help.EditField1().Text(), edited);
  // Closing it leaves the main window running.
  help.Widget()->close();
  QTest::qWait(0);
  EXPECT_FALSE(IsOpen(helpWnd::kClassName));
  EXPECT_FALSE(fw::QuitRequested());
  EXPECT_TRUE(main.Visible());
  Activate(main);
  Choose(main, "InfoItem");
  ASSERT_TRUE(IsOpen(helpWnd::kClassName));
  EXPECT_EQ(helpWnd::Implicit().EditField1().Text(), Shown(std::string(HelpText)));
  EXPECT_TRUE(helpWnd::Implicit().EditField1().GetStyledText().IsBold(0));
}

TEST_F(HelpWindow, ControlIsItsOnlyItemAndBringsBackTheSameMainWindow) {
  ControlWnd& main = ControlWnd::Implicit();
  Choose(main, "InfoItem");
  ASSERT_TRUE(IsOpen(helpWnd::kClassName));
  helpWnd& help = helpWnd::Implicit();
  for (const char* item : {"FileQuit", "AboutItem", "InfoItem", "EditCopy", "EditMenu"})
    EXPECT_FALSE(help.HasMenuHandler(item)) << item;
  EXPECT_TRUE(help.HasMenuHandler("ControlItem"));
  // Unbound here, About and Info are dimmed in the help window's bar.
  for (const char* item : {"AboutItem", "InfoItem"}) EXPECT_FALSE(help.MenuAction(item)->isEnabled()) << item;
  main.Hide();
  Choose(help, "ControlItem");
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(&ControlWnd::Implicit(), &main);
  EXPECT_TRUE(help.Visible()) << "the help window stays open behind it";
}

class Closing : public GuiTest {};

// Closing the main window quits whatever else is open; with the help window
// still visible only the main window's own close handler can quit.
TEST_F(Closing, TheMainWindowQuitsWithStatusZeroWhateverElseIsOpen) {
  const std::vector<std::pair<const char*, std::function<void()>>> setups = {
      {"alone", [] { ControlWnd::Implicit(); }},
      {"after the splash's hand-over", [] { QTest::keyClick(AboutWnd::Implicit().Widget(), Qt::Key_A); }},
      {"help window open", [] {
         ControlWnd::Implicit();
         PressHelp();
       }}};
  for (const auto& [name, setup] : setups) {
    SCOPED_TRACE(name);
    testing::ResetApplication();
    setup();
    ASSERT_TRUE(IsOpen(ControlWnd::kClassName) && ControlWnd::Implicit().Visible() && !fw::QuitRequested());
    ControlWnd::Implicit().Widget()->close();
    EXPECT_TRUE(fw::QuitRequested());
    EXPECT_EQ(fw::ExitCode(), 0);
  }
}

}  // namespace
}  // namespace lumetra
