#include "storage/JetReader.h"

#include "storage/PosixFile.h"

// mdbtools expects glib's types to be known before its own header.
#include <glib.h>

#include <mdbtools.h>

#include <memory>
#include <vector>

namespace JetReader {
namespace {

struct HandleCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

} // namespace

DbStatus readTable(const QString &path, const QString &table, Records &records)
{
    records.clear();
    const auto native = PosixFile::nativePath(path);
    if (!native)
        return DbErrors::cannotOpen(path, ENOENT);
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(native->constData(), MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        return DbErrors::corrupt(path);
    // Dates come out in German form, independent of the system's locale.
    mdb_set_date_fmt(mdb.get(), "%d.%m.%Y %H:%M:%S");
    mdb_set_shortdate_fmt(mdb.get(), "%d.%m.%Y");

    QByteArray name = table.toUtf8();
    std::unique_ptr<MdbTableDef, TableFreer> def(
        name.contains('\0') ? nullptr : mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
    if (!def)
        return DbErrors::tableNotFound(path, table);
    if (!mdb_read_columns(def.get()))
        return DbErrors::corrupt(path);
    mdb_rewind_table(def.get());

    const unsigned columns = def->num_cols;
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(MDB_BIND_SIZE + 1));
    std::vector<int> lengths(columns, 0);
    for (unsigned i = 0; i < columns; ++i)
        mdb_bind_column(def.get(), static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);

    while (mdb_fetch_row(def.get())) {
        Record record;
        record.reserve(columns);
        for (unsigned i = 0; i < columns; ++i) {
            const int length = std::min(lengths[i], MDB_BIND_SIZE);
            record << (length > 0 ? QString::fromUtf8(buffers[i].data(), length) : QString());
        }
        records.push_back(std::move(record));
    }
    return {};
}

} // namespace JetReader
