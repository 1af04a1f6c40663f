#pragma once
// Tools > Create Web Page.

class CKorApp;

void RegisterWebCommands(CKorApp& app);
