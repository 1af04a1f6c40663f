#pragma once
// A photo in its own top-level, resizable window, sized to the picture and
// never larger than the screen's work area. Resizing the window reloads the
// photo at the new size so that it stays sharp; dragging only one side
// grows the other by as much.
//
// Callers: construct, set the title, load the picture (LoadFile with report
// on; on failure delete the window), set the file path and the picture's
// edits, ApplyEdits, then Create. The window deletes itself when closed.

#include <QWidget>
#include <string>

#include "ImageObject.h"
#include "MultimediaItem.h"

class CPhotoWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CPhotoWindow(QWidget* owner = nullptr);

  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& Title() const { return title_; }
  void SetFilePath(const std::string& path) { path_ = path; }
  fw::CImageObject& Picture() { return picture_; }
  const fw::CImageObject& Picture() const { return picture_; }

  // Titles the window (an empty title: the file's name), shows it fitted to
  // the picture and centred on the screen.
  bool Create();
  // Sizes the window around the picture, shrinking a picture larger than the
  // largest client size first.
  void FitToImage();

  // The largest client area: the work area less the window's frame.
  QSize LargestClientSize() const { return largest_; }
  bool IsFitted() const { return fitted_; }
  // How many times the picture was reloaded for a new window size.
  int Reloads() const { return reloads_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Reload(int width, int height);

  QSize largest_;
  bool fitted_ = false;
  bool firstSize_ = true;
  std::string title_;
  std::string path_;
  fw::CImageObject picture_;
  int reloads_ = 0;
};

// Shows the photo of item: in window when it is given and still shown
// (loaded again, fitted, restored, retitled and activated), else in a new
// window of owner titled title. A window owned by a modal dialog stays
// usable while the dialog runs and goes with it. The window that shows it;
// null when the file cannot be loaded into a new window (window itself
// when it cannot be loaded into that one).
CPhotoWindow* ShowItemPhoto(CPhotoWindow* window, const CMultimediaItem& item,
                            const std::string& title, QWidget* owner = nullptr);
