#pragma once
// The document of a family file, shared by its views: the file's preparer
// and per-file settings, the remembered ditto numbers, what a view hands to
// the next one, the Back history of individuals, and the path and type of
// the family file the document shows. The family file itself is opened and
// closed by the application object.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DittoRins.h"
#include "Document.h"
#include "FamilyFileInfo.h"

class CFilterSet;

class CKorDoc : public fw::CDocument {
  Q_OBJECT

 public:
  // Reads the per-file settings and the preparer from the open family file
  // (when one is open) and tells the application object of them.
  CKorDoc();
  ~CKorDoc() override;

  // Titles the document with the open family file's display name, or
  // "Untitled". 1.
  int OnNewDocument();
  // Binds the document to a family file (the open one when it is shown).
  void BindFamilyFile(const std::string& path, int type);

  // Index of the first history entry equal to rin, or -1.
  int FindInHistory(std::uint32_t rin) const;
  // Removes rin and every older entry when rin is in the history.
  void TruncateHistory(std::uint32_t rin);
  // Removes every entry equal to rin (a deleted individual).
  void RemoveFromHistory(std::uint32_t rin);
  // Deletes a marriage left without husband, wife and children (asking
  // first when ask is set). The child test's result while the marriage is
  // kept for its links, else 0.
  int DeleteMarriageIfEmpty(std::int32_t mrin, bool ask);

  CFamilyFileInfo m_fileInfo;
  shell::DittoRins m_dittoRins;
  // What the view destroyed last hands to the next one.
  std::uint32_t m_handOverRin = 0;
  std::uint32_t m_handOverMrin = 0;
  // The Back history: the newest entry last.
  std::vector<std::uint32_t> m_visitedRins;
  std::string m_familyFilePath;
  int m_familyFileType = 100;
  // The current selection of individuals (null: none), owned while the
  // family file is open; the Individual List replaces it on OK.
  std::unique_ptr<CFilterSet> m_filterSet;
  // The views skip the first two size messages: 1 skip, 2 skip, 0 lay out.
  int m_sizeMessageSkip = 1;
};
