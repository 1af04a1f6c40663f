#pragma once
// Small pictures that tests write themselves: an 8 x 6 picture with a 2 x 2
// block of its own colour in each corner (red top-left, green top-right,
// blue bottom-left, yellow bottom-right) on grey, saved in a format of Qt's
// writers or, for GIF (which Qt does not write), by the encoder below.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <vector>

namespace testpic {

inline constexpr int kWidth = 8;
inline constexpr int kHeight = 6;

// Colour letters: R G B Y for the corners, g for the grey between.
inline const std::vector<std::pair<char, QColor>>& Palette() {
  static const std::vector<std::pair<char, QColor>> colours = {
      {'R', QColor(255, 0, 0)},   {'G', QColor(0, 255, 0)},     {'B', QColor(0, 0, 255)},
      {'Y', QColor(255, 255, 0)}, {'g', QColor(128, 128, 128)},
  };
  return colours;
}

inline char Letter(int x, int y, int w = kWidth, int h = kHeight) {
  const bool left = x < 2, right = x >= w - 2, top = y < 2, bottom = y >= h - 2;
  if (left && top) return 'R';
  if (right && top) return 'G';
  if (left && bottom) return 'B';
  if (right && bottom) return 'Y';
  return 'g';
}

inline QColor ColourOf(char letter) {
  for (const auto& [l, c] : Palette())
    if (l == letter) return c;
  return {};
}

// The nearest palette letter of a pixel (JPEG shifts colours a little).
inline char Classify(QRgb pixel) {
  char best = '?';
  int bestDistance = 1 << 30;
  for (const auto& [l, c] : Palette()) {
    const int dr = qRed(pixel) - c.red(), dg = qGreen(pixel) - c.green(),
              db = qBlue(pixel) - c.blue();
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = l;
  }
  return best;
}

// The corner letters top-left, top-right, bottom-left, bottom-right.
inline QString Corners(const QImage& image) {
  if (image.isNull()) return {};
  const int r = image.width() - 1, b = image.height() - 1;
  const char corners[] = {Classify(image.pixel(0, 0)), Classify(image.pixel(r, 0)),
                          Classify(image.pixel(0, b)), Classify(image.pixel(r, b)), 0};
  return QString::fromLatin1(corners);
}

inline QImage CornerPicture(int w = kWidth, int h = kHeight) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, ColourOf(Letter(x, y, w, h)).rgb());
  return image;
}

// A picture of four coloured quadrants (R G over B Y), for screenshots.
inline QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, ColourOf("RGBY"[(2 * x / w) + 2 * (2 * y / h)]).rgb());
  return image;
}

// A GIF of the picture: a global table of the five colours and LZW data
// that restarts its table every four pixels, so the codes stay four bits.
inline bool WriteGif(const QImage& image, const QString& path) {
  const auto& palette = Palette();
  std::vector<unsigned char> out;
  auto put16 = [&out](int v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
  };
  for (char c : QByteArrayLiteral("GIF89a")) out.push_back(static_cast<unsigned char>(c));
  put16(image.width());
  put16(image.height());
  out.push_back(0xA2);  // global table of 8 entries
  out.push_back(0);
  out.push_back(0);
  for (int i = 0; i < 8; ++i) {
    const QColor c = i < static_cast<int>(palette.size()) ? palette[i].second : QColor(0, 0, 0);
    out.push_back(static_cast<unsigned char>(c.red()));
    out.push_back(static_cast<unsigned char>(c.green()));
    out.push_back(static_cast<unsigned char>(c.blue()));
  }
  out.push_back(0x2C);
  put16(0);
  put16(0);
  put16(image.width());
  put16(image.height());
  out.push_back(0);
  out.push_back(3);  // minimum code size: clear 8, end 9
  std::vector<unsigned char> data;
  unsigned bits = 0;
  int count = 0;
  auto code = [&](unsigned c) {
    bits |= c << count;
    count += 4;
    while (count >= 8) {
      data.push_back(static_cast<unsigned char>(bits & 0xFF));
      bits >>= 8;
      count -= 8;
    }
  };
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (n++ % 4 == 0) code(8);
      const char letter = Classify(image.pixel(x, y));
      unsigned index = 0;
      for (std::size_t i = 0; i < palette.size(); ++i)
        if (palette[i].first == letter) index = static_cast<unsigned>(i);
      code(index);
    }
  code(9);
  if (count > 0) data.push_back(static_cast<unsigned char>(bits & 0xFF));
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t len = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<unsigned char>(len));
    out.insert(out.end(), data.begin() + static_cast<long>(at),
               data.begin() + static_cast<long>(at + len));
  }
  out.push_back(0);
  out.push_back(0x3B);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) ==
         static_cast<qint64>(out.size());
}

// Saves image as format ("png", "jpeg", "bmp", "gif", "tiff").
inline bool Save(const QImage& image, const QString& path, const QByteArray& format) {
  if (format == "gif") return WriteGif(image, path);
  QImageWriter writer(path, format);
  if (format == "jpeg") writer.setQuality(100);
  return writer.write(image);
}

}  // namespace testpic
