#include "PrintTestSupport.h"

#include "platform/ui/FlexGrid.h"

#include <QProcess>
#include <QXmlStreamReader>

#include <array>

void fillSheet(FlexGrid &grid, int bodyRows)
{
    FlexGridStore &s = grid.store();
    s.setCols(10);
    s.setFixedCols(0);
    s.setRows(2 + bodyRows);
    s.setFixedRows(2);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8.0F);
    s.setAllRowHeights(240);
    const std::array<int, 10> widths = {1000, 1000, 1000, 1000, 1000, 600, 900, 1000, 2500, 20};
    for (int c = 0; c < 10; ++c)
        s.setColWidth(c, widths[static_cast<size_t>(c)]);
    for (int r = 0; r < s.rows(); ++r)
        for (int c = 0; c < 10; ++c)
            s.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
}

double mmToPoints(double mm)
{
    return mm * 72.0 / 25.4;
}

QStringList PdfPage::texts() const
{
    QStringList all;
    for (const PdfWord &w : words)
        all << w.text;
    return all;
}

PdfWord PdfPage::find(const QString &text) const
{
    for (const PdfWord &w : words)
        if (w.text == text)
            return w;
    return {};
}

QList<PdfPage> readPdfPages(const QString &pdfPath)
{
    const QString bbox = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (bbox.isNull())
        return {};
    QList<PdfPage> pages;
    QXmlStreamReader xml(bbox);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1StringView("page")) {
            pages.append(PdfPage());
        } else if (xml.name() == QLatin1StringView("word") && !pages.isEmpty()) {
            const QXmlStreamAttributes a = xml.attributes();
            const QPointF topLeft(a.value(QLatin1StringView("xMin")).toDouble(),
                                  a.value(QLatin1StringView("yMin")).toDouble());
            const QPointF bottomRight(a.value(QLatin1StringView("xMax")).toDouble(),
                                      a.value(QLatin1StringView("yMax")).toDouble());
            pages.last().words.append({xml.readElementText(), QRectF(topLeft, bottomRight)});
        }
    }
    return pages;
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}
