#pragma once
// Writes old-format (ORV 2.x) families for tests and benchmarks: the data
// files of a folder (indiv2, marr2, name2, notes2, indivex2, multim2,
// namadd2) and family.ini, laid out byte for byte as the old program stored
// them. Families are described with plain structs; Marry and AddChild keep
// the spouse and child chains as the old program did (a new marriage at the
// end of each spouse's chain, a new child in front of the child chain).
// Tests that need a damaged file patch the written bytes with PatchU16.
//
// This writer exists only for tests; the program never writes old families.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace oldfamily {

// A packed date: kind 0 before, 1 about, 2 plain, 3 after; a code above 12
// is a status code (13 See Notes, 14 Submitted, 17 Completed, 25 Done, ...).
struct Date {
  int year = 0, code = 0, day = 0, kind = 2, dual = 0;
};

struct Event {
  Date date;
  std::string place[4];
};

struct Ordinance {
  Date date;  // stored in three bytes: no dual-year part
  std::string temple;
};

struct Media {
  char kind = 'P';
  bool inUse = true;
  bool flags[3] = {false, false, false};
  std::uint16_t crop[4] = {0, 0, 0, 0};
  std::uint8_t rotation = 0, flip = 0;
  std::uint16_t width = 0, height = 0;
  std::string texts[4];  // file name, caption, description, sound file
};

struct Individual {
  std::string surname, given[3], title;
  char sex = 'M';
  Event birth, christening, death, burial;
  Ordinance baptism, endowment, sealParents;
  std::uint16_t olderSibling = 0, firstMarriage = 0, parents = 0;
  std::string id;
  // Stored note lines; "" is a paragraph break.
  std::vector<std::string> notes;
  std::vector<Media> media;
  bool deleted = false;
};

struct Marriage {
  std::uint16_t husband = 0, wife = 0, youngestChild = 0;
  Event marriage;
  Ordinance sealing;
  std::uint16_t husbandNext = 0, wifeNext = 0;
  char status = 'N';
  bool deleted = false;
};

inline void PutU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
inline void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  PutU16(b, at, v & 0xFFFF);
  PutU16(b, at + 2, v >> 16);
}
inline void PutDate(std::vector<std::uint8_t>& b, std::size_t at, const Date& d, bool three) {
  const std::uint32_t v = (static_cast<std::uint32_t>(d.year) << 20) |
                          (static_cast<std::uint32_t>(d.code & 31) << 15) |
                          (static_cast<std::uint32_t>(d.day & 31) << 10) |
                          (static_cast<std::uint32_t>(d.kind & 3) << 8) |
                          static_cast<std::uint32_t>(three ? 0 : d.dual & 0xFF);
  b[at] = static_cast<std::uint8_t>(v >> 24);
  b[at + 1] = static_cast<std::uint8_t>(v >> 16);
  b[at + 2] = static_cast<std::uint8_t>(v >> 8);
  if (!three) b[at + 3] = static_cast<std::uint8_t>(v);
}
// A header field: a decimal number as text in 10 characters.
inline void PutNumber(std::vector<std::uint8_t>& b, std::size_t at, long n) {
  char text[32];
  std::snprintf(text, sizeof text, "%-10ld", n);
  for (int i = 0; i < 10 && at + i < b.size(); ++i) b[at + i] = static_cast<std::uint8_t>(text[i]);
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& b) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// Overwrites two bytes of a written file.
inline void PatchU16(const std::string& path, long long at, std::uint16_t v) {
  std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
  f.seekp(at);
  const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  f.write(bytes, 2);
}

class Writer {
 public:
  std::vector<Individual> people{1};   // index = RIN; entry 0 unused
  std::vector<Marriage> marriages{1};  // index = MRIN
  std::string familyName = "Old Family";
  // Lines of family.ini; empty writes the [Family] section only.
  std::vector<std::string> ini;
  bool writeIni = true;
  // namadd2.dat: the preparer's name, three address lines and phone.
  std::string preparer[5];
  bool writePreparer = false;
  // Header counts to state instead of the true ones (-1: the true one).
  long indivCount = -1, marrCount = -1;

  std::uint16_t Add(const Individual& p) {
    people.push_back(p);
    return static_cast<std::uint16_t>(people.size() - 1);
  }
  std::uint16_t AddMarriage(const Marriage& m) {
    marriages.push_back(m);
    return static_cast<std::uint16_t>(marriages.size() - 1);
  }
  // A marriage of husband and wife (0 for none), at the end of each one's
  // chain of marriages.
  std::uint16_t Marry(std::uint16_t husband, std::uint16_t wife, Marriage m = {}) {
    m.husband = husband;
    m.wife = wife;
    const std::uint16_t mrin = AddMarriage(m);
    if (husband) Append(husband, mrin, true);
    if (wife) Append(wife, mrin, false);
    return mrin;
  }
  // child becomes the youngest child of mrin.
  void AddChild(std::uint16_t mrin, std::uint16_t child) {
    people[child].olderSibling = marriages[mrin].youngestChild;
    people[child].parents = mrin;
    marriages[mrin].youngestChild = child;
  }

