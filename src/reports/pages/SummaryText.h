#pragma once
// Small text helpers the summary pages share: names fitted with the report
// device's current font, and a place written from its non-empty parts.

#include <string>
#include <string_view>

#include "ReportDevice.h"
#include "TextMeasure.h"

namespace rpt {

// Measures with the font selected on a report device.
class DeviceTextMeasure : public plat::TextMeasure {
 public:
  explicit DeviceTextMeasure(ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_->GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return dc_->GetTextExtent("x").cx; }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice* dc_;
};

// The non-empty parts of a place, most particular first, joined by ", ".
inline std::string JoinPlaceParts(const std::string (&parts)[4]) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += ", ";
    out += part;
  }
  return out;
}

}  // namespace rpt
