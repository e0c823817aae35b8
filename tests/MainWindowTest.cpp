// The main window driven through its real widgets: key filter, Clear, the
// "Begin" run through the real message box and file dialog, the menu bar.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeView>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>
#include <QTextDocument>
#include <QTest>
#include <QTextBlock>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "GuiSupport.h"
#include "analysis/ControlWnd.h"
#include "shell/helpWnd.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Window.h"

namespace lumetra {
namespace {

using testing::GuiTest;
using testing::ModalAnswers;

class MainWindow : public GuiTest {
 protected:
  ControlWnd& Window() { return ControlWnd::Implicit(); }
  QLineEdit* Count() { return Window().RxxFld().Edit(); }
  QPlainTextEdit* Results() { return Window().ResultsFld().Edit(); }
  void Press(fw::PushButton& button) {
    QTest::mousePress(button.Button(), Qt::LeftButton);
    QTest::mouseRelease(button.Button(), Qt::LeftButton);
  }
  // Types the count, presses Begin, and answers the dialogs as told.
  void Begin(const QString& count, ModalAnswers& answers) {
    Count()->clear();
    QTest::keyClicks(Count(), count);
    Press(Window().calcBtn());
    testing::GiveBackActivation(Window().Widget());
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_EQ(answers.Unexpected(), 0);
  }
  // A run of the worked example's 8 variables on the file at `path`.
  void RunOn(const std::string& path) {
    ModalAnswers answers;
    answers.ChooseFile(path);
    Begin(QStringLiteral("8"), answers);
  }
  // The results area's text without its first line (the date and time).
  static std::string WithoutDateLine(const std::string& text) { return text.substr(text.find('\n') + 1); }
};

TEST_F(MainWindow, FreshWindowMatchesItsLayout) {
  ControlWnd& w = Window();
  EXPECT_EQ(w.Widget()->windowTitle(), QStringLiteral("Lumetra"));
  EXPECT_EQ(w.ContentArea()->size(), QSize(800, 700));
  EXPECT_EQ(w.ContentArea()->palette().color(QPalette::Window), QColor(255, 255, 224));
  EXPECT_EQ(Count()->geometry(), QRect(213, 144, 55, 22));
  EXPECT_EQ(Results()->geometry(), QRect(40, 188, 720, 430));
  EXPECT_EQ(w.calcBtn().Button()->geometry(), QRect(40, 640, 80, 40));
  EXPECT_EQ(w.RxxText().Text(), "Number of variables (3-99):");
  QLabel* label = w.RxxText().LabelWidget();
  EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << "the label is not cut";
  EXPECT_EQ(w.helpBtn().Caption(), "?");
  EXPECT_FALSE(w.ResultsFld().Visible());
  EXPECT_EQ(w.ResultsFld().Text(), "");
  EXPECT_TRUE(QFontInfo(Results()->font()).fixedPitch()) << "the report's columns need a fixed-pitch font";
  ASSERT_NE(w.Canvas1().Backdrop(), nullptr);
  EXPECT_EQ(w.Canvas1().Backdrop()->Width(), 465);
  EXPECT_EQ(&ControlWnd::Implicit(), &w) << "one main window";
}

// The count field's key filter, key by key as the user types them into the
// window from where it opens: digits and the editing keys pass (a third digit
// does not fit), every other key is refused with one alert, keys without text
// too; modifiers alone and shortcuts never reach the filter.
TEST_F(MainWindow, KeyFilterLetsDigitsAndEditingKeysThroughAndRefusesTheRest) {
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* field;
    int beeps;  // so far
  };
  const Step steps[] = {
      {Qt::Key_1, {}, "1", 0}, {Qt::Key_X, {}, "1", 1}, {Qt::Key_2, {}, "12", 1}, {Qt::Key_3, {}, "12", 1},
      {Qt::Key_Left, {}, "12", 1}, {Qt::Key_Backspace, {}, "2", 1}, {Qt::Key_Right, {}, "2", 1},
      {Qt::Key_Tab, {}, "2", 1}, {Qt::Key_4, {}, "24", 1}, {Qt::Key_Left, {}, "24", 1}, {Qt::Key_Delete, {}, "2", 1},
      {Qt::Key_Home, {}, "2", 2}, {Qt::Key_Minus, {}, "2", 3}, {Qt::Key_Period, {}, "2", 4},
      {Qt::Key_Space, {}, "2", 5}, {Qt::Key_Return, {}, "2", 6}, {Qt::Key_Escape, {}, "2", 7},
      {Qt::Key_Up, {}, "2", 8}, {Qt::Key_Down, {}, "2", 9}, {Qt::Key_Slash, {}, "2", 10},
      {Qt::Key_Colon, {}, "2", 11}, {Qt::Key_A, {}, "2", 12}, {Qt::Key_F1, {}, "2", 13},
      {Qt::Key_F12, {}, "2", 14}, {Qt::Key_Insert, {}, "2", 15}, {Qt::Key_Shift, {}, "2", 15},
      {Qt::Key_Control, {}, "2", 15}, {Qt::Key_A, Qt::ControlModifier, "2", 15}, {Qt::Key_C, Qt::ControlModifier, "2", 15},
  };
  const auto beeps = fw::BeepCount();
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "key " << step.key << " with " << step.modifiers);
    ASSERT_TRUE(testing::TypeInto(Window(), step.key, step.modifiers));
    EXPECT_EQ(Count()->text().toStdString(), step.field);
    EXPECT_EQ(fw::BeepCount() - beeps, step.beeps);
  }
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2")) << "Select All and Copy work in the field";
}

