#include "ListPager.h"

#include <algorithm>

#include "DbCodes.h"

CListPager::CListPager(CListKeySource& source, int pageSize, int pageStep)
    : source_(source), pageSize_(pageSize), pageStep_(pageStep) {}

void CListPager::SetRange(std::int32_t first, std::int32_t last) {
  first_ = first;
  last_ = last;
}

std::int32_t CListPager::FirstKey() const {
  if (filtered_) return members_.empty() ? 0 : members_.front();
  return first_;
}

std::int32_t CListPager::LastKey() const {
  if (filtered_) return members_.empty() ? 0 : members_.back();
  return last_;
}

void CListPager::SetFilter(std::vector<std::int32_t> memberKeys) {
  std::sort(memberKeys.begin(), memberKeys.end());
  memberKeys.erase(std::unique(memberKeys.begin(), memberKeys.end()), memberKeys.end());
  members_ = std::move(memberKeys);
  filtered_ = true;
}

void CListPager::ClearFilter() {
  filtered_ = false;
  members_.clear();
}

int CListPager::MemberIndex(std::int32_t key) const {
  return static_cast<int>(std::lower_bound(members_.begin(), members_.end(), key) -
                          members_.begin());
}

int CListPager::TopIndex() const {
  return filtered_ && !keys_.empty() ? MemberIndex(keys_.front()) : 0;
}

// ---- walks ------------------------------------------------------------------

std::int32_t CListPager::AtOrAfter(std::int32_t key) const {
  if (filtered_) {
    auto it = std::lower_bound(members_.begin(), members_.end(), key);
    return it == members_.end() ? 0 : *it;
  }
  const std::int32_t k = source_.Walk(std::max(key, first_), db::kWalkNextOrSame);
  return k > last_ ? 0 : k;
}

std::int32_t CListPager::AtOrBefore(std::int32_t key) const {
  if (filtered_) {
    auto it = std::upper_bound(members_.begin(), members_.end(), key);
    return it == members_.begin() ? 0 : *(it - 1);
  }
  if (key < first_) return 0;
  const std::int32_t k = source_.Walk(std::min(key, last_), db::kWalkPreviousOrSame);
  return k < first_ ? 0 : k;
}

std::int32_t CListPager::Next(std::int32_t key) const {
  if (filtered_) {
    auto it = std::upper_bound(members_.begin(), members_.end(), key);
    return it == members_.end() ? 0 : *it;
  }
  if (key >= last_) return 0;
  const std::int32_t k = source_.Walk(key, db::kWalkNext);
  return k > last_ ? 0 : k;
}

std::int32_t CListPager::Previous(std::int32_t key) const {
  if (filtered_) {
    auto it = std::lower_bound(members_.begin(), members_.end(), key);
    return it == members_.begin() ? 0 : *(it - 1);
  }
  if (key <= first_) return 0;
  const std::int32_t k = source_.Walk(key, db::kWalkPrevious);
  return k < first_ ? 0 : k;
}

std::int32_t CListPager::Move(std::int32_t key, int delta) const {
  if (filtered_) {
    if (members_.empty()) return 0;
    const int index = std::clamp(MemberIndex(NearestMember(key)) + delta, 0,
                                 static_cast<int>(members_.size()) - 1);
    return members_[static_cast<std::size_t>(index)];
  }
  const std::int64_t moved = static_cast<std::int64_t>(key) + delta;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(moved, first_, last_));
}

std::int32_t CListPager::NearestMember(std::int32_t key) const {
  if (members_.empty()) return 0;
  auto it = std::lower_bound(members_.begin(), members_.end(), key);
  return it != members_.end() ? *it : members_.back();
}

// ---- the page ---------------------------------------------------------------

void CListPager::Select(int index) {
  if (index >= 0 && index < static_cast<int>(keys_.size())) {
    selected_ = index;
    current_ = keys_[static_cast<std::size_t>(index)];
  } else {
    selected_ = -1;
  }
}

