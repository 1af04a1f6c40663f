// The image object on small pictures the tests write: loading in every
// format, the edits in their order, resizing, fitting, saving an edited
// copy, the error texts and what a failed load reports.
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTest>
#include <functional>

#include "FakePorts.h"
#include "ImageObject.h"
#include "MultimediaItem.h"
#include "PhotoCdPack.h"
#include "TempDir.h"
#include "TestPictures.h"

using fw::CImageObject;

namespace {

// Records the requests of the loader and answers as the test says.
class FakePictureHost : public fw::PictureHostPort {
 public:
  int DriveType(const std::string&) override { return drive; }
  std::string DiscIdentifier(const std::string&) override { return disc; }
  int FindMultimedia(const fw::FindMultimediaRequest& request) override {
    requests.push_back(request);
    if (onRequest) onRequest();
    if (answers.empty()) return plat::kIdCancel;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  int drive = 3;  // fixed
  std::string disc;
  std::vector<int> answers;
  std::function<void()> onRequest;
  std::vector<fw::FindMultimediaRequest> requests;
};

class ScopedHost {
 public:
  explicit ScopedHost(fw::PictureHostPort* host) : previous_(fw::SetPictureHostPort(host)) {}
  ~ScopedHost() { fw::SetPictureHostPort(previous_); }

 private:
  fw::PictureHostPort* previous_;
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

const QList<QByteArray> kFormats = {"png", "jpeg", "bmp", "gif", "tiff"};

QByteArray Extension(const QByteArray& format) { return format == "jpeg" ? "jpg" : format; }

}  // namespace

class ImageObjectTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    box_.Clear();
    profile_ = std::make_unique<plat::FakeProfile>();
    profileScope_ = std::make_unique<plat::ScopedProfile>(profile_.get());
  }
  void cleanup() {
    profileScope_.reset();
    profile_.reset();
  }

  void editsInOrder_data();
  void editsInOrder();
  void jpegOrientationTagIsNotApplied();
  void lzwTiffLoads();
  void onePixelPicture();
  void resizeModes();
  void scaleTypeFromSettings();
  void saveEditedCopy();
  void fitRectToAspect_data();
  void fitRectToAspect();
  void photoCdResolutionChoice();
  void photoCdLoadsAtRequestedSize();
  void errorTexts();
  void readerErrorCodes();
  void quietLoadTexts();
  void fileInfo();
  void missingFileReports_data();
  void missingFileReports();
  void retryFindsTheFile();
  void wrongPhotoCdCountsAsMissing();
  void unreadableFileReport();
  void paintFailure();
  void defaultHostShowsAMessageBox();

 private:
  std::string Write(const QByteArray& format, const QImage& image = testpic::CornerPicture()) {
    const std::string path = dir_.File("pic." + Extension(format).toStdString());
    if (!testpic::Save(image, Q(path), format)) return {};
    return path;
  }

  TempDir dir_;
  plat::FakeMessageBox box_;
  plat::ScopedMessageBox boxScope_{&box_};
  std::unique_ptr<plat::FakeProfile> profile_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
};

