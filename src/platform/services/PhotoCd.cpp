#include "PhotoCd.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace plat {

namespace {

constexpr PhotoCdBaseInfo kBases[kPcdBaseCount] = {
    {192, 128, 4},
    {384, 256, 23},
    {768, 512, 96},
};

std::uint8_t Clamp(double v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

PhotoCdBaseInfo PhotoCdBase(int resolution) {
  return kBases[std::clamp(resolution, 0, kPcdBaseCount - 1)];
}

std::size_t PhotoCdImageBytes(int resolution) {
  const PhotoCdBaseInfo base = PhotoCdBase(resolution);
  return static_cast<std::size_t>(base.width) * base.height * 3 / 2;
}

void PhotoYccToRgb(int luma, int chroma1, int chroma2, std::uint8_t* rgbOut) {
  // The PhotoYCC scaling of the disc format (luma 0-255 spans 0-1.402,
  // the chroma channels are offset by 156 and 137).
  const double y = 1.3584 * luma;
  const double c1 = 2.2179 * (chroma1 - 156);
  const double c2 = 1.8215 * (chroma2 - 137);
  rgbOut[0] = Clamp(y + c2);
  rgbOut[1] = Clamp(y - 0.194 * c1 - 0.509 * c2);
  rgbOut[2] = Clamp(y + c1);
}

bool CPhotoCdImage::Open(const std::string& path) {
  Close();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0));
  if (size < kPcdOrientationOffset + 1) return false;
  char header[8] = {};
  in.seekg(static_cast<std::streamoff>(kPcdSignatureOffset));
  in.read(header, 7);
  if (!in || std::memcmp(header, kPcdSignature, 7) != 0) return false;
  in.seekg(static_cast<std::streamoff>(kPcdOrientationOffset));
  const int orientation = in.get();
  if (!in) return false;
  unsigned mask = 0;
  for (int r = 0; r < kPcdBaseCount; ++r)
    if (kBases[r].firstSector * kPcdSectorSize + PhotoCdImageBytes(r) <= size) mask |= 1u << r;
  if (mask == 0) return false;
  path_ = path;
  orientation_ = orientation & 3;
  mask_ = mask;
  open_ = true;
  return true;
}

void CPhotoCdImage::Close() {
  path_.clear();
  open_ = false;
  mask_ = 0;
  orientation_ = 0;
}

bool CPhotoCdImage::Read(int resolution, PhotoCdPicture& out) const {
  if (!open_) return false;
  if (resolution < 0 || resolution >= kPcdBaseCount || !(mask_ & (1u << resolution))) {
    // Higher resolutions are not decoded: the largest base one stands in.
    resolution = -1;
    for (int r = kPcdBaseCount - 1; r >= 0 && resolution < 0; --r)
      if (mask_ & (1u << r)) resolution = r;
  }
  const PhotoCdBaseInfo base = kBases[resolution];
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  std::vector<std::uint8_t> data(PhotoCdImageBytes(resolution));
  in.seekg(static_cast<std::streamoff>(base.firstSector * kPcdSectorSize));
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!in) return false;

  const int w = base.width;
  out.width = w;
  out.height = base.height;
  out.rgb.assign(static_cast<std::size_t>(w) * base.height * 3, 0);
  const std::size_t pairBytes = static_cast<std::size_t>(w) * 3;
  for (int pair = 0; pair < base.height / 2; ++pair) {
    const std::uint8_t* luma0 = data.data() + pair * pairBytes;
    const std::uint8_t* luma1 = luma0 + w;
    const std::uint8_t* chroma1 = luma1 + w;
    const std::uint8_t* chroma2 = chroma1 + w / 2;
    for (int row = 0; row < 2; ++row) {
      const std::uint8_t* luma = row == 0 ? luma0 : luma1;
      std::uint8_t* dest = out.rgb.data() + (static_cast<std::size_t>(pair) * 2 + row) * w * 3;
      for (int x = 0; x < w; ++x)
        PhotoYccToRgb(luma[x], chroma1[x / 2], chroma2[x / 2], dest + x * 3);
    }
  }
  return true;
}

}  // namespace plat
