#include "BTreeIndex.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::uint8_t kBranch = 1;
constexpr std::uint8_t kLeaf = 2;
constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint32_t kMaxPages = 0xFFFF;  // page numbers are 16-bit; 0 is the header

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 8);
  p[1] = static_cast<std::uint8_t>(v);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v >> 16);
  Put16(p + 2, v);
}
std::uint32_t Get16(const std::uint8_t* p) { return (std::uint32_t{p[0]} << 8) | p[1]; }
std::uint32_t Get32(const std::uint8_t* p) { return (Get16(p) << 16) | Get16(p + 2); }

}  // namespace

int CBTreeIndex::Create(const std::string& path, int pageSize, int keyWidth, int valueWidth) {
  Close();
  if (pageSize < static_cast<int>(kHeaderBytes) || pageSize > 0xFFFF || keyWidth <= 0 ||
      valueWidth < 0 || keyWidth > 0xFFFF || valueWidth > 0xFFFF)
    return 0;
  pageSize_ = static_cast<std::size_t>(pageSize);
  keyWidth_ = static_cast<std::size_t>(keyWidth);
  valueWidth_ = static_cast<std::size_t>(valueWidth);
  // Splits and evening out need room for three entries in either kind of page.
  if (!Fits(true, 3) || !Fits(false, 3)) return 0;
  if (file_.Create(path) != plat::kFileOk) return 0;
  buffer_.assign(pageSize_, 0);
  count_ = 0;
  nextPage_ = 1;
  Page* root = NewPage(true);
  root_ = root->number;
  bool ok = WriteHeader() && WritePage(*root);
  EndOp();
  if (!ok) Close();
  return ok ? 1 : 0;
}

int CBTreeIndex::Open(const std::string& path) {
  Close();
  if (file_.Open(path, plat::FileHandle::Access::ReadWrite) != plat::kFileOk) return 0;
  std::uint8_t header[kHeaderBytes];
  if (!file_.ReadAt(0, header, sizeof header)) {
    file_.Close();
    return 0;
  }
  nextPage_ = Get32(header);
  count_ = Get32(header + 4);
  pageSize_ = Get16(header + 8);
  keyWidth_ = Get16(header + 10);
  valueWidth_ = Get16(header + 12);
  root_ = static_cast<std::uint16_t>(Get16(header + 14));
  if (pageSize_ < kHeaderBytes || keyWidth_ == 0 || !Fits(true, 3) || !Fits(false, 3) ||
      root_ == 0 || root_ >= nextPage_ || nextPage_ > kMaxPages + 1) {
    file_.Close();
    return 0;
  }
  buffer_.assign(pageSize_, 0);
  return 1;
}

void CBTreeIndex::Close() {
  if (file_.IsOpen()) {
    // A reader of the file finds every page and the root as they are now.
    for (Page& page : cache_) {
      if (page.dirty) WritePage(page);
    }
    WriteHeader();
    (void)file_.Flush();  // a work file of this run, read through this object only
    file_.Close();
  }
  cache_.clear();
  where_.clear();
  pinned_.clear();
  count_ = 0;
  nextPage_ = 1;
  root_ = 0;
}

bool CBTreeIndex::Fits(bool leaf, int n) const {
  const std::size_t entries = static_cast<std::size_t>(n);
  const std::size_t tail = leaf ? entries * valueWidth_ : 2 * entries + 2;
  return entries * keyWidth_ + tail <= pageSize_ - 3;
}

int CBTreeIndex::Search(const Page& page, const void* key, bool& found) const {
  int lo = 0, hi = page.Count(keyWidth_) - 1;
  found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = std::memcmp(Key(page, mid), key, keyWidth_);
    if (c == 0) {
      found = true;
      return mid;
    }
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return lo;
}

int CBTreeIndex::ChildIndex(const Page& branch, const void* key) const {
  bool found = false;
  int i = Search(branch, key, found);
  return found ? i + 1 : i;  // a key equal to a separator lies to its right
}

