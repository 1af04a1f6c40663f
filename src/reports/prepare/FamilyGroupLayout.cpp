#include "FamilyGroupLayout.h"

#include <algorithm>

namespace rpt {

FamilyGroupRows FamilyGroupRowsOf(int layout) {
  switch (layout) {
    case 1:
      return {200, 165};
    case 2:
      return {185, 138};
    default:
      return {240, 210};
  }
}

int FamilyGroupPhotoHeight(const FamilyGroupRows& rows, int chosenHeight) {
  const int height = chosenHeight > 0 ? chosenHeight : rows.heading + 6 * rows.row;
  return std::min(height, 10 * rows.row);
}

namespace {

class RecordLayout {
 public:
  RecordLayout(const FamilyGroupRecordShape& shape, const FamilyGroupPageSetup& setup,
               std::int32_t firstPage)
      : shape_(shape), s_(setup), H_(setup.rows.heading), R_(std::max(1, setup.rows.row)) {
    page_ = firstPage;
    NewEntry(kFamilyPage, 0, 0);
  }

  FamilyGroupRecordPages Run() {
    if (shape_.preparedBy) y_ += 3 * R_ + (shape_.legend ? R_ : 0);
    Spouse(shape_.husbandHeight, 0);
    Spouse(shape_.wifeHeight, 1);
    if (!shape_.children.empty()) Children();
    return {std::move(entries_), y_};
  }

 private:
  void NewEntry(int kind, int start, int lineOffset) {
    FamilyGroupPageEntry entry;
    entry.key = shape_.key;
    entry.page = page_++;
    entry.pageInRecord = static_cast<std::int32_t>(entries_.size()) + 1;
    entry.kind = kind;
    entry.start = start;
    entry.lineOffset = lineOffset;
    entries_.push_back(entry);
  }

  // One spouse block (index 0 husband, 1 wife) of height v.
  void Spouse(int v, int index) {
    const int body = s_.bodyHeight;
    if (body - y_ >= v) {
      y_ += v;
      return;
    }
    const int rows = std::max(0, (v - H_) / R_);
    int printed = -1;
    if (v != H_ + s_.photoHeight) {
      const int n = (body - H_ - y_) / R_;
      if (n >= (index == 0 ? 7 : 6)) printed = std::min(n, rows);
    }
    if (printed < 0) {
      NewEntry(kFamilyPage, index + 1, 0);
      y_ = index == 1 ? H_ : 0;
      if (body - y_ >= v) {
        y_ += v;
        return;
      }
      printed = std::max(0, (body - H_ - y_) / R_);
    }
    // Continuation pages open with one heading row per spouse so far.
    const int headings = (1 + index) * H_;
    const int perPage = std::max(1, (body - headings) / R_);
    while (printed < rows) {
      NewEntry(kFamilyPage, index + 1, printed);
      const int here = std::min(perPage, rows - printed);
      printed += here;
      y_ = headings + here * R_;
    }
  }

  int Height(const FamilyGroupChild& child) const { return H_ + child.rows * R_; }

  // A child with a photo (or room kept for one) is kept whole, at least
  // as tall as the photo.
  bool Whole(const FamilyGroupChild& child) const { return s_.photos && child.photo; }
  int WholeHeight(const FamilyGroupChild& child) const {
    return std::max(Height(child), s_.photoHeight);
  }

  // Places children from index first (0-based) below y; answers how many
  // children are on the page, a continued one included. split_ tells
  // whether the last of them goes on past the page.
  int FitChildren(int first) {
    const int body = s_.bodyHeight;
    int minimum = H_ + 3 * R_;
    if (s_.photos && s_.reservePhoto) minimum = std::max(minimum, s_.photoHeight);
    int count = 0;
    int index = first;
    continued_ = remainder_ > 0;
    if (remainder_ > 0) {
      if (y_ + (remainder_ + 1) * R_ <= body) {
        y_ += (remainder_ + 1) * R_;
      } else {
        int placed = 0;
        while (placed < remainder_ && y_ + R_ <= body) {
          y_ += R_;
          ++placed;
        }
        remainder_ -= std::max(placed, 1);
        if (remainder_ > 0) {
          split_ = true;
          return 1;
        }
      }
      remainder_ = 0;
      ++count;
      ++index;
    }
    split_ = false;
    const bool freshPage = count == 0;
    while (index < static_cast<int>(shape_.children.size()) && y_ <= body - minimum) {
      const FamilyGroupChild& child = shape_.children[index];
      const bool whole = Whole(child);
      const int height = whole ? WholeHeight(child) : Height(child);
      if (y_ + height > body) {
        // A whole child waits for the next page, unless even a page of its
        // own is too short: then it is split like any other.
        if (whole && !(count == 0 && freshPage && onFreshPage_)) return count;
        const int fits = (body - H_ - y_) / R_;
        int rest = child.rows - std::max(0, fits);
        if (child.hasSpouseRows) rest = std::max(rest, 2);
        rest = std::min(rest, child.rows);
        remainder_ = rest;
        split_ = true;
        y_ = body;
        return count + 1;
      }
      y_ += height;
      ++count;
      ++index;
    }
    return count;
  }

  // The direct-line child is marked on the page where it begins.
  void MarkDirect(int firstIndex, int count) {
    if (continued_) {
      ++firstIndex;
      --count;
    }
    const int direct = shape_.directChild;
    if (direct >= firstIndex + 1 && direct <= firstIndex + count)
      entries_.back().directChild = direct;
  }

  void Children() {
    y_ += H_;
    const int total = static_cast<int>(shape_.children.size());
    onFreshPage_ = false;
    int first = 0;
    int k = FitChildren(first);
    MarkDirect(first, k);
    int next = first + k - (split_ ? 1 : 0);
    while (next < total || remainder_ > 0) {
      NewEntry(kChildrenPage, next + 1, remainder_ > 0 ? RowsDone(next) : 0);
      y_ = 3 * H_ + R_;
      onFreshPage_ = true;
      k = FitChildren(next);
      if (k == 0) break;  // a page too short for any child
      MarkDirect(next, k);
      next += k - (split_ ? 1 : 0);
    }
  }

  // Rows of child index already printed when it continues.
  int RowsDone(int index) const { return shape_.children[index].rows - remainder_; }

  const FamilyGroupRecordShape& shape_;
  const FamilyGroupPageSetup& s_;
  const int H_;
  const int R_;
  std::int32_t page_ = 1;
  int y_ = 0;
  int remainder_ = 0;
  bool split_ = false;
  bool onFreshPage_ = false;
  bool continued_ = false;
  std::vector<FamilyGroupPageEntry> entries_;
};

}  // namespace

FamilyGroupRecordPages LayoutFamilyGroupRecord(const FamilyGroupRecordShape& shape,
                                               const FamilyGroupPageSetup& setup,
                                               std::int32_t firstPage) {
  return RecordLayout(shape, setup, firstPage).Run();
}

}  // namespace rpt
