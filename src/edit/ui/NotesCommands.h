#pragma once
// Hands the application the commands of the notes and source screens:
// Notes of the views, Edit > Source List, Edit > Repository List and Tools >
// Merge Duplicate Sources and Citations.

class CKorApp;

void RegisterNotesCommands(CKorApp& app);
