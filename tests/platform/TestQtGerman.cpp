#include "platform/QtGerman.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {
enum class Folders { Qts, NoneFound, BesideProgram };
const QString QtBaseGerman = QStringLiteral("qtbase_de.qm");
} // namespace

class TestQtGerman : public QObject
{
    Q_OBJECT
private slots:
    void qtDialogTexts_data()
    {
        QTest::addColumn<Folders>("folders");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("shown");
        QTest::newRow("file dialog") << Folders::Qts << QStringLiteral("QFileDialog") << QStringLiteral("Look in:")
                                     << QStringLiteral("Suchen in:");
        QTest::newRow("translations beside the program") << Folders::BesideProgram << QStringLiteral("QPlatformTheme")
                                                         << QStringLiteral("&Yes") << QStringLiteral("&Ja");
        QTest::newRow("none found: Qt's English") << Folders::NoneFound << QStringLiteral("QPlatformTheme")
                                                  << QStringLiteral("Cancel") << QStringLiteral("Cancel");
    }
    void qtDialogTexts()
    {
        QFETCH(Folders, folders);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, shown);
        QTemporaryDir empty;
        QTemporaryDir beside;
        QStringList searched = QtGerman::folders();
        if (folders != Folders::Qts)
            searched = {empty.path(), beside.path()};
        if (folders == Folders::BesideProgram) {
            const QString qts = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
            QVERIFY(QFile::copy(qts + QLatin1Char('/') + QtBaseGerman, beside.filePath(QtBaseGerman)));
        }
        if (folders == Folders::NoneFound)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("qtbase_de.qm not found")));

        QCOMPARE(QtGerman::install(*QCoreApplication::instance(), searched), folders != Folders::NoneFound);
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(), source.toUtf8().constData()), shown);
        // The dialogs' dates and numbers follow Qt's default locale.
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1.234,50"));
    }
    void cleanup() { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>()); }
};

int main(int argc, char *argv[])
{
    // The test runs where Qt alone would speak English, whatever the
    // environment of the test run says.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LANGUAGE");
    QCoreApplication app(argc, argv);
    TestQtGerman test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestQtGerman.moc"
