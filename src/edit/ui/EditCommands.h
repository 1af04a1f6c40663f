#pragma once
// Hands the application the editing commands: Edit > Individual and Edit >
// Marriage (also reached by double-click and the views' edit keys) open the
// Edit Individual and Edit Marriage screens on the active view's person and
// marriage; Edit > Parents, Order Spouses and Order Children open Parents of
// and the order lists for them.

class CKorApp;

void RegisterEditCommands(CKorApp& app);
