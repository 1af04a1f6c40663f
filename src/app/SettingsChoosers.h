#pragma once
// The desktop's choosers that the settings screens open: fonts, colours,
// folders, and the question whether a default printer exists. Each is a
// replaceable function, so that tests answer for the user.

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace shell {
struct FontChoiceLimits;
}

namespace prefs {

struct Choosers {
  // Edits font within limits; false when the user cancelled.
  std::function<bool(QWidget* parent, QFont& font, const shell::FontChoiceLimits& limits)> font;
  // Edits color; false when the user cancelled.
  std::function<bool(QWidget* parent, QColor& color)> color;
  // A folder picked under a title, starting at start; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& title, const QString& start)> folder;
  std::function<bool()> hasPrinter;
};

// The choosers in force (the desktop's unless a test replaced them).
Choosers& DesktopChoosers();
// Puts the desktop's own choosers back.
void ResetDesktopChoosers();

// Colour values hold red in the low byte.
QColor ToQColor(std::uint32_t value);
std::uint32_t FromQColor(const QColor& color);

// A font description as a QFont, and back.
QFont FontFromDescription(const std::string& description);
std::string DescriptionFromFont(const QFont& font, const shell::FontChoiceLimits& limits);

// Runs the font chooser on description within limits: without a printer
// when one is needed, the message "Unable to connect to printer" and
// nothing changes. True when description was changed.
bool ChooseFontDescription(QWidget* parent, std::string& description,
                           const shell::FontChoiceLimits& limits);

}  // namespace prefs
