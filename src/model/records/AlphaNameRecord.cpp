#include "AlphaNameRecord.h"

void CAlphaNameRecord::Reset() {
  rin = -1;
  secondNumber = -1;
}