void ImageObjectTest::editsInOrder_data() {
  QTest::addColumn<QByteArray>("format");
  QTest::addColumn<QList<int>>("crop");  // left, top, right, bottom
  QTest::addColumn<int>("rotation");
  QTest::addColumn<int>("flip");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QString>("corners");
  struct Row {
    const char* name;
    QList<int> crop;
    int rotation, flip;
    QSize size;
    const char* corners;
  };
  const Row rows[] = {
      {"as stored", {0, 0, 0, 0}, 0, 0, {8, 6}, "RGBY"},
      {"crop all round", {1, 1, 1, 1}, 0, 0, {6, 4}, "RGBY"},
      {"crop top", {0, 2, 0, 0}, 0, 0, {8, 4}, "ggBY"},
      {"crop bottom", {0, 0, 0, 2}, 0, 0, {8, 4}, "RGgg"},
      {"crop left", {6, 0, 0, 0}, 0, 0, {2, 6}, "GGYY"},
      {"crop right", {0, 0, 6, 0}, 0, 0, {2, 6}, "RRBB"},
      {"crop leaving no width", {5, 0, 3, 0}, 0, 0, {8, 6}, "RGBY"},
      {"crop beyond the width", {6, 0, 6, 0}, 0, 0, {8, 6}, "RGBY"},
      {"crop leaving no height", {0, 4, 0, 2}, 0, 0, {8, 6}, "RGBY"},
      {"flip", {0, 0, 0, 0}, 0, 1, {8, 6}, "BYRG"},
      {"reverse", {0, 0, 0, 0}, 0, 2, {8, 6}, "GRYB"},
      {"flip and reverse", {0, 0, 0, 0}, 0, 3, {8, 6}, "YBGR"},
      {"quarter turn", {0, 0, 0, 0}, 1, 0, {6, 8}, "BRYG"},
      {"half turn", {0, 0, 0, 0}, 2, 0, {8, 6}, "YBGR"},
      {"three quarters", {0, 0, 0, 0}, 3, 0, {6, 8}, "GYRB"},
      {"quarter turn after flip", {0, 0, 0, 0}, 1, 1, {6, 8}, "RBGY"},
      {"quarter turn after both", {0, 0, 0, 0}, 1, 3, {6, 8}, "GYRB"},
      {"crop before the turn", {6, 0, 0, 0}, 1, 0, {6, 2}, "YGYG"},
      {"crop, reverse, flip, turn", {0, 0, 6, 0}, 1, 3, {6, 2}, "RBRB"},
  };
  for (const QByteArray& format : kFormats)
    for (const Row& r : rows)
      QTest::newRow((format + " " + r.name).constData())
          << format << r.crop << r.rotation << r.flip << r.size << QString(r.corners);
}

void ImageObjectTest::editsInOrder() {
  QFETCH(QByteArray, format);
  QFETCH(QList<int>, crop);
  QFETCH(int, rotation);
  QFETCH(int, flip);
  QFETCH(QSize, size);
  QFETCH(QString, corners);
  const std::string path = Write(format);
  QVERIFY(!path.empty());
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", 0, nullptr, true), 1);
  QCOMPARE(QSize(image.Width(), image.Height()), QSize(8, 6));
  image.cropLeft = crop[0];
  image.cropTop = crop[1];
  image.cropRight = crop[2];
  image.cropBottom = crop[3];
  image.rotation = rotation;
  image.flip = flip;
  image.ApplyEdits();
  QCOMPARE(QSize(image.Width(), image.Height()), size);
  QCOMPARE(testpic::Corners(image.Bitmap()), corners);
  QVERIFY(box_.Calls().empty());
}

