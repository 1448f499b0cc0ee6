// Saves one version of the kill test's month and is killed somewhere on the way.
#include "KillTestSheet.h"
#include "storage/MonthFileWriter.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <month file> <version>\n", argv[0]);
        return 2;
    }
    const QString path = QFile::decodeName(argv[1]);
    const Records records = KillTestSheet::records(QByteArray(argv[2]).toInt());
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    MonthContents month;
    month.records = records;
    const QString message = MonthFileWriter::write(path, month);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        return 1;
    }
    return 0;
}
