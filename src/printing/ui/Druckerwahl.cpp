#include "printing/ui/Druckerwahl.h"

#include "dialogs/ui/Design.h"
#include "dialogs/ui/Icons.h"
#include "editing/ui/EditorBox.h"
#include "editing/KeyCodes.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "printing/PrintLayout.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

namespace {
// Margins of the two jobs in millimetres from the printable area's edges.
struct Placement
{
    float left;
    float top;
    float right;
    float bottom;
};
constexpr Placement SheetPage{20.0F, 10.0F, 0.0F, 10.0F};
constexpr Placement TotalsPage{60.0F, 30.0F, 5.0F, 10.0F};
} // namespace

Druckerwahl::Druckerwahl(Form1 *main) : QWidget(nullptr), m_main(main)
{
    setObjectName(QStringLiteral("Druckerwahl"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(Icons::window());
    Design::setClientSize(this, 6375, 2730);

    Label6 = new QLabel(QStringLiteral("Wählen Sie einen Drucker für den Ausdruck. "), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setWordWrap(true);
    Design::setFont(Label6, QStringLiteral("Arial"), 14.25, true);
    Design::place(Label6, 300, 135, 5715, 690);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Design::setFont(Combo1, QStringLiteral("MS Sans Serif"), 18);
    Design::place(Combo1, 300, 855, 5790, 555);

    Command1 = new QPushButton(QStringLiteral("Drucken"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Design::setFont(Command1, QStringLiteral("MS Sans Serif"), 13.5);
    Design::setBackColor(Command1, 192, 192, 192);
    Design::place(Command1, 300, 1560, 3315, 825);

    Command2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Design::setFont(Command2, QStringLiteral("MS Sans Serif"), 13.5);
    Design::setBackColor(Command2, 192, 192, 192);
    Design::place(Command2, 3975, 1575, 2115, 825);

    setTabOrder(Command2, Command1);
    setTabOrder(Command1, Combo1);

    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Druckerwahl::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QWidget::showEvent(event);
}

void Druckerwahl::Form_Load()
{
    drucker_lesen();
    Combo1->setEditText(Standarddruckername());
}

void Druckerwahl::drucker_lesen()
{
    GetPrinters(Combo1);
}

bool Druckerwahl::drucker_setzen(const QString &name)
{
    return m_printer.drucker_setzen(name);
}

void Druckerwahl::Command2_Click()
{
    hide();
}

void Druckerwahl::Command1_Click()
{
    Form1 &main = *m_main;
    FlexGridStore &sheet = main.flex->store();

    // An entry being typed in the first column has no cell to the left to
    // move to, so the Left key would not commit it; it is printed and kept.
    main.commitPendingEdit();
    main.Text1_KeyDown(KeyCode::Left, 0);
    main.hide();
    main.su = 1;
    const PrintLayout::SheetFormats screenLayout(sheet);

    PrintLayout::setColumns(sheet, main.satz1, main.satz2, main.satz3);
    PrintLayout::setEveryCellFontSize(sheet, PrintLayout::CellPoints);
    const QString normaldrucker = m_printer.deviceName();
    drucker_setzen(Combo1->currentText());
    sheet.setAllRowHeights(main.zellhohe);
    main.flex->refresh();
    sheet.setRowCol(0, 3);
    main.Text1->hide();

    printSheetAndTotals();

    drucker_setzen(normaldrucker);
    hide();
    screenLayout.restore(sheet);
    main.show();
    sheet.setRowCol(0, 3);
    main.su = 0;
    main.Form_Load();
}

void Druckerwahl::printSheetAndTotals()
{
    Form1 &main = *m_main;
    const QString problem = printerProblem();
    if (!problem.isEmpty()) {
        MessageBox::info(this, problem);
        return;
    }
    const auto print = [&main](FlexGrid &grid, const Placement &p) {
        return main.PrintGrid(grid, p.left, p.top, p.right, p.bottom, QString(), QString(), 0);
    };
    if (!print(*main.flex, SheetPage)) {
        MessageBox::info(this, QStringLiteral("Das Kassenbuch konnte nicht auf \"%1\" gedruckt werden. "
                                              "Es wurde nichts gedruckt.")
                                   .arg(m_printer.target()));
        return;
    }
    if (!print(*main.flex2, TotalsPage)) {
        MessageBox::info(this, QStringLiteral("Die Monatssummen konnten nicht auf \"%1\" gedruckt werden. "
                                              "Das Kassenbuch selbst wurde gedruckt.")
                                   .arg(m_printer.target()));
    }
}

QString Druckerwahl::printerProblem() const
{
    if (m_printer.canPrint())
        return QString();
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("Es ist kein Drucker eingerichtet, daher kann Barlog nicht drucken.\n\n"
                              "Bitte richten Sie zuerst einen Drucker im System ein.");
    return QStringLiteral("Es ist kein Drucker ausgewählt, daher wurde nichts gedruckt.\n\n"
                          "Bitte wählen Sie im Druckfenster einen Drucker aus der Liste.");
}
