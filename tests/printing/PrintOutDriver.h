#pragma once

#include "EditingDriver.h"
#include "printing/ui/Druckerwahl.h"

#include <QComboBox>

// Drives the print-out as a user does: "Barlog drucken" on the main window,
// then the printer window's box and "Drucken".
struct PrintOutDriver : EditingDriver
{
    using EditingDriver::EditingDriver;

    Druckerwahl &printerWindow() { return *form->druckerwahl(); }

    Druckerwahl &openPrinterWindow()
    {
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        return printerWindow();
    }

    void drucken() { QTest::mouseClick(printerWindow().Command1, Qt::LeftButton); }
};
