// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Renders the program's SVG icon into the bitmaps a desktop wants: PNG at
// each size given, into <folder>/<size>x<size>/rlc-parallelo.png, and a
// Windows icon of 256 pixels, which Windows scales down.
//   render_icons icon.svg out-folder out.ico 16 22 24 32 48 64 128 256
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QImage Render(QSvgRenderer& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 5) {
    std::fputs("usage: render_icons icon.svg folder icon.ico size...\n", stderr);
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) return 1;
  const QDir folder(QString::fromLocal8Bit(argv[2]));
  for (int i = 4; i < argc; ++i) {
    const int size = QByteArray(argv[i]).toInt();
    const QString name = QStringLiteral("%1x%1").arg(size);
    if (!folder.mkpath(name) ||
        !Render(svg, size).save(folder.filePath(name + "/rlc-parallelo.png")))
      return 1;
  }
  return Render(svg, 256).save(QString::fromLocal8Bit(argv[3]), "ICO") ? 0 : 1;
}
