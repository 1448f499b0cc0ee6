#include "platform/ui/Design.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/Screen.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {
const char *const TwipsProperty = "barlogTwips";
const char *const PointsProperty = "barlogPoints";
const char *const ClientProperty = "barlogClientTwips";
const char *const ClientTopProperty = "barlogClientTop";
const char *const ClientBottomProperty = "barlogClientBottom";

QRect toPixels(const QRect &t)
{
    // Edges are converted, not sizes, so that neighbours stay flush.
    const int left = Screen::twipsToPixels(t.x());
    const int top = Screen::twipsToPixels(t.y());
    const int right = Screen::twipsToPixels(static_cast<double>(t.x()) + t.width());
    const int bottom = Screen::twipsToPixels(static_cast<double>(t.y()) + t.height());
    return QRect(left, top, right - left, bottom - top);
}
} // namespace

void Design::place(QWidget *control, int left, int top, int width, int height)
{
    setTwips(control, QRect(left, top, width, height));
}

QRect Design::twips(const QWidget *control)
{
    const QVariant v = control->property(TwipsProperty);
    if (v.isValid())
        return v.toRect();
    const QRect px = control->geometry();
    return QRect(static_cast<int>(Screen::pixelsToTwips(px.x())), static_cast<int>(Screen::pixelsToTwips(px.y())),
                 static_cast<int>(Screen::pixelsToTwips(px.width())),
                 static_cast<int>(Screen::pixelsToTwips(px.height())));
}

void Design::setTwips(QWidget *control, const QRect &twips)
{
    control->setProperty(TwipsProperty, twips);
    control->setGeometry(toPixels(twips));
}

void Design::setFont(QWidget *control, const QString &family, double points, bool bold)
{
    control->setFont(Fonts::font(family, points, bold));
    control->setProperty(PointsProperty, points);
}

double Design::fontPoints(const QWidget *control)
{
    const QVariant v = control->property(PointsProperty);
    return v.isValid() ? v.toDouble() : control->font().pointSizeF();
}

void Design::setFontPoints(QWidget *control, double points)
{
    QFont f = control->font();
    f.setPointSizeF(points > 0.0 ? points : 1.0);
    control->setFont(f);
    control->setProperty(PointsProperty, points);
}

void Design::setBackColor(QWidget *control, int r, int g, int b)
{
    QPalette pal = control->palette();
    pal.setColor(QPalette::Button, QColor(r, g, b));
    pal.setColor(QPalette::Base, QColor(r, g, b));
    pal.setColor(QPalette::Window, QColor(r, g, b));
    control->setPalette(pal);
    control->setAutoFillBackground(true);
}

void Design::setClientSize(QWidget *window, int widthTwips, int heightTwips)
{
    window->setProperty(ClientProperty, QSize(widthTwips, heightTwips));
    window->resize(Screen::twipsToPixels(widthTwips),
                   Screen::twipsToPixels(heightTwips) + window->property(ClientTopProperty).toInt()
                       + window->property(ClientBottomProperty).toInt());
}

void Design::setClientBottom(QWidget *window, int pixels)
{
    window->setProperty(ClientBottomProperty, pixels);
}

void Design::setClientTop(QWidget *window, int pixels)
{
    window->setProperty(ClientTopProperty, pixels);
}

QSize Design::clientTwips(const QWidget *window)
{
    return window->property(ClientProperty).toSize();
}

QList<QWidget *> Design::controls(QWidget *window)
{
    QList<QWidget *> result;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->property(TwipsProperty).isValid())
            result.append(w);
    }
    return result;
}
