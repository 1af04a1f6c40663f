#pragma once
// The pictures of the main toolbar's buttons, drawn at start-up.

#include <QIcon>

// The icon of a toolbar command; an empty icon for a command without one.
QIcon ToolbarIcon(unsigned commandId);
