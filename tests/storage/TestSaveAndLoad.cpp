#include "MonthFileDriver.h"

#include <QDir>
#include <QRegularExpression>

using namespace Fixtures;

namespace {
const QString b = QStringLiteral(" ");
// Start-up runs on 15 March 2026: the selectors show 2026 and 03.
const QString todaysFile = QStringLiteral("2026/2026-03.mdb");

void typeMonth(MonthFileDriver &d)
{
    d.clickCell(2, 4);
    d.type(QStringLiteral("1000"));
    d.key(Qt::Key_Right, 2);
    d.type(QStringLiteral("41"));
    d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("Tageseinnahme"));
    d.typeEntry(4, 3, QStringLiteral("12,5"), QStringLiteral("03.03.2026"), QStringLiteral("Bürobedarf"));
    d.typeEntry(5, 1, QStringLiteral("19,99"), QStringLiteral("04.03.2026"), QStringLiteral("Gebühr für Café"));
}
} // namespace

class TestSaveAndLoad : public QObject
{
    Q_OBJECT
private slots:

    void aTypedMonthSurvivesARestart()
    {
        MonthFileDriver d;
        d.start();
        typeMonth(d);
        d.save();
        QCOMPARE(MessageBox::takeShown().size(), 0);
        QList<QStringList> saved = d.body();
        QCOMPARE(d.records(todaysFile), MonthFileDriver::asStored(saved));

        d.form.reset();
        d.start();
        d.load();
        QCOMPARE(MessageBox::takeShown().size(), 0);
        // A cell left with a single blank is stored like an empty one and comes back empty.
        for (QStringList &row : saved)
            row.replaceInStrings(QRegularExpression(QStringLiteral("^ $")), QString());
        saved[0][6] = QStringLiteral("2026-03");
        // The saved new-entry row is an entry row now: balance and receipt number follow.
        saved.last()[4] = QStringLiteral("1.257,49");
        saved.last()[6] = QStringLiteral("45");
        saved << QStringList(10);
        QCOMPARE(d.body(), saved);
        QCOMPARE(d.totals().textMatrix(5, 2), QStringLiteral("1.257,49"));
    }

