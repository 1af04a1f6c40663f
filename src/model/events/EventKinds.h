#pragma once
// One class per event kind: each fixes its label string, its category (the
// status words valid for it) and its kind letter. The kind stored in the
// object is a separate character: burial stores 'U' and answers 'R',
// marriage stores 'M' and answers 'G', baptism stores 'B' and answers 'A'.

#include "OrdinanceObject.h"
#include "PlaceEventObject.h"

template <char StoredKind, char KindLetter, int Category, int LabelString>
class TPlaceEventKind : public CPlaceEventObject {
 public:
  static constexpr char kStoredKind = StoredKind;
  static constexpr int kLabelString = LabelString;

  explicit TPlaceEventKind(const CEventValue* value = nullptr)
      : CPlaceEventObject(value, StoredKind) {
    labelId = LabelString;
  }
  TPlaceEventKind(const TPlaceEventKind& other, bool withNumbers)
      : CPlaceEventObject(other, withNumbers) {
    labelId = LabelString;
  }

  int GetCategory() const override { return Category; }
  char GetKindLetter() const override { return KindLetter; }
};

template <char StoredKind, char KindLetter, int Category, int LabelString>
class TOrdinanceKind : public COrdinanceObject {
 public:
  static constexpr char kStoredKind = StoredKind;
  static constexpr int kLabelString = LabelString;

  explicit TOrdinanceKind(const COrdinanceValue* value = nullptr, const char* kindText = nullptr)
      : COrdinanceObject(value, StoredKind, kindText) {
    labelId = LabelString;
  }
  TOrdinanceKind(const TOrdinanceKind& other, bool withNumbers, const char* kindText)
      : COrdinanceObject(other, withNumbers, kindText) {
    labelId = LabelString;
  }

  int GetCategory() const override { return Category; }
  char GetKindLetter() const override { return KindLetter; }
};

// Each kind: built from a value (null: empty), or copied (the first
// citation and second number only withNumbers).
#define KOR_PLACE_EVENT_KIND(Class, Stored, Letter, Category, Label)                            \
  class Class : public TPlaceEventKind<Stored, Letter, Category, Label> {                       \
   public:                                                                                      \
    using TPlaceEventKind::TPlaceEventKind;                                                     \
    Class(const Class& other, bool withNumbers = true) : TPlaceEventKind(other, withNumbers) {} \
    Class& operator=(const Class& other) = default;                                             \
  };

#define KOR_ORDINANCE_KIND(Class, Stored, Letter, Category, Label)                     \
  class Class : public TOrdinanceKind<Stored, Letter, Category, Label> {               \
   public:                                                                             \
    using TOrdinanceKind::TOrdinanceKind;                                              \
    Class(const Class& other, bool withNumbers = true, const char* kindText = nullptr) \
        : TOrdinanceKind(other, withNumbers, kindText) {}                              \
    Class& operator=(const Class& other) = default;                                    \
  };

KOR_PLACE_EVENT_KIND(CBirthEvent, 'B', 'B', 0, 3710)
KOR_PLACE_EVENT_KIND(CChristeningEvent, 'C', 'C', 0, 3711)
KOR_PLACE_EVENT_KIND(CDeathEvent, 'D', 'D', 5, 3712)
KOR_PLACE_EVENT_KIND(CBurialEvent, 'U', 'R', 0, 3713)
KOR_PLACE_EVENT_KIND(CMarriageEvent, 'M', 'G', 4, 7159)

KOR_ORDINANCE_KIND(CBaptismOrdinance, 'B', 'A', 1, 7101)
KOR_ORDINANCE_KIND(CEndowmentOrdinance, 'E', 'E', 1, 7207)
KOR_ORDINANCE_KIND(CSealingToSpouseOrdinance, 'S', 'S', 3, 3714)
KOR_ORDINANCE_KIND(CSealingToParentsOrdinance, 'P', 'P', 2, 3715)

#undef KOR_PLACE_EVENT_KIND
#undef KOR_ORDINANCE_KIND
