#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Millimetres as PDF points.
inline double mmToPoints(double mm)
{
    return mm * 72.0 / 25.4;
}

// One word of a PDF page as pdftotext -bbox finds it, in points from the
// page's top left corner.
struct PdfWord
{
    QString text;
    QRectF box;
};

struct PdfPage
{
    QList<PdfWord> words;
    QStringList texts() const;
    // The box of the first word of this text, or an empty box.
    QRectF box(const QString &text) const;
};

// The pages of a PDF file with their words; empty when the file cannot be read.
QList<PdfPage> readPdfPages(const QString &pdfPath);

// The standard output of a command-line tool, or a null text when it fails.
QString runTool(const QString &program, const QStringList &arguments);