void ImageObjectTest::jpegOrientationTagIsNotApplied() {
  const std::string path = dir_.File("turned.jpg");
  QByteArray jpeg;
  {
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    QVERIFY(writer.write(testpic::CornerPicture()));
  }
  // A camera's Exif segment after the start marker: orientation 6, "turn a
  // quarter clockwise to show".
  const unsigned char exif[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0,    0,    'I', 'I',
                                42,   0,    8, 0,  0,   0,   1,   0,   0x12, 0x01, 3,   0,
                                1,    0,    0, 0,  6,   0,   0,   0,   0,    0,    0,   0};
  jpeg.insert(2, reinterpret_cast<const char*>(exif), sizeof exif);
  {
    QFile file(Q(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
  }
  // The file carries the tag: a reader that applies it turns the picture.
  QImageReader turning(Q(path));
  turning.setAutoTransform(true);
  QCOMPARE(turning.read().size(), QSize(6, 8));
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", 0, nullptr, true), 1);
  QCOMPARE(QSize(image.Width(), image.Height()), QSize(8, 6));
  QCOMPARE(testpic::Corners(image.Bitmap()), QString("RGBY"));
}

void ImageObjectTest::lzwTiffLoads() {
  const std::string path = dir_.File("lzw.tif");
  QImageWriter writer(Q(path), "tiff");
  writer.setCompression(1);  // LZW
  QVERIFY(writer.write(testpic::CornerPicture()));
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", 0, nullptr, true), 1);
  QCOMPARE(testpic::Corners(image.Bitmap()), QString("RGBY"));
  QVERIFY(box_.Calls().empty());
}

void ImageObjectTest::onePixelPicture() {
  QImage one(1, 1, QImage::Format_RGB32);
  one.fill(QColor(255, 0, 0));
  const std::string path = Write("png", one);
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", 0, nullptr, false), 1);
  image.rotation = 1;
  image.flip = 3;
  image.cropLeft = 1;  // leaves no width: uncut
  image.ApplyEdits();
  QCOMPARE(QSize(image.Width(), image.Height()), QSize(1, 1));
  QCOMPARE(image.Bitmap().pixelColor(0, 0), QColor(255, 0, 0));
  QCOMPARE(image.Resize(3, 2), 1);
  QCOMPARE(QSize(image.Width(), image.Height()), QSize(3, 2));
}

void ImageObjectTest::resizeModes() {
  // Black and white halves: a plain resize keeps only the two, a resampled
  // one blends them where they meet.
  QImage halves(2, 1, QImage::Format_RGB32);
  halves.setPixel(0, 0, qRgb(0, 0, 0));
  halves.setPixel(1, 0, qRgb(255, 255, 255));
  const std::string path = Write("png", halves);
  for (int resample : {0, 1}) {
    CImageObject image;
    image.resample = resample;
    QCOMPARE(image.LoadFile(path, "", 0, nullptr, false), 1);
    QCOMPARE(image.Resize(16, 3), 1);
    QCOMPARE(QSize(image.Width(), image.Height()), QSize(16, 3));
    bool blended = false;
    for (int x = 0; x < 16; ++x) {
      const int grey = qRed(image.Bitmap().pixel(x, 1));
      if (grey != 0 && grey != 255) blended = true;
    }
    QCOMPARE(blended, resample == 1);
  }
  CImageObject empty;
  QCOMPARE(empty.Resize(4, 4), 0);
}

void ImageObjectTest::scaleTypeFromSettings() {
  QCOMPARE(CImageObject::GetScaleType(), 1);
  QCOMPARE(CImageObject().resample, 1);
  profile_->SetInt("Multimedia", "MMScaleType", 0);
  QCOMPARE(CImageObject::GetScaleType(), 0);
  QCOMPARE(CImageObject().resample, 0);
}

void ImageObjectTest::saveEditedCopy() {
  for (const QByteArray& format : kFormats) {
    const std::string source = Write(format);
    CMultimediaItem item;
    item.fileName = source;
    item.kind = CMultimediaItem::kPhoto;
    item.cropRight = 6;  // keeps the left two columns: R R / B B
    item.flags = static_cast<std::uint16_t>((1 << CMultimediaItem::kRotationShift) |
                                            (3 << CMultimediaItem::kFlipShift));
    CImageObject image;
    QCOMPARE(image.LoadFile(item.GetFullPath(), "", 0, nullptr, false), 1);
    const std::string target = dir_.File("copy-" + format.toStdString());
    QCOMPARE(image.SaveEditedCopy(item, target), 1);
    const QImage copy = QImageReader(Q(target)).read();
    QVERIFY2(!copy.isNull(), format.constData());
    QCOMPARE(copy.size(), QSize(6, 2));
    QCOMPARE(testpic::Corners(copy), QString("RBRB"));
    // Qt writes no GIF: that copy is a PNG.
    QCOMPARE(QImageReader::imageFormat(Q(target)), format == "gif" ? QByteArray("png") : format);
  }
  // Without the source's file information there is nothing to save.
  CMultimediaItem missing;
  missing.fileName = dir_.File("gone.png");
  CImageObject image;
  QCOMPARE(image.LoadFile(Write("png"), "", 0, nullptr, false), 1);
  QCOMPARE(image.SaveEditedCopy(missing, dir_.File("never.png")), 0);
  QVERIFY(!QFile::exists(Q(dir_.File("never.png"))));
}

void ImageObjectTest::fitRectToAspect_data() {
  QTest::addColumn<QList<int>>("rect");
  QTest::addColumn<int>("aw");
  QTest::addColumn<int>("ah");
  QTest::addColumn<int>("mode");
  QTest::addColumn<QList<int>>("expected");
  // A 21 x 12 rectangle at negative coordinates: the centred placements
  // take halves of odd negative sums, which round toward minus infinity.
  const QList<int> r{-11, -8, 10, 4};
  const QList<QList<int>> wide = {
      {-9, -8, 7, 4},  {-11, -8, 5, 4}, {-6, -8, 10, 4}, {-9, -8, 7, 4},  {-9, -8, 7, 4},
      {-11, -8, 5, 4}, {-6, -8, 10, 4}, {-11, -8, 5, 4}, {-6, -8, 10, 4}, {-11, -8, 10, 4},
  };
  const QList<QList<int>> flat = {
      {-11, -6, 10, 1},  {-11, -6, 10, 1},  {-11, -6, 10, 1}, {-11, -8, 10, -1}, {-11, -3, 10, 4},
      {-11, -8, 10, -1}, {-11, -8, 10, -1}, {-11, -3, 10, 4}, {-11, -3, 10, 4},  {-11, -8, 10, 4},
  };
  for (int mode = 0; mode <= 9; ++mode) {
    QTest::newRow(qPrintable(QString("4:3 mode %1").arg(mode)))
        << r << 4 << 3 << mode << wide[mode];
    QTest::newRow(qPrintable(QString("3:1 mode %1").arg(mode)))
        << r << 3 << 1 << mode << flat[mode];
  }
  // A 0 x 0 picture counts as square.
  QTest::newRow("0x0 mode 0") << r << 0 << 0 << 0 << QList<int>{-7, -8, 5, 4};
  QTest::newRow("0x0 mode 2") << r << 0 << 0 << 2 << QList<int>{-2, -8, 10, 4};
  QTest::newRow("0x0 mode 5") << r << 0 << 0 << 5 << QList<int>{-11, -8, 1, 4};
  QTest::newRow("negative mode") << r << 4 << 3 << -1 << r;
}

void ImageObjectTest::fitRectToAspect() {
  QFETCH(QList<int>, rect);
  QFETCH(int, aw);
  QFETCH(int, ah);
  QFETCH(int, mode);
  QFETCH(QList<int>, expected);
  CImageObject::Rect r{rect[0], rect[1], rect[2], rect[3]};
  CImageObject::FitRectToAspect(r, aw, ah, mode);
  QCOMPARE((QList<int>{r.left, r.top, r.right, r.bottom}), expected);
  // The QRect form agrees.
  QRect q(QPoint(rect[0], rect[1]), QSize(rect[2] - rect[0], rect[3] - rect[1]));
  CImageObject::FitRectToAspect(q, aw, ah, mode);
  QCOMPARE((QList<int>{q.left(), q.top(), q.left() + q.width(), q.top() + q.height()}), expected);
}

void ImageObjectTest::photoCdResolutionChoice() {
  const struct {
    unsigned mask;
    int w, h, expected;
  } cases[] = {
      {0x7F, 0, 0, 0},     {0x7F, 100, 60, 0},  {0x7F, 100, 61, 1},   {0x7F, 400, 240, 2},
      {0x7F, 641, 0, 3},   {0x7F, 10240, 0, 6}, {0x7F, 10241, 0, -1}, {0b101, 100, 100, 2},
      {0b111, 700, 0, -1}, {0, 10, 10, -1},
  };
  for (const auto& c : cases)
    QVERIFY2(CImageObject::ChoosePhotoCDResolution(c.mask, c.w, c.h) == c.expected,
             qPrintable(QString("%1 %2 %3").arg(c.mask).arg(c.w).arg(c.h)));
}

void ImageObjectTest::photoCdLoadsAtRequestedSize() {
  const std::string path = dir_.File("img.pcd");
  testpcd::WritePack(path, plat::kPcdBaseCount);
  const struct {
    QSize requested;
    bool given;
    QSize expected;
  } cases[] = {
      {{100, 50}, true, {192, 128}},  {{200, 100}, true, {384, 256}},
      {{400, 200}, true, {768, 512}}, {{900, 600}, true, {768, 512}},  // higher resolutions: Base
      {{}, false, {768, 512}},
  };
  for (const auto& c : cases) {
    CImageObject image;
    QCOMPARE(image.LoadFile(path, "", 0, c.given ? &c.requested : nullptr, true), 1);
    QCOMPARE(QSize(image.Width(), image.Height()), c.expected);
    QCOMPARE(QColor(image.Bitmap().pixel(0, 0)), QColor(136, 136, 136));
    QCOMPARE(QColor(image.Bitmap().pixel(0, 1)), QColor(149, 149, 149));
    QCOMPARE(QColor(image.Bitmap().pixel(image.Width() - 1, 0)), QColor(227, 89, 136));
  }
  // A pack stored turned a quarter is shown upright; the quiet load reads
  // Base whatever the case of the extension.
  const std::string turned = dir_.File("TURNED.PCD");
  testpcd::WritePack(turned, plat::kPcdBaseCount, 1);
  CImageObject image;
  QCOMPARE(image.LoadFileQuiet(turned, nullptr), 1);
  QCOMPARE(QSize(image.Width(), image.Height()), QSize(512, 768));
  // The top-right quadrant of the stored picture turns to the top left.
  QCOMPARE(QColor(image.Bitmap().pixel(0, 0)), QColor(227, 89, 136));
  // LoadFile takes only ".pcd" exactly as a Photo CD: the other readers
  // do not know the pack.
  QCOMPARE(image.LoadFile(turned, "", 0, nullptr, false), 0);
}

void ImageObjectTest::errorTexts() {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {-1, "Not enough memory available!"},
      {-3, "Not enough memory available!"},
      {-2, "Invalid bitmap handle!"},
      {-7, "Error reading file."},
      {-9, "Invalid file format."},
      {-10, "File not found."},
      {-13, "Invalid parmameter."},
      {-29, "Escape key pressed."},
      {-71, "Group3 code end of code."},
      {-72, "Group3 code end of code."},
      {-73, "Premature end of file encountered"},
      {-74, "Premature end of line encountered"},
      {-77, "Premature end of line encountered"},
      {-78, "Bad version number"},
      {-20, "Unknown image error (-20)"},
      {-140, "Unknown image error (-140)"},
      {0, "Unknown image error (0)"},
  };
  for (const auto& c : cases) QCOMPARE(Q(CImageObject::GetImageErrorText(c.code)), QString(c.text));
}

void ImageObjectTest::readerErrorCodes() {
  const struct {
    QImageReader::ImageReaderError error;
    int code;
  } cases[] = {
      {QImageReader::FileNotFoundError, -10},     {QImageReader::DeviceError, -7},
      {QImageReader::UnsupportedFormatError, -9}, {QImageReader::InvalidDataError, -73},
      {QImageReader::UnknownError, -140},
  };
  for (const auto& c : cases) QCOMPARE(CImageObject::ReaderErrorCode(c.error), c.code);
  QCOMPARE(
      Q(CImageObject::GetImageErrorText(CImageObject::ReaderErrorCode(QImageReader::UnknownError))),
      QString("Unknown image error (-140)"));
}

void ImageObjectTest::quietLoadTexts() {
  const std::string garbage = dir_.File("garbage.png");
  {
    QFile f(Q(garbage));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is no picture at all, only words");
  }
  const std::string full = Write("png", testpic::CornerPicture(64, 48));
  QFile whole(Q(full));
  QVERIFY(whole.open(QIODevice::ReadOnly));
  const QByteArray bytes = whole.readAll();
  const std::string truncated = dir_.File("truncated.png");
  {
    QFile f(Q(truncated));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.left(bytes.size() / 2));
  }
  const std::string missing = dir_.File("missing.png");
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {missing, "File not found."},
      {garbage, "Invalid file format."},
      {truncated, "Premature end of file encountered"},
      {dir_.Path(), "Error reading file."},  // there, but no file to read
  };
  for (const auto& c : cases) {
    CImageObject image;
    std::string error = "stale";
    QCOMPARE(image.LoadFileQuiet(c.path, &error), 0);
    QCOMPARE(Q(error), QString("Cannot read image file: (%1)\n%2\n\nSee help for details on "
                               "supported formats.")
                           .arg(c.reason, Q(c.path)));
    QVERIFY(!image.IsLoaded());
  }
  QVERIFY(box_.Calls().empty());
  CImageObject image;
  std::string error = "stale";
  QCOMPARE(image.LoadFileQuiet(full, &error), 1);
  QVERIFY(error.empty());
  // A Photo CD pack that cannot be read.
  const std::string badPack = dir_.File("bad.pcd");
  {
    QFile f(Q(badPack));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("PCD");
  }
  QCOMPARE(image.LoadFileQuiet(badPack, &error), 0);
  QCOMPARE(Q(error), "Cannot read image file:\n\n" + Q(badPack));
}

