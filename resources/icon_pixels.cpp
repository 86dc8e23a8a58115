// SPDX-License-Identifier: MIT
// A build step: decodes the window icon's PNGs and writes them out as a C++ source of
// premultiplied ARGB32 pixels, the form Qt draws from, so the program decodes no image to set its
// icon.
//   icon_pixels OUTPUT.cpp IMAGE.png...
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: icon_pixels OUTPUT.cpp IMAGE.png...\n");
    return 2;
  }
  QString text = QStringLiteral(
      "// Written by icon_pixels from the window icon's PNGs when the program is built.\n"
      "#include \"resources/window_icon.h\"\n\n"
      "namespace mq::resources {\nnamespace {\n\n");
  QString images;
  for (int i = 2; i < argc; ++i) {
    const QImage image = QImage(QString::fromLocal8Bit(argv[i]))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || image.width() != image.height()) {
      std::fprintf(stderr, "icon_pixels: %s is not a square image\n", argv[i]);
      return 1;
    }
    const QString name = QStringLiteral("kPixels%1").arg(i - 2);
    text += QStringLiteral("constexpr std::uint32_t %1[] = {").arg(name);
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      text += QLatin1Char('\n');
      for (int x = 0; x < image.width(); ++x) {
        text += QStringLiteral("0x%1,").arg(line[x], 8, 16, QLatin1Char('0'));
      }
    }
    text += QStringLiteral("\n};\n\n");
    images += QStringLiteral("{%1, %2}, ").arg(image.width()).arg(name);
  }
  text += QStringLiteral(
              "constexpr IconImage kImages[] = {%1};\n\n}  // namespace\n\n"
              "std::span<const IconImage> WindowIconImages() {\n  return kImages;\n}\n\n"
              "}  // namespace mq::resources\n")
              .arg(images);
  QFile output(QString::fromLocal8Bit(argv[1]));
  if (!output.open(QIODevice::WriteOnly) || output.write(text.toUtf8()) < 0) {
    std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
