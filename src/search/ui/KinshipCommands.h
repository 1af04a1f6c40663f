#pragma once
// Hands the application the commands of the relationship tools: Tools >
// Relationship Calculator, Soundex Calculator and Date Calculator, and
// Search > Descendancy List.

class CKorApp;

void RegisterKinshipCommands(CKorApp& app);