void ImageObjectTest::fileInfo() {
  QImage indexed = testpic::CornerPicture().convertToFormat(QImage::Format_Indexed8);
  const std::string eight = dir_.File("eight.png");
  QVERIFY(indexed.save(Q(eight), "png"));
  const std::string mono = dir_.File("mono.png");
  QVERIFY(testpic::CornerPicture().convertToFormat(QImage::Format_Mono).save(Q(mono), "png"));
  const std::string pack = dir_.File("p.pcd");
  testpcd::WritePack(pack, plat::kPcdBaseCount);
  const struct {
    std::string path;
    const char* format;
    int width, height, bits;
  } cases[] = {
      {Write("png"), "png", 8, 6, 24}, {Write("jpeg"), "jpeg", 8, 6, 24},
      {Write("bmp"), "bmp", 8, 6, 24}, {Write("gif"), "gif", 8, 6, 3},  // a table of 8 colours
      {eight, "png", 8, 6, 8},         {mono, "png", 8, 6, 1},
      {pack, "pcd", 768, 512, 24},
  };
  for (const auto& c : cases) {
    fw::ImageFileInfo info;
    QVERIFY2(CImageObject::GetFileInfo(c.path, info), c.path.c_str());
    QCOMPARE(Q(info.format), QString(c.format));
    QCOMPARE(info.width, c.width);
    QCOMPARE(info.height, c.height);
    QCOMPARE(info.bitsPerPixel, c.bits);
    QVERIFY(CImageObject::IsImageFile(c.path));
  }
  const std::string words = dir_.File("words.txt");
  {
    QFile f(Q(words));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
  }
  fw::ImageFileInfo info;
  QVERIFY(!CImageObject::GetFileInfo(words, info));
  QVERIFY(!CImageObject::IsImageFile(dir_.File("nothing.png")));
  QVERIFY(!CImageObject::IsImageFile(dir_.Path()));
}

