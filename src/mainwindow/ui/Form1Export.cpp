// Data out: the "Datei" menu's export commands and the year overview.
#include "mainwindow/ui/Form1.h"

#include "exports/ui/Jahresuebersicht.h"
#include "exports/ui/MonthExports.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/Druckerwahl.h"
#include "storage/MonthPath.h"

#include <QComboBox>
#include <QMenu>

void Form1::addExportActions(QMenu *datei)
{
    const auto add = [this, datei](const char *name, const QString &text, void (Form1::*handler)()) {
        QAction *action = datei->addAction(text);
        action->setObjectName(QLatin1StringView(name));
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    add("PdfSpeichern", QStringLiteral("Als PDF speichern …"), &Form1::PdfSpeichern_Click);
    add("Druckvorschau", QStringLiteral("Druckvorschau …"), &Form1::Druckvorschau_Click);
    datei->addSeparator();
    add("CsvExport", QStringLiteral("Monat als CSV exportieren …"), &Form1::CsvExport_Click);
    add("DatevMonat", QStringLiteral("Monat im DATEV-Format exportieren …"), &Form1::DatevMonat_Click);
    add("DatevJahr", QStringLiteral("Jahr im DATEV-Format exportieren …"), &Form1::DatevJahr_Click);
    datei->addSeparator();
    add("Jahresuebersicht", QStringLiteral("Jahresübersicht …"), &Form1::Jahresuebersicht_Click);
    // Last, so that the entries above keep their places for scripted sessions.
    add("Betriebspruefung", QStringLiteral("Daten für die Betriebsprüfung …"), &Form1::Betriebspruefung_Click);
}

void Form1::PdfSpeichern_Click()
{
    m_exports->pdf();
}

void Form1::Druckvorschau_Click()
{
    m_exports->preview();
}

void Form1::CsvExport_Click()
{
    m_exports->csv();
}

void Form1::DatevMonat_Click()
{
    m_exports->datevMonth();
}

void Form1::DatevJahr_Click()
{
    m_exports->datevYear();
}

void Form1::Betriebspruefung_Click()
{
    m_exports->auditYear();
}

Jahresuebersicht *Form1::jahresuebersicht()
{
    if (!m_jahresuebersicht)
        m_jahresuebersicht = std::make_unique<Jahresuebersicht>(
            m_programFolder, [this]() -> CurrentPrinter & { return druckerwahl()->currentPrinter(); });
    return m_jahresuebersicht.get();
}

void Form1::Jahresuebersicht_Click()
{
    const std::optional<int> year = selectedYear(Combo2->currentText());
    if (!year) {
        MessageBox::info(this, noYearMessage(Combo2->currentText()));
        return;
    }
    jahresuebersicht()->showYear(*year);
    bringUp(jahresuebersicht());
}
