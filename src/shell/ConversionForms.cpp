#include "ConversionForms.h"

namespace shell {

ConversionIntro MakeConversionIntro(const std::string& location, const std::string& title,
                                    long individuals) {
  ConversionIntro intro;
  intro.location = location;
  intro.title = title;
  intro.count = individuals < 0 ? std::string() : std::to_string(individuals);
  return intro;
}

void ConverterState::ShowPass(const std::string& label) {
  pass_ = label;
  counter_.clear();
  if (refresh) refresh();
}

void ConverterState::ShowCounter(const std::string& text) {
  counter_ = text;
  if (refresh) refresh();
}

bool ConverterState::Pump() {
  if (pump && !pump()) cancelRequested_ = true;
  return !cancelRequested_;
}

orv2::SourceNoteAnswer ConverterState::AskSourceNote(const std::string& name,
                                                     const orv2::SourceNote& note) {
  if (askSourceNote) return askSourceNote(name, note);
  orv2::SourceNoteAnswer answer;
  answer.note = note;
  return answer;
}

SourceNoteForm::SourceNoteForm(const std::string& individualName, const orv2::SourceNote& n)
    : note(n), caption_(std::string(kSourceNotesCaption) + individualName) {}

orv2::SourceNoteAnswer SourceNoteForm::Answer(orv2::SourceNoteChoice choice) const {
  orv2::SourceNoteAnswer answer;
  answer.choice = choice;
  answer.retain = retain;
  answer.note = note;
  return answer;
}

}  // namespace shell
