#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

// A ZIP file made by libzip in memory, so that the caller writes it to disk
// in one safe step (writeWholeFile) and a failure leaves no half archive.
namespace ZipArchive {

struct Entry
{
    QString name; // the path inside the archive, "/" between folders
    QByteArray bytes;
};

struct Result
{
    QByteArray bytes; // the whole archive; empty when it could not be made
    QString error;    // why not, in German

    bool ok() const { return error.isEmpty(); }
};

// The entries deflated in their order, each dated modified.
Result pack(const std::vector<Entry> &entries, const QDateTime &modified);

} // namespace ZipArchive
