#pragma once

#include <QString>

// The outcome of one database operation: an error number, numbered the way
// the Windows program's engine numbered its errors, and a German description.
enum class DbError : int {
    None = 0,
    Unexpected = 3000,
    FileNotFound = 3024,
    DiskFull = 3026,
    ReadOnly = 3027,
    DiskIo = 3043,
    InvalidPath = 3044,
    Corrupt = 3049,
    CannotOpen = 3051,
    TableNotFound = 3078,
    FieldTooSmall = 3163,
    DatabaseExists = 3204,
    Locked = 3260,
    TooManyValues = 3265,
    ZeroLength = 3315,
    UnrecognizedFormat = 3343,
};

struct DbStatus
{
    int number = 0;
    QString description;

    bool ok() const { return number == 0; }
    // "Error #: " + number + CR LF CR LF + description, as the user sees it.
    QString report() const;

    static DbStatus failure(DbError error, const QString &description);
};

// The reason behind a failed system call, in German, for an errno value.
QString systemErrorText(int err);

// The errors that concern a whole file, with their descriptions.
namespace DbErrors {
// Picks the number from errno: a missing file, a missing folder, anything else.
DbStatus cannotOpen(const QString &path, int err);
DbStatus fileNotFound(const QString &path);
DbStatus unrecognizedFormat(const QString &path, const QString &detail = QString());
DbStatus corrupt(const QString &path);
DbStatus tableNotFound(const QString &path, const QString &table);
DbStatus readOnlyJet(const QString &path);
DbStatus databaseExists(const QString &path);
// Creating a new file failed with errno: a missing folder, an existing file, anything else.
DbStatus cannotCreate(const QString &path, int err);
} // namespace DbErrors
