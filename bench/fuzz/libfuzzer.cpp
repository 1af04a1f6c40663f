// libFuzzer entry: each input is the bytes of a family file. Start it with
// a corpus holding the seed family (engine_fuzz --write-seed <file>).
#include <cstddef>
#include <cstdint>

#include "FuzzCase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RunCase(data, size);
  return 0;
}