bool CBTreeIndex::ReadPage(Page& page) {
  if (!file_.ReadAt(std::uint64_t{page.number} * pageSize_, buffer_.data(), pageSize_))
    return false;
  const std::uint8_t* b = buffer_.data();
  const std::size_t n = Get16(b + 1);
  page.leaf = b[0] == kLeaf;
  if ((b[0] != kLeaf && b[0] != kBranch) || !Fits(page.leaf, static_cast<int>(n))) return false;
  page.keys.assign(b + 3, b + 3 + n * keyWidth_);
  if (page.leaf) {
    page.values.assign(b + pageSize_ - n * valueWidth_, b + pageSize_);
    page.children.clear();
  } else {
    page.values.clear();
    page.children.resize(n + 1);
    const std::uint8_t* c = b + pageSize_ - (2 * n + 2);
    for (std::size_t i = 0; i <= n; ++i)
      page.children[i] = static_cast<std::uint16_t>(Get16(c + 2 * i));
  }
  page.dirty = false;
  return true;
}

bool CBTreeIndex::WritePage(Page& page) {
  std::uint8_t* b = buffer_.data();
  std::memset(b, 0, pageSize_);
  const std::size_t n = page.keys.size() / keyWidth_;
  b[0] = page.leaf ? kLeaf : kBranch;
  Put16(b + 1, static_cast<std::uint32_t>(n));
  // An empty page has no keys: its vectors may hold no storage to copy from.
  if (n > 0) std::memcpy(b + 3, page.keys.data(), page.keys.size());
  if (page.leaf) {
    if (!page.values.empty())
      std::memcpy(b + pageSize_ - page.values.size(), page.values.data(), page.values.size());
  } else {
    std::uint8_t* c = b + pageSize_ - (2 * n + 2);
    for (std::size_t i = 0; i <= n; ++i) Put16(c + 2 * i, page.children[i]);
  }
  if (!file_.WriteAt(std::uint64_t{page.number} * pageSize_, b, pageSize_)) return false;
  page.dirty = false;
  return true;
}

bool CBTreeIndex::WriteHeader() {
  std::uint8_t header[kHeaderBytes] = {};
  Put32(header, nextPage_);
  Put32(header + 4, count_);
  Put16(header + 8, static_cast<std::uint32_t>(pageSize_));
  Put16(header + 10, static_cast<std::uint32_t>(keyWidth_));
  Put16(header + 12, static_cast<std::uint32_t>(valueWidth_));
  Put16(header + 14, root_);
  return file_.WriteAt(0, header, sizeof header);
}

bool CBTreeIndex::Evict() {
  const std::size_t limit = std::max<std::size_t>(cacheBytes_ / pageSize_, 1);
  if (cache_.size() < limit) return true;
  for (auto it = cache_.rbegin(); it != cache_.rend(); ++it) {
    if (it->pins > 0) continue;
    if (it->dirty && !WritePage(*it)) return false;
    where_.erase(it->number);
    cache_.erase(std::next(it).base());
    return true;
  }
  return true;  // every page is in use: the cache grows by one
}

CBTreeIndex::Page* CBTreeIndex::Get(std::uint16_t number) {
  auto found = where_.find(number);
  Page* page = nullptr;
  if (found != where_.end()) {
    cache_.splice(cache_.begin(), cache_, found->second);
    page = &cache_.front();
  } else {
    if (number == 0 || number >= nextPage_ || !Evict()) return nullptr;
    cache_.emplace_front();
    page = &cache_.front();
    page->number = number;
    if (!ReadPage(*page)) {
      cache_.pop_front();
      return nullptr;
    }
    where_[number] = cache_.begin();
  }
  ++page->pins;
  pinned_.push_back(page);
  return page;
}

CBTreeIndex::Page* CBTreeIndex::NewPage(bool leaf) {
  if (nextPage_ > kMaxPages || !Evict()) return nullptr;
  cache_.emplace_front();
  Page* page = &cache_.front();
  page->number = static_cast<std::uint16_t>(nextPage_++);
  page->leaf = leaf;
  page->dirty = true;
  where_[page->number] = cache_.begin();
  ++page->pins;
  pinned_.push_back(page);
  return page;
}

void CBTreeIndex::EndOp() {
  for (Page* page : pinned_) --page->pins;
  pinned_.clear();
}

CBTreeIndex::Page* CBTreeIndex::FindLeaf(const void* key,
                                         std::vector<std::pair<Page*, int>>* path) {
  Page* page = Get(root_);
  while (page != nullptr && !page->leaf) {
    int child = ChildIndex(*page, key);
    if (path) path->emplace_back(page, child);
    page = Get(page->children[static_cast<std::size_t>(child)]);
  }
  return page;
}

