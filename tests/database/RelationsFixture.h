#pragma once
// A small family built by the engine's own calls, and a checker that walks
// every spouse chain, children and parents ring, citation chain and user
// event chain of the file from the raw records and lists what is not
// consistent.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DbCodes.h"
#include "EngineFixture.h"

class RelationsTest : public EngineTest {
 public:
  // Open to the table of operations in the tests.
  using EngineTest::boxes;
  using EngineTest::engine;

 public:
  void SetUp() override {
    EngineTest::SetUp();
    BuildFamily();
  }

  std::int32_t Person(char sex) {
    return engine->Records().NewRecord(orv::RecordKind::Individual, false,
                                       [sex](std::int32_t, std::uint8_t* rec) { rec[0] = sex; });
  }
  std::int32_t NewUserEvent() {
    return engine->Records().NewRecord(
        orv::RecordKind::UserEvent, false,
        [](std::int32_t, std::uint8_t* rec) { orv::PutI32(rec + 8, 1); });
  }

  // father I1 + mother I2 (M1): children I3, I4, I5; I1 + I6 (M2): child I7;
  // I3 + I8 (M3); I9 alone. Citations: two on I3, one on M1, one on the
  // sealing to parents of I4; a user event of I1 with one citation.
  void BuildFamily() {
    const char sexes[] = {'M', 'F', 'M', 'F', 'F', 'F', 'M', 'F', 'M'};
    for (char s : sexes) I.push_back(Person(s));
    I.insert(I.begin(), 0);  // I[1] is RIN 1
    M.push_back(0);
    M.push_back(engine->Families().DLLSETORV3RELATION(I[1], I[2], db::kRelHusband, 0));
    M.push_back(engine->Families().DLLSETORV3RELATION(I[6], I[1], db::kRelWife, 0));
    M.push_back(engine->Families().DLLSETORV3RELATION(I[3], I[8], db::kRelHusband, 0));
    for (int c : {3, 4, 5})
      ASSERT_GT(engine->Families().DLLSETORV3RELATION(I[c], 0, db::kRelParents, M[1]), 0);
    ASSERT_GT(engine->Families().DLLSETORV3RELATION(I[1], I[7], db::kRelChildren, M[2]), 0);
    source = engine->Records().NewRecord(orv::RecordKind::Source, false);
    citeI3a = engine->Owners().NewCitation(false, source, I[3], db::kOwnerIndividual);
    citeI3b = engine->Owners().NewCitation(false, source, I[3], db::kOwnerIndividual);
    citeM1 = engine->Owners().NewCitation(false, source, M[1], db::kOwnerMarriage);
    citeI4P = engine->Owners().NewCitation(false, source, I[4], db::kOwnerSealingToParents);
    userEvent = NewUserEvent();
    ASSERT_EQ(engine->Owners().LinkRecord(userEvent, db::kUserEvent, I[1], db::kOwnerIndividual),
              1);
    citeEvent =
        engine->Owners().NewCitation(false, source, userEvent, db::kOwnerIndividualUserEvent);
    ASSERT_GT(citeEvent, 0);
  }

 public:
  // Record helpers.
  template <class Rec>
  Rec Get(std::int32_t r) {
    Rec rec;
    std::uint8_t buf[Rec::kSize];
    engine->Records().ReadRaw(Rec::kKind, r, buf);
    rec.Decode(buf);
    return rec;
  }
  template <class Rec>
  void Put(std::int32_t r, const Rec& rec) {
    std::uint8_t buf[Rec::kSize];
    rec.Encode(buf);
    ASSERT_EQ(engine->Records().WriteRaw(Rec::kKind, r, buf), 1);
  }
  bool Live(orv::RecordKind kind, std::int32_t r) { return engine->Records().IsLive(kind, r) == 1; }

  std::vector<std::int32_t> Relation(std::int32_t r, int relation, int count) {
    std::vector<std::int32_t> out;
    engine->Families().GetRelation(r, relation, count, out);
    return out;
  }
  std::vector<std::int32_t> Children(std::int32_t m) { return Relation(m, db::kRelChildren, 100); }
  std::vector<std::int32_t> Marriages(std::int32_t i) {
    std::vector<std::int32_t> out;
    engine->Families().GetRelationList(out, db::kRelSpouses, 0, i);
    return out;
  }
  std::vector<std::int32_t> ParentFamilies(std::int32_t i) {
    std::vector<std::int32_t> out;
    engine->Families().GetRelationList(out, db::kRelParents, 5, i);
    std::vector<std::int32_t> marriages;
    for (std::size_t k = 0; k < out.size(); k += 2) marriages.push_back(out[k]);
    return marriages;
  }
  std::vector<std::int32_t> Citations(std::int32_t owner, char letter) {
    std::vector<std::int32_t> out;
    engine->Owners().GetRinList(out, db::kCitation, owner, letter);
    return out;
  }

