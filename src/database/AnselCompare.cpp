#include "AnselCompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>

#include "Ansel.h"
#include "CodePage.h"

namespace {

using WeightMap = std::array<unsigned char, 256>;

// Weight 0 leaves a byte out at that level.
// clang-format off
constexpr WeightMap kPrimary = {
    // 0-31: control characters
    0, 61, 62, 63, 64, 65, 66, 30, 31, 32, 33, 58, 57, 60, 59, 56,
    71, 69, 77, 8, 35, 34, 29, 78, 73, 76, 70, 68, 55, 72, 74, 75,
    // 32-63: blank, punctuation, digits
    1, 7, 21, 45, 40, 46, 44, 18, 22, 23, 42, 47, 4, 3, 13, 12,
    84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 6, 5, 49, 50, 51, 10,
    // 64-95: capitals
    39, 94, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109,
    111, 112, 113, 114, 116, 118, 119, 120, 121, 122, 123, 24, 43, 25, 15, 2,
    // 96-127: small letters, same weights as the capitals
    14, 94, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109,
    111, 112, 113, 114, 116, 118, 119, 120, 121, 122, 123, 26, 52, 27, 16, 67,
    // 128-159: unused in ANSEL
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 160-191: special characters
    0, 106, 109, 98, 117, 95, 110, 18, 17, 81, 37, 48, 109, 118, 20, 0,
    19, 106, 109, 98, 117, 95, 110, 21, 103, 41, 98, 0, 109, 118, 80, 79,
    // 192-223
    53, 54, 38, 36, 82, 11, 9, 0, 0, 0, 0, 0, 0, 99, 109, 115,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 224-255: combining diacritics
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// Accent weights of the combining diacritics 224-254.
constexpr unsigned char kDiacriticSecondary[31] = {
    53, 36, 35, 38, 44, 48, 37, 46, 41, 39, 40, 34, 32, 52, 43, 47,
    54, 56, 60, 61, 58, 63, 62, 57, 55, 59, 45, 32, 51, 0, 50,
};
// clang-format on

constexpr unsigned char kPlainSecondary = 32;  // no accent; trailing ones are dropped
constexpr unsigned char kPlainTertiary = 3;    // small letter or caseless; trailing ones dropped

constexpr WeightMap MakeSecondary() {
  WeightMap m{};
  for (int c = 0; c < 128; ++c) m[c] = kPlainSecondary;
  for (int c = 161; c <= 223; ++c) m[c] = kPlainSecondary;
  for (int c : {161, 162, 163, 177, 178, 179, 186}) m[c] = 51;  // stroke, eth
  for (int c : {165, 181, 184}) m[c] = 33;                      // ae, dotless i
  for (int c : {172, 173, 188, 189}) m[c] = 56;                 // horn
  for (int c : {175, 187}) m[c] = 0;
  for (int c = 199; c <= 204; ++c) m[c] = 0;
  for (int c = 208; c <= 223; ++c) m[c] = 0;
  for (int c = 224; c <= 254; ++c) m[c] = kDiacriticSecondary[c - 224];
  return m;
}

constexpr WeightMap MakeTertiary() {
  WeightMap m{};
  for (int c = '0'; c <= '9'; ++c) m[c] = 3;
  for (int c = 'A'; c <= 'Z'; ++c) m[c] = 7;
  for (int c = 'a'; c <= 'z'; ++c) m[c] = 3;
  for (int c = 161; c <= 166; ++c) m[c] = 7;  // capital specials
  m[172] = m[173] = 7;
  m[186] = 6;
  m[205] = m[206] = 5;
  for (int c = 167; c <= 171; ++c) m[c] = 3;
  m[174] = 3;
  for (int c = 176; c <= 185; ++c) m[c] = 3;
  for (int c = 188; c <= 198; ++c) m[c] = 3;
  m[207] = 3;
  return m;
}

constexpr WeightMap kSecondary = MakeSecondary();
constexpr WeightMap kTertiary = MakeTertiary();

std::string_view UpToZero(std::string_view s) {
  const auto zero = s.find('\0');
  return zero == std::string_view::npos ? s : s.substr(0, zero);
}

// Primary weights, a zero byte, the secondary weights reversed without
// trailing plain ones, then the tertiary weights without trailing plain ones.
std::string SortKey(std::string_view text) {
  std::string primary;
  std::string secondary;
  std::string tertiary;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (kPrimary[c] != 0) primary += static_cast<char>(kPrimary[c]);
    if (kSecondary[c] != 0) secondary += static_cast<char>(kSecondary[c]);
    if (kTertiary[c] != 0) tertiary += static_cast<char>(kTertiary[c]);
  }
  std::reverse(secondary.begin(), secondary.end());
  while (!secondary.empty() && secondary.back() == static_cast<char>(kPlainSecondary)) {
    secondary.pop_back();
  }
  while (!tertiary.empty() && tertiary.back() == static_cast<char>(kPlainTertiary)) {
    tertiary.pop_back();
  }
  std::string key = std::move(primary);
  key += '\0';
  key += secondary;
  key += tertiary;
  return key;
}

std::string_view FirstChars(std::string_view s) {
  s = UpToZero(s);
  return s.substr(0, std::min(s.size(), kAlphaCompareMaxChars));
}

// The sort key of a text as AlphaCompareCommon compares it.
std::string CompareKey(std::string_view text, bool convert, bool caseSensitive, int codePage) {
  // Longer texts are compared on their first characters rather than refused.
  std::string t(FirstChars(text));
  if (convert) t = AnsiToAnsel(t, static_cast<int>(kAlphaCompareMaxChars), codePage);
  if (!caseSensitive) AnselStringToLower(t);
  return SortKey(UpToZero(t));
}

// The string stores and record trees compare the same few names and places
// again and again on every descent; their sort keys are kept here rather than
// converted afresh. Keys depend on the text, the two flags and, for converted
// texts, the active code page: a change of code page drops those keys.
class CompareKeyCache {
 public:
  // Makes room for two keys of the given kind, so that the references the
  // next two Key calls return stay valid together.
  void Prepare(bool convert, bool caseSensitive) {
    codePage_ = convert ? plat::ActiveCodePage() : 0;
    if (convert && codePage_ != convertedFor_) {
      maps_[2].clear();
      maps_[3].clear();
      maps_[kStored].clear();
      convertedFor_ = codePage_;
    }
    map_ = &maps_[(convert ? 2 : 0) + (caseSensitive ? 1 : 0)];
    if (map_->size() + 2 > kMaxKeys) map_->clear();
    if (maps_[kStored].size() + 1 > kMaxKeys) maps_[kStored].clear();
    convert_ = convert;
    caseSensitive_ = caseSensitive;
  }