int CBTreeIndex::Insert(const void* key, const void* value) {
  if (!file_.IsOpen() || key == nullptr) return 0;
  int answer = 0;
  try {
    std::vector<std::pair<Page*, int>> path;
    Page* page = FindLeaf(key, &path);
    bool found = false;
    // Every level may split and the root may grow: refuse before changing
    // anything when page numbers could run out on the way.
    const int pos = page ? Search(*page, key, found) : 0;
    if (page != nullptr && !found && nextPage_ + path.size() + 1 <= kMaxPages) {
      const auto* k = static_cast<const std::uint8_t*>(key);
      page->keys.insert(page->keys.begin() + static_cast<std::ptrdiff_t>(pos * keyWidth_), k,
                        k + keyWidth_);
      const auto at = page->values.begin() + static_cast<std::ptrdiff_t>(pos * valueWidth_);
      if (value != nullptr) {
        const auto* v = static_cast<const std::uint8_t*>(value);
        page->values.insert(at, v, v + valueWidth_);
      } else {
        page->values.insert(at, valueWidth_, 0);
      }
      page->dirty = true;
      ++count_;
      answer = 1;
      std::size_t level = path.size();
      while (answer == 1 && Full(*page)) {
        if (level == 0) {
          // The root splits under a new root branch.
          Page* root = NewPage(false);
          root->children.push_back(page->number);
          root_ = root->number;
          if (!Split(*page, *root, 0)) answer = 0;
          break;
        }
        auto [parent, b] = path[--level];
        const int n = parent->Count(keyWidth_);
        if (b > 0) {
          Page* left = Get(parent->children[static_cast<std::size_t>(b - 1)]);
          if (left == nullptr) {
            answer = 0;
            break;
          }
          if (EvenOut(*left, *page, *parent, b - 1)) break;
        }
        if (b < n) {
          Page* right = Get(parent->children[static_cast<std::size_t>(b + 1)]);
          if (right == nullptr) {
            answer = 0;
            break;
          }
          if (EvenOut(*page, *right, *parent, b)) break;
        }
        if (!Split(*page, *parent, b)) {
          answer = 0;
          break;
        }
        page = parent;
      }
    }
  } catch (const std::bad_alloc&) {
    answer = 0;
  }
  EndOp();
  return answer;
}

bool CBTreeIndex::EvenOut(Page& left, Page& right, Page& parent, int separator) {
  const int nl = left.Count(keyWidth_), nr = right.Count(keyWidth_);
  const int m = std::abs(nl - nr) / 2;
  const int newLeft = nl < nr ? nl + m : nl - m;
  const int newRight = nl < nr ? nr - m : nr + m;
  if (m == 0 || !Fits(left.leaf, newLeft) || !Fits(right.leaf, newRight)) return false;
  const auto kw = static_cast<std::ptrdiff_t>(keyWidth_);
  const auto vw = static_cast<std::ptrdiff_t>(valueWidth_);
  std::uint8_t* sep = parent.keys.data() + separator * kw;
  if (left.leaf) {
    if (nl < nr) {
      left.keys.insert(left.keys.end(), right.keys.begin(), right.keys.begin() + m * kw);
      right.keys.erase(right.keys.begin(), right.keys.begin() + m * kw);
      left.values.insert(left.values.end(), right.values.begin(), right.values.begin() + m * vw);
      right.values.erase(right.values.begin(), right.values.begin() + m * vw);
    } else {
      right.keys.insert(right.keys.begin(), left.keys.end() - m * kw, left.keys.end());
      left.keys.resize(left.keys.size() - static_cast<std::size_t>(m * kw));
      right.values.insert(right.values.begin(), left.values.end() - m * vw, left.values.end());
      left.values.resize(left.values.size() - static_cast<std::size_t>(m * vw));
    }
    std::memcpy(sep, right.keys.data(), keyWidth_);
  } else if (nl < nr) {
    // The separator comes down to the left, m - 1 keys follow it, the m-th goes up.
    left.keys.insert(left.keys.end(), sep, sep + kw);
    left.keys.insert(left.keys.end(), right.keys.begin(), right.keys.begin() + (m - 1) * kw);
    std::memcpy(sep, right.keys.data() + (m - 1) * kw, keyWidth_);
    right.keys.erase(right.keys.begin(), right.keys.begin() + m * kw);
    left.children.insert(left.children.end(), right.children.begin(), right.children.begin() + m);
    right.children.erase(right.children.begin(), right.children.begin() + m);
  } else {
    std::vector<std::uint8_t> moved(left.keys.end() - (m - 1) * kw, left.keys.end());
    moved.insert(moved.end(), sep, sep + kw);
    right.keys.insert(right.keys.begin(), moved.begin(), moved.end());
    std::memcpy(sep, left.keys.data() + (nl - m) * kw, keyWidth_);
    left.keys.resize(static_cast<std::size_t>(nl - m) * keyWidth_);
    right.children.insert(right.children.begin(), left.children.end() - m, left.children.end());
    left.children.resize(static_cast<std::size_t>(nl - m + 1));
  }
  left.dirty = right.dirty = parent.dirty = true;
  return true;
}