void ImageObjectTest::missingFileReports_data() {
  QTest::addColumn<int>("item");
  QTest::addColumn<int>("drive");
  QTest::addColumn<bool>("report");
  QTest::addColumn<QString>("boxText");      // "" no message box
  QTest::addColumn<QString>("requestTail");  // "" no request
  QTest::addColumn<bool>("retry");
  QTest::addColumn<bool>("entry");
  const QString removable =
      "\n\nInsert the correct removable source and click Retry.\nOr enter a new location below.";
  const QString fixed = "\n\nCheck path and file name or enter a new location below.";
  const QString box = "Cannot find image file:\n\n%1";
  QTest::newRow("no item, fixed") << 0 << 3 << true << box << "" << false << false;
  QTest::newRow("no item, removable") << 0 << 2 << true << box << "" << false << false;
  QTest::newRow("item, fixed") << 7 << 3 << true << "" << fixed << false << true;
  QTest::newRow("item, removable") << 7 << 2 << true << "" << removable << true << true;
  QTest::newRow("item, CD-ROM") << 7 << 5 << true << "" << removable << true << true;
  QTest::newRow("quiet, item, fixed") << 7 << 3 << false << ""
                                      << "" << false << false;
  QTest::newRow("quiet, item, removable") << 7 << 2 << false << ""
                                          << "" << false << false;
  QTest::newRow("quiet, no item") << 0 << 3 << false << ""
                                  << "" << false << false;
}

