#include "printing/ui/Printers.h"

#include <QComboBox>
#include <QPrinterInfo>

QString Standarddruckername()
{
    return QPrinterInfo::defaultPrinterName();
}

void GetPrinters(QComboBox *box)
{
    if (!box)
        return;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        box->addItem(name);
}

CurrentPrinter::CurrentPrinter()
{
    // The title the print system shows for the jobs.
    m_printer.setDocName(QStringLiteral("Barlog"));
}

QString CurrentPrinter::deviceName() const
{
    if (m_printer.outputFormat() != QPrinter::NativeFormat)
        return QString();
    return m_printer.printerName();
}

bool CurrentPrinter::canPrint() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return !m_printer.outputFileName().isEmpty();
    return !m_printer.printerName().isEmpty();
}

QString CurrentPrinter::target() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return m_printer.outputFileName();
    return deviceName();
}

QString CurrentPrinter::problem() const
{
    if (canPrint())
        return QString();
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("Es ist kein Drucker eingerichtet, daher kann Barlog nicht drucken.\n\n"
                              "Bitte richten Sie zuerst einen Drucker im System ein.");
    return QStringLiteral("Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                          "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste.");
}

bool CurrentPrinter::drucker_setzen(const QString &name)
{
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (!installed.contains(name, Qt::CaseSensitive))
        return false;
    m_printer.setOutputFormat(QPrinter::NativeFormat);
    m_printer.setPrinterName(name);
    return true;
}
