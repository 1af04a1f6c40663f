// Record calls of the engine: reads, adds, updates and deletes by API
// record type, record numbers by kind and mode, and the field accessors.

#include "ORV3.h"

int ORV3::Open(bool) { return -1; }
int ORV3::AddDefaultEventTypes() { return 0; }
int ORV3::RecoverHighestNumbers() { return 0; }
int ORV3::O3_GetRecord(std::int32_t, int, RecordRef, int, int, int) { return 0; }
std::int32_t ORV3::AddRecord(int, bool, RecordRef) { return 0; }
int ORV3::UpdateRecord(std::int32_t, int, RecordRef, int) { return 0; }
int ORV3::DllDeleteRecord(std::int32_t, int) { return 0; }
std::int32_t ORV3::GetRIN(std::int32_t, int, int) { return 0; }
std::int32_t ORV3::GetRIN(const std::string&, int, int) { return 0; }
int ORV3::ReadIndividualRecord(std::int32_t, CIndividualRecord&, int) { return 0; }
int ORV3::IsRecordDeleted(int, std::int32_t) { return 0; }
int ORV3::GetSex(std::int32_t) { return 0; }
int ORV3::HasParents(std::int32_t) { return 0; }
std::int32_t ORV3::FindEventType(const std::string&, CEventTypeRecord&) { return 0; }
int ORV3::GetTreeChildren(std::int32_t, std::int32_t& l, std::int32_t& g) {
  l = g = 0;
  return 0;
}
int ORV3::SetIndividualTimeField(std::int32_t, int, std::int32_t) { return 0; }
int ORV3::GetChristeningLabel(std::int32_t, std::string&) { return 0; }
int ORV3::SetRelationshipIndicator(std::int32_t, const std::string&) { return 0; }
std::int32_t ORV3::GetMultimediaHead(std::int32_t, int) { return -1; }
std::int32_t ORV3::SetMultimediaHead(std::int32_t, int, std::int32_t) { return -1; }
int ORV3::ChangeMultimediaFolder(const std::string&, const std::string&) { return 0; }
int ORV3::ReplaceCitationSource(std::int32_t, std::int32_t) { return 0; }
int ORV3::ReplaceSourceRepository(std::int32_t, std::int32_t) { return 0; }
int ORV3::SealingState(std::int32_t, int) { return -1; }
int ORV3::IndividualOrdinanceState(std::int32_t, std::int32_t) { return 0; }
int ORV3::FamilyOrdinanceState(std::int32_t, int) { return 0; }
int ORV3::GetNotesText(std::int32_t, bool, int, std::string&) { return 0; }
int ORV3::SetNotes(std::int32_t, const std::string&, int, bool, int) { return 0; }
int ORV3::DeleteNotes(std::int32_t, int) { return 0; }
FileOptions ORV3::GetFileOptions() { return {}; }
int ORV3::SetFileOptions(const FileOptions&, const AppFileOptions&) { return 0; }
int ORV3::GetFileOption(int) const { return 0; }
int ORV3::SetFileOption(int, int) { return 0; }
int ORV3::ReadPreparer(CPreparerRecord&) { return 0; }
int ORV3::WritePreparer(const CPreparerRecord&) { return 0; }
int ORV3::ProbeFamilyFile(const std::string&, std::int32_t&, std::int32_t&, std::string&,
                          std::uint64_t&, int*) {
  return 0;
}