void ImageObjectTest::missingFileReports() {
  QFETCH(int, item);
  QFETCH(int, drive);
  QFETCH(bool, report);
  QFETCH(QString, boxText);
  QFETCH(QString, requestTail);
  QFETCH(bool, retry);
  QFETCH(bool, entry);
  FakePictureHost host;
  host.drive = drive;
  host.answers = {plat::kIdOk};  // even OK (a new location) answers 0
  ScopedHost scope(&host);
  const std::string path = dir_.File("away.jpg");
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", item, nullptr, report), 0);
  if (boxText.isEmpty()) {
    QVERIFY(box_.Calls().empty());
  } else {
    QCOMPARE(box_.Calls().size(), std::size_t{1});
    QCOMPARE(Q(box_.Calls()[0].text), boxText.arg(Q(path)));
  }
  if (requestTail.isEmpty()) {
    QVERIFY(host.requests.empty());
  } else {
    QCOMPARE(host.requests.size(), std::size_t{1});
    const fw::FindMultimediaRequest& r = host.requests[0];
    QCOMPARE(Q(r.message), "Cannot find image file:\n\n" + Q(path) + requestTail);
    QCOMPARE(r.offerRetry, retry);
    QCOMPARE(r.offerEntry, entry);
    QCOMPARE(r.helpTopic, 145);
    QCOMPARE(r.itemNumber, item);
  }
}

