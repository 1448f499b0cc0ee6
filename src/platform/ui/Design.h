#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Window designs are in twips. Each control keeps its design rectangle and
// font size, so scaling multiplies exact twips instead of rounded pixels.
namespace Design {

void place(QWidget *control, int left, int top, int width, int height);
QRect twips(const QWidget *control);
void setTwips(QWidget *control, const QRect &twips);

// Face and size in points; the size is remembered for scaling.
void setFont(QWidget *control, const QString &family, double points, bool bold = false);
double fontPoints(const QWidget *control);
void setFontPoints(QWidget *control, double points);

void setBackColor(QWidget *control, int r, int g, int b);

// The client area of a window, in twips. A window with a menu bar above its
// design makes room for it once with setClientTop; the client area, where
// the controls sit, then begins that many pixels lower. A status line below
// the design adds its height with setClientBottom.
void setClientSize(QWidget *window, int widthTwips, int heightTwips);
void setClientTop(QWidget *window, int pixels);
void setClientBottom(QWidget *window, int pixels);
QSize clientTwips(const QWidget *window);

// Every control of a window that carries a design rectangle, each once.
QList<QWidget *> controls(QWidget *window);

} // namespace Design
