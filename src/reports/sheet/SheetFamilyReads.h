#pragma once
// What the sheet and its pages read of the open family file: the display
// name of the starting person, an individual's marriages, and the couple
// source of the Family Group page.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FamilyGroupPageOptions.h"

namespace plat {
class TextMeasure;
}

namespace rpt {

// The name of live individual rin (given names first; with the identifier
// display 1 "-RIN" follows); false when it cannot be read.
bool ReadIndividualName(std::int32_t rin, int identifierDisplay, std::string& name);
// The person's name of the Titles dialog: the name of rin fitted to a
// width of 480 (measured with dc when given), with the record identifier
// only while the identifier display is on and the page's suppress-RIN check
// is clear; empty when rin cannot be read.
std::string TitlePersonName(std::int32_t rin, int identifierDisplay, bool suppressRinChecked,
                            const plat::TextMeasure* dc = nullptr);
std::vector<std::int32_t> MarriagesOf(std::int32_t rin);
// The first and last live MRIN (marriages) or RIN; 0 and 0 when none.
void LiveNumberRange(bool marriages, std::int32_t& low, std::int32_t& high);

class DbCoupleSource : public CoupleSource {
 public:
  explicit DbCoupleSource(int identifierDisplay) : display_(identifierDisplay) {}

  // The "Marriages for" dialog and the warning box (the defaults pick none
  // and show a plain warning).
  std::function<std::int32_t(std::int32_t, const std::vector<std::int32_t>&)> pick;

  bool ReadPerson(std::int32_t rin, Person& out) override;
  bool ReadMarriage(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) override;
  std::string SpouseName(std::int32_t rin) override;
  std::int32_t PickMarriage(std::int32_t rin, const std::vector<std::int32_t>& marriages) override;
  void Warn(const std::string& text) override;

 private:
  int display_;
};

}  // namespace rpt
