#include "CustomFieldCatalog.h"

#include <array>

#include "StringTable.h"

namespace rpt {
namespace {

constexpr std::array<CustomFieldInfo, 73> kFields = {{
    {6000, 25, 3, false}, {6001, 25, 3, false}, {6052, 10, 3, false}, {6002, 10, 0, false},
    {6053, 20, 3, false}, {6054, 20, 3, false}, {6003, 8, 0, false},  {6004, 8, 2, false},
    {6005, 10, 0, false}, {6058, 20, 0, false}, {6057, 20, 3, false}, {6006, 12, 2, false},
    {6007, 25, 3, false}, {6061, 8, 0, false},  {6008, 25, 3, false}, {6062, 8, 0, false},
    {6009, 15, 1, false}, {6010, 40, 3, false}, {6011, 18, 1, false}, {6012, 40, 3, false},
    {6013, 15, 1, false}, {6014, 40, 3, false}, {6045, 20, 3, false}, {6015, 8, 2, false},
    {6016, 12, 0, false}, {6017, 15, 1, false}, {6018, 40, 3, false}, {6055, 20, 3, false},
    {6019, 25, 3, false}, {6020, 15, 1, false}, {6021, 40, 3, false}, {6022, 18, 1, false},
    {6023, 40, 3, false}, {6024, 15, 1, false}, {6025, 40, 3, false}, {6056, 20, 3, false},
    {6026, 50, 4, false}, {6027, 8, 0, false},  {6028, 8, 2, false},  {6029, 8, 2, false},
    {6063, 8, 2, false},  {6030, 12, 2, false}, {6031, 12, 2, false}, {6044, 8, 0, false},
    {6046, 8, 0, false},  {6047, 20, 0, false}, {6048, 15, 1, false}, {6049, 40, 3, false},
    {6050, 20, 3, false}, {6051, 20, 0, false}, {6064, 20, 3, false}, {6065, 20, 3, false},
    {6066, 20, 3, false}, {6067, 20, 3, false}, {6068, 20, 3, false}, {6069, 20, 3, false},
    {6070, 20, 3, false}, {6071, 20, 3, false}, {6073, 25, 0, false}, {6059, 15, 1, false},
    {6060, 15, 1, false}, {6043, 8, 0, true},   {6032, 15, 1, true},  {6033, 14, 0, true},
    {6034, 15, 1, true},  {6035, 14, 0, true},  {6036, 15, 1, true},  {6037, 14, 0, true},
    {6038, 15, 1, true},  {6039, 14, 3, true},  {6040, 14, 0, true},  {6041, 14, 0, true},
    {6042, 14, 0, true},
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
