#include "platform/ui/Screen.h"

#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
struct Override
{
    QSize pixels;
    double dpi = 96.0;
};
Override &override_()
{
    static Override o;
    return o;
}

QSize screenPixels()
{
    if (override_().pixels.isValid())
        return override_().pixels;
    if (const QScreen *s = QGuiApplication::primaryScreen())
        return s->size();
    return QSize(1024, 768);
}
} // namespace

double Screen::logicalDpi()
{
    if (override_().pixels.isValid())
        return override_().dpi;
    if (const QScreen *s = QGuiApplication::primaryScreen())
        return s->logicalDotsPerInchY();
    return 96.0;
}

int Screen::widthTwips()
{
    return roundHalfEven(pixelsToTwips(screenPixels().width()));
}

int Screen::heightTwips()
{
    return roundHalfEven(pixelsToTwips(screenPixels().height()));
}

int Screen::twipsToPixels(double twips)
{
    return roundHalfEven(twips * logicalDpi() / 1440.0);
}

double Screen::pixelsToTwips(double pixels)
{
    return pixels * 1440.0 / logicalDpi();
}

double Screen::pointsToPixels(double points)
{
    return points * logicalDpi() / 72.0;
}

void Screen::setOverride(QSize pixels, double dpi)
{
    override_().pixels = pixels;
    override_().dpi = dpi;
}
