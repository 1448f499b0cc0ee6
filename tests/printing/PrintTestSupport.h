#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>

// Millimetres as PDF points.
inline double mmToPoints(double mm)
{
    return mm * 72.0 / 25.4;
}

// The standard output of a command-line tool, or a null text when it fails.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// One word of a PDF page as pdftotext -bbox finds it, in points from the page's top left corner.
struct PdfWord
{
    QString text;
    QRectF box;
};

struct PdfPage
{
    QList<PdfWord> words;
    QStringList texts() const
    {
        QStringList all;
        for (const PdfWord &w : words)
            all << w.text;
        return all;
    }
    // The box of the first word of this text, or an empty box.
    QRectF box(const QString &text) const
    {
        for (const PdfWord &w : words)
            if (w.text == text)
                return w.box;
        return {};
    }
};

// The pages of a PDF file with their words; empty when the file cannot be read.
inline QList<PdfPage> readPdfPages(const QString &pdfPath)
{
    static const QRegularExpression tag(QStringLiteral("<page |<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" "
                                                       "xMax=\"([-\\d.]+)\" yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    const QString bbox = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    for (const QRegularExpressionMatch &m : tag.globalMatch(bbox)) {
        const auto at = [&m](int i) { return m.captured(i).toDouble(); };
        if (m.captured(5).isNull())
            pages.append(PdfPage());
        else if (!pages.isEmpty())
            pages.last().words.append({m.captured(5), QRectF(QPointF(at(1), at(2)), QPointF(at(3), at(4)))});
    }
    return pages;
}
