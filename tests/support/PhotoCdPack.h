#pragma once
// Writes a Photo CD image pack in the disc layout for tests: the base
// resolutions below upTo, each in four quadrants of known PhotoYCC values,
// with the second row of every row pair of the top-left quadrant lighter.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "PhotoCd.h"

namespace testpcd {

struct Ycc {
  int y, c1, c2;
};

inline constexpr Ycc kTopLeft{100, 156, 137};        // grey 136
inline constexpr Ycc kTopLeftOddRow{110, 156, 137};  // grey 149
inline constexpr Ycc kTopRight{100, 156, 187};       // (227, 89, 136)
inline constexpr Ycc kBottomLeft{100, 206, 137};     // (136, 114, 247)
inline constexpr Ycc kBottomRight{50, 156, 137};     // grey 68

inline Ycc At(int x, int y, int w, int h) {
  const bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return (y % 2) ? kTopLeftOddRow : kTopLeft;
  if (right && !bottom) return kTopRight;
  return bottom && !right ? kBottomLeft : kBottomRight;
}

inline void WritePack(const std::string& path, int upTo, int orientation = 0) {
  std::vector<char> file(plat::kPcdOrientationOffset + 1, 0);
  std::copy(plat::kPcdSignature, plat::kPcdSignature + 7,
            file.begin() + static_cast<long>(plat::kPcdSignatureOffset));
  file[plat::kPcdOrientationOffset] = static_cast<char>(orientation);
  for (int r = 0; r < upTo; ++r) {
    const plat::PhotoCdBaseInfo base = plat::PhotoCdBase(r);
    std::size_t at = base.firstSector * plat::kPcdSectorSize;
    file.resize(std::max(file.size(), at + plat::PhotoCdImageBytes(r)), 0);
    const int w = base.width, h = base.height;
    for (int y = 0; y < h; y += 2) {
      for (int row = 0; row < 2; ++row)
        for (int x = 0; x < w; ++x) file[at++] = static_cast<char>(At(x, y + row, w, h).y);
      for (int x = 0; x < w; x += 2) file[at++] = static_cast<char>(At(x, y, w, h).c1);
      for (int x = 0; x < w; x += 2) file[at++] = static_cast<char>(At(x, y, w, h).c2);
    }
  }
  std::ofstream(path, std::ios::binary)
      .write(file.data(), static_cast<std::streamsize>(file.size()));
}

}  // namespace testpcd
