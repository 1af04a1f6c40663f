#include "ScrapbookLayout.h"

#include "MultimediaItem.h"

namespace media {

namespace {

Box At(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

}  // namespace

ScrapbookLayout LayOutScrapbook(int width, int height, const ScrapbookSizes& s) {
  ScrapbookLayout l;
  const int u = width / 48;
  const int v = height / 105;
  const int rowBottom = height - 2 * v;
  const int rowTop = rowBottom - s.buttonHeight;
  l.previous = At(u, rowTop, s.buttonWidth, s.buttonHeight);
  l.next = At(width - u - s.buttonWidth, rowTop, s.buttonWidth, s.buttonHeight);
  l.close = At(width / 2 - u / 3 - s.buttonWidth, rowTop, s.buttonWidth, s.buttonHeight);
  l.help = At(width / 2 + u / 3, rowTop, s.buttonWidth, s.buttonHeight);

  const int slotWidth = (width - 6 * u) / 3;
  const int pitch = (rowTop - v) / 2;
  const int frameHeight = pitch - 5 * v - s.descriptionHeight - s.captionHeight;
  for (int k = 0; k < kScrapbookSlots; ++k) {
    const int x = u + (k % 3) * (slotWidth + 2 * u);
    const int y = v + (k / 3) * pitch;
    ScrapbookSlot& slot = l.cells[k];
    slot.caption = At(x, y, slotWidth, s.captionHeight);
    slot.frame = At(x, slot.caption.bottom, slotWidth, frameHeight);
    slot.description = At(x, slot.frame.bottom + v, slotWidth, s.descriptionHeight);
    slot.sound = At(slot.frame.right - u / 3 - s.soundWidth, slot.frame.top + v, s.soundWidth,
                    s.soundHeight);
  }
  return l;
}

std::vector<const CMultimediaItem*> ScrapbookPhotos(
    const std::vector<const CMultimediaItem*>& items) {
  std::vector<const CMultimediaItem*> out;
  for (const CMultimediaItem* item : items)
    if (item && item->kind == CMultimediaItem::kPhoto &&
        (item->flags & CMultimediaItem::kFlagScrapbook) != 0)
      out.push_back(item);
  return out;
}

bool HasPreviousPage(int first) { return first != 0; }

bool HasNextPage(int first, int count) { return count - first > kScrapbookSlots; }

}  // namespace media