  // ---- the checker ----
  std::vector<std::string> CheckFamily() {
    using namespace orv;
    std::vector<std::string> errors;
    auto err = [&](const std::string& e) { errors.push_back(e); };
    const std::int32_t hi = engine->Records().Highest(RecordKind::Individual);
    const std::int32_t hm = engine->Records().Highest(RecordKind::Marriage);
    const std::int32_t hl = engine->Records().Highest(RecordKind::FamilyLink);
    const std::int32_t hc = engine->Records().Highest(RecordKind::Citation);
    const std::int32_t hu = engine->Records().Highest(RecordKind::UserEvent);
    std::map<std::int32_t, std::vector<std::int32_t>> spouseChain, parentsRing, childrenRing;

    // Walks a ring from head by next(), bounded by limit; ok() tests a member.
    auto walkRing = [&](const std::string& what, std::int32_t head, std::int32_t limit, auto next,
                        auto ok) {
      std::vector<std::int32_t> ring;
      std::set<std::int32_t> seen;
      for (std::int32_t r = head; r != 0;) {
        if (!Live(RecordKind::FamilyLink, r) || !ok(r)) {
          err(what + ": bad member " + std::to_string(r));
          break;
        }
        if (!seen.insert(r).second || static_cast<std::int32_t>(ring.size()) > limit) {
          err(what + ": loop not through its head at " + std::to_string(r));
          break;
        }
        ring.push_back(r);
        r = next(r);
        if (r == head) break;
        if (r == 0) err(what + ": ring not closed");
      }
      return ring;
    };

    for (std::int32_t i = 1; i <= hi; ++i) {
      if (!Live(RecordKind::Individual, i)) continue;
      const auto person = Get<IndividualRec>(i);
      const std::string who = "individual " + std::to_string(i);
      std::set<std::int32_t> seen;
      for (std::int32_t m = person.firstMarriage; m != 0;) {
        if (!Live(RecordKind::Marriage, m)) {
          err(who + ": spouse chain reaches dead marriage " + std::to_string(m));
          break;
        }
        const auto rec = Get<MarriageRec>(m);
        if (rec.husband != i && rec.wife != i)
          err(who + ": in chain, not named by " + std::to_string(m));
        if (!seen.insert(m).second || static_cast<std::int32_t>(seen.size()) > hm) {
          err(who + ": spouse chain loops at " + std::to_string(m));
          break;
        }
        spouseChain[i].push_back(m);
        const std::int32_t next = rec.husband == i ? rec.husbandNext : rec.wifeNext;
        if (next == m) break;
        m = next;
      }
      parentsRing[i] = walkRing(
          who + " parents ring", person.firstParentLink, hl,
          [&](std::int32_t l) { return Get<FamilyLinkRec>(l).nextInChild; },
          [&](std::int32_t l) { return Get<FamilyLinkRec>(l).child == i; });
    }
    for (std::int32_t m = 1; m <= hm; ++m) {
      if (!Live(RecordKind::Marriage, m)) continue;
      const auto rec = Get<MarriageRec>(m);
      const std::string what = "marriage " + std::to_string(m);
      for (std::int32_t s : {rec.husband, rec.wife}) {
        if (s == 0) continue;
        const auto& chain = spouseChain[s];
        if (!Live(RecordKind::Individual, s) || std::count(chain.begin(), chain.end(), m) != 1)
          err(what + ": not once in the spouse chain of " + std::to_string(s));
      }
      childrenRing[m] = walkRing(
          what + " children ring", rec.firstChildLink, hl,
          [&](std::int32_t l) { return Get<FamilyLinkRec>(l).nextInMarriage; },
          [&](std::int32_t l) { return Get<FamilyLinkRec>(l).marriage == m; });
    }
    for (const auto& [i, chain] : spouseChain)
      for (std::int32_t m : chain) {
        const auto rec = Get<MarriageRec>(m);
        if (rec.husband != i && rec.wife != i)
          err("marriage " + std::to_string(m) + " in a chain that it does not name");
      }
    for (std::int32_t l = 1; l <= hl; ++l) {
      if (!Live(RecordKind::FamilyLink, l)) continue;
      const auto rec = Get<FamilyLinkRec>(l);
      const std::string what = "family link " + std::to_string(l);
      const auto& pr = parentsRing[rec.child];
      if (!Live(RecordKind::Individual, rec.child) || std::count(pr.begin(), pr.end(), l) != 1)
        err(what + ": not once in its child's parents ring");
      if (rec.marriage == 0) {
        if (rec.nextInMarriage != l) err(what + ": without parents but in a children ring");
      } else {
        const auto& cr = childrenRing[rec.marriage];
        if (!Live(RecordKind::Marriage, rec.marriage) || std::count(cr.begin(), cr.end(), l) != 1)
          err(what + ": not once in its marriage's children ring");
      }
    }

    // Citation chains: every head, walked both ways; every live citation in one.
    std::map<std::int32_t, int> chained;
    auto walkCitations = [&](const std::string& what, std::int32_t head, std::int32_t owner) {
      std::int32_t previous = 0;
      std::set<std::int32_t> seen;
      for (std::int32_t c = head; c != 0;) {
        if (!Live(RecordKind::Citation, c) || !seen.insert(c).second ||
            static_cast<std::int32_t>(seen.size()) > hc) {
          err(what + ": citation chain broken at " + std::to_string(c));
          break;
        }
        const auto rec = Get<CitationRec>(c);
        if (rec.previous != previous) err(what + ": wrong previous at " + std::to_string(c));
        if (rec.owner != owner) err(what + ": wrong owner at " + std::to_string(c));
        ++chained[c];
        previous = c;
        c = rec.next;
      }
      return !seen.empty();
    };
    auto walkEvents = [&](const std::string& what, std::int32_t head, std::int32_t owner,
                          char letter, int* cited) {
      std::set<std::int32_t> seen;
      std::int32_t previous = 0;
      for (std::int32_t e = head; e != 0;) {
        if (!Live(RecordKind::UserEvent, e) || !seen.insert(e).second ||
            static_cast<std::int32_t>(seen.size()) > hu) {
          err(what + ": user event chain broken at " + std::to_string(e));
          break;
        }
        const auto rec = Get<UserEventRec>(e);
        if (rec.owner != owner || rec.ownerKind != letter)
          err(what + ": user event " + std::to_string(e) + " names another owner");
        if (rec.previous != previous)
          err(what + ": wrong previous at user event " + std::to_string(e));
        ++chained[-e];
        if (walkCitations("user event " + std::to_string(e), rec.event.firstCitation, e) && cited)
          ++*cited;
        previous = e;
        e = rec.next;
      }
    };
    for (std::int32_t i = 1; i <= hi; ++i) {
      if (!Live(RecordKind::Individual, i)) continue;
      const auto p = Get<IndividualRec>(i);
      const std::string who = "individual " + std::to_string(i);
      for (std::int32_t head : {p.firstCitation, p.birth.firstCitation, p.christening.firstCitation,
                                p.death.firstCitation, p.burial.firstCitation,
                                p.baptism.firstCitation, p.endowment.firstCitation})
        walkCitations(who, head, i);
      int citedLinks = 0, citedEvents = 0;
      for (std::int32_t l : parentsRing[i])
        if (walkCitations("link " + std::to_string(l), Get<FamilyLinkRec>(l).sealing.firstCitation,
                          l))
          ++citedLinks;
      const auto ext = Get<IndividualExtRec>(i);
      walkEvents(who, ext.firstUserEvent, i, db::kOwnerIndividual, &citedEvents);
      if (ext.citedParentLinks != citedLinks)
        err(who + ": cited parent link count " + std::to_string(ext.citedParentLinks) + " for " +
            std::to_string(citedLinks));
      if (ext.citedUserEvents != citedEvents)
        err(who + ": cited user event count " + std::to_string(ext.citedUserEvents) + " for " +
            std::to_string(citedEvents));
    }
    for (std::int32_t m = 1; m <= hm; ++m) {
      if (!Live(RecordKind::Marriage, m)) continue;
      const auto rec = Get<MarriageRec>(m);
      const std::string what = "marriage " + std::to_string(m);
      for (std::int32_t head :
           {rec.firstCitation, rec.marriage.firstCitation, rec.sealing.firstCitation})
        walkCitations(what, head, m);
      walkEvents(what, rec.firstUserEvent, m, db::kOwnerMarriage, nullptr);
    }
    for (std::int32_t c = 1; c <= hc; ++c)
      if (Live(RecordKind::Citation, c) && chained[c] != 1)
        err("citation " + std::to_string(c) + " is in " + std::to_string(chained[c]) + " chains");
    for (std::int32_t e = 1; e <= hu; ++e)
      if (Live(RecordKind::UserEvent, e) && chained[-e] != 1)
        err("user event " + std::to_string(e) + " is in " + std::to_string(chained[-e]) +
            " chains");
    return errors;
  }

  static std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& e : v) s += e + "\n";
    return s;
  }

  std::vector<std::int32_t> I, M;
  std::int32_t source = 0, citeI3a = 0, citeI3b = 0, citeM1 = 0, citeI4P = 0;
  std::int32_t userEvent = 0, citeEvent = 0;
};
