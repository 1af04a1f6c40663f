#pragma once
// The entries of a file's identifiers during an import, found by the
// identifier. An import of a large file looks identifiers up about ten times
// per record, each in a table far larger than the processor's caches: the
// identifiers are hashed into one flat array of slots, each holding part of
// the hash and the entry's place, so that a look-up reads one slot and one
// entry. Entries stay where they are while others are added (references
// to them are held across additions), and are visited in the order added.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace gedcom {

template <class T>
class XrefTable {
 public:
  using Entry = std::pair<const std::string, T>;

  // Room for n entries without growing the slots.
  void reserve(std::size_t n) {
    if (Crowded(n)) Rehash(n * 5 / 3 + 1);
  }

  // The entry of key; nullptr when there is none.
  Entry* find(std::string_view key) {
    if (slots_.empty()) return nullptr;
    const std::uint64_t slot = slots_[SlotOf(key, Hash(key))];
    return slot == 0 ? nullptr : &entries_[PlaceOf(slot)];
  }
  const Entry* find(std::string_view key) const { return const_cast<XrefTable*>(this)->find(key); }

  // The entry of key, added (with a default value) when there is none;
  // true when it was added.
  std::pair<Entry*, bool> try_emplace(const std::string& key) {
    if (Crowded(entries_.size() + 1)) Rehash(slots_.size() * 2);
    const std::size_t hash = Hash(key);
    const std::size_t at = SlotOf(key, hash);
    if (slots_[at] != 0) return {&entries_[PlaceOf(slots_[at])], false};
    entries_.emplace_back(std::piecewise_construct, std::forward_as_tuple(key),
                          std::forward_as_tuple());
    slots_[at] = Slot(hash, entries_.size() - 1);
    return {&entries_.back(), true};
  }
  T& operator[](const std::string& key) { return try_emplace(key).first->second; }

  std::size_t size() const { return entries_.size(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  static std::size_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }
  // The slot that holds key, or the empty slot where it goes.
  std::size_t SlotOf(std::string_view key, std::size_t hash) const {
    std::size_t at = hash & mask_;
    for (; slots_[at] != 0; at = (at + 1) & mask_)
      if (TagOf(slots_[at]) == Tag(hash) && entries_[PlaceOf(slots_[at])].first == key) break;
    return at;
  }
  // Slots are kept at most 60% full, so that a probe ends soon.
  bool Crowded(std::size_t entries) const { return entries * 5 > slots_.size() * 3; }
  // A slot: the hash's high half above the entry's place + 1 (0: empty).
  static std::uint32_t Tag(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
  static std::uint32_t TagOf(std::uint64_t slot) { return static_cast<std::uint32_t>(slot >> 32); }
  static std::size_t PlaceOf(std::uint64_t slot) { return static_cast<std::uint32_t>(slot) - 1; }
  static std::uint64_t Slot(std::size_t hash, std::size_t place) {
    return (std::uint64_t{Tag(hash)} << 32) | (static_cast<std::uint64_t>(place) + 1);
  }

  // Slots for at least wanted, a power of two, every entry hashed in again.
  void Rehash(std::size_t wanted) {
    std::size_t count = 64;
    while (count < wanted) count *= 2;
    slots_.assign(count, 0);
    mask_ = count - 1;
    for (std::size_t place = 0; place < entries_.size(); ++place) {
      const std::size_t hash = Hash(entries_[place].first);
      std::size_t at = hash & mask_;
      while (slots_[at] != 0) at = (at + 1) & mask_;
      slots_[at] = Slot(hash, place);
    }
  }

  std::deque<Entry> entries_;
  std::vector<std::uint64_t> slots_;
  std::size_t mask_ = 0;
};

}  // namespace gedcom