  void Write(const std::string& folderWithSlash) {
    names_.clear();
    nameOrder_.clear();
    const std::string f = folderWithSlash;
    std::vector<std::uint8_t> notes(256, 0);
    std::vector<std::uint8_t> multim(32, 0);

    // Individuals.
    const std::size_t np = people.size();
    std::vector<std::uint8_t> indiv(np * 92, 0);
    std::vector<std::uint8_t> indivex((np > 1 ? np - 1 : 0) * 8, 0);
    long deletedHead = 0;
    for (std::size_t n = np - 1; n >= 1; --n) {
      const Individual& p = people[n];
      std::size_t r = n * 92;
      if (p.deleted) {
        PutU16(indiv, r, static_cast<std::uint32_t>(deletedHead));
        indiv[r + 10] = 'D';
        deletedHead = static_cast<long>(n);
        continue;
      }
      PutU16(indiv, r + 0, Name(p.surname));
      for (int i = 0; i < 3; ++i) PutU16(indiv, r + 2 + 2 * i, Name(p.given[i]));
      PutU16(indiv, r + 8, Name(p.title));
      indiv[r + 10] = static_cast<std::uint8_t>(p.sex);
      PutEvent(indiv, r + 11, p.birth);
      PutEvent(indiv, r + 23, p.christening);
      PutEvent(indiv, r + 35, p.death);
      PutEvent(indiv, r + 47, p.burial);
      PutOrdinance(indiv, r + 59, p.baptism);
      PutOrdinance(indiv, r + 64, p.endowment);
      PutOrdinance(indiv, r + 69, p.sealParents);
      PutU16(indiv, r + 74, p.olderSibling);
      PutU16(indiv, r + 76, p.firstMarriage);
      PutU16(indiv, r + 78, p.parents);
      for (std::size_t i = 0; i < 10; ++i)
        indiv[r + 80 + i] = i < p.id.size() ? static_cast<std::uint8_t>(p.id[i]) : ' ';
      if (!p.notes.empty()) PutU16(indiv, r + 90, WriteNotes(notes, p.notes));
      if (!p.media.empty()) PutU32(indivex, (n - 1) * 8, WriteMedia(multim, p.media));
    }
    PutNumber(indiv, 1, indivCount >= 0 ? indivCount : static_cast<long>(np - 1));
    PutNumber(indiv, 11, deletedHead);
    PutNumber(indiv, 21, 0);
    indiv[0] = ' ';

    // Marriages.
    const std::size_t nm = marriages.size();
    std::vector<std::uint8_t> marr(nm * 28, 0);
    deletedHead = 0;
    for (std::size_t n = nm - 1; n >= 1; --n) {
      const Marriage& m = marriages[n];
      const std::size_t r = n * 28;
      if (m.deleted) {
        PutU16(marr, r, static_cast<std::uint32_t>(deletedHead));
        marr[r + 27] = 'D';
        deletedHead = static_cast<long>(n);
        continue;
      }
      PutU16(marr, r + 0, m.husband);
      PutU16(marr, r + 2, m.wife);
      PutU16(marr, r + 4, m.youngestChild);
      PutEvent(marr, r + 6, m.marriage);
      PutOrdinance(marr, r + 18, m.sealing);
      PutU16(marr, r + 23, m.husbandNext);
      PutU16(marr, r + 25, m.wifeNext);
      marr[r + 27] = static_cast<std::uint8_t>(m.status);
    }
    PutNumber(marr, 1, marrCount >= 0 ? marrCount : static_cast<long>(nm - 1));
    PutNumber(marr, 11, deletedHead);

    // Names (entry 0 is the header).
    std::vector<std::uint8_t> name((nameOrder_.size() + 1) * 21, 0);
    for (std::size_t i = 0; i < nameOrder_.size(); ++i) {
      const std::string& t = nameOrder_[i];
      for (std::size_t k = 0; k < t.size() && k < 17; ++k)
        name[(i + 1) * 21 + 2 + k] = static_cast<std::uint8_t>(t[k]);
    }
    PutNumber(name, 1, static_cast<long>(nameOrder_.size()));
    PutNumber(name, 11, 0);
    PutNumber(notes, 1, static_cast<long>(notes.size() / 256 - 1));
    PutNumber(notes, 11, 0);
    PutNumber(notes, 21, 0);

    WriteBytes(f + "indiv2.dat", indiv);
    WriteBytes(f + "marr2.dat", marr);
    WriteBytes(f + "name2.dat", name);
    WriteBytes(f + "notes2.dat", notes);
    WriteBytes(f + "indivex2.dat", indivex);
    WriteBytes(f + "multim2.dat", multim);
    if (writePreparer) {
      std::vector<std::uint8_t> prep(448, 0);
      const std::size_t at[5] = {0, 41, 82, 123, 164};
      for (int i = 0; i < 5; ++i)
        for (std::size_t k = 0; k < preparer[i].size() && k < 40; ++k)
          prep[224 + at[i] + k] = static_cast<std::uint8_t>(preparer[i][k]);
      WriteBytes(f + "namadd2.dat", prep);
    }
    if (writeIni) {
      std::ofstream out(f + "family.ini", std::ios::binary | std::ios::trunc);
      if (ini.empty()) {
        out << "[Family]\r\nFamilyName=" << familyName << "\r\nAlphaMnt=1\r\nLog=1\r\n";
      } else {
        for (const std::string& line : ini) out << line << "\r\n";
      }
    }
  }

