// Printing a month of 300 rows. Run from a release build:
//   QT_QPA_PLATFORM=offscreen build-bench/bench/bench_print
// The print-out through CUPS needs a print server with the queue PDF; the
// private one of tools/cups-test-server.sh does (export what it prints).
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "printing/ui/Druckerwahl.h"
#include "printing/ui/PrintGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr int MonthRows = 300;

// Rows filled like a busy month, below the two heading rows.
void fillMonth(FlexGridStore &s)
{
    for (int r = 2; r < s.rows(); ++r) {
        s.setTextMatrix(r, r % 3 == 0 ? 3 : 0, QStringLiteral("%1,%2").arg(r * 7).arg(r % 100, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 4, QStringLiteral("1.%1,00").arg(r, 3, 10, QChar(u'0')));
        s.setTextMatrix(r, 5, QStringLiteral("4930"));
        s.setTextMatrix(r, 6, QString::number(r - 2));
        s.setTextMatrix(r, 7, QStringLiteral("%1.03.2026").arg(r % 28 + 1, 2, 10, QChar(u'0')));
        s.setTextMatrix(r, 8, r % 3 == 0 ? QStringLiteral("Bürobedarf Müller") : QStringLiteral("Bareinnahme"));
    }
}

void BM_PrintGridToPdf(benchmark::State &state)
{
    FlexGrid grid(nullptr, 2 + static_cast<int>(state.range(0)), 10, 2, 0);
    FlexGridStore &s = grid.store();
    s.setFontName(QStringLiteral("MS Sans Serif"));
    s.setFontSize(8.0F);
    const std::array<int, 10> widths = {1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500, 20};
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, widths[static_cast<size_t>(c)]);
    fillMonth(s);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("monat.pdf")));
    for (auto _ : state) {
        const bool printed = PrintGrid(grid, printer, 20.0F, 10.0F, 0.0F, 10.0F, {}, {}, 0);
        benchmark::DoNotOptimize(printed);
    }
}
BENCHMARK(BM_PrintGridToPdf)->Arg(MonthRows)->Unit(benchmark::kMillisecond);

// The started main window with a month of MonthRows entries and its printer
// window open.
struct PrintingMonth
{
    PrintingMonth()
    {
        form.Form_Load();
        FlexGridStore &sheet = form.flex->store();
        sheet.setRows(3 + MonthRows + 1);
        fillMonth(sheet);
        sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
        form.Command6_Click();
    }
    Druckerwahl &window() { return *form.druckerwahl(); }

    QTemporaryDir folder;
    Form1 form{folder.path()};
};

void BM_PrintOutToPdf(benchmark::State &state)
{
    PrintingMonth month;
    // The box names no printer: the print-out stays on the PDF file.
    month.window().Combo1->setEditText(QString());
    QPrinter &printer = month.window().currentPrinter().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(month.folder.filePath(QStringLiteral("monat.pdf")));
    for (auto _ : state) {
        month.window().Command1_Click();
        benchmark::DoNotOptimize(QFileInfo(printer.outputFileName()).size());
    }
    if (!MessageBox::takeShown().isEmpty())
        state.SkipWithError("the print-out showed a message");
}
BENCHMARK(BM_PrintOutToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// Ids of the completed jobs on queue.
QSet<int> completedJobs(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
    lpstat.waitForFinished(10000);
    QSet<int> ids;
    const QRegularExpression job(QStringLiteral("^%1-(\\d+)\\s").arg(queue), QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &m : job.globalMatch(QString::fromUtf8(lpstat.readAllStandardOutput())))
        ids.insert(m.captured(1).toInt());
    return ids;
}

void BM_PrintOutThroughCups(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        state.SkipWithError("needs a CUPS server with the queue PDF (CUPS_SERVER is not set)");
        return;
    }
    const QString queue = QStringLiteral("PDF");
    PrintingMonth month;
    month.window().Combo1->setEditText(queue);
    const QString docName = QStringLiteral("barlogbench-%1").arg(QCoreApplication::applicationPid());
    month.window().currentPrinter().printer().setDocName(docName);
    for (auto _ : state) {
        const QSet<int> before = completedJobs(queue);
        month.window().Command1_Click();
        // Both jobs are done once the queue lists two more completed jobs.
        QDeadlineTimer deadline(60000);
        while (completedJobs(queue).size() < before.size() + 2 && !deadline.hasExpired())
            QThread::msleep(20);
        if (deadline.hasExpired()) {
            state.SkipWithError("the jobs did not complete within a minute");
            break;
        }
    }
    const QString output = qEnvironmentVariable("BARLOG_CUPS_PDF_FOLDER");
    if (!output.isEmpty()) {
        for (const QString &file : QDir(output).entryList({docName + QStringLiteral("-job_*.pdf")}, QDir::Files))
            QFile::remove(QDir(output).filePath(file));
    }
}
BENCHMARK(BM_PrintOutThroughCups)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    MessageBox::setTesting(true);
    Screen::setOverride(QSize(1024, 768));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