// Text reaches the count field by every route under one rule: without the
// white space around it (a copied spreadsheet cell ends in a line end), it
// fits the field's length and mask whole, or it is refused whole with one
// alert and the field keeps what it had: "123" never becomes 12 variables.
TEST_F(MainWindow, EveryPasteIsTrimmedThenTakenWholeOrRefusedWhole) {
  enum Route { kCtrlV, kShiftInsert, kEditMenu, kContextMenu, kDrop };
  struct Row {
    const char* typed;  // before the paste; "^A" selects all after it
    const char* clipboard;
    const char* field;
    int beeps;
  };
  const Row rows[] = {
      {"", "7", "7", 0},       {"", " 12 \r\n", "12", 0}, {"", "\t9\t", "9", 0},     {"", "a1", "", 1},
      {"", "4 2", "", 1},      {"", "123", "", 1},         {"", "150\n", "", 1},      {"", "", "", 0},
      {"5", "3", "53", 0},     {"5", "31", "5", 1},        {"42^A", "42", "42", 0},   {"42^A", "9\n", "9", 0},
      {"42^A", "x", "42", 1},  {"42^A", "123", "42", 1},
  };
  ControlWnd& w = Window();
  for (Route route : {kCtrlV, kShiftInsert, kEditMenu, kContextMenu, kDrop}) {
    for (const Row& row : rows) {
      const std::string typed = row.typed;
      if (route == kDrop && !typed.empty()) continue;  // a drop goes where it is dropped
      SCOPED_TRACE(::testing::Message() << "route " << route << ", typed " << typed << ", clipboard " << row.clipboard);
      Press(w.clearBtn());
      for (char c : typed.substr(0, typed.find('^'))) ASSERT_TRUE(testing::TypeInto(w, Qt::Key(c)));
      if (typed.find("^A") != std::string::npos) {
        ASSERT_TRUE(testing::TypeInto(w, Qt::Key_A, Qt::ControlModifier));
      }
      QApplication::clipboard()->setText(QString::fromUtf8(row.clipboard));
      const auto beeps = fw::BeepCount();
      QLineEdit* field = Count();
      bool pasted = true;
      switch (route) {
        case kCtrlV: pasted = testing::TypeInto(w, Qt::Key_V, Qt::ControlModifier); break;
        case kShiftInsert: pasted = testing::TypeInto(w, Qt::Key_Insert, Qt::ShiftModifier); break;
        case kEditMenu: pasted = testing::ChooseFromMenuBar(w, "EditPaste"); break;
        case kContextMenu: pasted = testing::ChooseFromContextMenu(field, QStringLiteral("Paste")); break;
        case kDrop: testing::Drop(field, QApplication::clipboard()->text()); break;
      }
      ASSERT_TRUE(pasted || !*row.clipboard);
      EXPECT_EQ(field->text().toStdString(), row.field);
      EXPECT_EQ(fw::BeepCount() - beeps, row.beeps);
    }
  }
}

