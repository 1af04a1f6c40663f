#pragma once
// Long file paths shortened to a width for display in dialogs, for example
// "/home/anna/Gene...smith.orv". The framework's dialog helpers call this
// with the control's font and width.

#include <string>
#include <string_view>

namespace plat {
class TextMeasure;
}

// The path shortened so that its measured width fits width (device pixels):
// the whole path when it fits; else root, the folder cut from its end, "..."
// and the file name; else "..." and the file name; else the file name, cut
// further when even that is too wide.
std::string CompactPathToWidth(std::string_view path, const plat::TextMeasure& measure, int width);
