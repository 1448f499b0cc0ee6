#include "platform/ui/Fonts.h"

#include <QStringList>

void Fonts::installSubstitutions()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                              QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
}

QFont Fonts::font(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points > 0.0 ? points : 8.25);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}
