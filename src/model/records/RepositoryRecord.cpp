#include "RepositoryRecord.h"

void CRepositoryRecord::Clear() {
  name.clear();
  for (std::string& line : address) line.clear();
  phone.clear();
  note.clear();
  numbers[0] = 0;
  numbers[1] = 0;
}

bool CRepositoryRecord::IsSame(const CRepositoryRecord& other) const {
  if (name != other.name || phone != other.phone || note != other.note) return false;
  for (int i = 0; i < 4; ++i) {
    if (address[i] != other.address[i]) return false;
  }
  return true;
}