void ImageObjectTest::retryFindsTheFile() {
  FakePictureHost host;
  host.drive = 2;
  host.answers = {plat::kIdRetry, plat::kIdRetry};
  const std::string path = dir_.File("later.png");
  // The user inserts the disk before the second Retry.
  int asked = 0;
  host.onRequest = [&] {
    if (++asked == 2) testpic::Save(testpic::CornerPicture(), Q(path), "png");
  };
  ScopedHost scope(&host);
  CImageObject image;
  QCOMPARE(image.LoadFile(path, "", 9, nullptr, true), 1);
  QCOMPARE(host.requests.size(), std::size_t{2});
  QCOMPARE(image.Width(), 8);
  // Cancel ends the retries.
  host.requests.clear();
  host.answers = {plat::kIdCancel};
  host.onRequest = nullptr;
  QCOMPARE(image.LoadFile(dir_.File("never.png"), "", 9, nullptr, true), 0);
  QCOMPARE(host.requests.size(), std::size_t{1});
  QVERIFY(!image.IsLoaded());
}

void ImageObjectTest::wrongPhotoCdCountsAsMissing() {
  const std::string path = dir_.File("img0001.pcd");
  testpcd::WritePack(path, 1);
  FakePictureHost host;
  host.drive = 5;
  host.disc = "DISC-0001-ABCD";
  ScopedHost scope(&host);
  CImageObject image;
  // Another disc in the drive: the file counts as missing though it is there.
  QCOMPARE(image.LoadFile(path, "DISC-0002-ABCD", 4, nullptr, true), 0);
  QCOMPARE(host.requests.size(), std::size_t{1});
  QCOMPARE(Q(host.requests[0].message),
           "Cannot find image file:\n\n" + Q(path) +
               "\n\nInsert Photo CD #: DISC-0002-ABCD and click Retry.");
  QVERIFY(host.requests[0].offerRetry);
  QVERIFY(!host.requests[0].offerEntry);
  // Only the first 12 characters count.
  QCOMPARE(image.LoadFile(path, "DISC-0001-ABXX", 4, nullptr, true), 1);
  // Without an item number the disc is not asked.
  QCOMPARE(image.LoadFile(path, "OTHER", 0, nullptr, true), 1);
  QCOMPARE(host.requests.size(), std::size_t{1});
}

