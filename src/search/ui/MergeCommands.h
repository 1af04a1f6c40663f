#pragma once
// Hands the application Tools > Match/Merge, Merge on SBNs and Global Search
// and Replace.

class CKorApp;

void RegisterMergeCommands(CKorApp& app);
