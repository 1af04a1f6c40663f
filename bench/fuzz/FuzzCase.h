#pragma once
// One case of the damaged-file fuzzing: the bytes of a family file are
// opened by the engine in memory, read whole, edited and opened again. A
// case that breaks a promise of the engine (a read that writes, an edit
// that grows the file by more than a block group) aborts, so that both the
// mutation loop and libFuzzer report it as a finding.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

// The bytes of the small family every mutation starts from.
std::vector<std::uint8_t> SeedFamily();
// Runs one case; returns normally when the engine kept its promises.
void RunCase(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
