// The footnote and export texts of citations and sources with the cited
// source and its repository read from the open family file.
#include <optional>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace {

// The repository a source names, when it names one that can be read.
std::optional<CRepositoryRecord> ReadRepository(const CSourceRecord& source) {
  if (source.repositoryRin == 0) return std::nullopt;
  CRepositoryRecord repository;
  if (DbGetRecord(source.repositoryRin, CRepositoryRecord::kRecordType, &repository) != 1)
    return std::nullopt;
  return repository;
}

// A citation's source and that source's repository, as far as they read.
struct CitedSource {
  std::optional<CSourceRecord> source;
  std::optional<CRepositoryRecord> repository;

  explicit CitedSource(std::int32_t sourceRin) {
    if (sourceRin == 0) return;
    CSourceRecord read;
    if (DbGetRecord(sourceRin, CSourceRecord::kRecordType, &read) != 1) return;
    source = std::move(read);
    repository = ReadRepository(*source);
  }
  const CSourceRecord* Source() const { return source ? &*source : nullptr; }
  const CRepositoryRecord* Repository() const { return repository ? &*repository : nullptr; }
};

const CRepositoryRecord* Pointer(const std::optional<CRepositoryRecord>& r) {
  return r ? &*r : nullptr;
}

}  // namespace

const std::string& CCitationRecord::FormatFootnote(std::string& out, bool italics, bool shortForm,
                                                   bool noSourceText, bool withActualText,
                                                   bool withComments) const {
  const CitedSource cited(sourceRin);
  return FormatFootnote(out, italics, shortForm, noSourceText, withActualText, withComments,
                        cited.Source(), cited.Repository());
}

const std::string& CCitationRecord::FormatExportText(std::string& out) const {
  const CitedSource cited(sourceRin);
  return FormatExportText(out, cited.Source(), cited.Repository());
}

const std::string& CSourceRecord::FormatFootnote(std::string& out, bool abbreviated,
                                                 bool italics) const {
  const std::optional<CRepositoryRecord> repository = ReadRepository(*this);
  return FormatFootnote(out, abbreviated, italics, Pointer(repository));
}

bool CSourceRecord::IsSame(const CSourceRecord& other) const {
  const std::optional<CRepositoryRecord> mine = ReadRepository(*this);
  const std::optional<CRepositoryRecord> theirs = ReadRepository(other);
  return IsSame(other, Pointer(mine), Pointer(theirs));
}
