// The plain-text form of the nodes of a field filter expression.

#include <string>

#include "FieldFilter.h"
#include "FilterSet.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

std::string Word(unsigned first, int op) {
  return res::LoadString(first + static_cast<unsigned>(op));
}

// Replaces the printf-style inserts of text in order by args.
std::string Fill(std::string text, std::initializer_list<std::string> args) {
  std::size_t pos = 0;
  for (const std::string& arg : args) {
    pos = text.find('%', pos);
    if (pos == std::string::npos || pos + 1 >= text.size()) break;
    text.replace(pos, 2, arg);
    pos += arg.size();
  }
  return text;
}

std::string Text(const std::unique_ptr<std::string>& t) { return t ? *t : std::string(); }
std::string DateText(const std::unique_ptr<CDateValue>& d) {
  return d ? d->Format() : std::string();
}

std::string FromTo(const std::string& a, const std::string& b) {
  return " " + Fill(res::LoadString(res::kIdsFromTo), {a, b});
}

// "Matches x", "Range from x to y", "Exists" of the text family.
std::string TextPart(const CFilterCriterion& c) {
  std::string out = Word(res::kIdsTextOps, c.op);
  if (c.op <= 3 || c.op == 6 || c.op == 7) out += " " + Text(c.text1);
  if (c.op == 8) out += FromTo(Text(c.text1), Text(c.text2));
  return out;
}

std::string DatePart(const CFilterCriterion& c) {
  std::string out = Word(res::kIdsDateOps, c.op);
  if (c.op <= 3 || c.op == 6 || c.op == 7) out += " " + DateText(c.date1);
  if (c.op == 8) out += FromTo(DateText(c.date1), DateText(c.date2));
  return out;
}

std::string PlacePart(const CFilterCriterion& c) {
  std::string out;
  if (c.subField >= 1 && c.subField <= 4)
    out += "(" + Fill(res::LoadString(res::kIdsLevel), {std::to_string(c.subField)}) + " ";
  out += Word(res::kIdsTextOps, c.op);
  if (c.op == 8) {
    out += FromTo(Text(c.text1), Text(c.text2));
  } else if (c.op != 4 && c.op != 5) {
    out += " " + Text(c.text1);
  }
  return out;
}

std::string SubFieldName(int id) {
  std::string name = res::LoadString(static_cast<unsigned>(id));
  if (!name.empty() && name[0] == '!') name.erase(0, 1);
  return name;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

std::string CFilterCriterion::GetDescription() const {
  const int id = fieldId;
  if (kind == fkind::kToken) {
    if (id == kOpenParen) return "(";
    if (id == kCloseParen) return ")";
    return res::LoadString(static_cast<unsigned>(id));
  }
  const std::string name = res::LoadString(static_cast<unsigned>(id));
  std::string out;
  switch (id) {
    case ffield::kName:
      out = name;
      if (subField == 1 || subField == 2)
        out +=
            " " + res::LoadString(subField == 1 ? res::kIdsSurnameOnly : res::kIdsGivenOnly) + " ";
      else
        out += " ";
      out += Word(res::kIdsNameOps, op);
      if (op != 6 && op != 7 && op != 10) out += " " + Text(text1);
      if (op == 10) out += FromTo(Text(text1), Text(text2));
      return TrimRight(out);
    case ffield::kRin:
    case ffield::kMrin:
      out = name + " " + Word(res::kIdsNumberOps, op);
      if (op == 0 || op == 1) out += " " + std::to_string(value1);
      if (op == 2) out += FromTo(std::to_string(value1), std::to_string(value2));
      return out;
    case ffield::kSex:
    case ffield::kParentRelationship:
    case ffield::kMarriageStatus:
      return name + " " + Word(res::kIdsTextOps, op) + " " + Text(text1);
    case ffield::kDeceased:
    case ffield::kEndOfLine:
    case ffield::kQualifiedBaptism:
    case ffield::kQualifiedSealParents:
    case ffield::kQualifiedSealSpouse:
      return res::LoadString(op == 0 ? res::kIdsIs : res::kIdsIsNot) + " " + name;
    case ffield::kLiveBaptism:
      return res::LoadString(op == 0 ? res::kIdsWas : res::kIdsWasNot) + " " +
             res::LoadString(res::kIdsBaptizedLive);
    case ffield::kMultimedia:
      return name + " " + Word(res::kIdsExistsOps, op);
    case ffield::kNotes:
    case ffield::kMarriageNotes:
      out = name;
      if (op <= 3)
        out += " " + Word(res::kIdsNotesOps, op);
      else
        out += " (" + Text(text1) + ") " + Word(res::kIdsNotesOps, op);
      if (op == 0 || op == 1 || op == 4 || op == 5) out += " " + Text(text2);
      return out;
    case ffield::kSources:
    case ffield::kMarriageSources:
      out = name + " (" + SubFieldName(subField) + ") ";
      return out + (subField == ffield::kCitEntryDate ? DatePart(*this) : TextPart(*this));
    case ffield::kMarriageCount:
    case ffield::kChildCount:
    case ffield::kParentCount:
      return name + (op == 0 ? " = " : op == 1 ? " < " : " > ") + std::to_string(value1);
    case ffield::kUserEvents:
    case ffield::kMarriageUserEvents: {
      const int sub = kind == fkind::kPlace ? value1 : subField;
      out = name + " (";
      if (sub == ffield::kUeType) return out + Text(text1) + ") " + Word(res::kIdsExistsOps, op);
      out += SubFieldName(sub) + ") ";
      switch (sub) {
        case ffield::kUeDate:
          return out + DatePart(*this);
        case ffield::kUePlace:
          return out + PlacePart(*this);
        case ffield::kUeConfidential:
          return out + res::LoadString(op == 0 ? res::kIdsIs : res::kIdsIsNot);
        case ffield::kUeSource:
          return out + Word(res::kIdsExistsOps, op);
        default:
          return out + TextPart(*this);
      }
    }
    default:
      break;
  }
  switch (kind) {
    case fkind::kDate:
      return name + " " + DatePart(*this);
    case fkind::kPlace:
      return name + " " + PlacePart(*this);
    case fkind::kTemple:
      out = name + " " + Word(res::kIdsTextOps, op);
      if (op <= 3) out += " " + Text(text1);
      return out;
    default:
      return name + " " + TextPart(*this);
  }
}
