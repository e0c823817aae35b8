#include "framework/Dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMessageBox>

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

std::unique_ptr<FolderItem> OpenFileDialog::ShowModal() {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return nullptr;
  // The toolkit's dialog opens in the last folder visited in it this session;
  // a path typed whole visits none, so the chosen file's folder counts.
  dialog.setDirectory(QFileInfo(files.front()).absolutePath());
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
