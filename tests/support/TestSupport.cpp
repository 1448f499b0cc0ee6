#include "TestSupport.h"

#include <QFile>

ProgramFolder::ProgramFolder() = default;

QByteArray ProgramFolder::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QString testDataPath(const QString &name)
{
    return QStringLiteral(BARLOG_TESTDATA_DIR "/") + name;
}
