#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// Printing into a PDF file with Qt's own PDF engine, and the print preview
// of the same pages: no print system is involved. Pages are A4 in the given
// orientation.
namespace PdfFile {

// Sets up a printer for PDF pages of A4; preview printers are set up alike,
// so that a preview shows the pages the file gets.
void preparePages(QPrinter &printer, QPageLayout::Orientation orientation);

// Qt's print preview over parent, its pages set up as preparePages does
// and painted by paint whenever the preview asks; it does not block.
void preview(QWidget *parent, QPageLayout::Orientation orientation, const std::function<void(QPrinter &)> &paint);

// Runs print on a printer that writes the file at path. The pages go into a
// file beside it that replaces path only once print succeeded, so a failure
// leaves an earlier file whole. Returns an empty text, or the message to show.
QString write(const QString &path, QPageLayout::Orientation orientation, const std::function<bool(QPrinter &)> &print);

} // namespace PdfFile
