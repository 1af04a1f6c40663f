#pragma once
// Multimedia Collection: the ordered photos, sound and video clips of one
// individual, edited in memory (add, modify, remove, reorder, default photo
// and sound, Edit Photo) with a preview of the selected photo, Show / Play,
// the slide show and the scrapbook. Save writes the list as the owner's
// chain; a new individual's list stays pending and is handed back.

#include <QFrame>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "ImageObject.h"
#include "MultimediaCollection.h"
#include "PhotoWindow.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

// The frame the selected photo is previewed in.
class CMediaPreviewFrame : public QFrame {
  Q_OBJECT

 public:
  CMediaPreviewFrame(const fw::CImageObject& picture, QWidget* parent = nullptr);
  // The picture's rectangle inside the frame; painting on or off.
  QRect pictureRect;
  bool paintAllowed = true;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const fw::CImageObject& picture_;
};

class CMultimediaCollectionDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplate = 334;
  static constexpr int kIdcAdd = 502;
  static constexpr int kIdcModify = 963;
  static constexpr int kIdcRemove = 964;
  static constexpr int kIdcEditPhoto = 1119;
  static constexpr int kIdcShow = 1211;
  static constexpr int kIdcDefault = 1106;
  static constexpr int kIdcSlideShow = 1079;
  static constexpr int kIdcScrapbook = 1103;
  static constexpr int kIdcList = 1071;
  static constexpr int kIdcOrder = 1608;
  static constexpr int kIdcFileName = 1083;
  static constexpr int kIdcDescription = 1111;
  static constexpr int kIdcPreview = 940;
  static constexpr int kIdcPreviewFrame = 1210;
  // What other dialogs ask of this one; each is a call below.
  static constexpr unsigned kMsgStopPreview = 0x407;    // StopPreview
  static constexpr unsigned kMsgResumePreview = 0x408;  // ResumePreview
  static constexpr unsigned kMsgFileNameFound = 0x530;  // OnFileNameFound
  static constexpr unsigned kMsgLoadPreview = 0x531;    // LoadPreview

  // owner: the individual's RIN, 0 for one not stored yet; caption: the
  // individual's name ("" gives "New Individual").
  CMultimediaCollectionDialog(std::int32_t owner, const std::string& caption,
                              QWidget* parent = nullptr);
  ~CMultimediaCollectionDialog() override;

  // A new individual's items collected earlier, shown in place of a stored
  // chain (before the dialog opens).
  void SetPendingItems(CMultimediaList items);
  // The items of a new individual after the dialog, in list order, and its
  // default photo (else default sound) in defaultItem.
  CMultimediaList TakePendingItems(CMultimediaItem** defaultItem = nullptr);

  // Called after Save stored a changed chain (the main frame flushes the
  // family file and the views show the change).
  std::function<void(std::int32_t owner, bool hasItems)> onSaved;
  // Opens the Add/Modify dialog; tests answer it themselves. Returns the
  // dialog's result.
  std::function<int(class CMultimediaItemDialog&)> runItemDialog;
  // Opens the Edit Photo dialog; the dialog's result.
  std::function<int(CMultimediaItem&)> runEditPhoto;
  // Opens the scrapbook on the items in list order.
  std::function<void(const std::vector<const CMultimediaItem*>&)> runScrapbook;

  media::CMultimediaCollection& Collection() { return collection_; }
  int Selection() const;
  const fw::CImageObject& PreviewPicture() const { return picture_; }
  int PreviewIndex() const { return previewIndex_; }
  CPhotoWindow* PhotoWindow() const { return photoWindow_; }
  std::string CaptionText() const { return caption_; }

  // The private messages.
  void StopPreview();
  void ResumePreview();
  // wParam 1: every item's file name again from the family file; 0: the
  // selected item's file name becomes name.
  void OnFileNameFound(int reloadAll, const std::string& name);
  void LoadPreview();

  // The buttons and the list, as the user uses them.
  void OnAdd();
  void OnModify();
  void OnRemove();
  void OnEditPhoto();
  void OnShow();
  void OnDefault();
  void OnOrder(int delta);
  void OnSlideShow();
  void OnScrapbook();
  void OnPreviewToggled(bool checked);
  void OnSelectionChanged();

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateButtons();
  void ShowSelectionTexts();
  void RefreshEntry(int index);
  void SetEntries();
  void TakeSizeFromFile(CMultimediaItem& item);
  void AddPhotoCdLabel(CMultimediaItem& item);

  media::CMultimediaCollection collection_;
  std::string caption_;
  fw::CImageObject picture_;
  int previewIndex_ = -1;
  int previewState_ = -1;  // MMPrevState1 to write; -1 untouched
  QPointer<CPhotoWindow> photoWindow_;
  QListWidget* list_ = nullptr;
  QCheckBox* preview_ = nullptr;
  CMediaPreviewFrame* frame_ = nullptr;
};
