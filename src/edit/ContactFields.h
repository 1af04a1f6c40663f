#pragma once
// The contact fields of an individual as Contact Information shows them:
// the two street address lines joined into one text.

#include <array>
#include <string>

#include "IndividualRecord.h"

class CIndividualNode;

class CContactFields {
 public:
  // The fields shown, in screen order.
  enum Field { kName, kStreet, kCity, kState, kPostalCode, kCountry, kPhone, kEmail, kHomePage };
  static constexpr int kFieldCount = 9;
  static constexpr int kMaxChars = 256;

  // Reads the individual's fields (all empty without a detail part).
  explicit CContactFields(const CIndividualNode& person);
  CContactFields() = default;

  std::array<std::string, kFieldCount> values;

  // Sets the fields on the in-memory individual; the street address is split
  // back into its two lines.
  void ApplyTo(CIndividualNode& person) const;
};
