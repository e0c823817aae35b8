#include "framework/Dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
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

Picture::~Picture() = default;

std::shared_ptr<Picture> Picture::OpenFromApp(std::string_view fileName) {
  QImage image(QStringLiteral(":/") + ToQt(fileName));
  if (image.isNull()) return nullptr;
  return std::make_shared<Picture>(image);
}

int Picture::Width() const { return m_image->width(); }

int Picture::Height() const { return m_image->height(); }

}  // namespace fw
