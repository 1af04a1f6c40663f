#pragma once
// Hands the application the Add menu: an unlinked individual, or a new or
// existing father, mother, spouse or child of the active view's individual,
// each behind the edit password gate.

class CKorApp;

void RegisterAddCommands(CKorApp& app);
