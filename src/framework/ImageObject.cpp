#include "ImageObject.h"

#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QStorageInfo>
#include <QTransform>
#include <cstring>

#include "FileSystem.h"
#include "FileUtil.h"
#include "MultimediaItem.h"
#include "PhotoCd.h"
#include "Ports.h"
#include "QtPorts.h"
#include "ReportDevice.h"
#include "StringIds.h"
#include "StringTable.h"

namespace fw {

namespace {

// The code a reader gives for LZW data it cannot decode; Qt's readers
// decode it, so this stays for pictures from other loaders.
constexpr int kImageLzwRefused = -146;

struct ErrorText {
  int code;
  unsigned id;
};
// Searched in order; the first row of a code wins.
constexpr ErrorText kErrorTexts[] = {
    {-1, res::kIdsImageNoMemory},
    {-3, res::kIdsImageNoMemory},
    {-2, res::kIdsImageBadBitmapHandle},
    {-4, res::kIdsImageSeekError},
    {-5, res::kIdsImageWriteError},
    {-6, res::kIdsImageFileNotPresent},
    {-7, res::kIdsImageReadError},
    {-8, res::kIdsImageBadFileName},
    {-9, res::kIdsImageBadFileFormat},
    {-10, res::kIdsFileNotFound},
    {-11, res::kIdsImageBadSize},
    {-12, res::kIdsImageSubtypeUnsupported},
    {-13, res::kIdsImageBadParameter},
    {-14, res::kIdsImageCannotOpen},
    {-15, res::kIdsImageUnknownCompression},
    {-16, res::kIdsImageFormatUnavailable},
    {-17, res::kIdsImageVga256ColorsOnly},
    {-18, res::kIdsImagePrinterError},
    {-19, res::kIdsImageCrcError},
    {-21, res::kIdsImageBadQFactor},
    {-22, res::kIdsImageTargaNotInstalled},
    {-23, res::kIdsImageBadCompression},
    {-24, res::kIdsImageBadXOrigin},
    {-25, res::kIdsImageBadYOrigin},
    {-26, res::kIdsImageBadVideoMode},
    {-27, res::kIdsImageBadBitsPerPixel},
    {-28, res::kIdsImageBadWindowSize},
    {-29, res::kIdsImageEscapePressed},
    {-65, res::kIdsImageStampNotFound},
    {-70, res::kIdsImageBadGroup3Data},
    {-71, res::kIdsImageGroup3EndOfCode},
    {-72, res::kIdsImageGroup3EndOfCode},
    {-73, res::kIdsImagePrematureEndOfFile},
    {-74, res::kIdsImagePrematureEndOfLine},
    {-75, res::kIdsImagePrematureEndOfLine},
    {-76, res::kIdsImagePrematureEndOfLine},
    {-77, res::kIdsImagePrematureEndOfLine},
    {-78, res::kIdsImageBadVersion},
};

PictureHostPort gDefaultHost;
PictureHostPort* gHost = nullptr;

std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot);
}

// Replaces the first "%s" of text by value.
std::string InsertText(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

int BitsOf(QImage::Format format) {
  switch (format) {
    case QImage::Format_Invalid:
      return 0;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
      return 8;
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_RGBX8888:
      return 24;
    case QImage::Format_RGBX64:
      return 48;
    default:
      return QImage::toPixelFormat(format).bitsPerPixel();
  }
}

// Qt refuses pictures above 128 MB decoded by default; a camera's
// 8000 x 6000 photo needs 192 MB. The program's pictures may take 1 GB.
constexpr int kAllocationLimitMb = 1024;

void AllowLargePictures() {
  if (QImageReader::allocationLimit() < kAllocationLimitMb)
    QImageReader::setAllocationLimit(kAllocationLimitMb);
}

// The colour depth a file's header states, for the formats whose readers
// widen it (a 4-bit palette reads as 8 bits); 0 when not known here.
int HeaderBits(const std::string& path, const std::string& format) {
  QFile file(ToQPath(path));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray head = file.read(32);
  auto byte = [&head](int at) {
    return at < head.size() ? static_cast<unsigned char>(head[at]) : 0;
  };
  if (format == "png" && head.size() >= 26) {
    static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const int type = byte(25);
    return type < 7 ? byte(24) * kChannels[type] : 0;
  }
  if (format == "gif" && head.size() >= 11)  // the global colour table's size
    return (byte(10) & 0x80) ? (byte(10) & 7) + 1 : 8;
  if (format == "bmp" && head.size() >= 30) return byte(28) | (byte(29) << 8);
  return 0;
}

// The format a copy is written in: the source's when Qt can write it, else
// PNG (Qt writes no GIF and no Photo CD).
QByteArray WritableFormat(const std::string& format) {
  const QByteArray wanted = QByteArray::fromStdString(format);
  return QImageWriter::supportedImageFormats().contains(wanted) ? wanted : QByteArray("png");
}

}  // namespace

