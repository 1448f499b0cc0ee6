#include "exports/ui/MonthExports.h"

#include "books/StatusText.h"

#include "editing/ui/SheetEditor.h"
#include "exports/AuditExport.h"
#include "exports/CsvExport.h"
#include "exports/DatevExport.h"
#include "exports/ProblemList.h"
#include "exports/YearFiles.h"
#include "platform/Clock.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/PrintOut.h"
#include "storage/MonthPath.h"
#include "storage/WholeFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString DatevPrefix = QStringLiteral("EXTF_Buchungsstapel_");
const QString CsvFilter = QStringLiteral("CSV-Dateien (*.csv)");

DatevSettings datevSettings(QWidget *parent, const QString &programFolder)
{
    QString message;
    DatevSettings settings = DatevSettingsFile(programFolder).load(&message);
    if (!message.isEmpty())
        MessageBox::info(parent, message);
    return settings;
}
} // namespace

void MonthExports::wrote(const QString &what, const QString &path)
{
    if (written)
        written(StatusText::exported(what, QFileInfo(path).fileName(), Clock::now().time()));
}

void MonthExports::tell(const QString &message)
{
    if (!message.isEmpty())
        MessageBox::info(&m_main.window, message);
}

QString MonthExports::proposedPath(const QString &extension, const QString &namePrefix)
{
    const MonthPath where =
        monthFilePath(m_main.programFolder, m_main.year.currentText(), m_main.month.currentText(), extension);
    if (!where.ok()) {
        tell(where.problem);
        return {};
    }
    const QFileInfo file(where.path);
    return file.path() + u'/' + namePrefix + file.fileName();
}