// The keyboard and the count as the user meets them after a report: Tab and
// AltGr alone leave the focus in the count field without a sound (the report
// is no Tab stop), the count stands centred in its field, and Tab typed in
// the report is a tab.
TEST_F(MainWindow, TabAltGrAndTheCountAsTheUserMeetsThem) {
  RunOn(testing::WriteTempFile("example.txt", testing::WorkedExampleFile()));
  const auto beeps = fw::BeepCount();
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_AltGr, Qt::Key_Tab}) ASSERT_TRUE(testing::TypeInto(Window(), key));
  EXPECT_EQ(Window().Widget()->focusWidget(), Count());
  EXPECT_EQ(fw::BeepCount(), beeps);
  EXPECT_EQ(Count()->text(), QStringLiteral("8"));
  const QImage field = Count()->grab().toImage();
  int ink = 0, sum = 0;
  for (int x = 0; x < field.width(); ++x)
    for (int y = field.height() / 4; y < field.height() * 3 / 4; ++y)
      if (qGray(field.pixel(x, y)) < 96) ink += 1, sum += x;
  ASSERT_GT(ink, 0);
  EXPECT_NEAR(double(sum) / ink, field.width() / 2.0, 3) << "the count is centred";

  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_End, Qt::ControlModifier));
  ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_Tab));
  EXPECT_EQ(Window().Widget()->focusWidget(), Results());
  EXPECT_EQ(Window().ResultsFld().Text().back(), '\t');
}

TEST_F(MainWindow, ReturnAndSpaceStartNothing) {
  ModalAnswers answers;
  for (Qt::Key key : {Qt::Key_8, Qt::Key_Return, Qt::Key_Enter}) ASSERT_TRUE(testing::TypeInto(Window(), key));
  QTest::keyClick(Window().calcBtn().Button(), Qt::Key_Space);
  QTest::keyClick(Window().calcBtn().Button(), Qt::Key_Return);
  QTest::qWait(50);
  EXPECT_EQ(answers.Answered() + answers.Unexpected(), 0) << "no dialog opened";
  EXPECT_FALSE(Window().ResultsFld().Visible());
}

