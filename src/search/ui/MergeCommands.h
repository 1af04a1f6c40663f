#pragma once
// Hands the application Tools > Match/Merge and Global Search and Replace.

class CKorApp;

void RegisterMergeCommands(CKorApp& app);