void ImageObjectTest::unreadableFileReport() {
  const std::string garbage = dir_.File("garbage.bmp");
  {
    QFile f(Q(garbage));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("BM but nothing else of a bitmap");
  }
  FakePictureHost host;
  ScopedHost scope(&host);
  CImageObject image;
  QCOMPARE(image.LoadFile(garbage, "", 0, nullptr, true), 0);
  QCOMPARE(host.requests.size(), std::size_t{1});
  const QString message = Q(host.requests[0].message);
  QVERIFY2(message.startsWith("Cannot read image file:\n("), qPrintable(message));
  QVERIFY(
      message.endsWith(")\n\n" + Q(garbage) + "\n\nSee help for details on supported formats."));
  QVERIFY(!host.requests[0].offerRetry);
  QVERIFY(!host.requests[0].offerEntry);
  QCOMPARE(host.requests[0].helpTopic, 145);
  QCOMPARE(image.LoadFile(garbage, "", 0, nullptr, false), 0);
  QCOMPARE(host.requests.size(), std::size_t{1});
}

void ImageObjectTest::paintFailure() {
  QImage canvas(20, 20, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter p(&canvas);
  CImageObject image;
  QCOMPARE(image.DrawAt(p, 0, 0), 0);
  QCOMPARE(box_.Calls().size(), std::size_t{1});
  QCOMPARE(Q(box_.Calls()[0].text),
           QString("Cannot display image file.\n(Invalid bitmap handle!)"));
  QCOMPARE(image.LoadFile(Write("png"), "", 0, nullptr, false), 1);
  QCOMPARE(image.DrawAt(p, 3, 4), 1);
  p.end();
  QCOMPARE(testpic::Classify(canvas.pixel(3, 4)), 'R');
  QCOMPARE(testpic::Classify(canvas.pixel(10, 9)), 'Y');
  QCOMPARE(canvas.pixel(11, 10), qRgb(255, 255, 255));
  QCOMPARE(box_.Calls().size(), std::size_t{1});
}

void ImageObjectTest::defaultHostShowsAMessageBox() {
  fw::PictureHostPort host;
  fw::FindMultimediaRequest request;
  request.message = "Cannot find image file:\n\n/x.png";
  request.offerRetry = true;
  box_.QueueAnswer(plat::kIdRetry);
  QCOMPARE(host.FindMultimedia(request), int(plat::kIdRetry));
  request.offerRetry = false;
  QCOMPARE(host.FindMultimedia(request), int(plat::kIdOk));
  QCOMPARE(box_.Calls().size(), std::size_t{2});
  QCOMPARE(Q(box_.Calls()[0].text), Q(request.message));
  QCOMPARE(Q(box_.Calls()[0].caption), QString("Find Multimedia Object"));
  QCOMPARE(box_.Calls()[0].flags & plat::kMbButtonMask, unsigned(plat::kMbRetryCancel));
  QCOMPARE(box_.Calls()[1].flags & plat::kMbButtonMask, unsigned(plat::kMbOk));
}

QTEST_MAIN(ImageObjectTest)
#include "imageobject_qtest.moc"
