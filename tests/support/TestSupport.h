#pragma once

#include <QString>
#include <QTemporaryDir>

// A scratch program folder for one test, removed afterwards.
class ProgramFolder
{
public:
    ProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// The folder of the project's test data.
QString testDataPath(const QString &name);
