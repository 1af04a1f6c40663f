#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ObArrayEx.h"
#include "ObListEx.h"
#include "Object.h"
#include "StringListEx.h"
#include "StringTokenizer.h"

namespace {

// An element that records its own destruction in a shared log.
class Tracked : public CObject {
 public:
  Tracked(int id, std::vector<int>* log) : id(id), log_(log) {}
  ~Tracked() override { log_->push_back(id); }
  int id;

 private:
  std::vector<int>* log_;
};

int IdOf(CObject* object) { return object ? static_cast<Tracked*>(object)->id : -1; }

TEST(ObArrayEx, OwningArrayDeletesItsElementsOnceInOrder) {
  std::vector<int> deleted;
  {
    CObArrayEx array;
    EXPECT_TRUE(array.OwnsElements());
    for (int i = 1; i <= 3; ++i) array.Add(std::make_unique<Tracked>(i, &deleted));
    array.RemoveAt(1);
    EXPECT_EQ(deleted, std::vector<int>({2}));
    EXPECT_EQ(array.GetSize(), 2);
  }
  EXPECT_EQ(deleted, std::vector<int>({2, 1, 3}));
}

TEST(ObArrayEx, RemoveAllDeletesOnlyWhenOwningButDeleteAllAlwaysDeletes) {
  std::vector<int> deleted;
  Tracked a(1, &deleted), b(2, &deleted);
  {
    CObArrayEx borrowed;
    borrowed.SetOwnsElements(false);
    borrowed.Add(&a);
    borrowed.Add(&b);
    borrowed.RemoveAll();
    EXPECT_TRUE(borrowed.IsEmpty());
    borrowed.Add(&a);
  }
  EXPECT_TRUE(deleted.empty());

  CObArrayEx owning;
  owning.Add(std::make_unique<Tracked>(7, &deleted));
  owning.SetOwnsElements(false);
  owning.DeleteAll();
  EXPECT_EQ(deleted, std::vector<int>({7}));
  EXPECT_EQ(owning.GetSize(), 0);
}

TEST(ObArrayEx, DetachHandsOverTheElement) {
  std::vector<int> deleted;
  CObArrayEx array;
  array.Add(std::make_unique<Tracked>(1, &deleted));
  array.Add(std::make_unique<Tracked>(2, &deleted));
  std::unique_ptr<CObject> taken = array.DetachAt(0);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(IdOf(taken.get()), 1);
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(array.DetachAt(5), nullptr);
  EXPECT_EQ(IdOf(array.GetAt(0)), 2);
}

TEST(ObArrayEx, CursorStopsAtTheEndUntilRestarted) {
  std::vector<int> deleted;
  CObArrayEx array;
  EXPECT_EQ(array.GetFirst(), nullptr);
  array.Add(std::make_unique<Tracked>(1, &deleted));
  array.InsertAt(0, std::make_unique<Tracked>(0, &deleted));
  array.InsertAt(99, std::make_unique<Tracked>(2, &deleted));

  std::vector<int> seen;
  for (CObject* p = array.GetFirst(); p; p = array.GetNext()) {
    seen.push_back(IdOf(p));
    EXPECT_EQ(array.GetCurrent(), p);
  }
  EXPECT_EQ(seen, std::vector<int>({0, 1, 2}));
  EXPECT_EQ(array.GetNext(), nullptr);
  EXPECT_EQ(array.GetNext(), nullptr);
  EXPECT_EQ(array.GetCurrentIndex(), 2);
  EXPECT_EQ(IdOf(array.GetFirst()), 0);
  EXPECT_EQ(array.GetCurrentIndex(), 0);
}

TEST(ObListEx, ClearedOwningFlagLeavesElementsAlive) {
  std::vector<int> deleted;
  Tracked a(1, &deleted), b(2, &deleted);
  {
    CObListEx list;
    list.SetOwnsElements(false);
    list.AddTail(&a);
    list.AddTail(&b);
  }
  EXPECT_TRUE(deleted.empty());
  {
    CObListEx list;
    list.AddTail(std::make_unique<Tracked>(3, &deleted));
    list.AddHead(std::make_unique<Tracked>(4, &deleted));
    EXPECT_EQ(IdOf(list.GetHead()), 4);
    EXPECT_EQ(IdOf(list.GetTail()), 3);
  }
  EXPECT_EQ(deleted, std::vector<int>({4, 3}));
}

TEST(ObListEx, CursorWalksAndSurvivesRemovals) {
  std::vector<int> deleted;
  CObListEx list;
  EXPECT_EQ(list.GetFirst(), nullptr);
  for (int i = 1; i <= 4; ++i) list.AddTail(std::make_unique<Tracked>(i, &deleted));

  // Drop the even elements while walking.
  std::vector<int> seen;
  for (CObject* p = list.GetFirst(); p; p = list.GetNext()) {
    seen.push_back(IdOf(p));
    if (IdOf(p) % 2 == 0) {
      EXPECT_TRUE(list.RemoveCurrent());
    }
  }
  EXPECT_EQ(seen, std::vector<int>({1, 2, 3, 4}));
  EXPECT_EQ(deleted, std::vector<int>({2, 4}));
  EXPECT_FALSE(list.RemoveCurrent());
  EXPECT_EQ(list.GetCount(), 2);

  // Removing the node the cursor is about to give moves the cursor on.
  EXPECT_EQ(IdOf(list.GetFirst()), 1);
  list.RemoveTail();
  EXPECT_EQ(list.GetNext(), nullptr);
  EXPECT_EQ(IdOf(list.GetCurrent()), 1);
  list.RemoveHead();
  EXPECT_EQ(list.GetCurrent(), nullptr);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(deleted, std::vector<int>({2, 4, 3, 1}));
}

TEST(RuntimeClass, CollectionsAreCreatableByName) {
  const CRuntimeClass* arrayClass = CRuntimeClass::FromName("CObArrayEx");
  ASSERT_NE(arrayClass, nullptr);
  std::unique_ptr<CObject> made = arrayClass->CreateObject();
  auto* array = dynamic_cast<CObArrayEx*>(made.get());
  ASSERT_NE(array, nullptr);
  EXPECT_TRUE(array->OwnsElements());
  EXPECT_EQ(array->GetRuntimeClass(), arrayClass);

  const CRuntimeClass* listClass = CRuntimeClass::FromName("CObListEx");
  ASSERT_NE(listClass, nullptr);
  EXPECT_NE(dynamic_cast<CObListEx*>(listClass->CreateObject().get()), nullptr);

  EXPECT_EQ(CRuntimeClass::FromName("cobarrayex"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CObArrayEx "), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
}

TEST(StringListEx, CursorGivesEachStringThenEmpty) {
  CStringListEx list;
  std::string s = "stale";
  EXPECT_FALSE(list.GetFirst(s));
  EXPECT_EQ(s, "");
  list.AddTail("b");
  list.AddHead("a");
  list.AddTail("c");
  std::vector<std::string> seen;
  for (bool more = list.GetFirst(s); more; more = list.GetNext(s)) seen.push_back(s);
  EXPECT_EQ(seen, std::vector<std::string>({"a", "b", "c"}));
  EXPECT_EQ(s, "");
  EXPECT_EQ(list.Find("c"), 2);
  EXPECT_EQ(list.Find("x"), -1);
  EXPECT_EQ(list.GetAt(1), "b");
  EXPECT_EQ(list.GetAt(3), "");
}

TEST(StringListEx, RemoveAtCountsOnlyUpToTheFirstEmptyString) {
  struct Case {
    int index;
    bool removed;
    std::vector<std::string> after;
  };
  const std::vector<Case> cases = {
      {0, true, {"b", "", "d"}},       {1, true, {"a", "", "d"}},
      {2, false, {"a", "b", "", "d"}},  // the empty string ends the count
      {3, false, {"a", "b", "", "d"}}, {-1, false, {"a", "b", "", "d"}},
  };
  for (const Case& c : cases) {
    CStringListEx list;
    for (const char* s : {"a", "b", "", "d"}) list.AddTail(s);
    EXPECT_EQ(list.RemoveAt(c.index), c.removed) << c.index;
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), c.after) << c.index;
  }
}

TEST(StringListEx, RemoveAtKeepsTheCursorUsable) {
  CStringListEx list;
  for (const char* s : {"a", "b", "c"}) list.AddTail(s);
  std::string s;
  list.GetFirst(s);
  list.GetNext(s);
  ASSERT_EQ(s, "b");
  EXPECT_TRUE(list.RemoveAt(1));  // the current string
  EXPECT_TRUE(list.GetNext(s));
  EXPECT_EQ(s, "c");
  EXPECT_TRUE(list.RemoveAt(1));  // the next one, once given
  EXPECT_FALSE(list.GetNext(s));
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(StringTokenizer, SkipsRunsOfDelimitersAndEndsWithEmpty) {
  CStringTokenizer tokens("one,,two");
  EXPECT_EQ(tokens.FirstToken(","), "one");
  EXPECT_EQ(tokens.GetPosition(), 3);
  EXPECT_EQ(tokens.NextToken(","), "two");
  EXPECT_EQ(tokens.NextToken(","), "");
  EXPECT_EQ(tokens.NextToken(","), "");
  EXPECT_EQ(tokens.FirstToken(","), "one");
}

TEST(StringTokenizer, TableOfTexts) {
  struct Case {
    const char* text;
    const char* delimiters;
    std::vector<std::string> tokens;
  };
  const std::vector<Case> cases = {
      {"", " ", {}},
      {"   ", " ", {}},
      {"  lead and trail  ", " ", {"lead", "and", "trail"}},
      {"a;b c", "; ", {"a", "b", "c"}},
      {"whole text", "", {"whole text"}},
      {"M\xfcller|J\xf6rg", "|", {"M\xfcller", "J\xf6rg"}},
  };
  for (const Case& c : cases) {
    CStringTokenizer tokens;
    tokens.SetTextChars(c.text);
    std::vector<std::string> got;
    for (std::string t = tokens.FirstToken(c.delimiters); !t.empty();
         t = tokens.NextToken(c.delimiters)) {
      got.push_back(t);
    }
    EXPECT_EQ(got, c.tokens) << c.text;
  }
}

TEST(StringTokenizer, NewTextStartsFromItsBeginning) {
  CStringTokenizer tokens;
  tokens.SetText("alpha beta");
  EXPECT_EQ(tokens.NextToken(" "), "alpha");
  tokens.SetText("x");
  EXPECT_EQ(tokens.NextToken(" "), "x");
  tokens.SetTextChars(nullptr);
  EXPECT_EQ(tokens.NextToken(" "), "");
  EXPECT_EQ(tokens.GetText(), "");
}

}  // namespace
