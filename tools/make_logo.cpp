// Draws the program's logo, resources/Lbig.png: a 465 x 100 wordmark with
// a small histogram of residuals beside it, on a transparent ground. A scale
// draws the same picture at that many pixels per logical pixel, for screens
// scaled above 100 %.
//
//   g++ -std=c++20 -fPIC tools/make_logo.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make_logo
//   QT_QPA_PLATFORM=offscreen /tmp/make_logo resources/Lbig.png
//   QT_QPA_PLATFORM=offscreen /tmp/make_logo resources/Lbig@2x.png 2
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Lbig.png");
  const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
  if (scale < 1) return 2;
  QImage image(465 * scale, 100 * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // Drawn in logical pixels, so every scale shows the same picture.
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // A bell of bars: residuals piled up around zero.
  const QColor teal(0x1B, 0x7F, 0x86), navy(0x17, 0x2F, 0x5C);
  const int heights[] = {10, 18, 32, 54, 74, 54, 32, 18, 10};
  for (int i = 0; i < 9; ++i) {
    QRectF bar(18 + i * 11, 86 - heights[i], 8, heights[i]);
    p.fillRect(bar, i == 4 ? navy : teal);
  }
  p.fillRect(QRectF(14, 88, 104, 2), navy);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(64);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  p.setFont(font);
  p.setPen(navy);
  p.drawText(QRectF(132, 0, 333, 92), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lumetra"));
  p.end();
  return image.save(out) ? 0 : 1;
}
