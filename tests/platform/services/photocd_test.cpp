// The Photo CD reader on image packs written in the disc layout.
#include <gtest/gtest.h>

#include <fstream>

#include "PhotoCd.h"
#include "PhotoCdPack.h"
#include "TempDir.h"

namespace {

using testpcd::WritePack;
using testpcd::Ycc;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb Pixel(const plat::PhotoCdPicture& p, int x, int y) {
  const std::uint8_t* px = p.rgb.data() + (static_cast<std::size_t>(y) * p.width + x) * 3;
  return {px[0], px[1], px[2]};
}

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

}  // namespace

TEST(PhotoYcc, NeutralAndTintedColoursConvertByTheDiscScaling) {
  struct Case {
    Ycc in;
    Rgb out;
  } cases[] = {
      {{100, 156, 137}, {136, 136, 136}},  // neutral: luma x 1.3584
      {{110, 156, 137}, {149, 149, 149}},
      {{100, 156, 187}, {227, 89, 136}},   // second chroma: red up, green down
      {{100, 206, 137}, {136, 114, 247}},  // first chroma: blue up, green down
      {{190, 156, 137}, {255, 255, 255}},  // clamped
      {{0, 0, 255}, {215, 0, 0}},
  };
  for (const Case& c : cases) {
    std::uint8_t rgb[3];
    plat::PhotoYccToRgb(c.in.y, c.in.c1, c.in.c2, rgb);
    EXPECT_EQ((Rgb{rgb[0], rgb[1], rgb[2]}), c.out) << c.in.y << " " << c.in.c1 << " " << c.in.c2;
  }
}

TEST(PhotoCdImage, ReadsEachBaseResolutionFromItsSectors) {
  TempDir dir;
  const std::string path = dir.File("img0001.pcd");
  WritePack(path, plat::kPcdBaseCount);
  plat::CPhotoCdImage pack;
  ASSERT_TRUE(pack.Open(path));
  EXPECT_EQ(pack.ResolutionMask(), 0b111u);
  const struct {
    int resolution, width, height;
  } sizes[] = {
      {plat::kPcdBase16, 192, 128}, {plat::kPcdBase4, 384, 256}, {plat::kPcdBase, 768, 512}};
  for (const auto& s : sizes) {
    SCOPED_TRACE(s.resolution);
    plat::PhotoCdPicture picture;
    ASSERT_TRUE(pack.Read(s.resolution, picture));
    ASSERT_EQ(picture.width, s.width);
    ASSERT_EQ(picture.height, s.height);
    const int w = s.width, h = s.height;
    EXPECT_EQ(Pixel(picture, 0, 0), (Rgb{136, 136, 136}));
    EXPECT_EQ(Pixel(picture, 0, 1), (Rgb{149, 149, 149}));
    EXPECT_EQ(Pixel(picture, w / 2 - 1, h / 2 - 2), (Rgb{136, 136, 136}));
    EXPECT_EQ(Pixel(picture, w / 2, 0), (Rgb{227, 89, 136}));
    EXPECT_EQ(Pixel(picture, w - 1, h / 2 - 1), (Rgb{227, 89, 136}));
    EXPECT_EQ(Pixel(picture, 0, h / 2), (Rgb{136, 114, 247}));
    EXPECT_EQ(Pixel(picture, w / 2 - 1, h - 1), (Rgb{136, 114, 247}));
    EXPECT_EQ(Pixel(picture, w / 2, h / 2), (Rgb{68, 68, 68}));
    EXPECT_EQ(Pixel(picture, w - 1, h - 1), (Rgb{68, 68, 68}));
  }
  // The higher resolutions are not decoded: Base stands in.
  plat::PhotoCdPicture higher;
  ASSERT_TRUE(pack.Read(4, higher));
  EXPECT_EQ(higher.width, 768);
}

TEST(PhotoCdImage, AShortPackOffersOnlyTheResolutionsItHolds) {
  TempDir dir;
  const std::string path = dir.File("short.pcd");
  WritePack(path, 1, 3);
  plat::CPhotoCdImage pack;
  ASSERT_TRUE(pack.Open(path));
  EXPECT_EQ(pack.ResolutionMask(), 0b001u);
  EXPECT_EQ(pack.Orientation(), 3);
  plat::PhotoCdPicture picture;
  ASSERT_TRUE(pack.Read(plat::kPcdBase, picture));
  EXPECT_EQ(picture.width, 192);
  EXPECT_EQ(picture.height, 128);
}

TEST(PhotoCdImage, RefusesFilesThatAreNoImagePack) {
  TempDir dir;
  const std::string noSignature = dir.File("plain.pcd");
  std::ofstream(noSignature, std::ios::binary) << std::string(300000, 'x');
  const std::string tiny = dir.File("tiny.pcd");
  std::ofstream(tiny, std::ios::binary) << "PCD";
  const std::string headerOnly = dir.File("header.pcd");
  WritePack(headerOnly, 0);
  for (const std::string& path : {noSignature, tiny, headerOnly, dir.File("missing.pcd")}) {
    plat::CPhotoCdImage pack;
    EXPECT_FALSE(pack.Open(path)) << path;
    plat::PhotoCdPicture picture;
    EXPECT_FALSE(pack.Read(plat::kPcdBase, picture)) << path;
  }
}
