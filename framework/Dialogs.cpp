#include "framework/Dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "framework/base/Files.h"
#include "framework/QtBridge.h"

namespace fw {

namespace {
std::int64_t g_beeps = 0;
}

void MsgBox(std::string_view message) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QApplication::applicationName());
  box.setText(ToQt(message));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

void Beep() {
  ++g_beeps;
  QApplication::beep();
}

std::int64_t BeepCount() { return g_beeps; }

namespace {
// The folder of the file last chosen in this session; empty until one is.
QString& LastFolder() {
  static QString folder;
  return folder;
}

// The detail view's columns, as the file dialog's model numbers them.
enum Column { kName, kSize, kType, kDateModified };

// How wide a column must be to show each of `texts` whole: the text and the
// delegate's margin either side.
int WidthFor(const QTreeView& view, const QStringList& texts) {
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, view.fontMetrics().horizontalAdvance(text));
  return widest + 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
}

// Texts as wide as the Size, Type and Date Modified columns usually show, in
// the model's own formats, so the dialog opens wide enough before the folder
// is read.
QStringList Samples(Column column) {
  const QLocale locale = QLocale::system();
  QStringList texts;
  if (column == kSize) {
    for (int shift : {0, 10, 20, 30}) texts << locale.formattedDataSize(qint64(1023) << shift);
  } else if (column == kType) {
    texts << QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment();
  } else if (column == kDateModified) {
    for (int month = 1; month <= 12; ++month)
      texts << locale.toString(QDateTime(QDate(2028, month, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
  }
  return texts;
}

// Widens `column` to `width`; never narrows one the user widened.
void Widen(QHeaderView& header, int column, int width) {
  if (width > header.sectionSize(column)) header.resizeSection(column, width);
}

// Widens the dialog by `extra` as far as its screen's free area allows; once
// it is placed, about its centre and kept on that screen.
void Grow(QFileDialog& dialog, int extra) {
  if (extra <= 0) return;
  const QRect screen = dialog.screen()->availableGeometry();
  const int frame = dialog.frameGeometry().width() - dialog.width();
  const int before = dialog.width();
  dialog.resize(std::min(before + extra, screen.width() - frame), dialog.height());
  if (!dialog.isVisible()) return;
  QRect placed = dialog.frameGeometry().translated(-(dialog.width() - before) / 2, 0);
  if (placed.right() > screen.right()) placed.moveRight(screen.right());
  if (placed.left() < screen.left()) placed.moveLeft(screen.left());
  dialog.move(placed.topLeft());
}

// Widens the dialog until its detail view shows every column side by side,
// with room for a vertical scroll bar, so none is scrolled out of sight.
void FitToColumns(QFileDialog& dialog, const QTreeView& view) {
  const int scrollBar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
  Grow(dialog, view.header()->length() + 2 * view.frameWidth() + scrollBar - view.width());
}

// The view has its width only once the dialog is shown, and a size set
// then still comes before the window is mapped.
class FitOnShow : public QObject {
 public:
  FitOnShow(QFileDialog& dialog, const QTreeView& view) : QObject(&dialog), m_dialog(dialog), m_view(view) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &m_dialog && event->type() == QEvent::Show) FitToColumns(m_dialog, m_view);
    return false;
  }

 private:
  QFileDialog& m_dialog;
  const QTreeView& m_view;
};

// Qt sizes the detail view's columns for short sizes and dates ("244 bytes"
// and a date with seconds come out cut) and the dialog too narrow for them.
// Widen them from samples before it opens, then to what the folder really
// holds once it is read, and the dialog with them.
void FitColumns(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>();
  auto* model = dialog.findChild<QFileSystemModel*>();
  if (!view || !model) return;  // a native dialog sizes itself
  QHeaderView& header = *view->header();
  for (Column column : {kSize, kType, kDateModified}) Widen(header, column, WidthFor(*view, Samples(column)));
  dialog.installEventFilter(new FitOnShow(dialog, *view));
  QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&dialog, view] {
    QHeaderView& header = *view->header();
    for (int column : {kSize, kType, kDateModified}) {
      const int before = header.sectionSize(column);
      view->resizeColumnToContents(column);
      if (header.sectionSize(column) < before) header.resizeSection(column, before);
    }
    FitToColumns(dialog, *view);
  });
}
}  // namespace

std::unique_ptr<FolderItem> OpenFileDialog::ShowModal() {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir()) dialog.setDirectory(LastFolder());
  FitColumns(dialog);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return nullptr;
  LastFolder() = QFileInfo(files.front()).absolutePath();
  return std::make_unique<FolderItem>(FromQt(files.front()));
}

namespace {
Date::Clock& TheClock() {
  static Date::Clock clock;
  return clock;
}
}  // namespace

void Date::SetClock(Clock clock) { TheClock() = std::move(clock); }

Date::Date() : m_msecsSinceEpoch(TheClock() ? TheClock()() : QDateTime::currentMSecsSinceEpoch()) {}

std::string Date::ShortDate() const {
  return FromQt(QLocale::system().toString(QDateTime::fromMSecsSinceEpoch(m_msecsSinceEpoch).date(), QLocale::ShortFormat));
}

std::string Date::ShortTime() const {
  return FromQt(QLocale::system().toString(QDateTime::fromMSecsSinceEpoch(m_msecsSinceEpoch).time(), QLocale::ShortFormat));
}

Picture::Picture(const QImage& image) : m_image(std::make_unique<QImage>(image)) {}

Picture::Picture(const QImage& image, const QImage& highRes) : Picture(image) {
  if (!highRes.isNull() && highRes.size() == image.size() * 2) m_highRes = std::make_unique<QImage>(highRes);
}

Picture::~Picture() = default;

std::shared_ptr<Picture> Picture::OpenFromApp(std::string_view fileName) {
  const QString name = ToQt(fileName);
  QImage image(QStringLiteral(":/") + name);
  if (image.isNull()) return nullptr;
  // QImage and QPixmap do not look for the "@2x" file themselves (only QIcon does).
  qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) dot = name.size();
  const QImage highRes(QStringLiteral(":/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
  return std::make_shared<Picture>(image, highRes);
}

const QImage& Picture::ImageFor(double devicePixelRatio) const {
  return devicePixelRatio > 1 && m_highRes ? *m_highRes : *m_image;
}

int Picture::Width() const { return m_image->width(); }

int Picture::Height() const { return m_image->height(); }

}  // namespace fw
