#pragma once
// The family file's "Prepared by" record (record type 125; always record 1).

#include <string>

#include "DbCodes.h"

class CPreparerRecord {
 public:
  static constexpr int kRecordType = db::kPreparer;
  static constexpr long kRecordNumber = 1;

  std::string givenNames;
  std::string surname;
  std::string address1;
  std::string address2;
  std::string address3;
  std::string unused;  // kept empty
  std::string country;
  std::string phone;
  std::string sbn;  // the preparer's Stirpbank number
  std::string email;
};
