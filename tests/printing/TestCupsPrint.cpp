// Printing through a real CUPS queue of the private server that ./test.sh
// starts; cups-pdf writes each finished job as <title>-job_<id>.pdf.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "platform/FlexGrid.h"
#include "printing/PrintGrid.h"
#include "printing/Printers.h"
#include "storage/MonthStorage.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The finished output of the jobs titled docName, by job id.
std::map<int, QString> finishedJobs(const QString &folder, const QString &queue, const QString &docName)
{
    std::map<int, QString> jobs;
    const QString completed = runTool(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s, queue});
    const QRegularExpression name(u"^%1-job_(\\d+)\\.pdf$"_s.arg(QRegularExpression::escape(docName)));
    for (const QString &file : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        const QRegularExpression listed(u"^%1-%2\\s"_s.arg(queue, m.captured(1)), QRegularExpression::MultilineOption);
        if (completed.contains(listed))
            jobs[m.captured(1).toInt()] = QDir(folder).filePath(file);
    }
    return jobs;
}

QStringList pdfWords(const QString &path)
{
    QStringList words;
    for (const PdfPage &page : readPdfPages(path))
        words << page.texts();
    return words;
}

// A job title of its own for every print-out, so that tests running side by
// side on the same queues find their own jobs.
QString uniqueDocName()
{
    static int count = 0;
    return u"barlogtest-%1-%2"_s.arg(QCoreApplication::applicationPid()).arg(++count);
}

// Waits for jobs titled docName on each queue and answers their words, job
// by job in the order they were sent, the queue's name first.
QList<QStringList> printedJobs(const QString &folder, const QString &docName, int expected)
{
    QList<QStringList> printed;
    std::map<int, std::pair<QString, QString>> jobs; // id: queue, file
    const auto collect = [&] {
        jobs.clear();
        for (const QString &queue : {u"PDF"_s, u"PDF2"_s})
            for (const auto &[id, file] : finishedJobs(folder, queue, docName))
                jobs[id] = {queue, file};
        return static_cast<int>(jobs.size());
    };
    // A job more than expected would be finished soon after the others.
    if (QTest::qWaitFor([&] { return collect() >= expected; }, 60000)) {
        QTest::qWait(200);
        collect();
    }
    for (const auto &[id, job] : jobs) {
        printed << (QStringList{job.first} + pdfWords(job.second));
        QFile::remove(job.second);
    }
    return printed;
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sheetAndTotalsComeOutAsTwoJobsOnTheChosenQueue();
    void wholePrintOutOfALoadedMonth();
    void printerIsPutBack_data();
    void printerIsPutBack();
    void noPrinterChosen();

private:
    QString m_folder;
};

void TestCupsPrint::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the private CUPS server that ./test.sh starts (CUPS_SERVER is not set)");
    m_folder = qEnvironmentVariable("BARLOG_CUPS_PDF_FOLDER");
    // cups-pdf makes the folder with the first job when it is the user's own.
    QVERIFY2(!m_folder.isEmpty(), "BARLOG_CUPS_PDF_FOLDER, where cups-pdf writes, is not set");
}

void TestCupsPrint::sheetAndTotalsComeOutAsTwoJobsOnTheChosenQueue()
{
    FlexGrid sheet;
    fillSheet(sheet, 4);
    sheet.store().setTextMatrix(2, 8, u"Übertrag"_s);
    sheet.store().setTextMatrix(3, 8, u"Bürobedarf"_s);
    sheet.store().setTextMatrix(3, 3, u"12,50"_s);
    FlexGrid totals(nullptr, 2, 3, 1, 1);
    totals.store().setTextMatrix(0, 1, u"Summe"_s);
    totals.store().setTextMatrix(1, 1, u"1.234,56"_s);

    CurrentPrinter current;
    QVERIFY(current.drucker_setzen(u"PDF2"_s));
    const QString docName = u"barlogtest-%1"_s.arg(QCoreApplication::applicationPid());
    current.printer().setDocName(docName);
    QVERIFY(PrintGrid(sheet, current.printer(), 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 0));
    QVERIFY(PrintGrid(totals, current.printer(), 60.0F, 30.0F, 5.0F, 10.0F, {}, {}, 0));

    std::map<int, QString> jobs;
    QTRY_VERIFY_WITH_TIMEOUT((jobs = finishedJobs(m_folder, u"PDF2"_s, docName)).size() >= 2, 60000);
    QCOMPARE(jobs.size(), size_t(2));
    const QStringList first = pdfWords(jobs.begin()->second);
    const QStringList second = pdfWords(std::next(jobs.begin())->second);
    for (const QString &path : {jobs.begin()->second, std::next(jobs.begin())->second})
        QFile::remove(path);
    for (const QString &word : {u"r0c0"_s, u"r5c0"_s, u"Übertrag"_s, u"Bürobedarf"_s, u"12,50"_s})
        QVERIFY2(first.contains(word), qPrintable(word + u" missing from "_s + first.join(u' ')));
    QVERIFY(!first.contains(u"Summe"_s));
    QVERIFY(second.contains(u"Summe"_s));
    QVERIFY(second.contains(u"1.234,56"_s));
    QVERIFY(!second.contains(u"Übertrag"_s));
    QCOMPARE(current.deviceName(), u"PDF2"_s);
}

