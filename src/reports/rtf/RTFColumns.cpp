#include "RTFColumns.h"

#include <algorithm>

#include "PersistentFile.h"
#include "RTFObject.h"

KOR_IMPLEMENT_DYNCREATE(CRTFReportObject, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFReportColumnEntry, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFReportColumnHeaderEntry, 1)
KOR_IMPLEMENT_DYNCREATE(CRTFReportColumnPosEntry, 1)

namespace {
int Sign(std::int64_t difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }
}  // namespace

// --- Spans and layouts ---

int CRTFColumnSpan::Compare(const CPersistentObject* other) const {
  const auto* span = dynamic_cast<const CRTFColumnSpan*>(other);
  if (span == nullptr) return -1;
  return Sign(static_cast<std::int64_t>(id_) - span->id_);
}

bool CRTFColumnSpan::Contains(const CRTFColumnSpan* other) const {
  return other != nullptr && other->left_ >= left_ && other->right_ <= right_;
}

const CRTFColumnSpan* CRTFColumnLayout::Span(int index) const {
  return dynamic_cast<const CRTFColumnSpan*>(GetAt(index));
}

int CRTFColumnLayout::FindById(const CRTFColumnSpan& span) const {
  for (int i = 0; i < GetSize(); ++i)
    if (span.Matches(Span(i))) return i;
  return -1;
}

int CRTFColumnLayout::FindContaining(const CRTFColumnSpan& span) const {
  for (int i = 0; i < GetSize(); ++i) {
    const CRTFColumnSpan* candidate = Span(i);
    if (candidate != nullptr && candidate->Contains(&span)) return i;
  }
  return -1;
}

int CRTFColumnLayout::GetTabOrigin(int margin) const {
  const CRTFColumnSpan* first = GetSize() > 0 ? Span(0) : nullptr;
  if (first == nullptr) return 0;
  int anchor = first->Alignment() == 'l' ? first->Left() : first->Right();
  return std::min(anchor, margin);
}

std::string CRTFColumnLayout::BuildTabStops(int margin) const {
  const int origin = GetTabOrigin(margin);
  std::string stops;
  for (int i = 0; i < GetSize(); ++i) {
    const CRTFColumnSpan* span = Span(i);
    if (span == nullptr) continue;
    if (span->Alignment() == 'r')
      stops += rtf::Format("%d|r ", span->Right() - origin);
    else
      stops += rtf::Format("%d ", span->Left() - origin);
  }
  return stops;
}

// --- Row entries ---

int CRTFReportObject::Compare(const CPersistentObject* other) const {
  const auto* entry = dynamic_cast<const CRTFReportObject*>(other);
  if (entry == nullptr) return -1;
  return Sign(static_cast<std::int64_t>(OrderKey()) - entry->OrderKey());
}

int CRTFReportObject::AddToRow(CPersistentArray&) const { return 0; }

int CRTFReportObject::GetColumnIndex(const CRTFColumnLayout*, int) const { return -1; }

void CRTFReportColumnEntry::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(id_));
  file->WriteString(text_);
}

void CRTFReportColumnEntry::Load(CPersistentFile* file) {
  id_ = static_cast<std::int32_t>(file->ReadDword());
  file->ReadString(text_);
}

int CRTFReportColumnEntry::AddToRow(CPersistentArray& row) const {
  row.InsertSorted(std::make_unique<CRTFReportColumnEntry>(*this));
  return 0;
}

int CRTFReportColumnEntry::GetColumnIndex(const CRTFColumnLayout* firstLayout, int) const {
  if (firstLayout == nullptr) return -1;
  return firstLayout->FindById(CRTFColumnSpan(id_, 0, 0, 'l'));
}

void CRTFReportColumnHeaderEntry::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(id_));
  file->WriteString(heading_);
}

void CRTFReportColumnHeaderEntry::Load(CPersistentFile* file) {
  id_ = static_cast<std::int32_t>(file->ReadDword());
  file->ReadString(heading_);
}

void CRTFReportColumnPosEntry::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(left_));
  file->WriteDword(static_cast<std::uint32_t>(right_));
  file->WriteString(text_);
}

void CRTFReportColumnPosEntry::Load(CPersistentFile* file) {
  left_ = static_cast<std::int32_t>(file->ReadDword());
  right_ = static_cast<std::int32_t>(file->ReadDword());
  file->ReadString(text_);
}

int CRTFReportColumnPosEntry::AddToRow(CPersistentArray& row) const {
  row.InsertSorted(std::make_unique<CRTFReportColumnPosEntry>(*this));
  return 0;
}

int CRTFReportColumnPosEntry::GetColumnIndex(const CRTFColumnLayout* firstLayout,
                                             int offset) const {
  if (firstLayout == nullptr) return -1;
  return firstLayout->FindContaining(CRTFColumnSpan(0, left_ - offset, right_ - offset, 'l'));
}
