#include "Form1Fixture.h"
#include "dialogs/ui/FileLists.h"
#include "dialogs/ui/Form2.h"
#include "dialogs/ui/Skalieren.h"
#include "platform/ui/Design.h"
#include "printing/ui/Druckerwahl.h"

#include <QDir>
#include <QPlainTextEdit>

class TestDialogDesigns : public QObject
{
    Q_OBJECT
private slots:

    void openFileListsAreLinked()
    {
        Form1Fixture f;
        Form1 &w = f.start();
        QDir(f.folder.path()).mkpath(QStringLiteral("2021/unter"));
        f.folder.write(QStringLiteral("2021/2021-03.mdb"), "x");
        f.folder.write(QStringLiteral("2021/notiz.txt"), "x");
        Form2 *o = w.form2();
        QCOMPARE(o->windowTitle(), QStringLiteral("Datei öffnen"));
        QCOMPARE(o->Text1->toPlainText(), QStringLiteral("Text1"));
        QCOMPARE(o->Drive1->itemText(0), QStringLiteral("/"));
        o->Dir1->setPath(f.folder.file(QStringLiteral("2021")));
        QCOMPARE(o->File1->count(), 1);
        QCOMPARE(o->File1->item(0)->text(), QStringLiteral("2021-03.mdb"));
        // The folder list shows the folder's subfolders below it.
        QCOMPARE(o->Dir1->item(o->Dir1->count() - 1)->data(Qt::UserRole).toString(),
                 f.folder.file(QStringLiteral("2021/unter")));
        o->File1->setCurrentRow(0);
        o->File1_Click();
        QCOMPARE(o->Text1->toPlainText(), f.folder.file(QStringLiteral("2021/2021-03.mdb")));
        o->Drive1_Change();
        QCOMPARE(o->Dir1->path(), QStringLiteral("/"));
        o->File1->setPath(QStringLiteral("/"));
        o->Command2_Click();
        QVERIFY(!o->isVisible());
    }

    void scalingShrinksOnSmallScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("beenden");
        QTest::addColumn<double>("points");
        QTest::newRow("800x600") << QSize(800, 600) << QRect(10055, 5660, 1770, 680) << 12.0 * 600 / 768;
        QTest::newRow("1280x1024, another aspect") << QSize(1280, 1024) << QRect(16088, 9660, 2831, 1160) << 16.0;
    }
    void scalingShrinksOnSmallScreens()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, beenden);
        QFETCH(double, points);
        Form1Fixture f(screen);
        Form1 &w = f.start();
        QCOMPARE(Design::twips(w.Command5), beenden);
        QVERIFY(qAbs(Design::fontPoints(w.Command5) - points) < 1e-4);
    }
};

QTEST_MAIN(TestDialogDesigns)
#include "TestDialogDesigns.moc"
