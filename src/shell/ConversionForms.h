#pragma once
// What the conversion dialogs of an old-format family decide, without Qt:
// the introduction with its three options, the File Converter's state while
// it runs (pass label, step counter, the Close button's cancel), and the
// Convert Source Notes form with its four answers.

#include <functional>
#include <string>

#include "Orv2Converter.h"

namespace shell {

// Control ids of the dialogs.
inline constexpr int kIdcWrapNotes = 1311;
inline constexpr int kIdcPreserveNumbers = 1309;
inline constexpr int kIdcConvertSourceNotes = 1310;
inline constexpr int kIdcIntroLocation = 1369;
inline constexpr int kIdcIntroTitle = 1371;
inline constexpr int kIdcIntroCount = 1373;
inline constexpr int kIdcConverterFrom = 1413;
inline constexpr int kIdcConverterTo = 1412;
inline constexpr int kIdcConverterPass = 1369;
inline constexpr int kIdcConverterCounter = 1414;
inline constexpr int kIdcConvert = 1264;
inline constexpr int kIdcOriginalNote = 1113;
inline constexpr int kIdcSourceTitle = 1320;
inline constexpr int kIdcSourceAuthor = 1323;
inline constexpr int kIdcSourcePublication = 1327;
inline constexpr int kIdcSourcePage = 1338;
inline constexpr int kIdcSourceComments = 1326;
inline constexpr int kIdcSourceRepository = 1433;
inline constexpr int kIdcSourceCallNumber = 1434;
inline constexpr int kIdcCitingEvents = 1346;
inline constexpr int kIdcTagsNotCited = 1348;
inline constexpr int kIdcRetain = 1309;
inline constexpr int kIdcConvertAll = 1339;
inline constexpr int kIdcDontConvert = 1318;

inline constexpr const char* kConversionCaption = "ORV 2.x File Conversion";
inline constexpr const char* kConversionStatement =
    "This file was created by an earlier version of Korvane. To use this data in version 4.0 of "
    "ORV, you must first convert it.";
inline constexpr const char* kConverterCaption = "File Converter";
inline constexpr const char* kSourceNotesCaption = "Convert Source Notes for ";

// The introduction: the old family's statics and the options it returns.
struct ConversionIntro {
  std::string location, title, count;
  orv2::ConversionOptions options;  // the defaults until changed
};
ConversionIntro MakeConversionIntro(const std::string& location, const std::string& title,
                                    long individuals);

// The File Converter while it runs: the texts its statics show and whether
// the user asked to stop. The screen refreshes itself through refresh and
// processes its waiting input through pump (false: the program is closing).
class ConverterState : public orv2::ConverterView {
 public:
  std::function<void()> refresh;
  std::function<bool()> pump;
  std::function<orv2::SourceNoteAnswer(const std::string&, const orv2::SourceNote&)> askSourceNote;

  void ShowPass(const std::string& label) override;
  void ShowCounter(const std::string& text) override;
  bool Pump() override;
  orv2::SourceNoteAnswer AskSourceNote(const std::string& name,
                                       const orv2::SourceNote& note) override;

  // The Close button while converting asks to stop at the next step.
  void RequestCancel() { cancelRequested_ = true; }
  bool CancelRequested() const { return cancelRequested_; }
  const std::string& PassLabel() const { return pass_; }
  const std::string& Counter() const { return counter_; }

 private:
  std::string pass_, counter_;
  bool cancelRequested_ = false;
};

// The Convert Source Notes form: the fields the user may edit, the two tag
// lists and Retain; an answer carries the edited fields.
class SourceNoteForm {
 public:
  SourceNoteForm(const std::string& individualName, const orv2::SourceNote& note);
  std::string Caption() const { return caption_; }
  orv2::SourceNote note;  // edited in place by the screen
  bool retain = false;
  // The answer of a button (Convert, Convert All, Don't Convert, Don't
  // Convert Any) with the fields as edited and Retain.
  orv2::SourceNoteAnswer Answer(orv2::SourceNoteChoice choice) const;

 private:
  std::string caption_;
};

}  // namespace shell
