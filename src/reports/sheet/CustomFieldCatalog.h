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
inline constexpr std::int32_t kFieldSurnameGiven = 6000;
inline constexpr std::int32_t kFieldGivenSurname = 6001;
inline constexpr std::int32_t kFieldNotes = 6026;
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
