#include "mainwindow/ui/Form1.h"

#include "dialogs/ui/Skalieren.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/Rounding.h"
#include "platform/ui/Screen.h"
#include "storage/QuickKeyFile.h"
#include "storage/SettingsFile.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>

#include <array>

namespace {
const std::array<const char *, 10> Headings = {"Einnahmen", "Einnahmen", "Einnahmen", "Ausgaben", "Bestand",
                                               "Konto",     "Beleg-Nr",  "Datum",     "Text",     ""};
} // namespace

void Form1::Form_Load()
{
    FlexGridStore &sheet = flex->store();
    const bool firstRun = m_skaliert == 0;
    // The row height before any scaling; the print-out prints every row at
    // it. Read again after a print-out, it would be the scaled height, and
    // each print-out would come out with taller rows than the one before.
    if (firstRun)
        zellhohe = static_cast<short>(flex->cellHeight());
    move(0, 0);

    satz1 = QStringLiteral("19%");
    satz2 = QStringLiteral("7%");
    satz3 = QStringLiteral("0%");
    readSettingsFile();

    if (firstRun) {
        SFX = static_cast<float>(Screen::widthTwips() / 15.0 / 1024.0);
        SFY = static_cast<float>(Screen::heightTwips() / 15.0 / 768.0);
        FormSkalieren(this, SFX, SFY);
    }
    m_skaliert = 1;

    // A re-run comes after a print-out; the selectors keep the month they
    // showed, so a following save cannot land in today's file.
    const QDate today = Clock::today();
    if (firstRun) {
        Combo1->setEditText(today.toString(QStringLiteral("MM")));
        Combo2->setEditText(today.toString(QStringLiteral("yyyy")));
    }
    createYearFolder();

    layoutSheet(firstRun);
    // Scaled once like the rest of the window: a re-run would enlarge the
    // heading rows and the grid's font again after every print-out.
    if (firstRun)
        sheet.setFontSize(sheet.fontSize() * SFY);

    show();
    // Without a window manager a shown window is not made active by itself.
    activateWindow();
    su = 1;
    formatHeadings();
    sheet.setRow(3);
    sheet.setCol(0);
    flex->setFocus();
    Text1_KeyDown(13, 0);
    su = 0;
    editorTakesCurrentCell();

    loadQuickKeys();
    fillRenameList();
}

void Form1::layoutSheet(bool scaleRows)
{
    FlexGridStore &sheet = flex->store();
    const double sfx = SFX;
    const double sfy = SFY;
    for (int i = 0; i <= 9; ++i) {
        sheet.setColWidth(i, roundHalfEven(1000.0 + sfy));
        sheet.setTextMatrix(0, i, QString::fromUtf8(Headings[static_cast<size_t>(i)]));
        if (i == 0)
            sheet.setTextMatrix(1, i, satz1);
        if (i == 1)
            sheet.setTextMatrix(1, i, satz2);
        if (i == 2)
            sheet.setTextMatrix(1, i, satz3);
        if (i <= 4)
            sheet.setColWidth(i, roundHalfEven(sheet.colWidth(i) * sfx));
        else if (i == 5)
            sheet.setColWidth(i, roundHalfEven(600.0 * sfx));
        else if (i == 6)
            sheet.setColWidth(i, roundHalfEven(900.0 * sfx));
        else if (i == 8)
            sheet.setColWidth(i, roundHalfEven(2500.0 * sfx));
        else if (i == 9)
            sheet.setColWidth(i, 20);
        if (i <= 4 && scaleRows)
            sheet.setRowHeight(i, roundHalfEven(sheet.rowHeight(i) * sfy));
    }
}

void Form1::formatHeadings()
{
    FlexGridStore &sheet = flex->store();
    sheet.setRow(0);
    for (int c = 0; c < sheet.cols(); ++c) {
        sheet.setCol(c);
        sheet.setCellFontBold(true);
        sheet.setColAlignmentFixed(c, 3);
        sheet.setCellFontSize(9.0F * SFY);
        sheet.setCellFontName(QStringLiteral("MS Sans Serif"));
    }
    for (int c = 4; c <= 8; ++c) {
        sheet.setCol(c);
        sheet.setRow(2);
        sheet.setCellBackColor(gridRgb(192, 192, 192));
    }
    sheet.setTextMatrix(2, 8, QStringLiteral("Übertrag"));
}

void Form1::readSettingsFile()
{
    const ValueFileRead read = SettingsFile(m_programFolder).read({satz1, satz2, satz3});
    satz1 = read.values[0];
    satz2 = read.values[1];
    satz3 = read.values[2];
    if (!read.message.isEmpty())
        MessageBox::info(this, read.message);
}

void Form1::createYearFolder()
{
    const QString year = Clock::today().toString(QStringLiteral("yyyy"));
    const QString path = m_programFolder + QLatin1Char('/') + year;
    if (DirExists(path))
        return;
    if (!QDir().mkpath(path) || !DirExists(path)) {
        MessageBox::info(this, QStringLiteral("Der Ordner für das Jahr %1 konnte nicht angelegt werden:\n%2\n\n"
                                              "Monate dieses Jahres lassen sich erst speichern, wenn der Ordner "
                                              "angelegt werden kann.")
                                   .arg(year, QDir::toNativeSeparators(path)));
    }
}

void Form1::loadQuickKeys()
{
    QStringList captions;
    for (QPushButton *b : Command1)
        captions << b->text();
    const QuickKeyFile file(m_programFolder);
    const ValueFileRead read = file.read(captions);
    for (size_t i = 0; i < Command1.size(); ++i)
        Command1[i]->setText(read.values[static_cast<qsizetype>(i)]);
    if (!read.message.isEmpty())
        MessageBox::info(this, read.message);
    // A missing file is made from the captions the buttons have now.
    if (read.state == ValueFileState::Missing) {
        const QString error = file.write(read.values);
        if (!error.isEmpty())
            MessageBox::info(this, error);
    }
}

void Form1::fillRenameList()
{
    // The list always mirrors the twelve buttons, however often start-up runs.
    Combo33->clear();
    for (QPushButton *b : Command1)
        Combo33->addItem(b->text());
    Combo33->setEditText(Command1[0]->text());
    Combo33->update();
}
