#pragma once
// The arithmetic of the Edit Photo dialog: quarter turns and flips, crop
// margins typed in inches or drawn with the mouse on the turned and flipped
// preview (stored as margins of the file as it lies), and the size texts.

#include <string>

namespace media {

// Crop margins in pixels (or hundredths of an inch).
struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Margins&) const = default;
};

// A rectangle as left, top, right, bottom (right and bottom exclusive).
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Rotate: the next quarter turn (3 back to 0).
int NextRotation(int rotation);
// Flip (top to bottom) and Reverse (left to right) on a flip mode 0-3.
int FlipAfterFlip(int flip);
int FlipAfterReverse(int flip);

// A stored crop fits a width x height picture when the opposite margins
// leave at least one pixel: left + right <= width - 1, top + bottom <=
// height - 1.
bool CropFits(const Margins& crop, int width, int height);

// Whether typed margins (hundredths) may be applied along one axis: their
// sum below the uncropped size - 1.
bool CropAxisAllowed(int first, int second, int uncropped);

// Drags smaller than this (either side, pixels) are ignored.
inline constexpr int kMinimumDrag = 6;

// The margins of the picture file that a drag S on the displayed picture D
// adds, for a picture of fileWidth x fileHeight pixels already cropped by
// crop and shown turned by rotation and flipped by flip. False (nothing to
// add) for a drag under kMinimumDrag pixels.
bool DragToFileMargins(const Box& displayed, const Box& drag, int fileWidth, int fileHeight,
                       const Margins& crop, int rotation, int flip, Margins& added);

// Pixels and hundredths of an inch at dpi dots per inch, rounded.
int PixelsToHundredths(int pixels, double dpi);
int HundredthsToPixels(int hundredths, double dpi);

// "Original Size": hundredths as inches, "%d" when whole, else "%.3f"
// without trailing zeros, followed by a double quote.
std::string InchesText(int hundredths);

}  // namespace media