int PictureHostPort::DriveType(const std::string& path) { return ::GetPathDriveType(path); }

std::string PictureHostPort::DiscIdentifier(const std::string& path) {
  const QStorageInfo storage(ToQPath(path));
  return storage.isValid() ? FromQString(storage.name()) : std::string();
}

int PictureHostPort::FindMultimedia(const FindMultimediaRequest& request) {
  // Without the Find Multimedia Object dialog as host (tools, tests): its
  // text in a box.
  const unsigned buttons = request.offerRetry ? plat::kMbRetryCancel : plat::kMbOk;
  return plat::MessageBox(request.message, res::LoadString(res::kIdsFindMultimediaCaption),
                          buttons | plat::kMbIconExclamation);
}

PictureHostPort& PictureHost() { return gHost ? *gHost : gDefaultHost; }

PictureHostPort* SetPictureHostPort(PictureHostPort* port) {
  PictureHostPort* previous = gHost;
  gHost = port;
  return previous;
}

CImageObject::CImageObject() : resample(GetScaleType()) {}

CImageObject::~CImageObject() { Free(); }

void CImageObject::Free() { bitmap_ = QImage(); }

bool CImageObject::IsPhotoCdFile(const std::string& path, bool ignoreCase) {
  const std::string ext = Extension(path);
  if (!ignoreCase) return ext == ".pcd";
  return ext.size() == 4 && strcasecmp(ext.c_str(), ".pcd") == 0;
}

int CImageObject::ReaderErrorCode(int readerError) {
  switch (readerError) {
    case QImageReader::FileNotFoundError:
      return kImageNotFound;
    case QImageReader::DeviceError:
      return kImageReadError;
    case QImageReader::UnsupportedFormatError:
      return kImageBadFormat;
    case QImageReader::InvalidDataError:
      return kImageTruncated;
    default:
      return kImageUnknownError;
  }
}

int CImageObject::LoadPicture(const std::string& path) {
  AllowLargePictures();
  QImageReader reader(ToQPath(path));
  reader.setAutoTransform(false);  // stored crops refer to the picture as stored
  QImage image;
  if (!reader.read(&image)) {
    const int code = ReaderErrorCode(reader.error());
    // Qt names every file it cannot open "not found": one that is there
    // (a folder, a file without read access) could not be read.
    if (code == kImageNotFound && ::access(path.c_str(), F_OK) == 0) return kImageReadError;
    return code;
  }
  if (image.isNull()) return kImageEmpty;
  bitmap_ = std::move(image);
  return kImageOk;
}

bool CImageObject::LoadPhotoCd(const std::string& path, int resolution) {
  plat::CPhotoCdImage pack;
  if (!pack.Open(path)) return false;
  if (resolution < 0) resolution = plat::kPcdBase;
  plat::PhotoCdPicture picture;
  if (!pack.Read(resolution, picture)) return false;
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  if (image.isNull()) return false;
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(image.scanLine(y),
                picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3,
                static_cast<std::size_t>(picture.width) * 3);
  // The pack's orientation: quarter turns counter-clockwise to stand upright.
  if (pack.Orientation() != 0)
    image = image.transformed(QTransform().rotate(-90.0 * pack.Orientation()));
  bitmap_ = image.convertToFormat(QImage::Format_RGB32);
  return true;
}