TEST_F(MainWindow, ClearEmptiesBothFieldsHidesTheAreaAndFocusesTheCount) {
  Press(Window().clearBtn());
  EXPECT_EQ(Count()->text(), QString());
  EXPECT_FALSE(Window().ResultsFld().Visible());

  // Every step changes something: a count, a visible area with text, the focus in it.
  QTest::keyClicks(Count(), QStringLiteral("8"));
  Window().ResultsFld().SetVisible(true);
  Window().ResultsFld().SetText("an earlier report\n");
  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(Window().Widget()->focusWidget(), Results());
  // The press alone clears: the release may happen elsewhere.
  QTest::mousePress(Window().clearBtn().Button(), Qt::LeftButton);
  EXPECT_EQ(Count()->text(), QString());
  EXPECT_EQ(Window().Widget()->focusWidget(), Count());
  EXPECT_EQ(Window().ResultsFld().Text(), "");
  EXPECT_FALSE(Window().ResultsFld().Visible());
  QTest::mouseRelease(Window().Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(MainWindow, RejectedCountsShowTheMessageAndChangeNothing) {
  for (bool shown : {false, true}) {
    for (QString count : {QString(), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}) {
      Window().ResultsFld().SetVisible(shown);
      Window().ResultsFld().SetText("an earlier report\n");
      // The focus starts elsewhere where there is somewhere else: it must come back.
      if (shown) QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
      // As under a real mouse: the release goes to the message box, and
      // none ever reaches the button.
      ModalAnswers answers;
      answers.ReleaseMouse().DismissMessage();
      Count()->clear();
      QTest::keyClicks(Count(), count);
      testing::PressThroughWindowSystem(Window().calcBtn().Button());
      EXPECT_TRUE(answers.AllUsed());
      EXPECT_EQ(answers.Unexpected(), 0);
      ASSERT_EQ(answers.Messages().size(), 1u) << count.toStdString();
      EXPECT_EQ(answers.Messages()[0], "Please enter the number of variables (3-99).");
      EXPECT_EQ(Window().Widget()->focusWidget(), Count());
      EXPECT_EQ(Count()->text(), count) << "the field keeps its text";
      EXPECT_EQ(Window().ResultsFld().Visible(), shown);
      EXPECT_EQ(Window().ResultsFld().Text(), "an earlier report\n");
      EXPECT_FALSE(Window().calcBtn().Button()->isDown()) << "the button is let up after the modal";
    }
  }
}

TEST_F(MainWindow, WorkedExampleRunsFromItsFile) {
  std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  // The area is shown before the report arrives, so the user sees it fill.
  ASSERT_FALSE(Window().ResultsFld().Visible());
  std::optional<bool> visibleAtFirstText;
  auto watch = QObject::connect(Results()->document(), &QTextDocument::contentsChange, Results(),
                                [&](int, int, int added) {
                                  if (added > 0 && !visibleAtFirstText)
                                    visibleAtFirstText = Window().ResultsFld().Visible();
                                });
  ModalAnswers answers;
  answers.ChooseFile(path);
  Begin(QStringLiteral("8"), answers);
  QObject::disconnect(watch);
  EXPECT_EQ(visibleAtFirstText, std::optional<bool>(true));
  EXPECT_TRUE(Window().ResultsFld().Visible());
  std::string text = Window().ResultsFld().Text();
  EXPECT_EQ(text.rfind("Date: ", 0), 0u);
  EXPECT_EQ(WithoutDateLine(text), "File: example.txt\n\n" + testing::kWorkedExampleReportBody);
}

TEST_F(MainWindow, RunsAppendReportsAndARejectedCountAppendsNothing) {
  std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  RunOn(path);
  std::string first = Window().ResultsFld().Text();
  {
    ModalAnswers answers;
    answers.DismissMessage();
    Begin(QStringLiteral("2"), answers);
  }
  EXPECT_EQ(Window().ResultsFld().Text(), first);
  RunOn(path);
  std::string both = Window().ResultsFld().Text();
  ASSERT_GT(both.size(), first.size());
  EXPECT_EQ(both.substr(0, first.size()), first);
  EXPECT_EQ(WithoutDateLine(both.substr(first.size())), WithoutDateLine(first));
}

TEST_F(MainWindow, CancelOrAVanishedFileAppendsNothing) {
  ModalAnswers answers;
  answers.CancelFile();
  Begin(QStringLiteral("8"), answers);
  EXPECT_FALSE(Window().ResultsFld().Visible());
  EXPECT_EQ(Window().ResultsFld().Text(), "");
}

TEST_F(MainWindow, UnreadableFileTellsTheUserAndKeepsTheReports) {
  for (bool shown : {false, true}) {
    Window().ResultsFld().SetVisible(shown);
    Window().ResultsFld().SetText("an earlier report\n");
    ModalAnswers answers;
    // Linux answers every read of this file with an I/O error, whoever reads it.
    answers.ChooseFile("/proc/self/mem").DismissMessage();
    Begin(QStringLiteral("8"), answers);
    ASSERT_EQ(answers.Messages().size(), 1u);
    // In the user's language, as the system words the error.
    EXPECT_EQ(answers.Messages()[0], std::string("The file \"mem\" could not be read: ") + std::strerror(EIO) + ".");
    EXPECT_EQ(Window().ResultsFld().Text(), "an earlier report\n");
    EXPECT_EQ(Window().ResultsFld().Visible(), shown) << "a failed run neither shows nor hides the area";
    EXPECT_FALSE(fw::QuitRequested());
  }
}

TEST_F(MainWindow, TheHeaderIsDatedWhenTheFileWasRead) {
  const QDateTime before(QDate(2026, 3, 5), QTime(9, 15));
  const QDateTime after(QDate(2027, 7, 16), QTime(14, 30));
  std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  ModalAnswers answers;
  answers.ChooseFile(path);
  // The clock moves on while the user is in the dialog.
  fw::Date::SetClock([&] { return (answers.Answered() > 0 ? after : before).toMSecsSinceEpoch(); });
  Begin(QStringLiteral("8"), answers);
  const QLocale locale = QLocale::system();
  const QString header = QStringLiteral("Date: ") + locale.toString(after.date(), QLocale::ShortFormat) +
                         QStringLiteral("  ") + locale.toString(after.time(), QLocale::ShortFormat) + u'\n';
  EXPECT_EQ(Window().ResultsFld().Text().substr(0, header.toUtf8().size()), header.toStdString());
}

TEST_F(MainWindow, TheNewReportIsScrolledIntoView) {
  std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  for (int run = 0; run < 2; ++run) RunOn(path);
  // The first report is 35 lines: the second begins on line 35 (from 0).
  QTextBlock top = Results()->cursorForPosition(QPoint(2, 2)).block();
  EXPECT_EQ(top.blockNumber(), 35);
  EXPECT_TRUE(top.text().startsWith(QStringLiteral("Date: "))) << top.text().toStdString();

  // A wide report scrolled to the end of a row: the next report is shown
  // from its first column, not as an empty stretch right of it.
  std::string wide;
  for (int i = 1; i <= 99; ++i) {
    wide.push_back('v');
    wide += std::to_string(i);
    for (int j = 1; j < i; ++j) wide += "\t0.011";
    wide += "\n";
  }
  {
    ModalAnswers answers;
    answers.ChooseFile(testing::WriteTempFile("wide.txt", wide));
    Begin(QStringLiteral("99"), answers);
  }
  QScrollBar* across = Results()->horizontalScrollBar();
  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  for (int line = 0; line < 60; ++line) QTest::keyClick(Results(), Qt::Key_Down);  // into row 57
  QTest::keyClick(Results(), Qt::Key_End);
  ASSERT_GT(across->value(), 0) << "the long row scrolled the view right";
  RunOn(path);
  EXPECT_EQ(across->value(), across->minimum());
  top = Results()->cursorForPosition(QPoint(2, 2)).block();
  EXPECT_TRUE(top.text().startsWith(QStringLiteral("Date: "))) << top.text().toStdString();
}

TEST_F(MainWindow, UndoNeverTakesAReportAway) {
  std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  for (int run = 0; run < 2; ++run) RunOn(path);
  const std::string reports = Window().ResultsFld().Text();
  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  ASSERT_EQ(Window().Widget()->focusWidget(), Results());
  auto undo = [this] { testing::ChooseFromMenuBar(Window(), "EditUndo"); };
  for (int i = 0; i < 3; ++i) QTest::keyClick(Results(), Qt::Key_Z, Qt::ControlModifier);
  undo();
  EXPECT_EQ(Window().ResultsFld().Text(), reports);

  // What the user types after the report can be undone, and only that.
  QTest::keyClick(Results(), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(Results(), QStringLiteral("my note"));
  EXPECT_EQ(Window().ResultsFld().Text(), reports + "my note");
  undo();
  EXPECT_EQ(Window().ResultsFld().Text(), reports);
  for (int i = 0; i < 3; ++i) QTest::keyClick(Results(), Qt::Key_Z, Qt::ControlModifier);
  undo();
  EXPECT_EQ(Window().ResultsFld().Text(), reports);

  // The undone note waits to be redone; after a report, Redo no longer reaches it.
  RunOn(path);
  const std::string three = Window().ResultsFld().Text();
  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::keyClick(Results(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(Results(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Window().ResultsFld().Text(), three);

  // Text typed before a report is part of what the report follows: no Undo reaches it.
  QTest::keyClick(Results(), Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(Results(), QStringLiteral("typed"));
  RunOn(path);
  const std::string four = Window().ResultsFld().Text();
  EXPECT_EQ(four.substr(0, three.size() + 5), three + "typed") << "appended, never re-set";
  QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::keyClick(Results(), Qt::Key_Z, Qt::ControlModifier);
  undo();
  EXPECT_EQ(Window().ResultsFld().Text(), four);

  // Clear leaves nothing to undo in either field.
  QTest::mousePress(Window().clearBtn().Button(), Qt::LeftButton);
  QTest::keyClick(Count(), Qt::Key_Z, Qt::ControlModifier);
  undo();
  EXPECT_EQ(Count()->text(), QString());
  EXPECT_EQ(Window().ResultsFld().Text(), "");
  EXPECT_FALSE(Results()->document()->isUndoAvailable());
}

TEST_F(MainWindow, AFileThatIsNoOrdinaryFileIsRefusedAtOnce) {
  std::string fifo = testing::WriteTempFile("pipe.txt", "");
  std::filesystem::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (std::string path : {fifo, std::string("/dev/zero")}) {
    // Hidden before: a refused file must not reveal the area.
    Window().ResultsFld().SetText("an earlier report\n");
    ModalAnswers answers;
    answers.ChooseFile(path).DismissMessage();
    Begin(QStringLiteral("8"), answers);
    ASSERT_EQ(answers.Messages().size(), 1u) << path;
    const std::string name = std::filesystem::path(path).filename().string();
    EXPECT_EQ(answers.Messages()[0], "The file \"" + name + "\" could not be opened: it is a " +
                                         (path == fifo ? "named pipe" : "device") + ", not an ordinary file.");
    EXPECT_EQ(Window().ResultsFld().Text(), "an earlier report\n");
    EXPECT_FALSE(Window().ResultsFld().Visible());
  }
  std::filesystem::remove(fifo);
}

// The open-file dialog opens where the user last was in it this session:
// in the folder of the file chosen last, typed as a path too, or in the one
// a cancelled dialog was left in. Nothing of it is kept for the next session.
TEST_F(MainWindow, FileDialogOpensInTheLastFolderVisited) {
  namespace fs = std::filesystem;
  const fs::path inA = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  const fs::path a = inA.parent_path(), b = a / "elsewhere";
  fs::create_directories(b);
  fs::copy_file(inA, b / "example.txt", fs::copy_options::overwrite_existing);
  std::vector<fs::path> openedIn;
  const auto look = [&](const char* moveTo) {
    return [&openedIn, moveTo](QFileDialog& dialog) {
      openedIn.push_back(dialog.directory().absolutePath().toStdString());
      if (moveTo) dialog.setDirectory(QString::fromUtf8(moveTo));
      return true;
    };
  };
  RunOn(inA.string());
  for (const auto& [moveTo, file] : {std::pair<const char*, fs::path>{nullptr, b / "example.txt"},
                                     {a.c_str(), fs::path()}, {nullptr, fs::path()}}) {
    ModalAnswers answers;
    answers.LookAtFileDialog(look(moveTo));
    if (file.empty()) answers.CancelFile();
    else answers.ChooseFile(file.string());
    Begin(QStringLiteral("8"), answers);
  }
  EXPECT_EQ(openedIn, (std::vector<fs::path>{a, b, a}));
  const fs::path config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
  EXPECT_FALSE(fs::exists(config / "QtProject.conf")) << config;
}

TEST_F(MainWindow, ClosingTheMainWindowQuits) {
  ASSERT_FALSE(fw::QuitRequested());
  Window().Widget()->close();
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::ExitCode(), 0);
}

TEST_F(MainWindow, MenuBarIsSharedAndRoutesByName) {
  ControlWnd& w = Window();
  EXPECT_EQ(w.FileQuit().Value(), "&Quit");
  EXPECT_EQ(w.AboutItem().Value(), "About Title");
  EXPECT_EQ(w.InfoMenu().Value(), "Window");
  QAction* quit = w.MenuAction("FileQuit");
  ASSERT_NE(quit, nullptr);
  EXPECT_EQ(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
  EXPECT_EQ(quit->text(), QStringLiteral("&Quit"));
  // Control has no handler here: disabled, and choosing it does nothing.
  w.Hide();
  EXPECT_TRUE(testing::ChooseFromMenuBar(w, "ControlItem"));
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(w.MenuAction("ControlItem")->isEnabled());
  EXPECT_TRUE(w.MenuAction("InfoItem")->isEnabled());
}

// A copy carries the selection, all of the report or one line of it, as
// plain text and, for a word processor, as rich text in the area's
// fixed-pitch font with every space and line end. No markdown is offered.
TEST_F(MainWindow, CopyPutsTheSelectionOnTheClipboardInEveryFlavour) {
  RunOn(testing::WriteTempFile("example.txt", testing::WorkedExampleFile()));
  const std::string report = Window().ResultsFld().Text();
  for (bool all : {false, true}) {
    SCOPED_TRACE(all ? "Select All, then Edit > Copy" : "one line by keys, then Ctrl+C");
    QApplication::clipboard()->setText(QStringLiteral("something else"));
    QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    if (all) {
      EXPECT_TRUE(testing::ChooseFromMenuBar(Window(), "EditSelectAll"));
      EXPECT_TRUE(testing::ChooseFromMenuBar(Window(), "EditCopy"));
    } else {
      for (int line = 0; line < 5; ++line) ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_Down));
      ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_Home));
      ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_Down, Qt::ShiftModifier));
      ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_C, Qt::ControlModifier));
    }
    const std::string expected = all ? report : " designs1    +0.016 \n";
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text().toStdString(), expected) << "the plain text, byte for byte";
    EXPECT_EQ(copied->formats(), QStringList({QStringLiteral("text/plain"), QStringLiteral("text/html")}));
    const QString html = copied->html();
    const QString family = QFontInfo(Results()->font()).family().section(QStringLiteral(" ["), 0, 0);
    EXPECT_TRUE(html.contains(QStringLiteral("font-family: '") + family + QStringLiteral("', monospace;")))
        << html.left(300).toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("font-size: 10pt"))) << html.left(300).toStdString();
    const qsizetype open = html.indexOf(QStringLiteral(">\n"), html.indexOf(QStringLiteral("<pre "))) + 2;
    const qsizetype close = html.lastIndexOf(QStringLiteral("</pre>"));
    ASSERT_TRUE(open > 1 && close > open) << html.left(300).toStdString();
    EXPECT_EQ(html.mid(open, close - open), copied->text().toHtmlEscaped());
    QTextDocument rendered;
    rendered.setHtml(html);
    EXPECT_EQ(rendered.toPlainText().toStdString() + "\n", expected) << "read back as HTML, every space and line";
  }
}

