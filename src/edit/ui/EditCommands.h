#pragma once
// Hands the application the editing commands: Edit > Individual and Edit >
// Marriage (also reached by double-click and the views' edit keys) open the
// Edit Individual and Edit Marriage screens on the active view's person and
// marriage.

class CKorApp;

void RegisterEditCommands(CKorApp& app);