 private:
  void Append(std::uint16_t rin, std::uint16_t mrin, bool asHusband) {
    std::uint16_t* link = &people[rin].firstMarriage;
    while (*link != 0) {
      Marriage& m = marriages[*link];
      link = m.husband == rin && asHusband ? &m.husbandNext : &m.wifeNext;
    }
    *link = mrin;
  }

  std::uint16_t Name(const std::string& text) {
    if (text.empty()) return 0;
    auto it = names_.find(text);
    if (it != names_.end()) return it->second;
    nameOrder_.push_back(text);
    const auto n = static_cast<std::uint16_t>(nameOrder_.size());
    names_[text] = n;
    return n;
  }

  void PutEvent(std::vector<std::uint8_t>& b, std::size_t at, const Event& e) {
    PutDate(b, at, e.date, false);
    for (int i = 0; i < 4; ++i) PutU16(b, at + 4 + 2 * i, Name(e.place[i]));
  }
  void PutOrdinance(std::vector<std::uint8_t>& b, std::size_t at, const Ordinance& o) {
    PutDate(b, at, o.date, true);
    PutU16(b, at + 3, Name(o.temple));
  }

  // Appends the note lines as a chain of blocks; the first block's number.
  static std::uint16_t WriteNotes(std::vector<std::uint8_t>& notes,
                                  const std::vector<std::string>& lines) {
    std::string stream;
    for (const std::string& line : lines) {
      if (line.empty()) {
        stream += '\1';
      } else {
        stream += line;
        stream += '\0';
      }
    }
    const auto first = static_cast<std::uint16_t>(notes.size() / 256);
    for (std::size_t pos = 0; pos < stream.size(); pos += 254) {
      const std::size_t block = notes.size();
      notes.resize(block + 256, 0);
      const bool last = pos + 254 >= stream.size();
      PutU16(notes, block, last ? 0 : static_cast<std::uint32_t>(block / 256 + 1));
      for (std::size_t k = 0; k < 254 && pos + k < stream.size(); ++k)
        notes[block + 2 + k] = static_cast<std::uint8_t>(stream[pos + k]);
    }
    return first;
  }

  // Appends the entries; the first one's offset.
  static std::uint32_t WriteMedia(std::vector<std::uint8_t>& mm, const std::vector<Media>& list) {
    std::uint32_t first = 0;
    std::size_t previous = 0;
    for (const Media& m : list) {
      const std::size_t at = mm.size();
      if (previous) PutU32(mm, previous + 9, static_cast<std::uint32_t>(at));
      if (!first) first = static_cast<std::uint32_t>(at);
      mm.resize(at + 31, 0);
      PutU16(mm, at + 3, m.inUse ? 1 : 0);
      mm[at + 17] = static_cast<std::uint8_t>(m.kind);
      for (int i = 0; i < 3; ++i) mm[at + 18 + i] = m.flags[i] ? 1 : 0;
      if (m.kind == 'P') {
        const std::size_t x = mm.size();
        mm.resize(x + 18, 0);
        for (int i = 0; i < 4; ++i) PutU16(mm, x + 2 * i, m.crop[i]);
        mm[x + 8] = m.rotation;
        mm[x + 10] = m.flip;
        PutU16(mm, x + 14, m.width);
        PutU16(mm, x + 16, m.height);
      }
      for (const std::string& t : m.texts) {
        const std::size_t x = mm.size();
        mm.resize(x + 2 + t.size(), 0);
        PutU16(mm, x, static_cast<std::uint32_t>(t.size()));
        for (std::size_t k = 0; k < t.size(); ++k) mm[x + 2 + k] = static_cast<std::uint8_t>(t[k]);
      }
      previous = at;
    }
    return first;
  }

  std::map<std::string, std::uint16_t> names_;
  std::vector<std::string> nameOrder_;
};

}  // namespace oldfamily
