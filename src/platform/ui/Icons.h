#pragma once

#include <QIcon>
#include <QString>

// Button pictures from the desktop's icon theme, with the style's own
// pictures where the theme has none.
namespace Icons {
QIcon button(const QString &themeName);
QIcon window();
} // namespace Icons
