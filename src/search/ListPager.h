#pragma once
// The paging of the record lists: a page of a few lines over keys in one
// order (RINs, name-index positions, MRINs), read one record at a time so
// that a file of any size pages at once, a scroll bar scaled to stay within
// 32767 positions, the list's keys, and the positioning on a target key.
//
// With a filter ("show results only") the page runs over the member keys
// only: the model holds them in list order and scrolls by their index.

#include <cstdint>
#include <vector>

// Where the keys of a list come from.
class CListKeySource {
 public:
  virtual ~CListKeySource() = default;
  // The key found from key by a walk mode (db::WalkMode), or 0.
  virtual std::int32_t Walk(std::int32_t key, int mode) = 0;
};

class CListPager {
 public:
  static constexpr int kScrollLimit = 32767;

  // The keys the list box reacts to.
  enum class Key { PageUp, PageDown, Home, End, Up, Down };

  // The scroll bar as the page leaves it.
  struct ScrollBar {
    std::int32_t scale = 1;
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    bool upEnabled = false;
    bool downEnabled = false;
  };

  // pageSize lines a page; pageStep the lines Page Up and Page Down move,
  // which the scroll bar's maximum also holds back from the last key.
  CListPager(CListKeySource& source, int pageSize, int pageStep);

  // The key range; the scale follows. An unfiltered pager only.
  void SetRange(std::int32_t first, std::int32_t last);
  std::int32_t FirstKey() const;
  std::int32_t LastKey() const;
  // Members in list order (sorted keys): the page runs over them alone.
  void SetFilter(std::vector<std::int32_t> memberKeys);
  void ClearFilter();
  bool Filtered() const { return filtered_; }
  const std::vector<std::int32_t>& Members() const { return members_; }
  // The top line's index among the members.
  int TopIndex() const;

  // The page: at most PageSize() lines.
  int PageSize() const { return pageSize_; }
  const std::vector<std::int32_t>& Keys() const { return keys_; }
  int Selected() const { return selected_; }
  std::int32_t CurrentKey() const { return current_; }
  // Selects a line (-1 none); the current key follows a line.
  void Select(int index);
  // The line of key, or -1.
  int LineOf(std::int32_t key) const;
  // Sets the current key; its line is selected when on the page.
  void SetCurrentKey(std::int32_t key);

  // Fills the page from the key at or after key forward, then before the
  // first line when short.
  void FillForward(std::int32_t key);
  // Mirrored: at or before key backward, then after the last line.
  void FillBackward(std::int32_t key);
  // Scroll by one line; false at the range's end.
  bool LineDown();
  bool LineUp();
  // Scrolls up to n lines (negative up); the lines scrolled.
  int ScrollLines(int n);

  // The top of the page for a target: centred (target less half a page)
  // or keeping the selection's place; not before the first key. Filtered,
  // the nearest member and a step back over members.
  std::int32_t TopFor(std::int32_t target, bool centre) const;
  // Fills the page from TopFor(target) and selects target's line.
  void ShowKey(std::int32_t target, bool centre);
  // The nearest member at or after key, else before it; 0 without members.
  std::int32_t NearestMember(std::int32_t key) const;

  ScrollBar Scroll() const;
  // A thumb position from the scroll bar.
  void ThumbTo(int position);
  // A key of the list; false when it did nothing.
  bool HandleKey(Key key);

  // The page starts at the first key / ends at the last key.
  bool AtFirst() const;
  bool AtLast() const;
  // The key before / after key in the list's order (members when
  // filtered); 0 at the range's end.
  std::int32_t PreviousKey(std::int32_t key) const { return Previous(key); }
  std::int32_t NextKey(std::int32_t key) const { return Next(key); }

 private:
  // Walks honouring the filter.
  std::int32_t AtOrAfter(std::int32_t key) const;
  std::int32_t AtOrBefore(std::int32_t key) const;
  std::int32_t Next(std::int32_t key) const;
  std::int32_t Previous(std::int32_t key) const;
  // key moved by delta keys (members when filtered), kept in the range.
  std::int32_t Move(std::int32_t key, int delta) const;
  int MemberIndex(std::int32_t key) const;
  std::int32_t Total() const;
  void Reselect();

  CListKeySource& source_;
  int pageSize_;
  int pageStep_;
  std::int32_t first_ = 0;
  std::int32_t last_ = 0;
  bool filtered_ = false;
  std::vector<std::int32_t> members_;
  std::vector<std::int32_t> keys_;
  int selected_ = -1;
  std::int32_t current_ = 0;
};
