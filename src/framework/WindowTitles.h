#pragma once
// A window manager shortens a caption that does not fit its window's title
// bar ("Add o…idual"); a small dialog or message box is widened on showing
// so that its whole caption fits.

class QApplication;
class QWidget;

namespace fw {

// The width a window needs for its caption, the title bar's icon and
// buttons included.
int TitleBarWidth(const QWidget& window);

// From now on every window and message box of the program is at least as
// wide as its caption needs when it shows.
void KeepWindowTitlesWhole(QApplication& app);

}  // namespace fw