// A clipboard that counts how often its text is read.
class CountingMimeData : public QMimeData {
 public:
  mutable int reads = 0;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
    ++reads;
    return QMimeData::retrieveData(mimeType, type);
  }
};

// The Edit menu as the user opens it, item by item: each one enabled when it
// can act on the text control that has the focus, Paste only with text on the
// clipboard. Opening it only asks the clipboard whether it holds text: under
// X11 reading the text is a round trip to the program that owns it.
TEST_F(MainWindow, EditMenuEnablesWhatTheFocusedTextCanDo) {
  const std::string path = testing::WriteTempFile("example.txt", testing::WorkedExampleFile());
  const auto type = [](const fw::Window& w, std::initializer_list<Qt::Key> keys, Qt::KeyboardModifiers mods = {}) {
    for (Qt::Key key : keys) ASSERT_TRUE(testing::TypeInto(w, key, mods));
  };
  const auto report = [&]() -> fw::Window& {
    RunOn(path);
    QTest::mouseClick(Results()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    return Window();
  };
  const auto help = [&]() -> fw::Window& {
    QTest::mousePress(Window().helpBtn().Button(), Qt::LeftButton);
    return helpWnd::Implicit();
  };
  enum Clipboard { kText, kNothing, kPicture };
  struct Row {
    const char* state;
    std::function<fw::Window&()> reach;
    Clipboard clipboard;
    const char* enabled;  // Undo, cuT, Copy, Paste, Delete, select All
  };
  const Row rows[] = {
      {"count field, fresh", [&]() -> fw::Window& { return Window(); }, kText, "P"},
      {"count field, fresh", [&]() -> fw::Window& { return Window(); }, kNothing, ""},
      {"count field, 42 typed", [&]() -> fw::Window& { type(Window(), {Qt::Key_4, Qt::Key_2}); return Window(); }, kNothing, "UA"},
      {"count field, 42 selected", [&]() -> fw::Window& {
         type(Window(), {Qt::Key_4, Qt::Key_2});
         type(Window(), {Qt::Key_A}, Qt::ControlModifier);
         return Window();
       }, kPicture, "UTCDA"},
      {"count field, 42 selected", [&]() -> fw::Window& {
         type(Window(), {Qt::Key_4, Qt::Key_2});
         type(Window(), {Qt::Key_A}, Qt::ControlModifier);
         return Window();
       }, kText, "UTCPDA"},
      {"report", report, kText, "PA"},
      {"report, a line selected", [&]() -> fw::Window& { type(report(), {Qt::Key_Down}, Qt::ShiftModifier); return Window(); }, kNothing, "TCDA"},
      {"help text", help, kPicture, "A"},
      {"help text, edited", [&]() -> fw::Window& { fw::Window& w = help(); type(w, {Qt::Key_X}); return w; }, kText, "UPA"},
  };
  const std::pair<const char*, char> items[] = {{"EditUndo", 'U'}, {"EditCut", 'T'}, {"EditCopy", 'C'},
                                                 {"EditPaste", 'P'}, {"EditClear", 'D'}, {"EditSelectAll", 'A'}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.state << ", clipboard " << row.clipboard);
    testing::ResetApplication();
    fw::Window& w = row.reach();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Widget()));  // before the user can reach its menu
    auto* text = new CountingMimeData;
    text->setText(QStringLiteral("a large selection"));
    if (row.clipboard == kText) QApplication::clipboard()->setMimeData(text);
    else delete text;
    if (row.clipboard == kNothing) QApplication::clipboard()->clear();
    if (row.clipboard == kPicture) QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    QMenu* menu = testing::OpenMenuOf(w, "EditCopy");
    ASSERT_NE(menu, nullptr);
    std::string enabled;
    for (const auto& [name, letter] : items)
      if (w.MenuAction(name)->isEnabled()) enabled.push_back(letter);
    testing::CloseMenu(w, menu);
    EXPECT_EQ(enabled, row.enabled);
    if (row.clipboard == kText) {
      EXPECT_EQ(text->reads, 0) << "the clipboard's text was read";
    }
  }
}

TEST_F(MainWindow, FileQuitEndsTheApplication) {
  EXPECT_TRUE(testing::ChooseFromMenuBar(Window(), "FileQuit"));
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::ExitCode(), 0);
  // And by its shortcut.
  fw::ResetQuitRequest();
  ASSERT_TRUE(testing::TypeInto(Window(), Qt::Key_Q, Qt::ControlModifier));
  EXPECT_TRUE(fw::QuitRequested());
}

}  // namespace
}  // namespace lumetra
