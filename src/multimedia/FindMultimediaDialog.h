#pragma once
// Find Multimedia Object: how the picture loader reports a missing, unplaced
// or unreadable picture of a multimedia item. The user retries, or points
// the item at a new file, which is stored in the family file (optionally
// with every other item of the old folder) and handed to the window that
// was active when the dialog was made.

#include <cstdint>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "ImageObject.h"

class QPushButton;

namespace media {

// The buttons the dialog shows, left to right, for its three settings.
enum FindButton { kFindOk, kFindCancel, kFindRetry, kFindHelp };
std::vector<FindButton> FindButtonLayout(bool retry, bool help, bool entry);

// The file an entry names: relative entries lie in the family file's
// folder; an entry ending in "/" or naming a folder takes the old path's
// file name.
std::string ResolveEntry(const std::string& entry, const std::string& familyFolder,
                         const std::string& oldPath);
// path without the leading family-file folder (as items store it).
std::string StripFamilyFolder(const std::string& path, const std::string& familyFolder);

}  // namespace media

class CFindMultimediaDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kTemplate = 428;
  static constexpr int kIdcMessage = 973;
  static constexpr int kIdcEntry = 1046;
  static constexpr int kIdcBrowse = 1090;
  static constexpr int kIdcRetry = 1257;
  static constexpr int kIdcHelp = 57670;
  // Ending code of Retry.
  static constexpr int kIdRetry = kIdcRetry;

  CFindMultimediaDialog(std::int32_t itemNumber, QWidget* parent = nullptr);

  bool offerRetry = true;
  bool offerEntry = false;
  int helpTopic = 0;
  std::string oldPath;
  std::string message;
  std::string entry;
  // The window told about a new file name: the one active when the dialog
  // was made.
  QWidget* ownerWindow = nullptr;

  // The buttons shown, left to right (their control ids).
  std::vector<int> VisibleButtons() const;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  void OnBrowse();
  void Tell(int reloadAll, const std::string& name);

  std::int32_t item_;
  QWidget* buttonRow_ = nullptr;
};

// The missing-file port of the picture loader that shows the dialog above.
class CFindMultimediaHost : public fw::PictureHostPort {
 public:
  int FindMultimedia(const fw::FindMultimediaRequest& request) override;
};