int CListPager::LineOf(std::int32_t key) const {
  auto it = std::find(keys_.begin(), keys_.end(), key);
  return it == keys_.end() ? -1 : static_cast<int>(it - keys_.begin());
}

void CListPager::SetCurrentKey(std::int32_t key) {
  current_ = key;
  Reselect();
}

void CListPager::Reselect() { selected_ = LineOf(current_); }

void CListPager::FillForward(std::int32_t key) {
  keys_.clear();
  for (std::int32_t k = AtOrAfter(key); k != 0 && static_cast<int>(keys_.size()) < pageSize_;
       k = Next(k))
    keys_.push_back(k);
  std::int32_t k = keys_.empty() ? AtOrBefore(key) : Previous(keys_.front());
  for (; k != 0 && static_cast<int>(keys_.size()) < pageSize_; k = Previous(k))
    keys_.insert(keys_.begin(), k);
  Reselect();
}

void CListPager::FillBackward(std::int32_t key) {
  keys_.clear();
  for (std::int32_t k = AtOrBefore(key); k != 0 && static_cast<int>(keys_.size()) < pageSize_;
       k = Previous(k))
    keys_.insert(keys_.begin(), k);
  std::int32_t k = keys_.empty() ? AtOrAfter(key) : Next(keys_.back());
  for (; k != 0 && static_cast<int>(keys_.size()) < pageSize_; k = Next(k)) keys_.push_back(k);
  Reselect();
}

bool CListPager::LineDown() {
  if (keys_.empty()) return false;
  const std::int32_t k = Next(keys_.back());
  if (k == 0) return false;
  if (static_cast<int>(keys_.size()) >= pageSize_) keys_.erase(keys_.begin());
  keys_.push_back(k);
  Reselect();
  return true;
}

bool CListPager::LineUp() {
  if (keys_.empty()) return false;
  const std::int32_t k = Previous(keys_.front());
  if (k == 0) return false;
  if (static_cast<int>(keys_.size()) >= pageSize_) keys_.pop_back();
  keys_.insert(keys_.begin(), k);
  Reselect();
  return true;
}

int CListPager::ScrollLines(int n) {
  int done = 0;
  for (; n > 0 && LineDown(); --n) ++done;
  for (; n < 0 && LineUp(); ++n) ++done;
  return done;
}

bool CListPager::AtFirst() const { return keys_.empty() || Previous(keys_.front()) == 0; }

bool CListPager::AtLast() const { return keys_.empty() || Next(keys_.back()) == 0; }

// ---- positioning ------------------------------------------------------------

std::int32_t CListPager::TopFor(std::int32_t target, bool centre) const {
  const int back = centre ? pageSize_ / 2 : std::max(selected_, 0);
  if (filtered_) {
    if (members_.empty()) return 0;
    const int index = std::max(MemberIndex(NearestMember(target)) - back, 0);
    return members_[static_cast<std::size_t>(index)];
  }
  if (!centre && selected_ < 0) return keys_.empty() ? first_ : keys_.front();
  return static_cast<std::int32_t>(
      std::max<std::int64_t>(static_cast<std::int64_t>(target) - back, first_));
}

void CListPager::ShowKey(std::int32_t target, bool centre) {
  const std::int32_t top = TopFor(target, centre);
  current_ = target;
  FillForward(top);
}

// ---- the scroll bar ---------------------------------------------------------

std::int32_t CListPager::Total() const {
  if (filtered_) return static_cast<std::int32_t>(members_.size());
  return last_ >= first_ ? last_ - first_ + 1 : 0;
}

