#include "Footnotes.h"

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

namespace family {

const std::string& FormatFootnote(const CCitationRecord& citation, std::string& out, bool italics,
                                  bool shortForm, bool noSourceText, bool withActualText,
                                  bool withComments) {
  const CitedSource cited(citation.sourceRin);
  return citation.FormatFootnote(out, italics, shortForm, noSourceText, withActualText,
                                 withComments, cited.Source(), cited.Repository());
}

const std::string& FormatExportText(const CCitationRecord& citation, std::string& out) {
  const CitedSource cited(citation.sourceRin);
  return citation.FormatExportText(out, cited.Source(), cited.Repository());
}

const std::string& FormatFootnote(const CSourceRecord& source, std::string& out, bool abbreviated,
                                  bool italics) {
  const std::optional<CRepositoryRecord> repository = ReadRepository(source);
  return source.FormatFootnote(out, abbreviated, italics, Pointer(repository));
}

bool IsSameSource(const CSourceRecord& a, const CSourceRecord& b) {
  const std::optional<CRepositoryRecord> first = ReadRepository(a);
  const std::optional<CRepositoryRecord> second = ReadRepository(b);
  return a.IsSame(b, Pointer(first), Pointer(second));
}

}  // namespace family
