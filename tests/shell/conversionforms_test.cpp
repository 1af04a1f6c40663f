// What the conversion dialogs decide: the converter's statics and cancel,
// and the source-note form's answers.
#include <gtest/gtest.h>

#include "ConversionForms.h"

namespace {

TEST(ConverterState, ShowsPassAndCounterAndStopsOnClose) {
  shell::ConverterState state;
  int refreshes = 0, pumps = 0;
  state.refresh = [&] { ++refreshes; };
  state.pump = [&] {
    ++pumps;
    return true;
  };
  state.ShowPass("Individuals Pass 1:");
  state.ShowCounter("31 / 70");
  EXPECT_EQ(state.PassLabel(), "Individuals Pass 1:");
  EXPECT_EQ(state.Counter(), "31 / 70");
  EXPECT_EQ(refreshes, 2);
  EXPECT_TRUE(state.Pump());
  // A new pass starts its counter afresh.
  state.ShowPass("Marriages Pass 2:");
  EXPECT_EQ(state.Counter(), "");
  state.RequestCancel();
  EXPECT_FALSE(state.Pump());
  EXPECT_EQ(pumps, 2);
  // A program that is closing stops the run too.
  shell::ConverterState closing;
  closing.pump = [] { return false; };
  EXPECT_FALSE(closing.Pump());
  EXPECT_TRUE(closing.CancelRequested());
}

TEST(SourceNoteForm, AnswersCarryTheEditedFieldsAndRetain) {
  orv2::SourceNote note;
  ASSERT_TRUE(orv2::ParseSourceNote("!BIRTH-X: Smith, Bible; ; ; p. 4", note));
  shell::SourceNoteForm form("Ann Lee", note);
  EXPECT_EQ(form.Caption(), "Convert Source Notes for Ann Lee");
  form.note.title = "Family Bible";
  form.retain = true;
  const orv2::SourceNoteChoice choices[] = {
      orv2::SourceNoteChoice::kConvert, orv2::SourceNoteChoice::kConvertAll,
      orv2::SourceNoteChoice::kDontConvert, orv2::SourceNoteChoice::kDontConvertAny};
  for (const auto choice : choices) {
    const orv2::SourceNoteAnswer a = form.Answer(choice);
    EXPECT_EQ(a.choice, choice);
    EXPECT_TRUE(a.retain);
    EXPECT_EQ(a.note.title, "Family Bible");
    EXPECT_EQ(a.note.page, "p. 4");
    EXPECT_EQ(a.note.cited, std::vector<std::string>{"BIRTH"});
  }
}

TEST(ConversionIntro, StaticsAndDefaults) {
  const shell::ConversionIntro intro = shell::MakeConversionIntro("/data/old", "Pells", 42);
  EXPECT_EQ(intro.count, "42");
  EXPECT_TRUE(intro.options.wrap);
  EXPECT_FALSE(intro.options.preserveNumbers);
  EXPECT_TRUE(intro.options.convertSourceNotes);
  EXPECT_EQ(shell::MakeConversionIntro("/x", "", -1).count, "");  // a count not known
}

}  // namespace