    void replacing_data()
    {
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("Ja replaces and keeps the old file as backup") << MessageBox::Answer::Yes;
        QTest::newRow("Nein leaves the bytes on disk") << MessageBox::Answer::No;
    }
    void replacing()
    {
        QFETCH(MessageBox::Answer, answer);
        MonthFileDriver d;
        d.start();
        d.typeEntry(3, 0, QStringLiteral("250"), QStringLiteral("02.03.2026"), QStringLiteral("alt"));
        d.save();
        const QByteArray first = d.folder.read(todaysFile);
        d.typeEntry(4, 3, QStringLiteral("12,5"), QStringLiteral("03.03.2026"), QStringLiteral("neu"));
        d.typeEntry(5, 3, QStringLiteral("1"), QStringLiteral("04.03.2026"), QStringLiteral("neu"));
        MessageBox::takeShown();
        d.save({answer});

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Speichern"));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(shown[0].text, QStringLiteral("Die Datei \r\n\r\n2026-03.mdb\r\n\r\nexistiert bereits.\r\n\r\n"
                                               "Soll durch die aktuelle Datei ersetzt werden ?"));
        if (answer == MessageBox::Answer::Yes) {
            QCOMPARE(d.records(todaysFile), MonthFileDriver::asStored(d.body()));
            QCOMPARE(d.folder.read(todaysFile + QStringLiteral(".bak")), first);
        } else {
            QCOMPARE(d.folder.read(todaysFile), first);
            QCOMPARE(folderEntries(d.folder.file(QStringLiteral("2026"))), QStringList{QStringLiteral("2026-03.mdb")});
        }
    }

    // A month that cannot be saved is refused before any question, and the
    // file on disk stays as it was.
    void speichernRefuses_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a text too long for its field")
            << "2026"
            << "03" << QString(41, QLatin1Char('x'))
            << "Der Monat wurde nicht gespeichert, denn diese Texte sind zu lang für ihre Felder:\r\n\r\n"
               "Zeile 3, Spalte Text: höchstens 40 Zeichen\r\n\r\nBitte kürzen und erneut speichern.";
    }
    void speichernRefuses()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, text);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        d.save();
        const QByteArray before = d.folder.read(todaysFile);
        const QStringList entries = folderEntries(d.folder.path());
        d.clickCell(3, 8);
        d.type(text);
        d.chooseMonth(year, month);
        MessageBox::takeShown();
        d.save({MessageBox::Answer::Yes});
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("Barlog"));
        QCOMPARE(d.folder.read(todaysFile), before);
        QCOMPARE(folderEntries(d.folder.path()), entries);
        QCOMPARE(folderEntries(d.folder.file(QStringLiteral("2026"))), QStringList{QStringLiteral("2026-03.mdb")});
    }

    void laden_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("shownPath");
        QTest::addColumn<QString>("message"); // empty: the month loads
        QTest::newRow("selectors at 2021 and 03 read 2021/2021-03.mdb") << "2021"
                                                                        << "03"
                                                                        << "2021/2021-03.mdb"
                                                                        << "";
        QTest::newRow("a missing month file, none before it") << "2021"
                                                              << "02"
                                                              << "2021/2021-02.mdb"
                                                              << "Datei existiert nicht";
        QTest::newRow("a file that is not a database") << "2021"
                                                       << "05"
                                                       << "2021/2021-05.mdb"
                                                       << "Error #: 3343\r\n\r\nDie Datei „";
    }
    void laden()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, shownPath);
        QFETCH(QString, message);
        MonthFileDriver d;
        d.start();
        const FlexGridStore march = d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        d.folder.write(QStringLiteral("2021/2021-05.mdb"), "Datum;Text\r\n");
        typeMonth(d);
        d.clickCell(4, 8);
        const QList<QStringList> before = d.body();
        d.chooseMonth(year, month);
        d.load();

        QCOMPARE(d.form->Text2->text(), d.folder.file(shownPath));
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        if (!message.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
            QCOMPARE(shown[0].title, QStringLiteral("Barlog"));
            QCOMPARE(d.body(), before);
            QCOMPARE(d.cell(), QPoint(8, 4));
            return;
        }
        QCOMPARE(shown.size(), 0);
        QCOMPARE(d.body(), MonthFileDriver::loadedBody(march));
        QCOMPARE(d.text(1, 6), year + QLatin1Char('-') + month);
        QCOMPARE(d.cell(), QPoint(0, 3));
        QVERIFY(d.form->Text1->isVisible());
        QCOMPARE(d.form->Text1->text(), QStringLiteral("5,00"));
        const QRect cell = d.form->flex->cellRect(3, 0);
        const QRect shownCell(d.form->flex->viewport()->mapTo(d.form->Text1->parentWidget(), cell.topLeft()),
                              cell.size());
        QVERIFY(shownCell.contains(d.form->Text1->geometry().center()));
    }

    // What is typed and shown in a cell goes into the file, with the
    // balances that follow from it.
    void speichernCommitsTheTypedEntry_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("balance");
        QTest::newRow("an income amount") << 0 << "12,5"
                                          << "12,50"
                                          << "12,50";
        QTest::newRow("a booking text") << 8 << "Büromaterial"
                                        << "Büromaterial"
                                        << "0,00";
    }
    void speichernCommitsTheTypedEntry()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, balance);
        MonthFileDriver d;
        d.start();
        d.clickCell(3, col);
        d.type(typed);
        d.save();
        QCOMPARE(MessageBox::takeShown().size(), 0);
        const QList<QStringList> records = d.records(todaysFile);
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[2][col], stored);
        QCOMPARE(records[2][4], balance);
        QCOMPARE(records, MonthFileDriver::asStored(d.body()));
        // Leaving the cell afterwards changes nothing more.
        d.key(Qt::Key_Down);
        QCOMPARE(d.text(3, col), stored);
        QCOMPARE(d.text(3, 4), balance);
    }

    // No text typed before a load may land in the loaded month.
    void noTypedTextLandsInALoadedMonth_data()
    {
        QTest::addColumn<bool>("throughWindow");
        QTest::newRow("Laden") << false;
        QTest::newRow("Öffnen") << true;
    }
    void noTypedTextLandsInALoadedMonth()
    {
        QFETCH(bool, throughWindow);
        MonthFileDriver d;
        d.start();
        const FlexGridStore march = d.writeMonth(QStringLiteral("2021"), QStringLiteral("03"), QStringLiteral("März"));
        d.clickCell(3, 8);
        d.type(QStringLiteral("getippt"));
        if (throughWindow) {
            Form2 *o = d.openFileWindow();
            MonthFileDriver::clickFile(o, d.folder.file(QStringLiteral("2021")), QStringLiteral("2021-03.mdb"));
            d.oeffnen(o);
        } else {
            d.chooseMonth(QStringLiteral("2021"), QStringLiteral("03"));
            d.load();
        }
        QCOMPARE(MessageBox::takeShown().size(), 0);
        d.clickCell(4, 8);
        QCOMPARE(d.text(3, 8), QStringLiteral("Kaffee März"));
        QCOMPARE(d.body(), MonthFileDriver::loadedBody(march));
    }
};

QTEST_MAIN(TestSaveAndLoad)
#include "TestSaveAndLoad.moc"
