#include "PrintTestSupport.h"

#include <QProcess>
#include <QXmlStreamReader>

QStringList PdfPage::texts() const
{
    QStringList all;
    for (const PdfWord &w : words)
        all << w.text;
    return all;
}

QRectF PdfPage::box(const QString &text) const
{
    for (const PdfWord &w : words)
        if (w.text == text)
            return w.box;
    return {};
}

QList<PdfPage> readPdfPages(const QString &pdfPath)
{
    const QString bbox = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    QList<PdfPage> pages;
    QXmlStreamReader xml(bbox);
    const auto number = [&xml](const char *name) { return xml.attributes().value(QLatin1StringView(name)).toDouble(); };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1StringView("page")) {
            pages.append(PdfPage());
        } else if (xml.name() == QLatin1StringView("word") && !pages.isEmpty()) {
            const QRectF box(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
            pages.last().words.append({xml.readElementText(), box});
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
