#pragma once
// Image for: the one multimedia item of a source or a citation, with a
// preview, View, Attach/Edit and Remove.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "DialogBase.h"
#include "ImageObject.h"
#include "MultimediaItem.h"
#include "NotesEditing.h"

class QLabel;

namespace notesui {

// What Attach asks: the file and its caption, description and kind letter.
struct AttachChoice {
  std::string path, caption, description;
  char kind = CMultimediaItem::kPhoto;
};

// A file name as stored: a name ending in ".pcd" (that case only) gets a
// line feed and the last 12 characters of its disc's identifier, when the
// disc has one.
std::string StoredMultimediaName(const std::string& path, const std::string& discId);

class CImageForDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 438;
  static constexpr int kIdcView = 1514;
  static constexpr int kIdcAttach = 1515;
  static constexpr int kIdcRemove = 1516;
  static constexpr int kIdcFrame = 1517;

  // item: the current item (copied), or null.
  CImageForDialog(const std::string& suffix, const CMultimediaItem* current,
                  QWidget* parent = nullptr);
  ~CImageForDialog() override;

  // The item after Close (null when none).
  std::unique_ptr<CMultimediaItem> item;
  notes::EditGate gate;
  // Attach's questions (tests answer them); null asks with the Add
  // Multimedia Object dialog.
  std::function<bool(AttachChoice&)> chooseItem;

  void View();
  void Attach();
  void Remove();
  bool PreviewLoaded() const { return preview_.IsLoaded(); }

 protected:
  void OnInitDialog() override;
  void OnOK() override { done(fw::kIdOk); }
  // The close box hands back the item as Close does.
  void OnCancel() override { done(fw::kIdOk); }

 private:
  void LoadPreview();
  void UpdateButtons();

  std::string suffix_;
  fw::CImageObject preview_;
  QLabel* frame_;
  QPointer<QWidget> photoWindow_;
};

// Runs Image for over image; on Close image becomes the dialog's item.
// Answers true when the item may have changed.
bool RunImageFor(QWidget* parent, const std::string& suffix,
                 std::unique_ptr<CMultimediaItem>& image);

}  // namespace notesui
