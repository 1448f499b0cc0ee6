// Printing through a real CUPS queue of the private server that ./test.sh
// starts; cups-pdf writes each finished job as <title>-job_<id>.pdf.
#include "PrintTestSupport.h"

#include "platform/FlexGrid.h"
#include "printing/PrintGrid.h"
#include "printing/Printers.h"

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

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sheetAndTotalsComeOutAsTwoJobsOnTheChosenQueue();

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

QTEST_MAIN(TestCupsPrint)
#include "TestCupsPrint.moc"
