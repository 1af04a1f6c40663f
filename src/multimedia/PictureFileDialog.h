#pragma once
// The open-file dialog for photos: beside the file list a "Photo
// Information" panel shows the selected picture's width, height and colour
// depth and, while Preview is checked, a small preview of it. The
// select-button file dialog is a plain open-file dialog with an OK button
// text of the caller's choice.

#include <QFileDialog>
#include <QFrame>
#include <string>

#include "ImageObject.h"
#include "TemplateFileDialog.h"

class QCheckBox;
class QLabel;

// "%1 bits per pixel (%2 colors)" of a colour depth: "16 million" for 24
// bits, else 2 to the power of the bits.
std::string PictureColorText(int bitsPerPixel);

// The preview of the picture file dialog: a sunken frame that shows the
// previewed picture fitted into it while enabled.
class CPicturePreview : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kIdc = 1210;

  explicit CPicturePreview(QWidget* parent = nullptr);

  // The previewed path; a new one is loaded when the preview is enabled.
  // The same path (case ignored) again does nothing.
  void SetPath(const std::string& path);
  void Clear();
  void SetEnabledPreview(bool enabled);
  const std::string& Path() const { return path_; }
  const fw::CImageObject& Picture() const { return picture_; }
  const QRect& PictureRect() const { return pictureRect_; }
  // How many times a picture was loaded (each load reads the file).
  int Loads() const { return loads_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Load();

  std::string path_;
  fw::CImageObject picture_;
  QRect pictureRect_;
  bool enabled_ = false;
  int loads_ = 0;
};

class CPictureFileDialog : public CTemplateFileDialog {
  Q_OBJECT

 public:
  static constexpr int kPanelTemplate = 388;
  static constexpr int kIdcUnavailable = 1382;
  static constexpr int kIdcWidthLabel = 1369;
  static constexpr int kIdcWidth = 1371;
  static constexpr int kIdcHeightLabel = 1373;
  static constexpr int kIdcHeight = 1374;
  static constexpr int kIdcColors = 1376;
  static constexpr int kIdcPreviewCheck = 1309;
  // Panel states.
  static constexpr int kStateShown = 0;

  CPictureFileDialog(const std::string& defaultExt, const std::string& fileName, unsigned flags,
                     const std::string& filter, QWidget* parent);
  // Writes the Preview check box's state to "Multimedia"/"MMPhOpenPrev".
  ~CPictureFileDialog() override;

  int DoModal();
  std::string GetPathName() const;

  std::string PanelText(int id) const;
  bool PanelShows(int id) const;
  CPicturePreview* Preview() const { return preview_; }
  QCheckBox* PreviewCheck() const { return check_; }

 protected:
  int DescribeFile(const std::string& path) override;
  void ShowPanelState(int state) override;

 private:
  void OnPreviewToggled(bool checked);
  QLabel* Label(int id) const;

  std::string widthText_ = "0", heightText_ = "0", colorText_;
  std::string describedPath_;
  bool previewChecked_ = false;
  CPicturePreview* preview_ = nullptr;
  QCheckBox* check_ = nullptr;
};

// An open-file dialog whose OK button carries the text of a string id (0
// keeps the dialog's own).
class CSelectFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  CSelectFileDialog(unsigned okTextId, const std::string& fileName, unsigned flags,
                    const std::string& filter, QWidget* parent);
  int DoModal();
  std::string GetPathName() const;
  unsigned OkTextId() const { return okTextId_; }

 private:
  unsigned okTextId_;
};
