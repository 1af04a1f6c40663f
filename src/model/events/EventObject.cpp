#include "EventObject.h"

#include "StringTable.h"

std::string CEventObject::GetDateText() const { return date.ToString(); }

std::string CEventObject::GetLabel() const {
  return labelId != 0 ? res::LoadString(static_cast<unsigned>(labelId)) : std::string();
}

std::string CEventObject::GetDateString() const { return date.ToString(); }

std::string CEventObject::SetDateText(std::string_view text, bool parseIntoThis, int category,
                                      bool useDisplayOrder) {
  const DateDisplayOptions& options = GetDateDisplayOptions();
  bool dayFirst = GetDateEntryOption() != 0;
  if (useDisplayOrder && options.monthStyle < 2) dayFirst = options.order != 0;
  std::string field(text);
  // A text that is no standard date stays as typed (the parse keeps it as a
  // text-only date).
  if (date.ParseForCategory(field, category, dayFirst, false) != CDateValue::kParseNotStandard)
    date.CheckEntry(field, parseIntoThis, category, useDisplayOrder, false, false, false);
  return field;
}

int CEventObject::ValidateDate(std::string_view text, std::string& error) const {
  return date.ValidateText(text, GetCategory(), error);
}
