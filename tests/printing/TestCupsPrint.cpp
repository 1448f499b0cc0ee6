// Printing through a real CUPS queue of the private server that ./test.sh
// starts; cups-pdf writes each finished job as <title>-job_<id>.pdf.
#include "PrintOutDriver.h"
#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"
#include "printing/ui/PrintGrid.h"
#include "printing/ui/Printers.h"
#include "storage/MonthStorage.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <map>

namespace {

// The finished output of the jobs titled docName, by job id.
std::map<int, QString> finishedJobs(const QString &folder, const QString &queue, const QString &docName)
{
    std::map<int, QString> jobs;
    const QString completed = runTool(QStringLiteral("lpstat"),
                                      {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
    const QRegularExpression name(QStringLiteral("^%1-job_(\\d+)\\.pdf$").arg(QRegularExpression::escape(docName)));
    for (const QString &file : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        const QRegularExpression listed(QStringLiteral("^%1-%2\\s").arg(queue, m.captured(1)),
                                        QRegularExpression::MultilineOption);
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
    return QStringLiteral("barlogtest-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
}

// Waits for jobs titled docName on each queue and answers their words, job
// by job in the order they were sent, the queue's name first.
QList<QStringList> printedJobs(const QString &folder, const QString &docName, int expected)
{
    QList<QStringList> printed;
    std::map<int, std::pair<QString, QString>> jobs; // id: queue, file
    const auto collect = [&] {
        jobs.clear();
        for (const QString &queue : {QStringLiteral("PDF"), QStringLiteral("PDF2")})
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
    sheet.store().setTextMatrix(2, 8, QStringLiteral("Übertrag"));
    sheet.store().setTextMatrix(3, 8, QStringLiteral("Bürobedarf"));
    sheet.store().setTextMatrix(3, 3, QStringLiteral("12,50"));
    FlexGrid totals(nullptr, 2, 3, 1, 1);
    totals.store().setTextMatrix(0, 1, QStringLiteral("Summe"));
    totals.store().setTextMatrix(1, 1, QStringLiteral("1.234,56"));

    CurrentPrinter current;
    QVERIFY(current.drucker_setzen(QStringLiteral("PDF2")));
    const QString docName = QStringLiteral("barlogtest-%1").arg(QCoreApplication::applicationPid());
    current.printer().setDocName(docName);
    QVERIFY(PrintGrid(sheet, current.printer(), 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 0));
    QVERIFY(PrintGrid(totals, current.printer(), 60.0F, 30.0F, 5.0F, 10.0F, {}, {}, 0));

    std::map<int, QString> jobs;
    QTRY_VERIFY_WITH_TIMEOUT((jobs = finishedJobs(m_folder, QStringLiteral("PDF2"), docName)).size() >= 2, 60000);
    QCOMPARE(jobs.size(), size_t(2));
    const QStringList first = pdfWords(jobs.begin()->second);
    const QStringList second = pdfWords(std::next(jobs.begin())->second);
    for (const QString &path : {jobs.begin()->second, std::next(jobs.begin())->second})
        QFile::remove(path);
    for (const QString &word : {QStringLiteral("r0c0"), QStringLiteral("r5c0"), QStringLiteral("Übertrag"),
                                QStringLiteral("Bürobedarf"), QStringLiteral("12,50")})
        QVERIFY2(first.contains(word), qPrintable(word + QStringLiteral(" missing from ") + first.join(u' ')));
    QVERIFY(!first.contains(QStringLiteral("Summe")));
    QVERIFY(second.contains(QStringLiteral("Summe")));
    QVERIFY(second.contains(QStringLiteral("1.234,56")));
    QVERIFY(!second.contains(QStringLiteral("Übertrag")));
    QCOMPARE(current.deviceName(), QStringLiteral("PDF2"));
}

void TestCupsPrint::wholePrintOutOfALoadedMonth()
{
    PrintOutDriver d;
    Form1 &w = d.start();
    d.clickCell(2, 4);
    d.type(QStringLiteral("1000"));
    d.clickCell(3, 0);
    d.type(QStringLiteral("250"));
    d.key(Qt::Key_Right, 8);
    d.type(QStringLiteral("Tageseinnahme"));
    d.clickCell(4, 3);
    d.type(QStringLiteral("12,5"));
    d.key(Qt::Key_Right, 5);
    d.type(QStringLiteral("Bürobedarf"));
    d.key(Qt::Key_Enter);
    // The typed month is filed as November 2025 and loaded from there.
    QVERIFY(QDir(d.folder.path()).mkpath(QStringLiteral("2025")));
    const MonthStorage::SavePlan plan =
        MonthStorage::planSave(d.sheet(), d.folder.path(), QStringLiteral("2025"), QStringLiteral("11"));
    QCOMPARE(MonthStorage::save(plan), QString());
    w.Combo1->setEditText(QStringLiteral("11"));
    w.Combo2->setEditText(QStringLiteral("2025"));
    QVERIFY(MonthStorage::loadMonth(d.sheet(), d.folder.path(), QStringLiteral("2025"), QStringLiteral("11"), w.rates())
                .loaded);
    w.sheetEditor().editorTakesCurrentCell();
    d.clickCell(3, 8);
    const QStringList before = sheetLook(d.sheet());

    d.choosePrinter(QStringLiteral("PDF2"));
    const QString docName = uniqueDocName();
    d.printerWindow().currentPrinter().printer().setDocName(docName);
    d.drucken();

    const QList<QStringList> jobs = printedJobs(m_folder, docName, 2);
    QCOMPARE(jobs.size(), 2);
    const QStringList &sheet = jobs[0];
    const QStringList &totals = jobs[1];
    QCOMPARE(sheet.first(), QStringLiteral("PDF2"));
    QCOMPARE(totals.first(), QStringLiteral("PDF2"));
    for (const QString &word :
         {QStringLiteral("Einnahmen"), QStringLiteral("Ausgaben"), QStringLiteral("Bestand"), QStringLiteral("Konto"),
          QStringLiteral("Beleg-Nr"), QStringLiteral("Datum"), QStringLiteral("Text"), QStringLiteral("19%"),
          QStringLiteral("7%"), QStringLiteral("0%"), QStringLiteral("2025-11"), QStringLiteral("Übertrag"),
          QStringLiteral("1.000,00"), QStringLiteral("250,00"), QStringLiteral("Tageseinnahme"),
          QStringLiteral("1.250,00"), QStringLiteral("12,50"), QStringLiteral("Bürobedarf"),
          QStringLiteral("1.237,50")})
        QVERIFY2(sheet.contains(word), qPrintable(word + QStringLiteral(" missing from ") + sheet.join(u' ')));
    for (const QString &word : {QStringLiteral("2025-11"), QStringLiteral("250,00"), QStringLiteral("12,50"),
                                QStringLiteral("1.237,50"), QStringLiteral("Ausgaben")})
        QVERIFY2(totals.contains(word), qPrintable(word + QStringLiteral(" missing from ") + totals.join(u' ')));
    for (const QString &word : {QStringLiteral("Übertrag"), QStringLiteral("Tageseinnahme"),
                                QStringLiteral("Bürobedarf"), QStringLiteral("Beleg-Nr")})
        QVERIFY2(!totals.contains(word), qPrintable(word));

    QCOMPARE(sheetLook(d.sheet()), before);
    QVERIFY(!d.printerWindow().isVisible());
    QVERIFY(w.isVisible());
    QCOMPARE(d.printerWindow().currentPrinter().deviceName(), QStringLiteral("PDF"));
    QCOMPARE(d.printerWindow().Combo1->currentText(), QStringLiteral("PDF2"));
    QCOMPARE(w.Combo33->count(), 12);
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestCupsPrint::printerIsPutBack_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("printedOn");
    QTest::newRow("the default, another queue chosen")
        << QStringLiteral("PDF") << QStringLiteral("PDF2") << QStringLiteral("PDF2");
    QTest::newRow("another queue current, the default chosen")
        << QStringLiteral("PDF2") << QStringLiteral("PDF") << QStringLiteral("PDF");
    QTest::newRow("a name no printer has")
        << QStringLiteral("PDF2") << QStringLiteral("Laserdrucker") << QStringLiteral("PDF2");
    QTest::newRow("the name in other letters")
        << QStringLiteral("PDF") << QStringLiteral("pdf2") << QStringLiteral("PDF");
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
    QCOMPARE(shown[0].text, QStringLiteral("Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                                           "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste."));
    QCOMPARE(sheetLook(d.sheet()), before);
    QVERIFY(w.isVisible());
    QVERIFY(!d.printerWindow().isVisible());
}

QTEST_MAIN(TestCupsPrint)
#include "TestCupsPrint.moc"
