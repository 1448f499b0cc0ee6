#include "Form1Fixture.h"
#include "editing/ui/EditorBox.h"
#include "platform/ui/Design.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>

namespace {
const QStringList DesignCaptions = {
    QStringLiteral("Tageseinnahme"), QStringLiteral("Gutschein"),      QStringLiteral("Bankeinzahlung"),
    QStringLiteral("Lohnzahlung"),   QStringLiteral("Porto"),          QStringLiteral("Tanken"),
    QStringLiteral("Rechnung Bar"),  QStringLiteral("Bürobedarf"),     QStringLiteral("Reinigungsmittel"),
    QStringLiteral("Privateinlage"), QStringLiteral("Privatentnahme"), QStringLiteral("Spende")};

QStringList rowTexts(const FlexGridStore &g, int row)
{
    QStringList texts;
    for (int c = 0; c < g.cols(); ++c)
        texts << g.textMatrix(row, c);
    return texts;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void sheetLayout()
    {
        Form1Fixture f;
        f.start();
        const FlexGridStore &g = f.sheet();
        QCOMPARE(g.rows(), 5);
        QCOMPARE(g.cols(), 10);
        QCOMPARE(g.fixedRows(), 2);
        // The Enter key of start-up recalculates: row 3 shows the balance 0,00.
        QStringList row3(10, QString());
        row3[4] = QStringLiteral("0,00");
        QCOMPARE(rowTexts(g, 3), row3);
        QCOMPARE(rowTexts(g, 4), QStringList(10, QString()));
        // The Enter key applied to row 3 leaves the cursor one row below.
        QCOMPARE(g.row(), 4);
        QCOMPARE(g.col(), 0);
        QCOMPARE(f.form->Combo1->currentText(), QStringLiteral("03"));
        QCOMPARE(f.form->Combo2->currentText(), QStringLiteral("2026"));
        QVERIFY(QDir(f.folder.file(QStringLiteral("2026"))).exists());
        QCOMPARE(f.form->pos(), QPoint(0, 0));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void scalingHappensOnce()
    {
        Form1Fixture f(QSize(1920, 1080));
        Form1 &w = f.start();
        QCOMPARE(w.sfx(), 1.875F);
        QCOMPARE(w.sfy(), 1.40625F);
        // 1001 x 1.875 = 1876.875; 900 x 1.875 = 1687.5 and 2500 x 1.875 = 4687.5 round to even.
        const QList<int> widths{1877, 1877, 1877, 1877, 1877, 1125, 1688, 1001, 4688, 20};
        QList<int> got;
        for (int c = 0; c < 10; ++c)
            got << f.sheet().colWidth(c);
        QCOMPARE(got, widths);
        QCOMPARE(f.sheet().rowHeight(4), 338);
        const QRect button = Design::twips(w.Command1[0]);
        QCOMPARE(button, QRect(19659, 63, 4219, 914));
        QCOMPARE(Design::fontPoints(w.Command5), 12.0 * 1.40625);
        w.Form_Load();
        QCOMPARE(Design::twips(w.Command1[0]), button);
        QCOMPARE(f.sheet().colWidth(0), 1877);
        QCOMPARE(f.sheet().rowHeight(4), 338);
    }

    void rateTexts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<int>("messages");
        QTest::newRow("no file") << QByteArray()
                                 << QStringList{QStringLiteral("19%"), QStringLiteral("7%"), QStringLiteral("0%")} << 0;
        QTest::newRow("three lines") << QByteArray("16%\r\n5%\r\n0%\r\n")
                                     << QStringList{QStringLiteral("16%"), QStringLiteral("5%"), QStringLiteral("0%")}
                                     << 0;
        QTest::newRow("a short file keeps the defaults")
            << QByteArray("16%\r\n") << QStringList{QStringLiteral("16%"), QStringLiteral("7%"), QStringLiteral("0%")}
            << 1;
    }
    void rateTexts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rates);
        QFETCH(int, messages);
        Form1Fixture f;
        if (!file.isEmpty())
            f.folder.write(QStringLiteral("bl.dat"), file);
        Form1 &w = f.start();
        QCOMPARE((QStringList{w.rates().begin(), w.rates().end()}), rates);
        QCOMPARE(rowTexts(f.sheet(), 1).mid(0, 3), rates);
        QCOMPARE(MessageBox::takeShown().size(), messages);
    }

    void labelFileIsCreatedAndReadBack()
    {
        Form1Fixture f;
        f.start();
        QByteArray expected;
        for (const QString &c : DesignCaptions)
            expected += (c == QStringLiteral("Bürobedarf") ? QByteArray("B\xFC"
                                                                        "robedarf")
                                                           : c.toLatin1())
                        + "\r\n";
        QCOMPARE(f.folder.read(QStringLiteral("Tasten.txt")), expected);

        f.folder.write(QStringLiteral("Tasten.txt"), expected.replace("Porto", "Briefmarken"));
        f.start();
        QStringList captions;
        for (QPushButton *b : f.form->Command1)
            captions << b->text();
        QStringList changed = DesignCaptions;
        changed[4] = QStringLiteral("Briefmarken");
        QCOMPARE(captions, changed);
        QCOMPARE(f.folder.read(QStringLiteral("Tasten.txt")), expected); // an existing file is left alone
    }

    void rerunKeepsSelectorsAndCells()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        w.Combo1->setEditText(QStringLiteral("11"));
        w.Combo2->setEditText(QStringLiteral("2025"));
        f.sheet().setTextMatrix(3, 0, QStringLiteral("12,00"));
        f.sheet().setTextMatrix(2, 8, QStringLiteral("weg"));
        w.Form_Load();
        w.Form_Load();
        QCOMPARE(w.Combo33->count(), 12); // the rename list mirrors the buttons once
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("11"));
        QCOMPARE(w.Combo2->currentText(), QStringLiteral("2025"));
        QCOMPARE(f.sheet().textMatrix(3, 0), QStringLiteral("12,00"));
        QCOMPARE(f.sheet().textMatrix(2, 8), QStringLiteral("Übertrag"));
    }

    void unwritableProgramFolderIsReportedOnce()
    {
        Form1Fixture f;
        // A program folder below a regular file can hold neither a year folder nor Tasten.txt.
        f.folder.write(QStringLiteral("datei"), "x");
        Form1 w(f.folder.file(QStringLiteral("datei/Barlog")));
        w.Form_Load();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].text.contains(QStringLiteral("2026")));
        QVERIFY(shown[1].text.contains(QStringLiteral("Tasten.txt")));
        QCOMPARE(w.Command1[0]->text(), QStringLiteral("Tageseinnahme"));
        QVERIFY(!w.ended());
    }

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("viaCloseBox");
        QTest::newRow("Beenden button") << false;
        QTest::newRow("closing the window") << true;
    }
    void exitQuestion()
    {
        QFETCH(bool, viaCloseBox);
        Form1Fixture f;
        Form1 &w = f.start();
        f.sheet().setTextMatrix(3, 8, QStringLiteral("bleibt"));
        auto leave = [&] {
            if (viaCloseBox)
                w.close();
            else
                w.Command5_Click();
        };
        MessageBox::queueAnswer(MessageBox::Answer::No);
        leave();
        QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Barlog wird beendet. Nicht gespeicherte Daten gehen verloren.  "
                                               "Wirklich beenden ?"));
        QCOMPARE(shown[0].title, QStringLiteral("Beenden"));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons::YesNo);
        QVERIFY(w.isVisible());
        QVERIFY(!w.ended());
        QCOMPARE(f.sheet().textMatrix(3, 8), QStringLiteral("bleibt"));

        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        leave();
        QCOMPARE(MessageBox::takeShown().size(), 1); // no second question on the way out
        QVERIFY(w.ended());
        QVERIFY(!w.isVisible());
        QVERIFY(!QFile::exists(f.folder.file(QStringLiteral("2026/2026-03.mdb")))); // nothing saved
    }

    void tabOrderFollowsTheDesign()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        // The next control that Tab reaches, past labels and inner parts; the
        // controls sit in the client area below the menu bar.
        QWidget *client = w.Text1->parentWidget();
        auto next = [client](QWidget *from) {
            QWidget *x = from->nextInFocusChain();
            while (x != from && (!(x->focusPolicy() & Qt::TabFocus) || x->parentWidget() != client))
                x = x->nextInFocusChain();
            return x;
        };
        QCOMPARE(next(w.Text1), w.Command1[0]);
        QCOMPARE(next(w.Command1[10]), w.Command2);
        QCOMPARE(next(w.Command7), w.flex);
        QCOMPARE(next(w.Command5), w.Text2);
        QCOMPARE(next(w.Command9), w.Command1[11]);
        QCOMPARE(next(w.Command1[11]), w.Combo33);
        QCOMPARE(next(w.Combo33), w.Command10);
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
