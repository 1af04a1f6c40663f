#pragma once
// A reader of Photo CD image packs (.pcd): the three base resolutions that
// the pack stores uncompressed (Base/16 192x128, Base/4 384x256, Base
// 768x512). The higher resolutions are Huffman-coded residuals on top of
// Base; this reader does not decode them, so a request for one reads Base.
//
// Pack layout: 2048-byte sectors; the text "PCD_IPI" at byte 0x800 marks an
// image pack, the low two bits of byte 0xE02 give the picture's orientation
// in quarter turns counter-clockwise. Each base image is stored from its
// first sector as PhotoYCC 4:2:0: for every pair of rows, two rows of luma
// (one byte a pixel), then one row of each chroma channel at half width.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

enum PhotoCdResolution : int {
  kPcdBase16 = 0,  // 192 x 128
  kPcdBase4 = 1,   // 384 x 256
  kPcdBase = 2,    // 768 x 512
  kPcdBaseCount = 3,
};

inline constexpr std::size_t kPcdSectorSize = 2048;
inline constexpr std::size_t kPcdSignatureOffset = 0x800;
inline constexpr std::size_t kPcdOrientationOffset = 0xE02;
inline constexpr char kPcdSignature[] = "PCD_IPI";

// Width, height and first sector of a base resolution.
struct PhotoCdBaseInfo {
  int width;
  int height;
  std::size_t firstSector;
};
PhotoCdBaseInfo PhotoCdBase(int resolution);

// Bytes of one base image in the pack's 4:2:0 form.
std::size_t PhotoCdImageBytes(int resolution);

// One decoded picture: rows top-down, three bytes (red, green, blue) a pixel.
struct PhotoCdPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

class CPhotoCdImage {
 public:
  // Reads the pack's header; false when the file cannot be read or is no
  // image pack.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return open_; }

  // Bit i set: resolution i can be read (the file is long enough for it).
  unsigned ResolutionMask() const { return mask_; }
  // Quarter turns counter-clockwise that show the picture upright.
  int Orientation() const { return orientation_; }

  // Decodes a resolution (one not in the mask reads Base when Base is
  // there). False on a read error.
  bool Read(int resolution, PhotoCdPicture& out) const;

 private:
  std::string path_;
  bool open_ = false;
  unsigned mask_ = 0;
  int orientation_ = 0;
};

// PhotoYCC to RGB for one pixel (luma, two chroma bytes).
void PhotoYccToRgb(int luma, int chroma1, int chroma2, std::uint8_t* rgbOut);

}  // namespace plat
