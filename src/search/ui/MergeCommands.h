#pragma once
// Hands the application Tools > Global Search and Replace.

class CKorApp;

void RegisterMergeCommands(CKorApp& app);