  const std::string& Key(std::string_view text) {
    const auto it = map_->find(text);
    if (it != map_->end()) return it->second;
    return map_->emplace(std::string(text), CompareKey(text, convert_, caseSensitive_, codePage_))
        .first->second;
  }

  // The key of a stored ANSEL text read back in the code page, as the string
  // stores compare it; after Prepare(true, true).
  const std::string& StoredKey(std::string_view ansel) {
    Map& map = maps_[kStored];
    const auto it = map.find(ansel);
    if (it != map.end()) return it->second;
    return map
        .emplace(std::string(ansel),
                 CompareKey(AnselToAnsi(ansel, codePage_), true, true, codePage_))
        .first->second;
  }

 private:
  static constexpr std::size_t kMaxKeys = 1 << 16;
  static constexpr std::size_t kStored = 4;
  int codePage_ = 0;
  int convertedFor_ = 0;
  bool convert_ = false;
  bool caseSensitive_ = false;
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Map = std::unordered_map<std::string, std::string, Hash, std::equal_to<>>;
  std::array<Map, 5> maps_;
  Map* map_ = nullptr;
};

}  // namespace

int anselcmp(std::string_view a, std::string_view b) {
  const std::string keyA = SortKey(UpToZero(a));
  const std::string keyB = SortKey(UpToZero(b));
  // Unsigned bytes over the shorter key and its terminating zero.
  const int r = std::memcmp(keyA.c_str(), keyB.c_str(), std::min(keyA.size(), keyB.size()) + 1);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

namespace {

thread_local CompareKeyCache compareKeys;

}  // namespace

// Unsigned bytes over the shorter key and its terminating zero.
int CompareSortKeys(const std::string& a, const std::string& b) {
  const int r = std::memcmp(a.c_str(), b.c_str(), std::min(a.size(), b.size()) + 1);
  return r == 0 ? kAlphaEqual : (r > 0 ? kAlphaAfter : kAlphaBefore);
}

int AlphaCompareCommon(std::string_view a, std::string_view b, bool convert, bool caseSensitive) {
  compareKeys.Prepare(convert, caseSensitive);
  return CompareSortKeys(compareKeys.Key(a), compareKeys.Key(b));
}

int StoreCompare(std::string_view a, std::string_view b) {
  return AlphaCompareCommon(a, b, true, true);
}

StoreComparer::StoreComparer(std::string_view a) {
  compareKeys.Prepare(true, true);
  key_ = compareKeys.Key(a);
}

int StoreComparer::operator()(std::string_view storedAnsel) const {
  compareKeys.Prepare(true, true);
  return CompareSortKeys(key_, compareKeys.StoredKey(storedAnsel));
}

int StoreComparer::ByKey(const std::string& storedKey) const {
  return CompareSortKeys(key_, storedKey);
}

int KeyComparer::ByKey(const std::string& treeKey) const { return CompareSortKeys(key_, treeKey); }

std::string StoredSortKey(std::string_view storedAnsel) {
  const int codePage = plat::ActiveCodePage();
  return CompareKey(AnselToAnsi(storedAnsel, codePage), true, true, codePage);
}

std::string TreeSortKey(std::string_view text) {
  return CompareKey(text, true, false, plat::ActiveCodePage());
}

std::uint64_t SortKeyHead(const std::string& key) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 7; ++i)
    head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
  return head << 8 | std::min<std::size_t>(key.size(), 0x7f);
}

int CompareKeyHeads(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t bytesA = a >> 8, bytesB = b >> 8;
  // CompareSortKeys weighs the bytes up to the shorter key's terminating
  // zero: where those lie within the heads, the heads tell everything.
  const std::uint64_t shorter = std::min(a & 0x7f, b & 0x7f);
  if (bytesA != bytesB) {
    const auto first = static_cast<std::uint64_t>(std::countl_zero(bytesA ^ bytesB) - 8) / 8;
    if (first <= shorter) return bytesA < bytesB ? kAlphaBefore : kAlphaAfter;
  }
  return shorter < 7 ? kAlphaEqual : kHeadsUndecided;
}

int KeyCompare(std::string_view a, std::string_view b, bool convert) {
  return AlphaCompareCommon(a, b, convert, false);
}

KeyComparer::KeyComparer(std::string_view a, bool convert) : convert_(convert) {
  compareKeys.Prepare(convert, false);
  key_ = compareKeys.Key(a);
}

int KeyComparer::operator()(std::string_view b) const {
  compareKeys.Prepare(convert_, false);
  return CompareSortKeys(key_, compareKeys.Key(b));
}
