#include "PdfPages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int RenderDpi = 100;

QList<QImage> render(const QByteArray &pdf, const QString &folder, const QString &name)
{
    QFile file(folder + u'/' + name + QStringLiteral(".pdf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(RenderDpi), QStringLiteral("-aaVector"),
                       QStringLiteral("no"), QStringLiteral("-png"), file.fileName(), folder + u'/' + name});
    QList<QImage> pages;
    for (const QString &page : QDir(folder).entryList({name + QStringLiteral("-*.png")}, QDir::Files, QDir::Name))
        pages << QImage(folder + u'/' + page).convertToFormat(QImage::Format_RGB32);
    return pages;
}
} // namespace

QString pdfPagesDiffer(const QByteArray &expected, const QByteArray &actual)
{
    QTemporaryDir folder;
    // BARLOG_FLOOR_KEEP=1 keeps the files for a look at what differs.
    folder.setAutoRemove(qEnvironmentVariableIsEmpty("BARLOG_FLOOR_KEEP"));
    const QList<QImage> a = render(expected, folder.path(), QStringLiteral("expected"));
    const QList<QImage> b = render(actual, folder.path(), QStringLiteral("actual"));
    if (a.isEmpty())
        return QStringLiteral("no pages rendered (is pdftoppm installed?)");
    if (a.size() != b.size())
        return QStringLiteral("%1 pages, floor %2").arg(a.size()).arg(b.size());
    for (qsizetype p = 0; p < a.size(); ++p) {
        if (a[p].size() != b[p].size())
            return QStringLiteral("page %1 differs in size").arg(p + 1);
        qint64 differing = 0;
        for (int y = 0; y < a[p].height(); ++y) {
            const auto *x = reinterpret_cast<const QRgb *>(a[p].constScanLine(y));
            const auto *z = reinterpret_cast<const QRgb *>(b[p].constScanLine(y));
            for (int i = 0; i < a[p].width(); ++i)
                differing += x[i] != z[i] ? 1 : 0;
        }
        if (differing != 0)
            return QStringLiteral("%1 pixels of page %2 differ (%3)").arg(differing).arg(p + 1).arg(folder.path());
    }
    return {};
}

PdfJobs::PdfJobs()
{
    char folder[] = "/tmp/barlog-pdfjobs-XXXXXX";
    m_dir = QFile::decodeName(::mkdtemp(folder));
    m_path = m_dir + QStringLiteral("/jobs.pdf");
    ::mkfifo(QFile::encodeName(m_path).constData(), 0600);
    m_reader = std::thread([this] { read(); });
}

PdfJobs::~PdfJobs()
{
    take();
    ::unlink(QFile::encodeName(m_path).constData());
    ::rmdir(QFile::encodeName(m_dir).constData());
}

void PdfJobs::read()
{
    const QByteArray path = QFile::encodeName(m_path);
    for (;;) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            m_done = true;
            return;
        }
        QByteArray job;
        char buffer[65536];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
            job.append(buffer, got);
        ::close(fd);
        m_written += job;
        if (m_stop) {
            m_done = true;
            return;
        }
    }
}

QList<QByteArray> PdfJobs::take()
{
    if (m_reader.joinable()) {
        m_stop = true;
        // Empty writers wake the reader until it has seen the stop.
        while (!m_done) {
            const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        m_reader.join();
    }
    // A job may follow the one before without a pause for the reader to
    // notice: the jobs are told apart by the end mark of each PDF.
    static const QByteArray end = QByteArrayLiteral("%%EOF\n");
    QList<QByteArray> jobs;
    for (qsizetype from = 0; from < m_written.size();) {
        qsizetype to = m_written.indexOf(end, from);
        to = to < 0 ? m_written.size() : to + end.size();
        jobs << m_written.mid(from, to - from);
        from = to;
    }
    return jobs;
}