bool CBTreeIndex::Split(Page& page, Page& parent, int b) {
  Page* right = NewPage(page.leaf);
  if (right == nullptr) return false;
  const int n = page.Count(keyWidth_);
  const int d = n / 2;
  const auto kw = static_cast<std::ptrdiff_t>(keyWidth_);
  const auto vw = static_cast<std::ptrdiff_t>(valueWidth_);
  std::vector<std::uint8_t> separator(page.keys.begin() + d * kw, page.keys.begin() + (d + 1) * kw);
  if (page.leaf) {
    // The right page starts with the separator's key: it is copied up.
    right->keys.assign(page.keys.begin() + d * kw, page.keys.end());
    right->values.assign(page.values.begin() + d * vw, page.values.end());
    page.values.resize(static_cast<std::size_t>(d * vw));
  } else {
    // The separator moves up.
    right->keys.assign(page.keys.begin() + (d + 1) * kw, page.keys.end());
    right->children.assign(page.children.begin() + d + 1, page.children.end());
    page.children.resize(static_cast<std::size_t>(d + 1));
  }
  page.keys.resize(static_cast<std::size_t>(d * kw));
  parent.keys.insert(parent.keys.begin() + b * kw, separator.begin(), separator.end());
  parent.children.insert(parent.children.begin() + b + 1, right->number);
  page.dirty = parent.dirty = true;
  return true;
}

int CBTreeIndex::SetValue(const void* key, const void* value) {
  if (!file_.IsOpen() || key == nullptr) return 0;
  int answer = 0;
  if (Page* leaf = FindLeaf(key, nullptr)) {
    bool found = false;
    int i = Search(*leaf, key, found);
    if (found) {
      std::uint8_t* to = leaf->values.data() + static_cast<std::size_t>(i) * valueWidth_;
      if (value != nullptr) {
        std::memcpy(to, value, valueWidth_);
      } else {
        std::memset(to, 0, valueWidth_);
      }
      leaf->dirty = true;
      answer = 1;
    }
  }
  EndOp();
  return answer;
}

int CBTreeIndex::Find(const void* key, void* valueOut) {
  if (!file_.IsOpen() || key == nullptr || valueOut == nullptr) return 0;
  int answer = 0;
  if (Page* leaf = FindLeaf(key, nullptr)) {
    bool found = false;
    int i = Search(*leaf, key, found);
    if (found) {
      std::memcpy(valueOut, leaf->values.data() + static_cast<std::size_t>(i) * valueWidth_,
                  valueWidth_);
      answer = 1;
    }
  }
  EndOp();
  return answer;
}

int CBTreeIndex::Walk(WalkFn fn, void* context) {
  if (!file_.IsOpen() || fn == nullptr) return 0;
  bool ok = true;
  return WalkPage(root_, fn, context, ok);
}

int CBTreeIndex::WalkPage(std::uint16_t number, WalkFn fn, void* context, bool& ok) {
  Page* page = Get(number);
  if (page == nullptr) {
    ok = false;
    EndOp();
    return 0;
  }
  int last = 0;
  if (page->leaf) {
    const int n = page->Count(keyWidth_);
    for (int i = 0; i < n; ++i) {
      last = fn(number, context, Key(*page, i),
                page->values.data() + static_cast<std::size_t>(i) * valueWidth_);
    }
    EndOp();
    return last;
  }
  // The children are copied so that the branch need not stay in the cache.
  std::vector<std::uint16_t> children = page->children;
  EndOp();
  for (std::uint16_t child : children) {
    if (!ok) break;
    last = WalkPage(child, fn, context, ok);
  }
  return last;
}
