// The application shell as the user drives it: the menu bar's content, the
// splash's hand-over in every state, the help window, and closing windows.
// Menu items are chosen from a window's own menu bar and buttons pressed
// with the mouse, so a handler bound to the wrong item or event fails here.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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
  window.Widget()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
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
  // The logo comes with its variant at twice the resolution for scaled
  // screens; at a ratio of 1 the canvas paints the picture's own pixels.
  const auto logo = Lbig();
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(QSize(logo->Width(), logo->Height()), QSize(465, 100));
  EXPECT_TRUE(logo->HasHighRes());
  for (double ratio : {1.25, 1.5, 2.0}) EXPECT_EQ(logo->ImageFor(ratio).size(), QSize(930, 200)) << ratio;
  QWidget* canvas = splash.Canvas1().Widget();
  ASSERT_EQ(canvas->devicePixelRatioF(), 1.0);
  QImage expected(canvas->size(), QImage::Format_ARGB32_Premultiplied);
  expected.fill(splash.ContentArea()->palette().color(QPalette::Window));  // the canvas is transparent
  QPainter(&expected).drawImage(0, 0, logo->Image());
  EXPECT_TRUE(canvas->grab().toImage().convertToFormat(expected.format()) == expected);
}

// From start-up on, with the keyboard alone: every key the splash gets
// hands over (one without text, Tab and the arrows too), and the keys after
// it reach the count field, where Tab keeps them.
TEST_F(Splash, EveryKeyHandsOverAndTheNextKeysReachTheCount) {
  for (Qt::Key key : {Qt::Key_A, Qt::Key_F1, Qt::Key_Tab, Qt::Key_Down, Qt::Key_PageDown}) {
    SCOPED_TRACE(key);
    testing::ResetApplication();
    AboutWnd& splash = Open();
    ASSERT_TRUE(testing::TypeInto(splash, Qt::Key_AltGr));
    EXPECT_TRUE(splash.Visible()) << "AltGr alone is no key";
    ASSERT_TRUE(testing::TypeInto(splash, key));
    EXPECT_FALSE(splash.Visible());
    ASSERT_TRUE(IsOpen(ControlWnd::kClassName));
    ControlWnd& main = ControlWnd::Implicit();
    EXPECT_TRUE(main.Visible());
    for (Qt::Key typed : {Qt::Key_8, Qt::Key_Tab, Qt::Key_9}) ASSERT_TRUE(testing::TypeInto(main, typed));
    EXPECT_EQ(main.RxxFld().Text(), "89");
  }
}

TEST_F(Splash, RealTimerHandsOverAfterFourSeconds) {
  QElapsedTimer clock;
  clock.start();
  AboutWnd& splash = Open();
  EXPECT_TRUE(splash.Visible());
  EXPECT_FALSE(IsOpen(ControlWnd::kClassName));
  // Shortly before the four seconds nothing has happened yet; the margin
  // after them is for the sanitizer build, which is slow.
  QTest::qWait(int(3500 - clock.elapsed()));
  EXPECT_TRUE(splash.Visible());
  EXPECT_FALSE(MainShown());
  ASSERT_TRUE(QTest::qWaitFor([] { return MainShown(); }, int(5500 - clock.elapsed())))
      << "not handed over " << clock.elapsed() << " ms after it opened";
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

  // Copied out, the text comes as it is and, for a word processor, in the
  // area's fixed-pitch font at its size.
  // With the keyboard's focus where the window put it: in the text.
  Choose(help, "EditSelectAll");
  Choose(help, "EditCopy");
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->text().toStdString(), help.EditField1().Text());
  EXPECT_TRUE(copied->html().contains(QStringLiteral("monospace; font-size: 11pt"))) << copied->html().left(200).toStdString();
}

