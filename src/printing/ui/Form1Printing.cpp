#include "mainwindow/ui/Form1.h"

#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintGrid.h"

#include <QToolButton>

void Form1::connectPrinting()
{
    connect(Command6, &QToolButton::clicked, this, [this] { Command6_Click(); });
}

void Form1::Command6_Click()
{
    bringUp(druckerwahl());
}

bool Form1::PrintGrid(FlexGrid &Grid, float LeftMargin, float TopMargin, float RightMargin, float BottomMargin,
                      const QString &Titel, const QString &Datum, short many)
{
    return ::PrintGrid(Grid, druckerwahl()->currentPrinter().printer(), LeftMargin, TopMargin, RightMargin,
                       BottomMargin, Titel, Datum, many);
}
