#include "KorDoc.h"

#include <algorithm>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "KorApp.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"

CKorDoc::CKorDoc() {
  CKorApp* app = CKorApp::Instance();
  const int opened = app ? app->Files().fileOpen : 0;
  if (m_fileInfo.ReadFileOptions(opened)) m_fileInfo.ReadPreparer();
  if (app) app->OnDocumentCreated(this);
}

CKorDoc::~CKorDoc() {
  if (CKorApp* app = CKorApp::Instance()) app->OnDocumentClosing(this);
}

int CKorDoc::OnNewDocument() {
  std::string name = CurrentDatabase->IsOpen() ? CurrentDatabase->GetFamilyName() : std::string();
  SetTitle(name.empty() ? fw::ToQString(res::LoadString(res::kIdsUntitled))
                        : fw::ToQPath(name));
  return 1;
}

void CKorDoc::BindFamilyFile(const std::string& path, int type) {
  m_familyFilePath = path;
  m_familyFileType = type;
}

int CKorDoc::FindInHistory(std::uint32_t rin) const {
  auto it = std::find(m_visitedRins.begin(), m_visitedRins.end(), rin);
  return it == m_visitedRins.end() ? -1 : static_cast<int>(it - m_visitedRins.begin());
}

void CKorDoc::TruncateHistory(std::uint32_t rin) {
  int index = FindInHistory(rin);
  if (index >= 0) m_visitedRins.erase(m_visitedRins.begin(), m_visitedRins.begin() + index + 1);
}

void CKorDoc::RemoveFromHistory(std::uint32_t rin) { std::erase(m_visitedRins, rin); }

int CKorDoc::DeleteMarriageIfEmpty(std::int32_t mrin, bool ask) {
  std::vector<std::int32_t> spouses;
  if (DbGetRelation(mrin, db::kRelSpouses, 2, spouses) <= 0) return 0;
  const bool hasSpouse = std::any_of(spouses.begin(), spouses.end(), [](auto r) { return r; });
  const int children = DbHasChildren(mrin, db::kMarriage) ? 1 : 0;
  if (hasSpouse || children) return children;
  if (ask) {
    std::string text = res::LoadString(res::kIdsMrin) + " " + std::to_string(mrin) + ":\n\n" +
                       res::LoadString(res::kIdsDeleteEmptyMarriage);
    if (plat::MessageBox(text, res::LoadString(res::kIdsAppName), plat::kMbYesNo) != plat::kIdYes)
      return 0;
  }
  // A failed delete (told by the engine) leaves the marriage empty, as it
  // was: nothing else depends on it.
  (void)DbDeleteRecord(mrin, db::kMarriage);
  return 0;
}