TEST_F(HelpWindow, EveryExampleRowFitsOnOneLine) {
  ControlWnd::Implicit();
  PressHelp();
  QPlainTextEdit* edit = helpWnd::Implicit().EditField1().Edit();
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(edit->document()->documentLayout());
  ASSERT_NE(layout, nullptr);
  const qreal space = QFontMetricsF(edit->document()->defaultFont()).horizontalAdvance(u' ');
  std::vector<qreal> fieldStarts;  // of the first row; the others line up
  qreal widest = 0;
  for (int first : {25, 35}) {  // the full square, then the lower triangle
    for (int line = first; line < first + 8; ++line) {
      QTextBlock block = edit->document()->findBlockByNumber(line - 1);
      ASSERT_FALSE(block.text().isEmpty()) << line;
      layout->ensureBlockLayout(block);
      EXPECT_EQ(block.layout()->lineCount(), 1) << "line " << line << " wraps";
      const QTextLine row = block.layout()->lineAt(0);
      widest = std::max(widest, row.naturalTextWidth());
      // An 8-character name or a 6-character value must not touch the next
      // field, empty fields (the diagonal) included.
      const QString text = block.text();
      std::size_t field = 0;
      for (qsizetype tab = text.indexOf(u'\t'); tab >= 0; tab = text.indexOf(u'\t', tab + 1), ++field) {
        const qreal start = row.cursorToX(int(tab + 1));
        EXPECT_GE(start - row.cursorToX(int(tab)), space - 1.0 / 64)
            << "line " << line << ": " << text.left(tab).toStdString() << " touches the next field";
        if (field == fieldStarts.size()) fieldStarts.push_back(start);
        EXPECT_EQ(start, fieldStarts[field]) << "line " << line << ", field " << field + 2 << " out of its column";
      }
    }
  }
  EXPECT_LE(widest, edit->viewport()->width() - 2 * edit->document()->documentMargin());
}

// The toolkit's own line breaking ends a line inside " .05", after its point.
// At no width may a line end inside a word holding a digit, and every line
// still takes as many words as fit.
TEST_F(HelpWindow, NoWidthSplitsANumberAndLinesStayFull) {
  ControlWnd::Implicit();
  PressHelp();
  QPlainTextEdit* edit = helpWnd::Implicit().EditField1().Edit();
  QAbstractTextDocumentLayout* layout = edit->document()->documentLayout();
  const QFontMetricsF metrics(edit->document()->defaultFont());
  const auto isDigit = [](QChar c) { return c.isDigit(); };
  int wrapsInsideAWord = 0;
  std::optional<qreal> pitch;
  for (int width = 200; width <= 551; ++width) {
    edit->resize(width, edit->height());
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
      layout->blockBoundingRect(block);  // as painting lays a block out
      const QString text = block.text();
      const QTextLayout* lines = block.layout();
      for (int i = 0; i + 1 < lines->lineCount(); ++i) {
        const QTextLine line = lines->lineAt(i);
        const qsizetype end = line.textStart() + line.textLength();
        qsizetype start = end, stop = end;
        while (start > 0 && !text[start - 1].isSpace()) --start;
        while (stop < text.size() && !text[stop].isSpace()) ++stop;
        const QString word = text.mid(start, stop - start);
        const bool number = std::any_of(word.begin(), word.end(), isDigit);
        EXPECT_FALSE(start < end && number) << width << " px: " << word.toStdString() << " split";
        EXPECT_GT(metrics.horizontalAdvance(text.mid(line.textStart(), stop - line.textStart())), line.width() - 0.5)
            << width << " px: " << word.toStdString() << " would fit on the line before";
        wrapsInsideAWord += start > line.textStart() && start < end;
        // Drawn where it belongs: every line one line's pitch under the one
        // before, in the blocks laid out again as in the toolkit's own.
        if (!pitch) pitch = lines->lineAt(i + 1).y() - line.y();
        EXPECT_EQ(lines->lineAt(i + 1).y() - line.y(), *pitch) << width << " px, line " << i + 1;
      }
    }
  }
  EXPECT_GT(wrapsInsideAWord, 100) << "other words still break after their hyphens";
}

