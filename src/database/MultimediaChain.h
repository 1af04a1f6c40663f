#pragma once
// The database calls on multimedia chains: the items (record type 148) that
// individuals (100), marriages (102), sources (130) and citations (132) own,
// the owner's default photo and sound, the export of an individual's item
// into a folder, and the picture cache of report pagination. The chain
// operations of the database object itself are in FamilyDatabase.h.
//
// Every call but the ones that only look at their arguments works on the
// current format; on another database type it shows the "Unknown Database
// Type 31" box (caption "Yo") and answers -1 (null for lists).

#include <cstdint>
#include <string>
#include <utility>

#include "MultimediaItem.h"
#include "ReplaceFile.h"

// The owner's multimedia field (CFamilyDatabase::GetMultimediaHead).
std::int32_t DbGetMultimediaHead(std::int32_t owner, int ownerType);

// The first item of the chain that item belongs to (previous links
// followed); 0 for 0 or an item that cannot be read.
std::int32_t DbGetFirstMultimediaItem(std::int32_t item);

// The owner's default items: the first default photo, then the first
// default sound of its chain; either may be missing. count, when given,
// receives the number of items in the list.
CMultimediaList DbGetDefaultMultimedia(std::int32_t owner, int ownerType, int* count = nullptr);

// Replaces the owner's stored chain by the items of list, in list order.
// Each item gets a new record (reusing deleted ones) with the owner's number
// and type, its next and previous numbers, and its record number in the
// list; an item without a kind letter is stored as a photo. The owner's
// field then names the first item; an empty list leaves the owner without
// items. 1 when done, also for a list whose first item asks to keep the
// stored chain (nothing written); 0 for an owner number not above 0, another
// owner type, an owner that is not live, or a write that failed (the items
// added so far stay chained); -1 without a family file of the current format.
[[nodiscard]] int DbSaveMultimediaChain(std::int32_t owner, CMultimediaItem* list, int ownerType);

// Frees every item of a loaded list.
void DbFreeMultimediaList(CMultimediaList& list);

// 1 when the owner's first default item is a photo (size, when given, gets
// its cropped width and height, 0 and 0 when unknown), else 0.
int DbHasDefaultPhoto(std::int32_t owner, int ownerType, std::pair<int, int>* size = nullptr);

// Copies an individual's item into folder for the web pages, under the name
// MultimediaExportName(owner, index, file) that goes to name; a linked sound
// is copied too, under index + 1. item is the item to export; without one,
// the item the individual's multimedia field names. width and height receive
// the size that the copied picture's file header gives (0 and 0 when
// unknown or not a photo). An edited photo (cropped, flipped or turned) is
// copied as its file stands: saving the edited picture needs the image
// object of the multimedia screens. Each copy is on the disk before it
// replaces a file of its name, unless sync leaves that to a caller that
// makes the whole folder durable afterwards (the web site writer). 1 on
// success; 0 when the item cannot be read or a copy fails (its message
// shown).
int ExportMultimediaFile(std::int32_t owner, int unused, const std::string& folder,
                         std::string& name, const CMultimediaItem* item, int index, int& width,
                         int& height, ReplaceSync sync = ReplaceSync::kNow);

// Report pagination: 1 before it, 0 after. 1 attaches a fresh picture cache
// (one bit per individual, set when that individual's photo failed to load)
// to the database object; 0 drops it.
void SetReportImageMode(int flag);

// The width and height a picture file's header gives (PNG, GIF, BMP, JPEG);
// false and 0, 0 when the file cannot be read or is none of these.
bool ReadPictureFileSize(const std::string& path, int& width, int& height);
