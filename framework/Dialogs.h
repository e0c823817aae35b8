// Modal dialogs, the alert sound, dates and pictures.
#pragma once

// The window layer on Qt: only the targets that link it may include it.
#ifndef LUMETRA_WINDOW_LAYER
#error "framework/Dialogs.h belongs to the window layer on Qt; the analysis core and the base services use framework/base only"
#endif

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QImage;

namespace fw {

class FolderItem;

// A modal message box with one button; returns when the user dismisses it.
void MsgBox(std::string_view message);

// Sounds the system alert.
void Beep();
// How many alerts the process has sounded.
std::int64_t BeepCount();

// The platform's open-file dialog: no title, no filter. It opens in the
// folder last visited in it this session, the chosen file's folder counting
// as visited (the start folder until then; nothing is kept between sessions).
class OpenFileDialog {
 public:
  // The chosen file, or nullptr when the user cancels.
  std::unique_ptr<FolderItem> ShowModal();
};

// A moment: a new Date is the current local date and time, as the clock
// tells it.
class Date {
 public:
  // Milliseconds since 1970-01-01 UTC. The system's clock unless set; an
  // empty clock restores it.
  using Clock = std::function<std::int64_t()>;
  static void SetClock(Clock clock);

  Date();
  // In the system locale's short formats.
  std::string ShortDate() const;
  std::string ShortTime() const;

 private:
  std::int64_t m_msecsSinceEpoch;
};

// A picture, read from the resources compiled into the program, with its
// variant at twice the resolution when the resources have one. Its size is
// the picture's own, in logical pixels, whichever variant is drawn.
class Picture {
 public:
  explicit Picture(const QImage& image);
  // `highRes` is the same picture at twice the resolution; a null image, or
  // one of another size, counts as none.
  Picture(const QImage& image, const QImage& highRes);
  ~Picture();
  // The picture `fileName` of the program's resources, with "name@2x.ext"
  // beside it as its high-resolution variant; nullptr when there is none.
  static std::shared_ptr<Picture> OpenFromApp(std::string_view fileName);
  int Width() const;
  int Height() const;
  const QImage& Image() const { return *m_image; }
  bool HasHighRes() const { return m_highRes != nullptr; }
  // What to draw on a device of `devicePixelRatio`: above 1 the
  // high-resolution variant when there is one, else the picture itself.
  const QImage& ImageFor(double devicePixelRatio) const;

 private:
  std::unique_ptr<QImage> m_image;
  std::unique_ptr<QImage> m_highRes;
};

}  // namespace fw