void MonthExports::pdf()
{
    const QString proposed = proposedPath(QStringLiteral(".pdf"));
    if (proposed.isEmpty())
        return;
    const QString path = FileDialog::saveFileName(&m_main.window, QStringLiteral("Als PDF speichern"), proposed,
                                                  QStringLiteral("PDF-Dateien (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const QString error = m_main.printOut.savePdf(path); !error.isEmpty())
        tell(error);
    else
        wrote(QStringLiteral("PDF"), path);
}

void MonthExports::preview()
{
    m_main.printOut.preview(&m_main.window);
}

void MonthExports::csv()
{
    if (!m_main.editor.settleForReading())
        return;
    const QString proposed = proposedPath(QStringLiteral(".csv"));
    if (proposed.isEmpty())
        return;
    const QString path =
        FileDialog::saveFileName(&m_main.window, QStringLiteral("CSV exportieren"), proposed, CsvFilter);
    if (path.isEmpty())
        return;
    if (const QString error = writeWholeFile(path, CsvExport::write(m_main.sheet.store())); !error.isEmpty())
        tell(error);
    else
        wrote(QStringLiteral("CSV-Export"), path);
}

void MonthExports::datevMonth()
{
    if (!m_main.editor.settleForReading())
        return;
    const QString yearText = m_main.year.currentText();
    const QString monthText = m_main.month.currentText();
    const std::optional<QDate> month = selectedMonth(yearText, monthText);
    if (!month) {
        tell(noMonthMessage(yearText, monthText));
        return;
    }
    const DatevExport::Result result = DatevExport::write(
        datevSettings(&m_main.window, m_main.programFolder), DatevExport::monthPeriod(month->year(), month->month()),
        {{&m_main.sheet.store(), month->year(), month->month()}}, QDateTime::currentDateTime());
    saveDatev(proposedPath(QStringLiteral(".csv"), DatevPrefix), result);
}

std::optional<int> MonthExports::chosenYear()
{
    const QString yearText = m_main.year.currentText();
    const std::optional<int> year = selectedYear(yearText);
    if (!year)
        tell(noYearMessage(yearText));
    return year;
}

void MonthExports::datevYear()
{
    const std::optional<int> selected = chosenYear();
    if (!selected)
        return;
    const int year = *selected;
    const QString yearText = m_main.year.currentText();
    const std::array<YearFiles::Month, YearFiles::MonthCount> files = YearFiles::read(m_main.programFolder, year);
    std::vector<DatevExport::MonthSheet> months;
    QStringList unreadable;
    for (const YearFiles::Month &file : files) {
        if (!file.problem.isEmpty())
            unreadable
                << QStringLiteral("%1-%2: %3").arg(year).arg(file.month, 2, 10, QLatin1Char('0')).arg(file.problem);
        else if (file.present)
            months.push_back({&file.sheet, year, file.month});
    }
    if (!unreadable.isEmpty()) {
        tell(problemMessage(
            QStringLiteral(
                "Der DATEV-Export wurde nicht geschrieben, denn diese Monatsdateien lassen sich nicht lesen:"),
            unreadable, QStringLiteral("Bitte die Dateien prüfen und erneut exportieren.")));
        return;
    }
    const DatevExport::Result result =
        DatevExport::write(datevSettings(&m_main.window, m_main.programFolder), DatevExport::yearPeriod(year), months,
                           QDateTime::currentDateTime());
    const QString proposed =
        m_main.programFolder + u'/' + yearText + u'/' + DatevPrefix + yearText + QStringLiteral(".csv");
    saveDatev(proposed, result);
}

void MonthExports::saveDatev(const QString &proposed, const DatevExport::Result &result)
{
    if (!result.ok()) {
        tell(result.refusal);
        return;
    }
    if (proposed.isEmpty())
        return;
    const QString path = FileDialog::saveFileName(&m_main.window, QStringLiteral("DATEV-Export"), proposed, CsvFilter);
    if (path.isEmpty())
        return;
    if (const QString error = writeWholeFile(path, result.bytes); !error.isEmpty()) {
        tell(error);
        return;
    }
    wrote(QStringLiteral("DATEV-Export"), path);
    if (!result.unrepresentable.isEmpty())
        tell(QStringLiteral("Der DATEV-Export wurde geschrieben. Diese Zeichen kennt das DATEV-Format nicht; sie "
                            "stehen dort als „?“: %1")
                 .arg(result.unrepresentable.join(u' ')));
}

void MonthExports::auditYear()
{
    const std::optional<int> selected = chosenYear();
    if (!selected)
        return;
    const AuditYear::Year year = AuditYear::read(m_main.programFolder, *selected);
    if (std::none_of(year.months.cbegin(), year.months.cend(), [](const AuditYear::Month &m) { return m.present; })) {
        tell(AuditExport::nothingMessage(year.year));
        return;
    }
    // Handing over months that may still change is rarely meant: Return says no.
    if (const QStringList open = AuditYear::openMonths(year);
        !open.isEmpty()
        && MessageBox::show(&m_main.window, AuditExport::openMonthsQuestion(year.year, open),
                            MessageBox::Buttons::YesNo, QStringLiteral("Daten für die Betriebsprüfung"),
                            MessageBox::Answer::No)
               != MessageBox::Answer::Yes)
        return;
    const QString proposed =
        m_main.programFolder + u'/' + m_main.year.currentText() + u'/' + AuditExport::fileName(year.year);
    const QString path = FileDialog::saveFileName(&m_main.window, QStringLiteral("Daten für die Betriebsprüfung"),
                                                  proposed, QStringLiteral("ZIP-Dateien (*.zip)"));
    if (path.isEmpty())
        return;
    QString message;
    const ShopData shop = ShopDataFile(m_main.programFolder).load(&message);
    tell(message);
    const ZipArchive::Result zip = ZipArchive::pack(AuditExport::files(year, shop, Clock::now()), Clock::now());
    if (!zip.ok()) {
        tell(zip.error);
        return;
    }
    if (const QString error = writeWholeFile(path, zip.bytes); !error.isEmpty()) {
        tell(error);
        return;
    }
    wrote(QStringLiteral("Daten für die Betriebsprüfung"), path);
    tell(AuditExport::doneMessage(path, year, shop));
}
