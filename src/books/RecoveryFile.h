#pragma once

#include "storage/JournalTable.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class FlexGridStore;

// Typed but unsaved work must survive a crash or a power cut. While the
// sheet differs from what was last saved, a recovery file beside the month
// files holds it: which month, when, and every cell below the headings.
namespace RecoveryFile {

// "<program folder>/Barlog-Wiederherstellung.txt"
QString path(const QString &programFolder);

struct Snapshot
{
    QString year;
    QString month;
    QString time; // ISO 8601 with the UTC offset
    Records rows; // sheet rows 1 and below, cell texts as shown
};

// The sheet's rows 1 and below.
Records sheetRows(const FlexGridStore &sheet);
// Puts the rows back: the sheet gets exactly these rows below its headings.
void restoreInto(FlexGridStore &sheet, const Records &rows);

// UTF-8 text, one row a line with its cells between tabs, and a SHA-256
// checksum line at the end, so that a damaged file is told from a good one.
QByteArray encode(const Snapshot &snapshot);
std::optional<Snapshot> decode(const QByteArray &bytes);

// The question at start when a recovery file is found.
QString restoreQuestion(const Snapshot &snapshot);

} // namespace RecoveryFile

// Writes recovery files on a thread of its own, so that a slow disk never
// holds up a key. Only the latest request counts: a write still waiting is
// replaced by a newer write or by the removal, and the removal comes after
// any write in flight, so a removed file never comes back.
class RecoveryWriter
{
public:
    explicit RecoveryWriter(QString path);
    ~RecoveryWriter(); // finishes what was asked, then stops
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    void write(RecoveryFile::Snapshot snapshot);
    void remove();
    // Returns once every request so far has been carried out.
    void waitIdle();
    // The errno of the last failed write, 0 after a good one.
    int lastError();

private:
    struct Request
    {
        bool remove = false;
        RecoveryFile::Snapshot snapshot;
    };
    void submit(Request request);
    void run();
    void carryOut(const Request &request);

    QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_pending;
    bool m_busy = false;
    bool m_stop = false;
    int m_lastError = 0;
    std::thread m_thread; // last: it starts once everything above is set up
};
