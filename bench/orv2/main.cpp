// Conversion of a large old-format family: 20,000 individuals in couples
// with children, dated events with places, notes with tags and multimedia.
// Prints the time of the conversion (the target is under 5 seconds).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "OldFamilyWriter.h"
#include "Orv2Converter.h"

namespace {

class QuietView : public orv2::ConverterView {
 public:
  void ShowPass(const std::string&) override {}
  void ShowCounter(const std::string&) override {}
  bool Pump() override { return true; }
  orv2::SourceNoteAnswer AskSourceNote(const std::string&, const orv2::SourceNote& note) override {
    orv2::SourceNoteAnswer a;
    a.choice = orv2::SourceNoteChoice::kConvertAll;
    a.note = note;
    return a;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int individuals = argc > 1 ? std::atoi(argv[1]) : 20000;
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("korvane-orv2-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder / "old");
  const std::string oldDir = (folder / "old").string() + "/";

  oldfamily::Writer w;
  const char* surnames[] = {"Brandt", "Sauer", "Kolb", "Vogt", "Lange", "Horn", "Pell", "Quill"};
  const char* places[] = {"Celle", "Dover", "Ashby", "Lowell", "Manti", "Logan"};
  auto person = [&](int i, char sex) {
    oldfamily::Individual p;
    p.surname = surnames[i % 8];
    p.given[0] = "Given" + std::to_string(i % 500);
    p.sex = sex;
    p.birth = {{1700 + i % 250, 1 + i % 12, 1 + i % 28, 2, 0}, {places[i % 6], "", "State", ""}};
    if (i % 3 == 0) p.death = {{1760 + i % 250, 1 + i % 12, 0, i % 4, 0}, {places[(i + 1) % 6]}};
    if (i % 5 == 0)
      p.notes = {"A note about person " + std::to_string(i) + ".", "",
                 "TELEPHONE: 555-" + std::to_string(i % 10000)};
    if (i % 50 == 0) {
      oldfamily::Media m;
      m.texts[0] = "photos/p" + std::to_string(i) + ".jpg";
      p.media = {m};
    }
    if (i % 97 == 0) p.deleted = true;
    return p;
  };
  int made = 0;
  while (made + 4 <= individuals) {
    const auto h = w.Add(person(made++, 'M'));
    const auto wf = w.Add(person(made++, 'F'));
    oldfamily::Marriage m;
    m.marriage = {{1720 + made % 250, 6, 1, 2, 0}, {places[made % 6]}};
    const auto mrin = w.Marry(w.people[h].deleted ? 0 : h, w.people[wf].deleted ? 0 : wf, m);
    for (int c = 0; c < 2; ++c) {
      const auto child = w.Add(person(made++, c ? 'F' : 'M'));
      if (!w.people[child].deleted) w.AddChild(mrin, child);
    }
  }
  while (made < individuals) w.Add(person(made++, 'M'));
  // The old format numbers records in 16 bits.
  if (w.people.size() > 65536) {
    std::fprintf(stderr, "at most 65535 individuals\n");
    return 1;
  }
  w.Write(oldDir);

  CFamilyDatabase source;
  CFamilyDatabase* saved = CurrentDatabase;
  CurrentDatabase = &source;
  if (DbOpen(oldDir, CFamilyDatabase::kOldFormat) != 1) {
    std::fprintf(stderr, "cannot open the old family\n");
    return 1;
  }
  CurrentDatabase = saved;

  QuietView view;
  orv2::COrv2Converter converter(source, {}, view);
  const auto start = std::chrono::steady_clock::now();
  const int result = converter.Run((folder / "new.orv").string());
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  source.Close();
  std::printf("converted %d individuals, %zu marriages: %s in %.2f s\n", individuals,
              w.marriages.size() - 1, result == 1 ? "done" : "FAILED", seconds);
  fs::remove_all(folder);
  return result == 1 ? 0 : 1;
}
