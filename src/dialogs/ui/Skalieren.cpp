#include "dialogs/ui/Skalieren.h"

#include "platform/Rounding.h"
#include "platform/ui/Design.h"

#include <QWidget>

void FormSkalieren(QWidget *form, const float &sfx, const float &sfy)
{
    const QSize client = Design::clientTwips(form);
    if (client.isValid()) {
        Design::setClientSize(form, roundHalfEven(client.width() * static_cast<double>(sfx)),
                              roundHalfEven(client.height() * static_cast<double>(sfy)));
    }
    form->move(roundHalfEven(form->x() * static_cast<double>(sfx)),
               roundHalfEven(form->y() * static_cast<double>(sfy)));

    const QList<QWidget *> controls = Design::controls(form);
    for (QWidget *c : controls) {
        const QRect t = Design::twips(c);
        const double fx = sfx;
        const double fy = sfy;
        Design::setTwips(c, QRect(roundHalfEven(t.x() * fx), roundHalfEven(t.y() * fy), roundHalfEven(t.width() * fx),
                                  roundHalfEven(t.height() * fy)));
        Design::setFontPoints(c, Design::fontPoints(c) * static_cast<double>(sfy));
    }
}
