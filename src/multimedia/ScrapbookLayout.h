#pragma once
// Where the scrapbook puts its six slots and four buttons on a screen of a
// given size, and which photos a page shows.

#include <vector>

#include "PhotoEdits.h"

class CMultimediaItem;

namespace media {

inline constexpr int kScrapbookSlots = 6;

struct ScrapbookSlot {
  Box caption, frame, description, sound;
};

struct ScrapbookLayout {
  Box previous, next, close, help;
  ScrapbookSlot cells[kScrapbookSlots];
};

// The sizes the layout keeps from the dialog's template.
struct ScrapbookSizes {
  int buttonWidth = 0, buttonHeight = 0;  // previous, next, Close, Help
  int captionHeight = 0;                  // c
  int descriptionHeight = 0;              // e
  int soundWidth = 0, soundHeight = 0;
};

// The layout on a client area of width x height.
ScrapbookLayout LayOutScrapbook(int width, int height, const ScrapbookSizes& sizes);

// The scrapbook photos (photos marked for it), in collection order.
std::vector<const CMultimediaItem*> ScrapbookPhotos(
    const std::vector<const CMultimediaItem*>& items);
// Whether the previous and next page buttons are enabled on the page that
// starts at first, of count photos.
bool HasPreviousPage(int first);
bool HasNextPage(int first, int count);

}  // namespace media
