#pragma once
// Hands the application the multimedia commands: Edit > Multimedia (the
// collection of the current individual) and Edit > Photo (the default
// photo in its own window), which the views' menus carry too, and installs
// the Find Multimedia Object dialog behind the picture loader's
// missing-file port.

#include <cstdint>
#include <string>

class CKorApp;

void RegisterMultimediaCommands(CKorApp& app);

// The collection's caption for an individual: given names first, at most
// 60 characters; "" when the individual cannot be read.
std::string MultimediaCaptionFor(std::int32_t rin);
