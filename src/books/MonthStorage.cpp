#include "books/MonthStorage.h"

#include "books/CarryOver.h"
#include "books/ChainRegister.h"
#include "books/MonthAudit.h"
#include "books/MonthClosing.h"
#include "books/MonthLinks.h"
#include "editing/Modul.h"
#include "platform/FileSystem.h"
#include "platform/FlexGridStore.h"
#include "storage/MonthDatabase.h"
#include "storage/SheetRecords.h"

#include <QFileInfo>

#include <algorithm>

namespace MonthStorage {
namespace {
constexpr int labelRow = modul::RowRates;
constexpr int labelColumn = modul::ColMonthLabel;
// The closed note stands in the rates row over the text column, where there is room.
constexpr int closedNoteColumn = modul::ColText;
constexpr int problemsListed = 12;
// Records 0 and 1 are the rates row and the carry-over row; entries follow.
constexpr size_t EntryRecord = 2;
const QString br2 = QStringLiteral("\r\n\r\n");

QString lengthMessage(const QStringList &problems)
{
    QStringList lines = problems.mid(0, problemsListed);
    if (problems.size() > problemsListed)
        lines << QStringLiteral("… und %1 weitere").arg(problems.size() - problemsListed);
    return QStringLiteral("Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre Felder:\r\n\r\n")
           + lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\nBitte kürzen und erneut speichern.");
}

// Fills in the path of the selectors' month, or the message why they name none.
template <typename Result>
bool locate(Result &result, const QString &programFolder, const QString &year, const QString &month)
{
    const MonthPath where = monthFilePath(programFolder, year, month);
    result.path = where.path;
    result.message = where.problem;
    return where.ok();
}

void addWarning(LoadResult &result, const QString &warning)
{
    if (warning.isEmpty())
        return;
    if (!result.warning.isEmpty())
        result.warning += br2;
    result.warning += warning;
}

// Reads the month at path into the sheet, labels it if asked and says what a
// check of the file, and of the file against the registers, found.
void readInto(LoadResult &result, MonthContents &month, FlexGridStore &sheet, const QString &programFolder,
              const QString &label, const modul::RateTexts &rates, bool writeLabel)
{
    if (const DbStatus status = MonthDatabase::readMonth(result.path, month); !status.ok()) {
        result.message = status.report();
        return;
    }
    SheetRecords::load(sheet, month.records, rates);
    if (writeLabel)
        sheet.setTextMatrix(labelRow, labelColumn, label);
    result.loaded = true;
    const QString fileName = QFileInfo(result.path).fileName();
    const MonthAudit::Finding finding = MonthAudit::check(month);
    addWarning(result, MonthAudit::message(fileName, month, finding));
    const QString closeWarning = MonthClosing::checkRegister(programFolder, label, month);
    addWarning(result, closeWarning);
    // The chain register knows the file by its own name, which a file opened
    // under another month's name keeps. A closed month's older copy is named
    // once, by the close register.
    const MonthYear named = monthYearFromFileName(fileName);
    if (closeWarning.isEmpty() && selectedMonth(named.year, named.month))
        addWarning(result, ChainRegister::check(programFolder, monthLabel(named.year, named.month), fileName, month,
                                                MonthAudit::intact(finding)));
    result.closedSince = MonthClosing::closedSince(programFolder, label, month);
    if (result.closedSince)
        sheet.setTextMatrix(labelRow, closedNoteColumn, MonthClosing::sheetNote(*result.closedSince));
}

struct Previous
{
    QString label;
    MonthContents contents;
};

// The month before the selectors' one, if its file is there and reads.
std::optional<Previous> previousMonth(const QString &programFolder, const QString &year, const QString &month,
                                      LogRead read = LogRead::Whole)
{
    const std::optional<CarryOver::Month> before = CarryOver::previousMonth(year, month);
    if (!before)
        return std::nullopt;
    const MonthPath where = monthFilePath(programFolder, before->year, before->month);
    MonthContents contents;
    if (!where.ok() || !FileExists(where.path) || !MonthDatabase::readMonth(where.path, contents, read).ok())
        return std::nullopt;
    return Previous{monthLabel(before->year, before->month), std::move(contents)};
}

// A month file that cannot be read is never replaced. Of its log only
// the last entry is read: the new entries chain onto it, and the rest is
// copied over as it is stored.
QString readReplaced(const QString &path, MonthContents &previous)
{
    // Whatever keeps it from being read as a month (no permission, a lock,
    // damage, another kind of file) keeps it from being replaced, too: what
    // it holds could not be shown again, nor carried into the log.
    const DbStatus status = MonthDatabase::readMonth(path, previous, LogRead::LastEntry);
    if (status.ok())
        return {};
    previous = {};
    return QStringLiteral("Die Datei „%1“ wurde nicht gespeichert, denn die Fassung, die sie ersetzen würde, lässt "
                          "sich nicht lesen; ihr Änderungsprotokoll ginge verloren.")
               .arg(QFileInfo(path).fileName())
           + br2 + status.description;
}
} // namespace

DbStatus GetRowsTest(FlexGridStore &sheet, const QString &datenbank, const QString &tabelle,
                     const modul::RateTexts &rates)
{
    Records records;
    DbStatus status = MonthDatabase::readRecords(datenbank, tabelle, records);
    if (status.ok())
        SheetRecords::load(sheet, records, rates);
    return status;
}

LoadResult loadMonth(FlexGridStore &sheet, const QString &programFolder, const QString &year, const QString &typedMonth,
                     const modul::RateTexts &rates, bool startMissing)
{
    const QString month = completedMonth(typedMonth);
    LoadResult result;
    if (!locate(result, programFolder, year, month))
        return result;
    const QString label = monthLabel(year, month);
    const std::optional<Previous> before = previousMonth(programFolder, year, month);
    const std::optional<CarryOver::Closing> closing =
        before ? std::optional(CarryOver::closingOf(before->contents.records, rates)) : std::nullopt;
    if (!FileExists(result.path)) {
        if (const std::optional<MonthClosing::Noted> closed = MonthClosing::noted(programFolder, label)) {
            result.message = QStringLiteral("Die Datei des Monats %1 fehlt, obwohl er am %2 abgeschlossen wurde.")
                                 .arg(label, ChangeLog::displayTime(closed->mark.time));
            return result;
        }
        // A month saved before whose file is gone: its bookings would start afresh.
        QString gone;
        if (const std::optional<ChainRegister::Noted> saved = ChainRegister::latest(programFolder, label))
            gone = QStringLiteral("Die Datei des Monats %1 fehlt, obwohl Barlog ihn am %2 gespeichert hat.")
                       .arg(label, ChangeLog::displayTime(saved->time));
        if (!before && !startMissing) {
            result.message = gone.isEmpty() ? missingFileMessage() : gone;
            return result;
        }
        addWarning(result, gone);
        if (before)
            CarryOver::startMonth(sheet, *closing, before->label, rates);
        else
            SheetRecords::load(sheet, {}, rates);
        sheet.setTextMatrix(labelRow, labelColumn, label);
        if (before)
            result.carriedFrom = before->label;
        result.loaded = true;
        return result;
    }
    MonthContents file;
    readInto(result, file, sheet, programFolder, label, rates, true);
    result.fileRead = result.loaded;
    if (result.loaded && before) {
        addWarning(result, MonthLinks::check(label, file, before->label, before->contents));
        const qint64 carryOver = modul::centsOf(sheet.textMatrix(modul::RowUebertrag, modul::ColBestand));
        if (carryOver != closing->balance)
            addWarning(result, CarryOver::mismatchMessage(label, carryOver, before->label, closing->balance));
    }
    return result;
}

LoadResult openMonth(FlexGridStore &sheet, const QString &programFolder, const QString &path, const QString &label,
                     const modul::RateTexts &rates)
{
    LoadResult result;
    result.path = path;
    MonthContents file;
    readInto(result, file, sheet, programFolder, label, rates, false);
    result.fileRead = result.loaded;
    return result;
}

std::optional<QString> closedSince(const QString &programFolder, const QString &year, const QString &typedMonth)
{
    const QString month = completedMonth(typedMonth);
    const MonthPath where = monthFilePath(programFolder, year, month);
    MonthContents file;
    if (where.ok() && FileExists(where.path))
        MonthDatabase::readMonth(where.path, file, LogRead::LastEntry);
    return MonthClosing::closedSince(programFolder, monthLabel(year, month), file);
}

QString missingFileMessage()
{
    return QStringLiteral("Datei existiert nicht");
}

int bookingsLeaving(const Records &file, const Records &next)
{
    // A booking is what was typed into an entry row; its balance and receipt
    // number follow from the rows above, so a row inserted above it does not
    // make it another booking.
    const auto booking = [](const Record &record) {
        QStringList typed;
        for (int c : {modul::ColEinnahmen1, modul::ColEinnahmen2, modul::ColEinnahmen3, modul::ColAusgaben,
                      modul::ColKonto, modul::ColDatum, modul::ColText})
            typed << record.value(c).trimmed();
        return typed;
    };
    const auto isBooking = [](const QStringList &typed) {
        return std::any_of(typed.cbegin(), typed.cend(), [](const QString &t) { return !t.isEmpty(); });
    };
    QList<QStringList> kept;
    for (size_t i = EntryRecord; i < next.size(); ++i)
        kept << booking(next[i]);
    int leaving = 0;
    for (size_t i = EntryRecord; i < file.size(); ++i) {
        const QStringList typed = booking(file[i]);
        if (!isBooking(typed))
            continue;
        if (const qsizetype found = kept.indexOf(typed); found >= 0)
            kept.removeAt(found);
        else
            ++leaving;
    }
    return leaving;
}

QString foreignReplaceQuestion(const QString &year, const QString &month, int leaving)
{
    const QString label = monthLabel(year, month);
    QString lost = leaving == 0 ? QStringLiteral("Jede ihrer Buchungen steht auch im Blatt.")
                   : leaving == 1
                       ? QStringLiteral("1 Buchung, die nicht im Blatt steht, ginge dabei verloren.")
                       : QStringLiteral("%1 Buchungen, die nicht im Blatt stehen, gingen dabei verloren.").arg(leaving);
    return QStringLiteral("Der Monat %1 ist schon gespeichert, aber das Blatt wurde nicht aus seiner Datei %1.mdb "
                          "geladen.")
               .arg(label)
           + br2 + QStringLiteral("Speichern ersetzt diese Datei durch das Blatt. ") + lost + br2
           + QStringLiteral("Soll die Datei trotzdem ersetzt werden ?");
}

SavePlan planSave(const FlexGridStore &sheet, const QString &programFolder, const QString &year,
                  const QString &typedMonth)
{
    const QString month = completedMonth(typedMonth);
    SavePlan plan;
    if (!locate(plan, programFolder, year, month))
        return plan;
    plan.records = SheetRecords::fromSheet(sheet);
    if (const QStringList problems = SheetRecords::lengthProblems(plan.records); !problems.isEmpty()) {
        plan.message = lengthMessage(problems);
        plan.records.clear();
        return plan;
    }
    plan.replaces = FileExists(plan.path);
    if (plan.replaces)
        plan.message = readReplaced(plan.path, plan.previous);
    const QString label = monthLabel(year, month);
    if (const std::optional<QString> since = MonthClosing::closedSince(programFolder, label, plan.previous);
        since && plan.ok())
        plan.message = MonthClosing::refusedMessage(label, *since);
    plan.programFolder = programFolder;
    plan.label = label;
    // A log that starts with this save chains onto the month before's head.
    if (!plan.previous.logged) {
        if (const std::optional<Previous> before = previousMonth(programFolder, year, month, LogRead::LastEntry))
            plan.monthBefore = MonthLinks::linkTo(before->label, before->contents);
    }
    return plan;
}

QString save(const SavePlan &plan)
{
    if (!plan.ok())
        return plan.message;
    const MonthContents &previous = plan.previous;
    MonthContents next;
    next.records = plan.records;
    next.logged = true;
    // A file without a log, or no file at all: the log starts with every row made.
    const Records before = previous.logged ? previous.records : Records{};
    // The previous file's last log entry and last count: the new entries chain
    // onto the later one. A log that starts now chains onto the month before.
    next.monthBefore = previous.logged ? previous.monthBefore : plan.monthBefore;
    const ChangeLog::Link head =
        previous.logged ? ChangeLog::chainHead(previous) : ChangeLog::Link{0, ChangeLog::chainStart(next)};
    ChangeLog::append(next.log, head, ChangeLog::diff(before, plan.records), ChangeLog::timeNow());
    if (previous.logged && !previous.logTableMissing)
        next.carried = CarriedLog{plan.path, head.number, head.hash};
    return ChainRegister::writeMonth(plan.programFolder, plan.label, plan.path, next);
}

} // namespace MonthStorage
