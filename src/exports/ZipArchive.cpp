#include "exports/ZipArchive.h"

#include <zip.h>

#include <cstdio>
#include <memory>

namespace ZipArchive {
namespace {
constexpr zip_uint32_t FastestDeflate = 1;

struct SourceFree
{
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

QString failure(const char *what)
{
    return QStringLiteral("Das ZIP-Archiv konnte nicht erstellt werden (%1).").arg(QString::fromUtf8(what));
}

// The bytes libzip wrote into the buffer source.
QByteArray contents(zip_source_t *source, QString &error)
{
    if (zip_source_open(source) < 0) {
        error = failure(zip_error_strerror(zip_source_error(source)));
        return {};
    }
    QByteArray bytes;
    zip_source_seek(source, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(source);
    zip_source_seek(source, 0, SEEK_SET);
    if (size > 0) {
        bytes.resize(static_cast<qsizetype>(size));
        if (zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) != size) {
            error = failure(zip_error_strerror(zip_source_error(source)));
            bytes.clear();
        }
    }
    zip_source_close(source);
    return bytes;
}
} // namespace

Result pack(const std::vector<Entry> &entries, const QDateTime &modified)
{
    Result result;
    zip_error_t error;
    zip_error_init(&error);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_t *archive = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
    if (archive == nullptr) {
        result.error = failure(zip_error_strerror(&error));
        zip_error_fini(&error);
        return result;
    }
    zip_error_fini(&error);
    // The archive owns the buffer from here on; keep it for reading it back.
    zip_source_keep(buffer.get());
    const time_t mtime = static_cast<time_t>(modified.toSecsSinceEpoch());
    for (const Entry &entry : entries) {
        // The entries' bytes outlive the archive, so libzip reads them in place.
        zip_source_t *data =
            zip_source_buffer(archive, entry.bytes.constData(), static_cast<zip_uint64_t>(entry.bytes.size()), 0);
        const zip_int64_t index =
            data != nullptr ? zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(data);
            result.error = failure(zip_strerror(archive));
            zip_discard(archive);
            return result;
        }
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), mtime, 0);
        // The fastest level: a year's tables shrink nearly as much, in a third of the time.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, FastestDeflate);
    }
    if (zip_close(archive) < 0) {
        result.error = failure(zip_strerror(archive));
        zip_discard(archive);
        return result;
    }
    result.bytes = contents(buffer.get(), result.error);
    return result;
}

} // namespace ZipArchive
