#pragma once
// The fields a custom report column or sort key can show. A field's id is
// also the string id of its label; the string at id + 100, when there is
// one, is its short heading. The Possible Fields lists offer the fields in
// catalogue order, the ordinance fields only with the option ShowZEL.

#include <cstdint>
#include <span>
#include <string>

namespace rpt {

struct CustomFieldInfo {
  std::int32_t id;
  int width;          // default column width in characters
  std::uint8_t kind;  // the comparison kind of a sort key on the field
  bool zelOnly;       // offered only with ShowZEL
};

inline constexpr std::int32_t kCustomFieldFirst = 6000;
inline constexpr std::int32_t kCustomFieldLast = 6073;
// The field ids, as the layout files store them, named after their labels.
inline constexpr std::int32_t kFieldSurnameGiven = 6000;
inline constexpr std::int32_t kFieldGivenSurname = 6001;
inline constexpr std::int32_t kFieldTitleSuffix = 6002;
inline constexpr std::int32_t kFieldSex = 6003;
inline constexpr std::int32_t kFieldRin = 6004;
inline constexpr std::int32_t kFieldCustomId = 6005;
inline constexpr std::int32_t kFieldParentsMrin = 6006;
inline constexpr std::int32_t kFieldFather = 6007;
inline constexpr std::int32_t kFieldMother = 6008;
inline constexpr std::int32_t kFieldBirthDate = 6009;
inline constexpr std::int32_t kFieldBirthPlace = 6010;
inline constexpr std::int32_t kFieldBirthOrChristeningDate = 6011;
inline constexpr std::int32_t kFieldBirthOrChristeningPlace = 6012;
inline constexpr std::int32_t kFieldChristeningDate = 6013;
inline constexpr std::int32_t kFieldChristeningPlace = 6014;
inline constexpr std::int32_t kFieldMrin = 6015;
inline constexpr std::int32_t kFieldMarriageStatus = 6016;
inline constexpr std::int32_t kFieldMarriageDate = 6017;
inline constexpr std::int32_t kFieldMarriagePlace = 6018;
inline constexpr std::int32_t kFieldSpouse = 6019;
inline constexpr std::int32_t kFieldDeathDate = 6020;
inline constexpr std::int32_t kFieldDeathPlace = 6021;
inline constexpr std::int32_t kFieldDeathOrBurialDate = 6022;
inline constexpr std::int32_t kFieldDeathOrBurialPlace = 6023;
inline constexpr std::int32_t kFieldBurialDate = 6024;
inline constexpr std::int32_t kFieldBurialPlace = 6025;
inline constexpr std::int32_t kFieldNotes = 6026;
inline constexpr std::int32_t kFieldHasMultimedia = 6027;
inline constexpr std::int32_t kFieldNumberOfMarriages = 6028;
inline constexpr std::int32_t kFieldNumberOfChildren = 6029;
inline constexpr std::int32_t kFieldAgeAtMarriage = 6030;
inline constexpr std::int32_t kFieldAgeAtDeath = 6031;
inline constexpr std::int32_t kFieldBaptismDate = 6032;
inline constexpr std::int32_t kFieldBaptismTemple = 6033;
inline constexpr std::int32_t kFieldEndowmentDate = 6034;
inline constexpr std::int32_t kFieldEndowmentTemple = 6035;
inline constexpr std::int32_t kFieldSealedToParentsDate = 6036;
inline constexpr std::int32_t kFieldSealedToParentsTemple = 6037;
inline constexpr std::int32_t kFieldSealedToSpouseDate = 6038;
inline constexpr std::int32_t kFieldSealedToSpouseTemple = 6039;
inline constexpr std::int32_t kFieldQualifiedForBaptismEndowment = 6040;
inline constexpr std::int32_t kFieldQualifiedForSealToParents = 6041;
inline constexpr std::int32_t kFieldQualifiedForSealToSpouse = 6042;
inline constexpr std::int32_t kFieldZelLiveBaptism = 6043;
inline constexpr std::int32_t kFieldHasCitations = 6044;
inline constexpr std::int32_t kFieldChristening = 6045;
inline constexpr std::int32_t kFieldHasUserEvents = 6046;
inline constexpr std::int32_t kFieldHasSpecificUserEvent = 6047;
inline constexpr std::int32_t kFieldUserEventDate = 6048;
inline constexpr std::int32_t kFieldUserEventPlace = 6049;
inline constexpr std::int32_t kFieldUserEventDescription = 6050;
inline constexpr std::int32_t kFieldUserEventConfidence = 6051;
inline constexpr std::int32_t kFieldTitlePrefix = 6052;
inline constexpr std::int32_t kFieldAlsoKnownAs = 6053;
inline constexpr std::int32_t kFieldNickname = 6054;
inline constexpr std::int32_t kFieldMarriedName = 6055;
inline constexpr std::int32_t kFieldCauseOfDeath = 6056;
inline constexpr std::int32_t kFieldPhysicalDescription = 6057;
inline constexpr std::int32_t kFieldSbn = 6058;
inline constexpr std::int32_t kFieldCreateDate = 6059;
inline constexpr std::int32_t kFieldModifyDate = 6060;
inline constexpr std::int32_t kFieldFatherRelationshipType = 6061;
inline constexpr std::int32_t kFieldMotherRelationshipType = 6062;
inline constexpr std::int32_t kFieldNumberOfParents = 6063;
inline constexpr std::int32_t kFieldContactName = 6064;
inline constexpr std::int32_t kFieldContactStreet = 6065;
inline constexpr std::int32_t kFieldContactCity = 6066;
inline constexpr std::int32_t kFieldContactState = 6067;
inline constexpr std::int32_t kFieldContactZip = 6068;
inline constexpr std::int32_t kFieldContactCountry = 6069;
inline constexpr std::int32_t kFieldContactPhone = 6070;
inline constexpr std::int32_t kFieldContactEmail = 6071;
inline constexpr std::int32_t kFieldRelationshipIndicator = 6073;

// Every field in list order.
std::span<const CustomFieldInfo> CustomFieldCatalog();
// The entry of id, or null for an id outside the catalogue.
const CustomFieldInfo* FindCustomField(std::int32_t id);
// Default width (20 outside the catalogue) and sort kind (0 outside it).
int CustomFieldWidth(std::int32_t id);
std::uint8_t CustomFieldSortKind(std::int32_t id);
std::string CustomFieldLabel(std::int32_t id);
// The short heading when the field has one, else its label.
std::string CustomFieldHeading(std::int32_t id);

}  // namespace rpt
