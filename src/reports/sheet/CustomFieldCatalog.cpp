#include "CustomFieldCatalog.h"

#include <array>

#include "StringTable.h"

namespace rpt {
namespace {

constexpr std::array<CustomFieldInfo, 73> kFields = {{
    {kFieldSurnameGiven, 25, 3, false},
    {kFieldGivenSurname, 25, 3, false},
    {kFieldTitlePrefix, 10, 3, false},
    {kFieldTitleSuffix, 10, 0, false},
    {kFieldAlsoKnownAs, 20, 3, false},
    {kFieldNickname, 20, 3, false},
    {kFieldSex, 8, 0, false},
    {kFieldRin, 8, 2, false},
    {kFieldCustomId, 10, 0, false},
    {kFieldSbn, 20, 0, false},
    {kFieldPhysicalDescription, 20, 3, false},
    {kFieldParentsMrin, 12, 2, false},
    {kFieldFather, 25, 3, false},
    {kFieldFatherRelationshipType, 8, 0, false},
    {kFieldMother, 25, 3, false},
    {kFieldMotherRelationshipType, 8, 0, false},
    {kFieldBirthDate, 15, 1, false},
    {kFieldBirthPlace, 40, 3, false},
    {kFieldBirthOrChristeningDate, 18, 1, false},
    {kFieldBirthOrChristeningPlace, 40, 3, false},
    {kFieldChristeningDate, 15, 1, false},
    {kFieldChristeningPlace, 40, 3, false},
    {kFieldChristening, 20, 3, false},
    {kFieldMrin, 8, 2, false},
    {kFieldMarriageStatus, 12, 0, false},
    {kFieldMarriageDate, 15, 1, false},
    {kFieldMarriagePlace, 40, 3, false},
    {kFieldMarriedName, 20, 3, false},
    {kFieldSpouse, 25, 3, false},
    {kFieldDeathDate, 15, 1, false},
    {kFieldDeathPlace, 40, 3, false},
    {kFieldDeathOrBurialDate, 18, 1, false},
    {kFieldDeathOrBurialPlace, 40, 3, false},
    {kFieldBurialDate, 15, 1, false},
    {kFieldBurialPlace, 40, 3, false},
    {kFieldCauseOfDeath, 20, 3, false},
    {kFieldNotes, 50, 4, false},
    {kFieldHasMultimedia, 8, 0, false},
    {kFieldNumberOfMarriages, 8, 2, false},
    {kFieldNumberOfChildren, 8, 2, false},
    {kFieldNumberOfParents, 8, 2, false},
    {kFieldAgeAtMarriage, 12, 2, false},
    {kFieldAgeAtDeath, 12, 2, false},
    {kFieldHasCitations, 8, 0, false},
    {kFieldHasUserEvents, 8, 0, false},
    {kFieldHasSpecificUserEvent, 20, 0, false},
    {kFieldUserEventDate, 15, 1, false},
    {kFieldUserEventPlace, 40, 3, false},
    {kFieldUserEventDescription, 20, 3, false},
    {kFieldUserEventConfidence, 20, 0, false},
    {kFieldContactName, 20, 3, false},
    {kFieldContactStreet, 20, 3, false},
    {kFieldContactCity, 20, 3, false},
    {kFieldContactState, 20, 3, false},
    {kFieldContactZip, 20, 3, false},
    {kFieldContactCountry, 20, 3, false},
    {kFieldContactPhone, 20, 3, false},
    {kFieldContactEmail, 20, 3, false},
    {kFieldRelationshipIndicator, 25, 0, false},
    {kFieldCreateDate, 15, 1, false},
    {kFieldModifyDate, 15, 1, false},
    {kFieldZelLiveBaptism, 8, 0, true},
    {kFieldBaptismDate, 15, 1, true},
    {kFieldBaptismTemple, 14, 0, true},
    {kFieldEndowmentDate, 15, 1, true},
    {kFieldEndowmentTemple, 14, 0, true},
    {kFieldSealedToParentsDate, 15, 1, true},
    {kFieldSealedToParentsTemple, 14, 0, true},
    {kFieldSealedToSpouseDate, 15, 1, true},
    {kFieldSealedToSpouseTemple, 14, 3, true},
    {kFieldQualifiedForBaptismEndowment, 14, 0, true},
    {kFieldQualifiedForSealToParents, 14, 0, true},
    {kFieldQualifiedForSealToSpouse, 14, 0, true},
}};

}  // namespace

std::span<const CustomFieldInfo> CustomFieldCatalog() { return kFields; }

const CustomFieldInfo* FindCustomField(std::int32_t id) {
  for (const CustomFieldInfo& field : kFields)
    if (field.id == id) return &field;
  return nullptr;
}

int CustomFieldWidth(std::int32_t id) {
  const CustomFieldInfo* field = FindCustomField(id);
  return field ? field->width : 20;
}

std::uint8_t CustomFieldSortKind(std::int32_t id) {
  const CustomFieldInfo* field = FindCustomField(id);
  return field ? field->kind : 0;
}

std::string CustomFieldLabel(std::int32_t id) { return res::LoadString(static_cast<unsigned>(id)); }

std::string CustomFieldHeading(std::int32_t id) {
  const unsigned shortId = static_cast<unsigned>(id + 100);
  if (res::HasString(shortId)) return res::LoadString(shortId);
  return CustomFieldLabel(id);
}

}  // namespace rpt
