#pragma once
// The Open and Save screens of named items (saved field filters, filter
// sets, report layouts): the items of one kind listed by the names their
// headers hold. The Save screen picks a new file (created with its header)
// or the stored item a name already uses; the caller then writes the whole
// item, so an item being overwritten stays whole until its new content is
// complete.

#include <QListWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DialogBase.h"
#include "NamedFiles.h"

class COpenNamedFileDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 346;
  static constexpr int kIdcPrompt = 975;
  static constexpr int kIdcList = 1355;
  static constexpr int kIdcDelete = 857;

  // extension: ".fld" or ".lyt" (shared items); kindLetter: items of the
  // open family file.
  COpenNamedFileDialog(const std::string& extension, QWidget* parent = nullptr);
  COpenNamedFileDialog(char kindLetter, QWidget* parent = nullptr);
  ~COpenNamedFileDialog() override;

  std::string caption;
  std::string prompt;
  // Items of a family file open read-only cannot be deleted.
  bool protectReadOnly = true;
  std::string chosenPath;
  std::string chosenName;
  CNamedFileEnumerator& Enumerator() { return *enumerator_; }

  void OnDelete();

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void Build();
  std::unique_ptr<CNamedFileEnumerator> enumerator_;
  QListWidget* list_ = nullptr;
};

class CNamedItemSaveDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 350;
  static constexpr int kIdcPrompt = 975;
  static constexpr int kIdcName = 845;
  static constexpr int kIdcOverwrite = 1264;
  // The longest name taken, so that every saved item is listed again.
  static constexpr int kMaxName = 46;

  CNamedItemSaveDialog(const std::string& extension, QWidget* parent = nullptr);
  CNamedItemSaveDialog(char kindLetter, QWidget* parent = nullptr);
  ~CNamedItemSaveDialog() override;

  std::string caption;
  std::string prompt;
  std::string proposedName;
  // After OK: the file to write and the item's name; isNew when the file
  // was made here (header only), else an existing item to be rewritten.
  std::string chosenPath;
  std::string chosenName;
  bool isNew = false;
  CNamedFileEnumerator& Enumerator() { return *enumerator_; }

  // Lists the items; with quick, a non-empty proposed name that no item
  // uses is created at once without showing the screen. fw::kIdOk or
  // fw::kIdCancel.
  int SaveOrPrompt(bool quick);
  // The stored item of a name (case-insensitive), or null.
  const std::pair<std::string, std::string>* Find(const std::string& name) const;
  void OnOverwrite();

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void Build();
  void List();
  void OnNameChanged();
  std::unique_ptr<CNamedFileEnumerator> enumerator_;
  std::vector<std::pair<std::string, std::string>> items_;  // (name, path)
};
