// Times the web site writer on three families: 10,000 descendants (each
// person married, three children a couple), a 13-generation pedigree (8,191
// ancestors) and 10,000 selected people (couples with a child, and single
// people). Every person has notes and a cited birth, every tenth a picture.
// Prints each phase's time (the aim is under 10 s a phase) and each site's
// user and system CPU time. With a folder argument the families and sites
// are written into that empty folder and kept, to compare two builds.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "WebSiteWriter.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// User and system CPU seconds of the process so far.
struct CpuTimes {
  double user = 0, system = 0;
};

CpuTimes Cpu() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

std::int32_t g_source = 0;

std::int32_t AddPerson(int n, char sex, int born) {
  CIndividualRecord person;
  const unsigned v = (static_cast<unsigned>(n) * 2654435761u) % 17576u;
  person.surname = std::string(1, static_cast<char>('A' + v % 26)) +
                   static_cast<char>('a' + (v / 26) % 26) + "sen";
  person.givenNames[0] = "P" + std::to_string(n);
  person.sex = sex;
  person.birth.date.Set(born, 3, 9);
  person.birth.place[0] = "Ashbourne";
  person.death.date.Set(born + 70, 1, 2);
  const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
  if (rin <= 0) return 0;
  if (DbSetNotes(rin,
                 "Notes of " + person.givenNames[0] +
                     ", told by a cousin and written down in the parish book.\r\n\r\n"
                     "~A confidential paragraph.\r\n\r\nA second paragraph of the notes.",
                 0, 0, db::kIndividual) <= 0)
    return 0;
  CCitationRecord c;
  c.sourceRin = g_source;
  c.ownerLetter = db::kOwnerBirth;
  c.ownerNumber = rin;
  c.pageText = "folio " + std::to_string(n % 400);
  if (DbAddRecord(db::kCitation, 0, &c) <= 0) return 0;
  if (n % 10 == 0) {
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = KORVANE_WEB_PICTURE;
    item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook;
    item.caption = "Portrait";
    if (DbSaveMultimediaChain(rin, &item, db::kIndividual) != 1) return 0;
  }
  return rin;
}

// Creates and opens a family file in batch mode, which Run ends: the family
// is built without a flush after every record.
bool OpenFamily(const std::string& path) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  if (DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) return false;
  DbBeginBatch();
  CSourceRecord source;
  source.title = "Parish book";
  g_source = DbAddRecord(db::kSource, 0, &source);
  return true;
}

void Run(const char* name, web::WebSettings settings, web::WebSiteRequest request) {
  if (DbEndBatch() != 1) {
    std::fprintf(stderr, "%s: the family file could not be written\n", name);
    std::exit(1);
  }
  const auto whole = std::chrono::steady_clock::now();
  const CpuTimes cpu = Cpu();
  auto t = whole;
  web::CWebSiteWriter writer(settings, request);
  const int pages = writer.PrepareSitePages();
  std::printf("%s: %d pages\n  layout and folder %.2f s\n", name, pages, Seconds(t));
  if (pages <= 0) return;
  t = std::chrono::steady_clock::now();
  const bool ged = writer.WriteGedcomDownload();
  std::printf("  GEDCOM %.2f s%s\n", Seconds(t), ged ? "" : " (failed)");
  t = std::chrono::steady_clock::now();
  const bool toc = writer.WriteTableOfContents();
  std::printf("  start page %.2f s%s\n", Seconds(t), toc ? "" : " (failed)");
  t = std::chrono::steady_clock::now();
  const bool site = writer.WriteSitePages();
  std::printf("  generation pages %.2f s%s\n", Seconds(t), site ? "" : " (failed)");
  t = std::chrono::steady_clock::now();
  const bool index = writer.WriteNameIndex();
  std::printf("  name index %.2f s%s\n", Seconds(t), index ? "" : " (failed)");
  t = std::chrono::steady_clock::now();
  const bool published = writer.Publish();
  std::printf("  publish %.2f s%s\n", Seconds(t), published ? "" : " (failed)");
  const CpuTimes after = Cpu();
  const double user = after.user - cpu.user, system = after.system - cpu.system;
  std::printf("  site %.2f s: user %.2f s, system %.2f s (%s a fifth of user)\n", Seconds(whole),
              user, system, system < user / 5 ? "under" : "NOT under");
}

}  // namespace

