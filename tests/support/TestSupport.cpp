#include "TestSupport.h"

#include "platform/FlexGridStore.h"

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

QStringList defaultQuickKeyCaptions()
{
    return {QStringLiteral("Tageseinnahme"), QStringLiteral("Gutschein"),      QStringLiteral("Bankeinzahlung"),
            QStringLiteral("Lohnzahlung"),   QStringLiteral("Porto"),          QStringLiteral("Tanken"),
            QStringLiteral("Rechnung Bar"),  QStringLiteral("Bürobedarf"),     QStringLiteral("Reinigungsmittel"),
            QStringLiteral("Privateinlage"), QStringLiteral("Privatentnahme"), QStringLiteral("Spende")};
}

QStringList rowTexts(const FlexGridStore &sheet, int row)
{
    QStringList texts;
    for (int c = 0; c < sheet.cols(); ++c)
        texts << sheet.textMatrix(row, c);
    return texts;
}
