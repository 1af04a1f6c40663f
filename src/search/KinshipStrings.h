#pragma once
// String ids of the kinship words, the Relationship Calculator and the
// relationship indicators.

namespace kin {

inline constexpr unsigned kIdsGenerationBase = 4107;  // 4111..4127: German generation words
inline constexpr unsigned kIdsSamePerson = 5221;
inline constexpr unsigned kIdsTheyAreSpouses = 5348;
inline constexpr unsigned kIdsMaritalCaption = 5349;
inline constexpr unsigned kIdsSelectTwo = 5350;
inline constexpr unsigned kIdsWhoCaption = 5351;
inline constexpr unsigned kIdsNoBloodRelationship = 5352;
inline constexpr unsigned kIdsOnlyFirstShown = 5405;
inline constexpr unsigned kIdsManyCaption = 5407;
inline constexpr unsigned kIdsAre = 5408;
inline constexpr unsigned kIdsIsTheMale = 5409;
inline constexpr unsigned kIdsIsTheFemale = 5410;
inline constexpr unsigned kIdsAs = 5411;
inline constexpr unsigned kIdsShortSame = 5412;
inline constexpr unsigned kIdsShortUncle = 5413;
inline constexpr unsigned kIdsShortAunt = 5414;
inline constexpr unsigned kIdsShortCousin = 5415;
inline constexpr unsigned kIdsShortRemoved = 5416;
inline constexpr unsigned kIdsShortGrand = 5417;
inline constexpr unsigned kIdsShortGreatGrand = 5418;
inline constexpr unsigned kIdsShortSister = 5419;
inline constexpr unsigned kIdsShortBrother = 5420;
inline constexpr unsigned kIdsShortFather = 5421;
inline constexpr unsigned kIdsShortMother = 5422;
inline constexpr unsigned kIdsShortGrandfather = 5423;
inline constexpr unsigned kIdsShortGrandmother = 5424;
inline constexpr unsigned kIdsShortGGFather = 5425;
inline constexpr unsigned kIdsShortGGMother = 5426;
inline constexpr unsigned kIdsNotSet = 5427;
inline constexpr unsigned kIdsCommonAncestorIs = 5428;
inline constexpr unsigned kIdsCommonAncestorsAre = 5429;
inline constexpr unsigned kIdsRootPerson = 5430;
inline constexpr unsigned kIdsCousinFemale = 5431;
inline constexpr unsigned kIdsCousinMale = 5432;
inline constexpr unsigned kIdsCousinsFemale = 5433;
inline constexpr unsigned kIdsCousinsMale = 5434;
inline constexpr unsigned kIdsTimesRemoved = 5445;
inline constexpr unsigned kIdsTimeRemoved = 5446;
inline constexpr unsigned kIdsInLawFemale = 5447;
inline constexpr unsigned kIdsInLawMale = 5448;
inline constexpr unsigned kIdsWifeOf = 5449;
inline constexpr unsigned kIdsHusbandOf = 5450;
inline constexpr unsigned kIdsDaughter = 5451;
inline constexpr unsigned kIdsSon = 5452;
inline constexpr unsigned kIdsGreatGranddaughter = 5455;
inline constexpr unsigned kIdsGreatGrandson = 5456;
inline constexpr unsigned kIdsGreatGrandNiece = 5463;
inline constexpr unsigned kIdsGreatGrandNephew = 5464;
inline constexpr unsigned kIdsGreatGrandmother = 5437;
inline constexpr unsigned kIdsGreatGrandfather = 5438;
inline constexpr unsigned kIdsAunt = 5439;
inline constexpr unsigned kIdsUncle = 5440;
inline constexpr unsigned kIdsGreatGrandAunt = 5443;
inline constexpr unsigned kIdsGreatGrandUncle = 5444;
inline constexpr unsigned kIdsUnknown = 7079;
inline constexpr unsigned kIdsUnknownParent = 7080;
inline constexpr unsigned kIdsHusband = 7126;
inline constexpr unsigned kIdsWife = 7127;
inline constexpr unsigned kIdsFather = 7129;
inline constexpr unsigned kIdsMother = 7130;
inline constexpr unsigned kIdsInvalidSelection = 7205;
inline constexpr unsigned kIdsAnd = 7258;
inline constexpr unsigned kIdsOf = 7279;
inline constexpr unsigned kIdsIndicatorsCaption = 3838;
inline constexpr unsigned kIdsSettingRelationships = 3839;
inline constexpr unsigned kIdsStartAfterEnd = 3613;
inline constexpr unsigned kIdsFillTwoPortions = 3614;
inline constexpr unsigned kIdsCalendarNote = 3615;
inline constexpr unsigned kIdsInvalidDate = 7053;

}  // namespace kin
