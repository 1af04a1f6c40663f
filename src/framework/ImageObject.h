#pragma once
// The one in-memory picture of the program. Every screen, window and report
// that shows a photo loads a picture file into a CImageObject, applies the
// photo's stored edits (crop margins, flip, quarter turns), scales it to its
// target rectangle once and then paints it at its own size.
//
// Pictures are decoded by Qt's image readers (every format with a plug-in)
// and Photo CD packs by our own reader of their base resolutions. Rows are
// kept top-down. A JPEG's camera orientation tag is not applied, so that
// stored crop margins keep their meaning.

#include <QImage>
#include <QRect>
#include <string>

class CMultimediaItem;
class QPainter;

namespace fw {

// Error codes of loading and saving, as the messages number them.
enum ImageError : int {
  kImageOk = 1,
  kImageNoMemory = -1,
  kImageWriteError = -5,
  kImageReadError = -7,
  kImageBadFormat = -9,
  kImageNotFound = -10,
  kImageEmpty = -11,
  kImageTruncated = -73,
  kImageUnknownError = -140,
};

// Drive types of a picture's path (as plat::DriveType numbers them).
inline constexpr int kPictureDriveRemovable = 2;
inline constexpr int kPictureDriveCdRom = 5;

// What a loader reports about a missing or unreadable picture of a
// multimedia item: the message, the buttons to offer and the help topic.
struct FindMultimediaRequest {
  std::string message;
  std::string path;    // the file that was looked for
  int itemNumber = 0;  // the multimedia item's record number
  bool offerRetry = false;
  bool offerEntry = false;  // a new-location entry with Browse
  int helpTopic = 0;        // 0 = no Help button
};

// The loader's view of the machine and of the user: the drive a path lies
// on, a Photo CD's disc identifier and the dialog that reports a missing
// file. The default shows the request's message in a message box; tests
// install a recording fake.
class PictureHostPort {
 public:
  virtual ~PictureHostPort() = default;
  virtual int DriveType(const std::string& path);
  // The identifier of the disc that holds path; "" when none.
  virtual std::string DiscIdentifier(const std::string& path);
  // Shows the request; answers plat::kIdRetry, kIdOk or kIdCancel.
  virtual int FindMultimedia(const FindMultimediaRequest& request);
};

PictureHostPort& PictureHost();
// Installs a host (nullptr restores the default); returns the previous one.
PictureHostPort* SetPictureHostPort(PictureHostPort* port);

// What a picture file's header tells.
struct ImageFileInfo {
  std::string format;  // reader's format name: "png", "jpeg", "pcd" ...
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

class CImageObject {
 public:
  // Flip modes.
  static constexpr int kFlipNone = 0;
  static constexpr int kFlipTopToBottom = 1;
  static constexpr int kFlipLeftToRight = 2;
  static constexpr int kFlipBoth = 3;

  // Help topic of the multimedia dialogs.
  static constexpr int kHelpMultimedia = 145;

  CImageObject();
  virtual ~CImageObject();
  CImageObject(const CImageObject&) = delete;
  CImageObject& operator=(const CImageObject&) = delete;

  void Free();
  bool IsLoaded() const { return !bitmap_.isNull(); }
  int Width() const { return bitmap_.width(); }
  int Height() const { return bitmap_.height(); }
  const QImage& Bitmap() const { return bitmap_; }

  // Frees the held picture and loads path. discId: the expected Photo CD
  // disc identifier ("" none); itemNumber: the multimedia item's record
  // number (0 none); requestedSize: width and height the caller will show
  // (Photo CD resolution), or null; report: whether failures are shown.
  // 1 loaded, 0 not.
  int LoadFile(const std::string& path, const std::string& discId, int itemNumber,
               const QSize* requestedSize, bool report);
  // Loads without any dialog; on failure the reason goes to errorText.
  int LoadFileQuiet(const std::string& path, std::string* errorText);

  // Draws the picture at its own size with its top-left corner at (x, y);
  // source (null: whole picture) picks a part.
  int Draw(QPainter& painter, int x, int y, const QRect* source = nullptr) const;
  int DrawAt(QPainter& painter, int x, int y) const { return Draw(painter, x, y); }
  // Draws the picture (or the source part) into destination; a failure shows
  // its message box and answers 0.
  int Paint(QPainter& painter, const QRect& destination, const QRect* source = nullptr) const;

  // Scales to width x height: smooth when resampling, else plain.
  int Resize(int width, int height);
  // Fits rect to the picture's aspect (see FitRectToAspect).
  void FitToRect(QRect& rect, int mode) const;
  void ApplyCrop();
  // Crop, then flip, then quarter turns (clockwise).
  void ApplyEdits();
  // Copies crop, rotation and flip from item.
  void SetEdits(const CMultimediaItem& item);
  // Edits as the item holds them applied to the loaded picture, saved to
  // target in the format of the item's file.
  int SaveEditedCopy(const CMultimediaItem& item, const std::string& target);

  // The edit fields, filled by callers from a multimedia item.
  int resample;
  int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
  int rotation = 0;  // quarter turns, 0-3
  int flip = kFlipNone;

  // Left, top, right, bottom of a rectangle in the program's sense (right
  // and bottom exclusive).
  struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
  };
  // Shrinks r to the largest rectangle of aspect aw:ah (0 counts as 1) and
  // places it by mode: 0 centred, 1 left edge, 2 right edge, 3 top edge, 4
  // bottom edge (each centred the other way), 5 top-left, 6 top-right, 7
  // bottom-left, 8 bottom-right corner kept; a mode above 8 leaves r as it
  // is. Halves round toward minus infinity.
  static void FitRectToAspect(Rect& r, int aw, int ah, int mode);
  static void FitRectToAspect(QRect& r, int aw, int ah, int mode);
  // The Photo CD resolution (0-6) for a requested size out of the mask of
  // stored resolutions: the first whose threshold reaches width + height;
  // -1 when none does.
  static int ChoosePhotoCDResolution(unsigned mask, int width, int height);
  static std::string GetImageErrorText(int code);
  // Reads a picture file's header; false when it is no picture.
  static bool GetFileInfo(const std::string& path, ImageFileInfo& info);
  static bool IsImageFile(const std::string& path);
  // "Multimedia"/"MMScaleType": 1 smooth resizing, 0 fast.
  static int GetScaleType();
  // The loader's error code for an error of Qt's image reader.
  static int ReaderErrorCode(int readerError);

 private:
  // 1, or an error code.
  int LoadPicture(const std::string& path);
  bool LoadPhotoCd(const std::string& path, int resolution);
  static bool IsPhotoCdFile(const std::string& path, bool ignoreCase);

  QImage bitmap_;
};

}  // namespace fw