TEST_F(HelpWindow, EditsLiveWhileOpenAndGoWithTheWindow) {
  ControlWnd& main = ControlWnd::Implicit();
  ASSERT_FALSE(IsOpen(helpWnd::kClassName));
  Choose(main, "InfoItem");
  ASSERT_TRUE(IsOpen(helpWnd::kClassName));
  helpWnd& help = helpWnd::Implicit();
  EXPECT_TRUE(help.Visible());
  ASSERT_TRUE(testing::TypeInto(help, QStringLiteral("my note ")));
  ASSERT_TRUE(testing::TypeInto(help, Qt::Key_Tab));  // no tab in the help text: Tab only moves on
  EXPECT_EQ(help.Widget()->focusWidget(), help.EditField1().Edit()) << "the text is its only Tab stop";
  std::string edited = help.EditField1().Text();
  EXPECT_EQ(std::count(edited.begin(), edited.end(), '\t'), std::count(HelpText.begin(), HelpText.end(), '\t'))
      << "Tab typed no tab";
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

class Restoring : public GuiTest {};

// "?", Info, Control and About bring back a window the user minimised;
// merely shown, it would stay in the task bar and nothing would appear.
TEST_F(Restoring, EachCommandRestoresTheWindowItShows) {
  ControlWnd& main = ControlWnd::Implicit();
  PressHelp();
  helpWnd& help = helpWnd::Implicit();
  AboutWnd& splash = AboutWnd::Implicit();
  struct Row {
    const char* command;
    fw::Window& shown;
    std::function<void()> choose;
  };
  const Row rows[] = {
      {"?", help, [] { PressHelp(); }},
      {"Info", help, [&] { Activate(main); Choose(main, "InfoItem"); }},
      {"Control", main, [&] { Activate(help); Choose(help, "ControlItem"); }},
      {"About", splash, [&] { Activate(main); Choose(main, "AboutItem"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    row.shown.Widget()->showMinimized();
    ASSERT_TRUE(row.shown.Widget()->isMinimized());
    row.choose();
    EXPECT_FALSE(row.shown.Widget()->isMinimized());
    EXPECT_TRUE(row.shown.Visible());
  }
}

// Run once on a desktop's screen, where every window fits and nothing may
// change, and once on a small scaled laptop screen (screen-laptop.json),
// where a window that does not fit opens inside the screen and scrolls.
class Screen : public GuiTest {};

TEST_F(Screen, EveryWindowOpensInsideItAndEveryControlCanBeReached) {
  ControlWnd& main = ControlWnd::Implicit();
  PressHelp();
  helpWnd& help = helpWnd::Implicit();
  AboutWnd& splash = AboutWnd::Implicit();
  QTest::qWait(0);  // scroll bars come and go as the event loop runs
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  const std::pair<fw::Window*, QSize> windows[] = {
      {&main, QSize(800, 700)}, {&help, QSize(550, 500)}, {&splash, QSize(500, 300)}};
  for (const auto& [window, stored] : windows) {
    SCOPED_TRACE(window->ClassName());
    auto* widget = static_cast<QMainWindow*>(window->Widget());
    const int menu = widget->menuWidget() ? widget->menuWidget()->height() : 0;
    const QMargins frame = widget->windowHandle()->frameMargins();
    const bool fits = stored.width() + frame.left() + frame.right() <= free.width() &&
                      stored.height() + menu + frame.top() + frame.bottom() <= free.height();
    EXPECT_EQ(window->ContentArea()->size(), stored) << "the controls keep their places";
    EXPECT_TRUE(free.contains(widget->frameGeometry())) << "inside the screen";
    QScrollArea* scroller = testing::ContentScroller(*window);
    ASSERT_NE(scroller, nullptr);
    if (fits) {
      EXPECT_EQ(widget->size(), QSize(stored.width(), stored.height() + menu));
      EXPECT_EQ(scroller->viewport()->size(), stored);
      EXPECT_FALSE(scroller->verticalScrollBar()->isVisible());
      EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible());
    } else {
      // A bar where the content is cut, and only there.
      const QSize view = scroller->viewport()->size();
      EXPECT_TRUE(view.width() < stored.width() || view.height() < stored.height());
      EXPECT_EQ(scroller->verticalScrollBar()->isVisible(), view.height() < stored.height());
      EXPECT_EQ(scroller->horizontalScrollBar()->isVisible(), view.width() < stored.width());
      const int bar = scroller->verticalScrollBar()->sizeHint().width();
      if (stored.width() + bar + frame.left() + frame.right() <= free.width()) {
        EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible()) << "wide enough for the content and a bar";
      }
    }
  }
  // Begin, at the bottom of the main window, is reached by paging down with
  // the scroll bar, and a press on it runs the analysis.
  testing::PageToEnd(testing::ContentScroller(main)->verticalScrollBar());
  QPushButton* begin = main.calcBtn().Button();
  EXPECT_TRUE(testing::InView(testing::ContentScroller(main), begin)) << "Begin can be seen";
  testing::ModalAnswers answers;
  answers.DismissMessage();
  QTest::mousePress(begin, Qt::LeftButton);
  QTest::mouseRelease(begin, Qt::LeftButton);
  ASSERT_EQ(answers.Messages().size(), 1u);
  EXPECT_EQ(answers.Messages()[0], "Please enter the number of variables (3-99).");
}

}  // namespace
}  // namespace lumetra