int CImageObject::LoadFile(const std::string& path, const std::string& discId, int itemNumber,
                           const QSize* requestedSize, bool report) {
  const bool photoCd = IsPhotoCdFile(path, false);
  Free();
  PictureHostPort& host = PictureHost();
  // Messages show the path as text; the request carries its bytes.
  const std::string shown = plat::PathText(path);
  const std::string notFound = res::LoadString(res::kIdsCannotFind) + "\n\n" + shown;
  for (;;) {
    const int drive = host.DriveType(path);
    bool present = true;
    if (photoCd && drive == kPictureDriveCdRom && itemNumber != 0) {
      const std::string disc = host.DiscIdentifier(path);
      if (!disc.empty() && !discId.empty() && disc.substr(0, 12) != discId.substr(0, 12))
        present = false;
    }
    present = present && ::access(path.c_str(), F_OK) == 0;
    if (present) break;
    if (!report) return 0;
    FindMultimediaRequest request;
    request.path = path;
    request.itemNumber = itemNumber;
    if (itemNumber != 0 && (drive == kPictureDriveRemovable || drive == kPictureDriveCdRom)) {
      request.offerRetry = true;
      if (photoCd && drive == kPictureDriveCdRom) {
        request.message = notFound + InsertText(res::LoadString(res::kIdsInsertPhotoCd), discId);
      } else {
        request.message = notFound + res::LoadString(res::kIdsInsertRemovable);
        request.offerEntry = true;
        request.helpTopic = kHelpMultimedia;
      }
      if (host.FindMultimedia(request) == plat::kIdRetry) continue;
      return 0;
    }
    if (itemNumber != 0) {
      // A new location entered here takes effect on the next load.
      request.message = notFound + "\n\n" + res::LoadString(res::kIdsCheckPath);
      request.offerEntry = true;
      request.helpTopic = kHelpMultimedia;
      host.FindMultimedia(request);
      return 0;
    }
    plat::MessageBox(notFound, res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }

  if (photoCd) {
    int resolution = plat::kPcdBase;
    if (requestedSize) {
      plat::CPhotoCdImage pack;
      if (pack.Open(path))
        resolution = ChoosePhotoCDResolution(pack.ResolutionMask(), requestedSize->width(),
                                             requestedSize->height());
    }
    if (LoadPhotoCd(path, resolution)) return 1;
    if (report)
      plat::MessageBox(res::LoadString(res::kIdsCannotRead) + "\n\n" + shown,
                       res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }

  const int code = LoadPicture(path);
  if (code == kImageOk) return 1;
  if (!report) return 0;
  FindMultimediaRequest request;
  request.path = path;
  request.itemNumber = itemNumber;
  request.helpTopic = kHelpMultimedia;
  if (code == kImageLzwRefused) {
    request.message = shown + "\n\n" + res::LoadString(res::kIdsLzwNotSupported);
  } else {
    const std::string error = GetImageErrorText(code);
    request.message = res::LoadString(res::kIdsCannotRead);
    if (!error.empty()) request.message += "\n(" + error + ")";
    request.message += "\n\n" + shown + "\n\n" + res::LoadString(res::kIdsSeeHelp);
  }
  host.FindMultimedia(request);
  return 0;
}

int CImageObject::LoadFileQuiet(const std::string& path, std::string* errorText) {
  if (errorText) errorText->clear();
  Free();
  if (IsPhotoCdFile(path, true)) {
    if (LoadPhotoCd(path, plat::kPcdBase)) return 1;
    if (errorText)
      *errorText = res::LoadString(res::kIdsCannotRead) + "\n\n" + plat::PathText(path);
    return 0;
  }
  const int code = LoadPicture(path);
  if (code == kImageOk) return 1;
  if (errorText) {
    if (code == kImageLzwRefused) {
      *errorText = plat::PathText(path) + "\n\n" + res::LoadString(res::kIdsLzwNotSupported);
    } else {
      const std::string error = GetImageErrorText(code);
      *errorText = res::LoadString(res::kIdsCannotRead);
      if (!error.empty()) *errorText += " (" + error + ")";
      *errorText += "\n" + plat::PathText(path) + "\n\n" + res::LoadString(res::kIdsSeeHelp);
    }
  }
  return 0;
}

int CImageObject::Paint(QPainter& painter, const QRect& destination, const QRect* source) const {
  if (!IsLoaded() || !painter.isActive()) {
    std::string text = res::LoadString(res::kIdsCannotDisplay);
    const std::string error = GetImageErrorText(-2);
    if (!error.empty()) text += "\n(" + error + ")";
    plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  painter.drawImage(destination, bitmap_, source ? *source : bitmap_.rect());
  return 1;
}

int CImageObject::Draw(QPainter& painter, int x, int y, const QRect* source) const {
  return Paint(painter, QRect(x, y, Width(), Height()), source);
}

int CImageObject::Resize(int width, int height) {
  if (!IsLoaded() || width <= 0 || height <= 0) return 0;
  if (width == Width() && height == Height()) return 1;
  QImage scaled = bitmap_.scaled(width, height, Qt::IgnoreAspectRatio,
                                 resample ? Qt::SmoothTransformation : Qt::FastTransformation);
  if (scaled.isNull()) return 0;
  bitmap_ = std::move(scaled);
  return 1;
}

void CImageObject::FitToRect(QRect& rect, int mode) const {
  FitRectToAspect(rect, Width(), Height(), mode);
}

void CImageObject::ApplyCrop() {
  if (!IsLoaded()) return;
  if (cropLeft == 0 && cropTop == 0 && cropRight == 0 && cropBottom == 0) return;
  const int width = Width() - cropRight - cropLeft;
  if (width <= 0) return;
  // Rows are top-down, so the first row kept is the top margin.
  const int first = cropTop;
  const int edge = Height() - cropBottom;
  if (edge - first > 0) bitmap_ = bitmap_.copy(cropLeft, first, width, edge - first);
}

void CImageObject::ApplyEdits() {
  ApplyCrop();
  if (!IsLoaded()) return;
  switch (flip) {
    case kFlipTopToBottom:
      bitmap_ = bitmap_.mirrored(false, true);
      break;
    case kFlipLeftToRight:
      bitmap_ = bitmap_.mirrored(true, false);
      break;
    case kFlipBoth:
      bitmap_ = bitmap_.mirrored(true, false).mirrored(false, true);
      break;
    default:
      break;
  }
  if (rotation & 3) bitmap_ = bitmap_.transformed(QTransform().rotate(90.0 * (rotation & 3)));
}

void CImageObject::SetEdits(const CMultimediaItem& item) {
  cropTop = item.cropTop;
  cropBottom = item.cropBottom;
  cropLeft = item.cropLeft;
  cropRight = item.cropRight;
  rotation = item.GetRotation();
  flip = item.GetFlip();
}

int CImageObject::SaveEditedCopy(const CMultimediaItem& item, const std::string& target) {
  ImageFileInfo info;
  if (!GetFileInfo(item.GetFullPath(), info)) return 0;
  if (!IsLoaded()) return 0;
  SetEdits(item);
  ApplyEdits();
  QImage image = bitmap_;
  // The source's colour depth where the writer can keep it.
  if (info.bitsPerPixel <= 8 && image.format() != QImage::Format_Indexed8)
    image = image.convertToFormat(QImage::Format_Indexed8);
  QImageWriter writer(ToQPath(target), WritableFormat(info.format));
  return writer.write(image) ? 1 : 0;
}

void CImageObject::FitRectToAspect(Rect& r, int aw, int ah, int mode) {
  rpt::Rect fitted{r.left, r.top, r.right, r.bottom};
  rpt::FitRectToAspect(fitted, aw, ah, mode);
  r = {fitted.left, fitted.top, fitted.right, fitted.bottom};
}

void CImageObject::FitRectToAspect(QRect& r, int aw, int ah, int mode) {
  // QRect's right and bottom are inclusive; the program's are not.
  Rect rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  FitRectToAspect(rect, aw, ah, mode);
  r = QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int CImageObject::ChoosePhotoCDResolution(unsigned mask, int width, int height) {
  static constexpr int kThresholds[] = {160, 320, 640, 1280, 2560, 5120, 10240};
  for (int i = 0; i < 7; ++i)
    if (kThresholds[i] >= width + height && (mask & (1u << i))) return i;
  return -1;
}

std::string CImageObject::GetImageErrorText(int code) {
  for (const ErrorText& row : kErrorTexts)
    if (row.code == code) return res::LoadString(row.id);
  return res::FormatString(res::kIdsUnknownImageError, {std::to_string(code)});
}

bool CImageObject::GetFileInfo(const std::string& path, ImageFileInfo& info) {
  info = {};
  if (IsPhotoCdFile(path, true)) {
    plat::CPhotoCdImage pack;
    if (!pack.Open(path)) return false;
    const plat::PhotoCdBaseInfo base = plat::PhotoCdBase(plat::kPcdBase);
    const bool sideways = (pack.Orientation() & 1) != 0;
    info.format = "pcd";
    info.width = sideways ? base.height : base.width;
    info.height = sideways ? base.width : base.height;
    info.bitsPerPixel = 24;
    return true;
  }
  QImageReader reader(ToQPath(path));
  reader.setAutoTransform(false);
  if (!reader.canRead()) return false;
  info.format = reader.format().toStdString();
  QSize size = reader.size();
  QImage::Format format = reader.imageFormat();
  if (!size.isValid() || format == QImage::Format_Invalid) {
    // This reader tells only what it has decoded.
    QImage image;
    if (!reader.read(&image)) return false;
    size = image.size();
    format = image.format();
  }
  info.width = size.width();
  info.height = size.height();
  info.bitsPerPixel = HeaderBits(path, info.format);
  if (info.bitsPerPixel <= 0) info.bitsPerPixel = BitsOf(format);
  return true;
}

bool CImageObject::IsImageFile(const std::string& path) {
  ImageFileInfo info;
  return GetFileInfo(path, info);
}

int CImageObject::GetScaleType() { return plat::Profile().GetInt("Multimedia", "MMScaleType", 1); }

}  // namespace fw
