#pragma once

#include <QFont>
#include <QString>

// The design names Windows faces. On Linux they map to metric-compatible
// faces where installed, so captions fit their buttons.
namespace Fonts {
void installSubstitutions();
QFont font(const QString &family, double points, bool bold = false);
} // namespace Fonts
