#include "SettingsChoosers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "FontDescription.h"
#include "Ports.h"
#include "PreferencesPages.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SystemColors.h"

namespace prefs {

namespace {

Choosers Desktop() {
  Choosers c;
  c.font = [](QWidget* parent, QFont& font, const shell::FontChoiceLimits& limits) {
    bool ok = false;
    // Outline fonts stand in for the TrueType-only choice of the views.
    const QFontDialog::FontDialogOptions only =
        limits.trueTypeOnly ? QFontDialog::ScalableFonts : QFontDialog::FontDialogOptions();
    const QFont chosen = QFontDialog::getFont(&ok, font, parent, QString(), only);
    if (ok) font = chosen;
    return ok;
  };
  c.color = [](QWidget* parent, QColor& color) {
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid()) return false;
    color = chosen;
    return true;
  };
  c.folder = [](QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
  };
  c.hasPrinter = [] { return !QPrinterInfo::defaultPrinter().isNull(); };
  return c;
}

}  // namespace

Choosers& DesktopChoosers() {
  static Choosers choosers = Desktop();
  return choosers;
}

void ResetDesktopChoosers() { DesktopChoosers() = Desktop(); }

QColor ToQColor(std::uint32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

std::uint32_t FromQColor(const QColor& c) { return plat::MakeColor(c.red(), c.green(), c.blue()); }

QFont FontFromDescription(const std::string& description) {
  std::string face;
  int size = 0, weight = 400, italic = 0;
  ParseFontDescription(description, face, size, weight, italic);
  QFont font(fw::ToQString(face));
  font.setPointSize(std::max(1, size));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight == 0 ? 400 : weight, 100, 900)));
  font.setItalic(italic != 0);
  return font;
}

std::string DescriptionFromFont(const QFont& font, const shell::FontChoiceLimits& limits) {
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pointSize();
  return shell::ChosenFontDescription(fw::FromQString(font.family()), points, font.weight(),
                                      font.italic(), limits);
}

bool ChooseFontDescription(QWidget* parent, std::string& description,
                           const shell::FontChoiceLimits& limits) {
  Choosers& c = DesktopChoosers();
  if (limits.needsPrinter && !(c.hasPrinter && c.hasPrinter())) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToConnect), res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  QFont font = FontFromDescription(description);
  if (!c.font || !c.font(parent, font, limits)) return false;
  description = DescriptionFromFont(font, limits);
  return true;
}

}  // namespace prefs
