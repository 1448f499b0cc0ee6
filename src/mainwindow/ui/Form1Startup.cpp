#include "mainwindow/ui/Form1.h"

#include "books/ui/CrashRecovery.h"
#include "books/ui/MonthFiles.h"
#include "dialogs/ui/Skalieren.h"
#include "editing/KeyCodes.h"
#include "editing/Storno.h"
#include "editing/ui/SheetEditor.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "storage/SettingsFile.h"
#include "storage/ui/QuickKeys.h"

#include <QComboBox>
#include <QDir>

void Form1::Form_Load()
{
    FlexGridStore &sheet = flex->store();
    const bool firstRun = !m_scaled;
    // The row height before any scaling; the print-out prints every row at
    // it. Read again after a print-out, it would be the scaled height, and
    // each print-out would come out with taller rows than the one before.
    if (firstRun)
        m_zellhohe = static_cast<short>(flex->cellHeight());
    move(0, 0);

    m_rates = modul::defaultRateTexts();
    readSettingsFile(firstRun);

    if (firstRun) {
        m_sfx = static_cast<float>(Screen::widthTwips() / Screen::DesignTwipsPerPixel / Screen::DesignScreen.width());
        m_sfy = static_cast<float>(Screen::heightTwips() / Screen::DesignTwipsPerPixel / Screen::DesignScreen.height());
        FormSkalieren(this, m_sfx, m_sfy);
    }
    m_scaled = true;

    // A re-run comes after a print-out; the selectors keep the month they
    // showed, so a following save cannot land in today's file.
    const QDate today = Clock::today();
    if (firstRun) {
        Combo1->setEditText(today.toString(QStringLiteral("MM")));
        Combo2->setEditText(today.toString(QStringLiteral("yyyy")));
    }
    createYearFolder();

    modul::layoutSheet(sheet, m_rates, m_sfx, m_sfy, firstRun);
    // Scaled once like the rest of the window: a re-run would enlarge the
    // heading rows and the grid's font again after every print-out.
    if (firstRun)
        sheet.setFontSize(sheet.fontSize() * m_sfy);
    // The scaled font is wider than the scaled columns at some sizes: each
    // date and amount must still show whole.
    modul::fitColumns(sheet, [this](const QString &text) { return flex->textTwips(text); });

    show();
    // Without a window manager a shown window is not made active by itself.
    activateWindow();
    {
        const SheetEditor::IdleCellHandlers idle(*m_editor);
        modul::formatHeadings(sheet, m_sfy);
        sheet.setRow(modul::FirstEntryRow);
        sheet.setCol(modul::ColEinnahmen1);
        flex->setFocus();
        Text1_KeyDown(KeyCode::Enter, 0);
    }
    m_editor->editorTakesCurrentCell();

    m_quickKeys->load(firstRun);
    // The running month opens as "Laden" would open it, once: a re-run after
    // a print-out keeps what is being typed. Work a crash interrupted is
    // then offered back over it.
    if (firstRun) {
        m_monthFiles->load(true);
        // The day goes on below the month's last entry.
        if (sheet.rows() > modul::nextEntryRow(sheet))
            sheet.setRowCol(modul::nextEntryRow(sheet), modul::ColEinnahmen1);
        if (m_recovery->offerRestore())
            m_monthFiles->sheetRestored();
    }
}

void Form1::readSettingsFile(bool tell)
{
    const ValueFileRead read = SettingsFile(m_programFolder).read({m_rates.begin(), m_rates.end()});
    for (size_t i = 0; i < m_rates.size(); ++i)
        m_rates[i] = read.values[static_cast<qsizetype>(i)];
    if (tell && !read.message.isEmpty())
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
