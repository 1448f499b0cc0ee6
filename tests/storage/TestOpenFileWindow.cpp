#include "MonthFileDriver.h"

#include <QDir>
#include <QFile>

class TestOpenFileWindow : public QObject
{
    Q_OBJECT
private slots:
    void datenSucheShowsOneModelessWindow()
    {
        MonthFileDriver d;
        d.start();
        Form2 *o = d.openFileWindow();
        QVERIFY(o->isVisible());
        QCOMPARE(o->windowModality(), Qt::NonModal);
        QCOMPARE(o->parentWidget(), nullptr);
        QVERIFY(d.form->isEnabled());
        MonthFileDriver::typePath(o, QStringLiteral("/irgendwo/2021-03.mdb"));
        QTest::mouseClick(o->Command2, Qt::LeftButton);
        QVERIFY(!o->isVisible());
        // Shown again as it was left.
        QCOMPARE(d.openFileWindow(), o);
        QVERIFY(o->isVisible());
        QCOMPARE(o->Text1->toPlainText(), QStringLiteral("/irgendwo/2021-03.mdb"));
    }

    void oeffnen_data()
    {
        QTest::addColumn<QString>("clicked"); // in the year folder 2021; empty: no click
        QTest::addColumn<QString>("typed");   // relative to the program folder; empty: none
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("loads"); // the month whose entries come in; empty: none
        QTest::addColumn<QString>("message");
        QTest::newRow("the clicked month file") << "2021-03.mdb"
                                                << ""
                                                << "03"
                                                << "2021"
                                                << "März"
                                                << "";
        QTest::newRow("a typed path against a selected file") << "2021-04.mdb"
                                                              << "2021/2021-03.mdb"
                                                              << "04"
                                                              << "2021"
                                                              << "März"
                                                              << "";
        // A file that does not load leaves the selectors at the month the sheet still holds.
        QTest::newRow("before any click: the design text as path")
            << ""
            << ""
            << "03"
            << "2026"
            << ""
            << "Error #: 3024\r\n\r\nDie Datei „Text1“ wurde nicht gefunden.";
        QTest::newRow("a file that is not a database") << "kaputt.mdb"
                                                       << ""
                                                       << "03"
                                                       << "2026"
                                                       << ""
                                                       << "Error #: 3343\r\n\r\nDie Datei „";
        QTest::newRow("the Windows program's file without a Journal")
            << "2021-05.mdb"
            << ""
            << "03"
            << "2026"
            << ""
            << "Error #: 3078\r\n\r\nDie Tabelle „Journal“ gibt es";
    }
    void oeffnen()
    {
        QFETCH(QString, clicked);
        QFETCH(QString, typed);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, loads);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        const FlexGridStore march = d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        const FlexGridStore april = d.writeMonth(QStringLiteral("2021"), QStringLiteral("04"), QStringLiteral("April"));
        for (const char *copy : {"ab.mdb.mdb", "x1.mdb"})
            QVERIFY(QFile::copy(d.folder.file(QStringLiteral("2021/2021-04.mdb")),
                                d.folder.file(QStringLiteral("2021/") + QLatin1StringView(copy))));
        d.folder.write(QStringLiteral("2021/kaputt.mdb"), "Datum;Text\r\n");
        QVERIFY(QFile::copy(testDataPath(QStringLiteral("jet4/users.mdb")),
                            d.folder.file(QStringLiteral("2021/2021-05.mdb"))));
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("vorher"));
        const QList<QStringList> before = d.body();

        Form2 *o = d.openFileWindow();
        o->Dir1->setPath(d.folder.file(QStringLiteral("2021")));
        if (!clicked.isEmpty())
            MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("2021")), clicked);
        if (!typed.isEmpty())
            MonthFileDriver::typePath(o, d.folder.file(typed));
        MessageBox::takeShown();
        d.oeffnen(o);

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(d.form->Combo1->currentText(), month);
        QCOMPARE(d.form->Combo2->currentText(), year);
        if (loads.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
            QCOMPARE(shown[0].title, QStringLiteral("Barlog"));
            QCOMPARE(d.body(), before);
            QVERIFY(o->isVisible()); // open for another choice
            return;
        }
        QCOMPARE(shown.size(), 0);
        QVERIFY(!o->isVisible());
        QCOMPARE(d.body(), MonthFileDriver::loadedBody(loads == QStringLiteral("März") ? march : april));
        // The totals follow the loaded month at once.
        QCOMPARE(d.totals().textMatrix(1, 2), QStringLiteral("5,00"));
        QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("105,00"));
    }

    void aFollowingSaveGoesToTheSelectorsMonth()
    {
        MonthFileDriver d;
        d.start();
        d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        QVERIFY(QDir(d.folder.path()).mkpath(QStringLiteral("woanders")));
        QVERIFY(QFile::copy(d.folder.file(QStringLiteral("2021/2021-03.mdb")),
                            d.folder.file(QStringLiteral("woanders/2021-07.mdb"))));
        Form2 *o = d.openFileWindow();
        MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("woanders")), QStringLiteral("2021-07.mdb"));
        d.oeffnen(o);
        d.save();
        QCOMPARE(MessageBox::takeShown().size(), 0); // 2021-07 is new in its year folder
        QCOMPARE(d.records(QStringLiteral("2021/2021-07.mdb")), MonthFileDriver::asStored(d.body()));
    }
};

QTEST_MAIN(TestOpenFileWindow)
#include "TestOpenFileWindow.moc"