int main(int argc, char** argv) {
  TempDir temp;
  const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : temp.Path();
  const auto file = [&](const char* name) { return folder + name; };
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};

  web::WebSettings settings;
  settings.photos = 2;
  settings.maxGens = 999;
  web::WebSiteRequest request;
  request.webBase = folder + "docs";
  request.description = "Bench";
  request.title = "Bench family";
  request.today = "1 Jan 2001";

  {  // 10,000 descendants
    auto t = std::chrono::steady_clock::now();
    if (!OpenFamily(file("desc.orv"))) return 1;
    std::vector<std::int32_t> people{AddPerson(1, 'M', 1700)};
    for (std::size_t k = 0; people.size() < 10000 && k < people.size(); ++k) {
      const std::int32_t spouse = AddPerson(100000 + static_cast<int>(k), 'F', 1700);
      const std::int32_t mrin = DbSetRelation(people[k], spouse, db::kRelHusband, 0);
      for (int c = 0; c < 3 && people.size() < 10000; ++c) {
        const std::int32_t child = AddPerson(static_cast<int>(people.size()) + 1, 'M', 1730);
        if (DbSetRelation(child, 0, db::kRelParents, mrin) <= 0) return 1;
        people.push_back(child);
      }
    }
    std::printf("family of %zu descendants built in %.1f s\n", people.size(), Seconds(t));
    settings.type = web::kSiteDescendants;
    request.startRin = people[0];
    request.folderName = "desc";
    request.familyPath = file("desc.orv");
    Run("descendants", settings, request);
    DbCloseCurrent();
  }
  {  // a 13-generation pedigree
    auto t = std::chrono::steady_clock::now();
    if (!OpenFamily(file("anc.orv"))) return 1;
    std::vector<std::int32_t> rins(8192, 0);
    for (int n = 1; n < 8192; ++n) {
      int generation = 0;
      for (int m = n; m > 1; m /= 2) ++generation;
      rins[n] = AddPerson(n, n == 1 || n % 2 == 0 ? 'M' : 'F', 1990 - 25 * generation);
    }
    for (int n = 1; 2 * n + 1 < 8192; ++n) {
      const std::int32_t mrin = DbSetRelation(rins[2 * n], rins[2 * n + 1], db::kRelHusband, 0);
      if (DbSetRelation(rins[n], 0, db::kRelParents, mrin) <= 0) return 1;
    }
    std::printf("pedigree of 8191 built in %.1f s\n", Seconds(t));
    settings.type = web::kSiteAncestors;
    settings.maxGens = 13;
    request.startRin = rins[1];
    request.folderName = "anc";
    request.familyPath = file("anc.orv");
    Run("ancestors", settings, request);
    DbCloseCurrent();
  }
  {  // 10,000 selected
    auto t = std::chrono::steady_clock::now();
    if (!OpenFamily(file("sel.orv"))) return 1;
    request.selection.assign(1, false);
    for (int n = 0; n < 10000;) {
      const std::int32_t h = AddPerson(n++, 'M', 1800);
      const std::int32_t w = AddPerson(n++, 'F', 1802);
      const std::int32_t mrin = DbSetRelation(h, w, db::kRelHusband, 0);
      const std::int32_t c = AddPerson(n++, 'M', 1830);
      if (DbSetRelation(c, 0, db::kRelParents, mrin) <= 0) return 1;
      const std::int32_t single = AddPerson(n++, 'F', 1840);
      for (std::int32_t r : {h, w, c, single}) {
        if (static_cast<std::size_t>(r) >= request.selection.size())
          request.selection.resize(static_cast<std::size_t>(r) + 1, false);
        request.selection[static_cast<std::size_t>(r)] = true;
      }
    }
    std::printf("10000 selected built in %.1f s\n", Seconds(t));
    settings.type = web::kSiteSelected;
    request.folderName = "sel";
    request.familyPath = file("sel.orv");
    Run("selected", settings, request);
    DbCloseCurrent();
  }
  return 0;
}