CListPager::ScrollBar CListPager::Scroll() const {
  ScrollBar bar;
  const std::int32_t total = Total();
  bar.scale = total / kScrollLimit + 1;
  if (filtered_) {
    bar.minimum = 0;
    bar.maximum = std::max((total - pageStep_ - 1) / bar.scale, 0);
  } else {
    bar.minimum = first_ / bar.scale;
    bar.maximum = std::max((last_ - pageStep_) / bar.scale, bar.minimum);
  }
  const bool small = filtered_ ? total <= pageSize_ : last_ - first_ < pageSize_;
  if (small) {
    bar.position = bar.minimum;
  } else if (AtFirst()) {
    bar.position = bar.minimum;
    bar.downEnabled = true;
  } else if (AtLast()) {
    bar.position = bar.maximum;
    bar.upEnabled = true;
  } else {
    bar.position = (filtered_ ? TopIndex() : keys_.front()) / bar.scale;
    bar.upEnabled = bar.downEnabled = true;
  }
  return bar;
}

void CListPager::ThumbTo(int position) {
  const ScrollBar bar = Scroll();
  if (position <= bar.minimum) {
    if (!AtFirst()) FillForward(FirstKey());
  } else if (position >= bar.maximum) {
    if (!AtLast()) FillBackward(LastKey());
  } else if (position != bar.position) {
    const std::int64_t at = static_cast<std::int64_t>(position) * bar.scale;
    if (filtered_) {
      const auto size = static_cast<std::int64_t>(members_.size());
      if (at > size - pageSize_)
        FillBackward(LastKey());
      else
        FillForward(members_[static_cast<std::size_t>(at)]);
    } else {
      const std::int64_t key = std::max<std::int64_t>(at, first_);
      if (last_ - key < pageSize_)
        FillBackward(last_);
      else
        FillForward(static_cast<std::int32_t>(key));
    }
  }
  Reselect();
}

// ---- keys -------------------------------------------------------------------

bool CListPager::HandleKey(Key key) {
  const int lastLine = static_cast<int>(keys_.size()) - 1;
  const bool atTop = selected_ == 0 && AtFirst();
  const bool atBottom = selected_ == lastLine && AtLast();
  const bool up = key == Key::PageUp || key == Key::Home || key == Key::Up;
  if (keys_.empty() || (up && atTop) || (!up && atBottom)) return false;
  switch (key) {
    case Key::Home:
      FillForward(FirstKey());
      Select(0);
      return true;
    case Key::End:
      FillBackward(LastKey());
      Select(static_cast<int>(keys_.size()) - 1);
      return true;
    case Key::PageUp:
    case Key::PageDown: {
      const int dir = key == Key::PageUp ? -1 : 1;
      if (selected_ >= 0) {
        const int index = selected_;
        const int scrolled = ScrollLines(dir * pageStep_);
        const int moved = index + dir * (pageStep_ - scrolled);
        Select(std::clamp(moved, 0, static_cast<int>(keys_.size()) - 1));
        return true;
      }
      const std::int32_t target = Move(current_, dir * pageStep_);
      current_ = dir < 0 ? (AtOrBefore(target) ? AtOrBefore(target) : AtOrAfter(target))
                         : (AtOrAfter(target) ? AtOrAfter(target) : AtOrBefore(target));
      if (dir < 0)
        FillBackward(current_);
      else
        FillForward(current_);
      return true;
    }
    case Key::Up:
    case Key::Down: {
      const int dir = key == Key::Up ? -1 : 1;
      if (selected_ >= 0) {
        const int next = selected_ + dir;
        if (next >= 0 && next <= lastLine) {
          Select(next);
          return true;
        }
        if (!(dir < 0 ? LineUp() : LineDown())) return false;
        Select(dir < 0 ? 0 : static_cast<int>(keys_.size()) - 1);
        return true;
      }
      const std::int32_t target = Move(current_, dir);
      current_ = dir < 0 ? (AtOrBefore(target) ? AtOrBefore(target) : AtOrAfter(target))
                         : (AtOrAfter(target) ? AtOrAfter(target) : AtOrBefore(target));
      if (dir < 0)
        FillBackward(current_);
      else
        FillForward(current_);
      return true;
    }
  }
  return false;
}