void TestCupsPrint::wholePrintOutOfALoadedMonth()
{
    PrintOutDriver d;
    Form1 &w = d.start();
    d.clickCell(2, 4);
    d.type(u"1000"_s);
    d.clickCell(3, 0);
    d.type(u"250"_s);
    d.key(Qt::Key_Right, 8);
    d.type(u"Tageseinnahme"_s);
    d.clickCell(4, 3);
    d.type(u"12,5"_s);
    d.key(Qt::Key_Right, 5);
    d.type(u"Bürobedarf"_s);
    d.key(Qt::Key_Enter);
    // The typed month is filed as November 2025 and loaded from there.
    QVERIFY(QDir(d.folder.path()).mkpath(u"2025"_s));
    const MonthStorage::SavePlan plan = MonthStorage::planSave(d.sheet(), d.folder.path(), u"2025"_s, u"11"_s);
    QCOMPARE(MonthStorage::save(plan), QString());
    w.Combo1->setEditText(u"11"_s);
    w.Combo2->setEditText(u"2025"_s);
    QVERIFY(MonthStorage::loadMonth(d.sheet(), d.folder.path(), u"2025"_s, u"11"_s, {w.satz1, w.satz2, w.satz3})
                .loaded);
    w.editorTakesCurrentCell();
    d.clickCell(3, 8);
    const QStringList before = sheetLook(d.sheet());

    d.choosePrinter(u"PDF2"_s);
    const QString docName = uniqueDocName();
    d.printerWindow().currentPrinter().printer().setDocName(docName);
    d.drucken();

    const QList<QStringList> jobs = printedJobs(m_folder, docName, 2);
    QCOMPARE(jobs.size(), 2);
    const QStringList &sheet = jobs[0];
    const QStringList &totals = jobs[1];
    QCOMPARE(sheet.first(), u"PDF2"_s);
    QCOMPARE(totals.first(), u"PDF2"_s);
    for (const QString &word : {u"Einnahmen"_s, u"Ausgaben"_s, u"Bestand"_s, u"Konto"_s, u"Beleg-Nr"_s, u"Datum"_s,
                                u"Text"_s, u"19%"_s, u"7%"_s, u"0%"_s, u"2025-11"_s, u"Übertrag"_s, u"1.000,00"_s,
                                u"250,00"_s, u"Tageseinnahme"_s, u"1.250,00"_s, u"12,50"_s, u"Bürobedarf"_s,
                                u"1.237,50"_s})
        QVERIFY2(sheet.contains(word), qPrintable(word + u" missing from "_s + sheet.join(u' ')));
    for (const QString &word : {u"2025-11"_s, u"250,00"_s, u"12,50"_s, u"1.237,50"_s, u"Ausgaben"_s})
        QVERIFY2(totals.contains(word), qPrintable(word + u" missing from "_s + totals.join(u' ')));
    for (const QString &word : {u"Übertrag"_s, u"Tageseinnahme"_s, u"Bürobedarf"_s, u"Beleg-Nr"_s})
        QVERIFY2(!totals.contains(word), qPrintable(word));

    QCOMPARE(sheetLook(d.sheet()), before);
    QVERIFY(!d.printerWindow().isVisible());
    QVERIFY(w.isVisible());
    QCOMPARE(d.printerWindow().currentPrinter().deviceName(), u"PDF"_s);
    QCOMPARE(d.printerWindow().Combo1->currentText(), u"PDF2"_s);
    QCOMPARE(w.Combo33->count(), 12);
    QCOMPARE(w.Combo1->currentText(), u"11"_s);
    QCOMPARE(w.Combo2->currentText(), u"2025"_s);
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestCupsPrint::printerIsPutBack_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("printedOn");
    QTest::newRow("the default, another queue chosen") << u"PDF"_s << u"PDF2"_s << u"PDF2"_s;
    QTest::newRow("another queue current, the default chosen") << u"PDF2"_s << u"PDF"_s << u"PDF"_s;
    QTest::newRow("a name no printer has") << u"PDF2"_s << u"Laserdrucker"_s << u"PDF2"_s;
    QTest::newRow("the name in other letters") << u"PDF"_s << u"pdf2"_s << u"PDF"_s;
}

void TestCupsPrint::printerIsPutBack()
{
    QFETCH(QString, current);
    QFETCH(QString, chosen);
    QFETCH(QString, printedOn);
    PrintOutDriver d;
    d.start();
    d.openPrinterWindow();
    QVERIFY(d.printerWindow().drucker_setzen(current));
    d.choosePrinter(chosen);
    const QString docName = uniqueDocName();
    d.printerWindow().currentPrinter().printer().setDocName(docName);
    d.drucken();
    const QList<QStringList> jobs = printedJobs(m_folder, docName, 2);
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs[0].first(), printedOn);
    QCOMPARE(jobs[1].first(), printedOn);
    QCOMPARE(d.printerWindow().currentPrinter().deviceName(), current);
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestCupsPrint::noPrinterChosen()
{
    // Printers exist, but none is current (the system names no default)
    // and the box names none.
    PrintOutDriver d;
    Form1 &w = d.start();
    d.clickCell(3, 0);
    const QStringList before = sheetLook(d.sheet());
    d.choosePrinter(QString());
    d.printerWindow().currentPrinter().printer().setPrinterName(QString());
    QVERIFY(d.printerWindow().currentPrinter().deviceName().isEmpty());
    d.drucken();
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, u"Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                            "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste."_s);
    QCOMPARE(sheetLook(d.sheet()), before);
    QVERIFY(w.isVisible());
    QVERIFY(!d.printerWindow().isVisible());
}

QTEST_MAIN(TestCupsPrint)
#include "TestCupsPrint.moc"
