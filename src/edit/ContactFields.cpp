#include "ContactFields.h"

#include "IndividualNode.h"
#include "ParentLinks.h"

namespace {

using Rec = CIndividualRecord;
// The stored field of each shown field but the street address.
constexpr int kStored[CContactFields::kFieldCount] = {Rec::kContactName,       -1,
                                                      Rec::kContactCity,       Rec::kContactState,
                                                      Rec::kContactPostalCode, Rec::kContactCountry,
                                                      Rec::kContactPhone,      Rec::kContactEmail,
                                                      Rec::kContactHomePage};

}  // namespace

CContactFields::CContactFields(const CIndividualNode& person) {
  for (int i = 0; i < kFieldCount; ++i)
    if (kStored[i] >= 0) person.GetContact(kStored[i], values[i]);
  std::string line1, line2;
  person.GetContact(Rec::kContactAddress1, line1);
  person.GetContact(Rec::kContactAddress2, line2);
  values[kStreet] = JoinStreetAddress(line1, line2);
}

void CContactFields::ApplyTo(CIndividualNode& person) const {
  person.SetContact(Rec::kContactName, values[kName]);
  std::string line1, line2;
  SplitStreetAddress(values[kStreet], line1, line2);
  person.SetContact(Rec::kContactAddress1, line1);
  person.SetContact(Rec::kContactAddress2, line2);
  for (int i = kCity; i < kFieldCount; ++i) person.SetContact(kStored[i], values[i]);
}
