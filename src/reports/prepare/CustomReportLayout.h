#pragma once
// The custom report layout the document holds: a title, a second text kept
// as it is, the columns in report order and up to three sort keys, most
// significant first. Its file form and dialogs live with the Custom page.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CCustomReportColumn {
  std::int32_t fieldId = 0;  // 6000-6073
  std::int32_t width = 0;    // characters, 1-200
  std::string heading;
  std::string option;  // the note tag of Notes, the event type title of the user-event fields
};

struct CCustomReportSortKey {
  // Comparison kinds.
  static constexpr std::uint8_t kPlain = 0;
  static constexpr std::uint8_t kDate = 1;
  static constexpr std::uint8_t kNumber = 2;
  static constexpr std::uint8_t kText = 3;  // name or place parts
  static constexpr std::uint8_t kNotes = 4;

  std::int32_t fieldId = 0;
  std::int32_t ascending = 1;
  std::uint8_t kind = kPlain;
  std::string option;
};

struct CCustomReportLayout {
  std::string title;
  std::string secondText;
  std::vector<std::unique_ptr<CCustomReportColumn>> columns;
  std::vector<std::unique_ptr<CCustomReportSortKey>> sortKeys;
};
