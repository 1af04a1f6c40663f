#pragma once
// Add/Modify Multimedia Object: the kind, file, caption and description of
// one item, new (add mode) or existing (modify mode), with Edit opening the
// Edit Photo dialog on a photo before the item is confirmed. The caller
// builds or updates the item from the texts on OK.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "DialogBase.h"
#include "MultimediaCollection.h"

class QComboBox;
class QLineEdit;

class CMultimediaItemDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplate = 335;
  static constexpr int kIdcType = 1081;
  static constexpr int kIdcEdit = 1114;
  static constexpr int kIdcFileName = 1083;
  static constexpr int kIdcBrowse = 1090;
  static constexpr int kIdcCaption = 827;
  static constexpr int kIdcDescription = 1098;
  static constexpr int kHelpTopic = 145;
  static constexpr int kHelpTopicFileDialog = 146;

  // item: the item to modify, or null to add one.
  CMultimediaItemDialog(CMultimediaItem* item, QWidget* parent = nullptr);
  ~CMultimediaItemDialog() override;

  // The owner's name for the titles, and its record number.
  std::string ownerCaption;
  std::int32_t ownerRin = 0;
  // Around the file choosers (the collection stops painting its preview).
  std::function<void()> beforeFileDialog;
  std::function<void()> afterFileDialog;
  // Opens the Edit Photo dialog on an item; unset leaves Edit disabled.
  std::function<void(CMultimediaItem&)> editPhoto;

  // The exchanged texts.
  std::string typeText = media::kKindPhoto;
  std::string fileName;
  std::string caption;
  std::string description;

  bool IsModify() const { return modify_; }
  // The item made by Edit in add mode (the caller takes it), or null.
  std::unique_ptr<CMultimediaItem> TakeBuiltItem() { return std::move(built_); }
  CMultimediaItem* Item() const { return item_; }

  // A file chosen by Browse (or by a test): stored relative to the family
  // file's folder when inside it; "Multimedia"/"MMItemPath" becomes its
  // folder; a new name drops the old file's edits. A name the family file
  // cannot store is refused with a message.
  void UseChosenFile(const std::string& path);
  // Leaving the file-name field.
  void FileNameLeft();
  int HelpTopic() const { return helpTopic_; }

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;
  void OnCancel() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateEditButton();
  void OnEdit();
  void OnBrowse();

  bool modify_;
  CMultimediaItem* item_;
  std::unique_ptr<CMultimediaItem> built_;
  media::ItemEditState saved_;
  int helpTopic_ = kHelpTopic;
  QComboBox* type_ = nullptr;
  QLineEdit* file_ = nullptr;
};

// The photo file chooser: the picture file dialog with its preview, starting
// in "Multimedia"/"MMItemPath" with the filter entry "MMPhFileExt". On OK
// path gets the chosen file's stored name (StoreChosenFile) and both settings
// are updated; 1, else 0.
int OpenPhotoFileDialog(const std::string& title, std::string& path, QWidget* parent);
// The same dialog giving the chosen file's path; "" when cancelled.
std::string ChoosePhotoFile(const std::string& title, QWidget* parent);
// A chosen file's name as an item stores it (StoreMultimediaPath against the
// open family file's folder, or whole when not relative). False, after
// saying so, when the name holds a letter the family file cannot store.
bool StoreChosenFile(const std::string& path, std::string& stored, bool relative = true);
// "Multimedia"/"MMItemPath": the folder the choosers start in.
std::string MultimediaItemFolder();
// The filter of the sound and video choosers.
std::string SoundFileFilter();
std::string VideoFileFilter();
// The photo chooser's filter.
std::string PhotoFileFilter();
