#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

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

// A data row of texts in one line: textRow("name", "a", "b") adds QStrings read as UTF-8.
template <typename... Texts>
void textRow(const char *name, const Texts *...texts)
{
    (QTest::newRow(name) << ... << QString::fromUtf8(texts));
}

// A list written as one text, its items separated by "|"; "" is the empty list.
inline QStringList items(const char *joined)
{
    return *joined ? QString::fromUtf8(joined).split(u'|') : QStringList();
}
