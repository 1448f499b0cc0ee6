// The printer window and the print-out on the private CUPS server of
// ./test.sh: queues PDF, the default, and PDF2, whose cups-pdf backend
// writes each finished job as <title>-job_<id>.pdf.
#include "EditingDriver.h"
#include "PrintTestSupport.h"

#include "printing/ui/Printers.h"

#include <QDir>
#include <QRegularExpression>

#include <map>

namespace {

QStringList lpstat(const QStringList &arguments)
{
    return runTool(QStringLiteral("lpstat"), arguments).split(u'\n', Qt::SkipEmptyParts);
}

// The finished jobs titled docName in the order they were sent, each as its
// queue's name and the words of its PDF file, which is removed.
QList<QStringList> finishedJobs(const QString &folder, const QString &docName)
{
    std::map<int, QStringList> jobs;
    const QString completed =
        lpstat({QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o")}).join(u'\n');
    const QRegularExpression file(QStringLiteral("^%1-job_(\\d+)\\.pdf$").arg(QRegularExpression::escape(docName)));
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const QString id = file.match(name).captured(1);
        const QRegularExpression listed(QStringLiteral("^(\\S+)-%1\\s").arg(id), QRegularExpression::MultilineOption);
        const QRegularExpressionMatch queue = listed.match(completed);
        if (id.isEmpty() || !queue.hasMatch())
            continue;
        jobs[id.toInt()] = QStringList{queue.captured(1)} + readPdfPages(QDir(folder).filePath(name)).value(0).texts();
        QFile::remove(QDir(folder).filePath(name));
    }
    QList<QStringList> sent;
    for (const auto &[id, job] : jobs)
        sent << job;
    return sent;
}

} // namespace

class TestPrinters : public QObject
{
    Q_OBJECT
    QString m_folder;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            QSKIP("needs the private CUPS server that ./test.sh starts (CUPS_SERVER is not set)");
        m_folder = qEnvironmentVariable("BARLOG_CUPS_PDF_FOLDER");
        QVERIFY2(!m_folder.isEmpty(), "BARLOG_CUPS_PDF_FOLDER, where cups-pdf writes, is not set");
        QVERIFY2(runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")),
                 "the CUPS server does not answer");
    }

    void printerWindowLoadsOnceAndKeepsItsText()
    {
        EditingDriver d;
        d.start();
        Druckerwahl &window = d.printerWindow();
        QCOMPARE(window.Combo1->count(), 0);
        d.openPrinterWindow();
        // Modeless and without an owner, so the main window stays usable.
        QVERIFY(!window.isModal() && !window.parentWidget());
        // Every queue in the server's order, and its default as the text and the current printer.
        const QStringList queues = lpstat({QStringLiteral("-e")});
        QCOMPARE(queues.size(), 2);
        for (int i = 0; i < queues.size(); ++i)
            QCOMPARE(window.Combo1->itemText(i), queues[i]);
        QCOMPARE(window.Combo1->currentText(), QStringLiteral("PDF"));
        window.Combo1->setEditText(QStringLiteral("Laserdrucker im Flur"));
        QTest::mouseClick(window.Command2, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        d.openPrinterWindow();
        QCOMPARE(window.Combo1->count(), 2);
        QCOMPARE(window.Combo1->currentText(), QStringLiteral("Laserdrucker im Flur"));
        QCOMPARE(window.currentPrinter().deviceName(), QStringLiteral("PDF"));
    }

    void printOutGoesToTheQueueInTheBox()
    {
        EditingDriver d;
        d.start();
        d.sheet().setTextMatrix(3, 3, QStringLiteral("12,50"));
        d.sheet().setTextMatrix(3, 8, QStringLiteral("Bürobedarf"));
        d.openPrinterWindow().Combo1->setEditText(QStringLiteral("PDF2"));
        const QString docName = QStringLiteral("barlogtest-%1").arg(QCoreApplication::applicationPid());
        d.printerWindow().currentPrinter().printer().setDocName(docName);
        d.drucken();
        // The jobs were handed over before "Drucken" returned: once none is
        // left unfinished, every one of them is there.
        QTRY_VERIFY_WITH_TIMEOUT(lpstat({QStringLiteral("-o")}).isEmpty(), 60000);
        const QList<QStringList> jobs = finishedJobs(m_folder, docName);
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(QStringList({jobs[0].value(0), jobs[1].value(0)}), QStringList(2, QStringLiteral("PDF2")));
        QVERIFY2(jobs[0].contains(QStringLiteral("Bürobedarf")), qPrintable(jobs[0].join(u' ')));
        QVERIFY2(jobs[1].contains(QStringLiteral("12,50")), qPrintable(jobs[1].join(u' ')));
        QVERIFY(!jobs[1].contains(QStringLiteral("Bürobedarf")));
        // The printer is put back; the box keeps the name.
        QCOMPARE(d.printerWindow().currentPrinter().deviceName(), QStringLiteral("PDF"));
        QCOMPARE(d.printerWindow().Combo1->currentText(), QStringLiteral("PDF2"));
        QCOMPARE(MessageBox::takeShown().size(), 0);
    }

    void noPrinterChosen()
    {
        // Printers exist, but none is current, as when the system names no default.
        EditingDriver d;
        d.start();
        d.openPrinterWindow().Combo1->setEditText(QString());
        d.printerWindow().currentPrinter().printer().setPrinterName(QString());
        d.drucken();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                                               "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste."));
    }
};

QTEST_MAIN(TestPrinters)
#include "TestPrinters.moc"
