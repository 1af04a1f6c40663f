#include "EditEnvironment.h"

CEditEnvironment& EditEnvironment() {
  static CEditEnvironment environment;
  return environment;
}

void CEditEnvironment::LoadDittoLists() {
  places.Load("Places");
  dates.Load("Dates");
  givenNames.Load("GivenNames");
  surnames.Load("Surnames");
}

void CEditEnvironment::SaveDittoLists() {
  places.Save("Places");
  dates.Save("Dates");
  givenNames.Save("GivenNames");
  surnames.Save("Surnames");
}
