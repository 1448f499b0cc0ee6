#include "printing/ui/PdfFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>

namespace PdfFile {

void preparePages(QPrinter &printer, QPageLayout::Orientation orientation)
{
    printer.setDocName(QStringLiteral("Barlog"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
}

void preview(QWidget *parent, QPageLayout::Orientation orientation, const std::function<void(QPrinter &)> &paint)
{
    auto *dialog = new QPrintPreviewDialog(parent);
    dialog->setObjectName(QStringLiteral("Druckvorschau"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Druckvorschau"));
    preparePages(*dialog->printer(), orientation);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [paint](QPrinter *printer) { paint(*printer); });
    dialog->open();
}

QString write(const QString &path, QPageLayout::Orientation orientation, const std::function<bool(QPrinter &)> &print)
{
    const QFileInfo target(path);
    const QString failed = QStringLiteral("Die PDF-Datei „%1“ konnte nicht geschrieben werden. Bitte prüfen Sie, ob "
                                          "der Ordner „%2“ beschreibbar ist.")
                               .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(target.absolutePath()));
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.barlog-XXXXXX.pdf"));
    if (!part.open())
        return failed;
    part.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part.fileName());
    preparePages(printer, orientation);
    if (!print(printer))
        return failed;
    // A temporary file is private to its owner; the PDF is an ordinary document.
    part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    // rename() replaces the target in one step, where QFile::rename would not replace it at all.
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return failed;
    part.setAutoRemove(false);
    return {};
}

} // namespace PdfFile
