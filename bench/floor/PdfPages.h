#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <thread>

// Checks that two print-outs are the same pages: both PDFs rendered with
// pdftoppm and compared pixel by pixel. Vector edges are rendered without
// antialiasing, so that one line drawn as two overlapping pieces counts the
// same as one piece.
QString pdfPagesDiffer(const QByteArray &expected, const QByteArray &actual);

// Every print job written to one PDF file name, each kept apart: the name is
// a named pipe that a thread reads while the jobs open, write and close it.
class PdfJobs
{
public:
    PdfJobs();
    ~PdfJobs();
    PdfJobs(const PdfJobs &) = delete;
    PdfJobs &operator=(const PdfJobs &) = delete;

    QString fileName() const { return m_path; }
    // The jobs written so far, in order; ends the reading.
    QList<QByteArray> take();

private:
    void read();

    QString m_dir;
    QString m_path;
    QByteArray m_written;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::thread m_reader;
};
