#include "exports/ui/Jahresuebersicht.h"

#include "exports/YearOverview.h"
#include "platform/ui/Design.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/PdfFile.h"
#include "printing/ui/PrintGrid.h"
#include "printing/ui/Printers.h"

#include <QLabel>
#include <QPushButton>

#include <vector>

namespace {
const QString Face = QStringLiteral("MS Sans Serif");
constexpr double Points = 8.25;
constexpr int MonthColTwips = 1300;
constexpr int AmountColTwips = 1150;
constexpr int Margin = 180;
constexpr int GridTop = 600;
constexpr int ButtonHeight = 450;
constexpr int ButtonWidth = 2200;
constexpr int MaxClientTwips = 15000;
constexpr int ProblemsHeight = 600;
// The page: the title at 10 mm as every print-out has it, the table below it.
constexpr PageMargins Page{15.0F, 20.0F, 10.0F, 10.0F};
constexpr double TwipsPerMm = 1440.0 / 25.4;
} // namespace

Jahresuebersicht::Jahresuebersicht(const QString &programFolder, std::function<CurrentPrinter &()> printer)
    : QWidget(nullptr),
      m_programFolder(programFolder),
      m_printer(std::move(printer))
{
    setObjectName(QStringLiteral("Jahresuebersicht"));
    setWindowIcon(Icons::window());
    Design::setFont(this, Face, Points);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Design::setFont(Label1, Face, 12, true);
    Design::place(Label1, Margin, 120, 8000, 400);

    flex = new FlexGrid(this, YearOverview::HeadingRows + 1, 2, YearOverview::HeadingRows, 1);
    flex->setObjectName(QStringLiteral("flex"));
    Design::setFont(flex, Face, Points);
    flex->store().setBackColorFixed(gridRgb(192, 192, 192));
    flex->store().setBackColorBkg(gridRgb(156, 156, 156));
    flex->store().setGridColor(gridRgb(192, 192, 192));

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    Command1 = new QPushButton(QStringLiteral("Drucken"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Als PDF speichern …"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("Schließen"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

QString Jahresuebersicht::title() const
{
    return QStringLiteral("Jahresübersicht %1").arg(m_year);
}

void Jahresuebersicht::showYear(int year)
{
    m_year = year;
    const YearOverview::Overview overview = YearOverview::read(m_programFolder, year);
    const QList<QStringList> table = YearOverview::table(overview);
    FlexGridStore &g = flex->store();
    const int cols = static_cast<int>(table.front().size());
    g.setRows(static_cast<int>(table.size()));
    g.setCols(cols);
    int width = 0;
    for (int c = 0; c < cols; ++c) {
        g.setColWidth(c, c == 0 ? MonthColTwips : AmountColTwips);
        width += g.colWidth(c);
    }
    for (int r = 0; r < g.rows(); ++r) {
        for (int c = 0; c < cols; ++c)
            g.setTextMatrix(r, c, table[r][c]);
    }
    // The year's sums stand out like the headings.
    g.setRow(g.rows() - 1);
    for (int c = 0; c < cols; ++c) {
        g.setCol(c);
        g.setCellFontBold(true);
    }
    g.setRowCol(YearOverview::HeadingRows, 0);

    setWindowTitle(title());
    Label1->setText(title());
    const bool problems = !overview.problems.isEmpty();
    Label2->setText(overview.problems.join(u'\n'));
    Label2->setVisible(problems);

    // A scroll bar's room beside and below the table.
    const int gridWidth = std::min(width + 2 * Margin, MaxClientTwips - 2 * Margin);
    const int gridHeight = g.rows() * FlexGridStore::DefaultRowHeight + 2 * Margin;
    Design::place(flex, Margin, GridTop, gridWidth, gridHeight);
    int y = GridTop + gridHeight + Margin;
    if (problems) {
        Design::place(Label2, Margin, y, gridWidth, ProblemsHeight);
        y += ProblemsHeight + Margin;
    }
    const int clientWidth = gridWidth + 2 * Margin;
    int x = clientWidth - Margin;
    for (QPushButton *b : {Command3, Command2, Command1}) {
        x -= ButtonWidth;
        Design::place(b, x, y, ButtonWidth, ButtonHeight);
        x -= Margin;
    }
    Design::setClientSize(this, clientWidth, y + ButtonHeight + Margin);
}

bool Jahresuebersicht::printOn(QPrinter &printer)
{
    FlexGridStore &g = flex->store();
    std::vector<int> widths;
    long long total = 0;
    for (int c = 0; c < g.cols(); ++c) {
        widths.push_back(g.colWidth(c));
        total += g.colWidth(c);
    }
    // Narrower columns where the page is too small for the screen's widths.
    const QRectF page = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const double room = (page.width() - Page.left - Page.right) * TwipsPerMm;
    if (total > room) {
        for (int c = 0; c < g.cols(); ++c)
            g.setColWidth(c, static_cast<int>(widths[static_cast<size_t>(c)] * room / static_cast<double>(total)));
    }
    const bool printed = PrintGrid(*flex, printer, Page.left, Page.top, Page.right, Page.bottom, title(), QString(), 0);
    for (int c = 0; c < g.cols(); ++c)
        g.setColWidth(c, widths[static_cast<size_t>(c)]);
    return printed;
}

void Jahresuebersicht::Command1_Click()
{
    CurrentPrinter &printer = m_printer();
    if (const QString problem = printer.problem(); !problem.isEmpty()) {
        MessageBox::info(this, problem);
        return;
    }
    QPrinter &p = printer.printer();
    const QPageLayout before = p.pageLayout();
    p.setPageOrientation(QPageLayout::Landscape);
    const bool printed = printOn(p);
    p.setPageLayout(before);
    if (!printed)
        MessageBox::info(
            this, QStringLiteral("Die Jahresübersicht konnte nicht auf \"%1\" gedruckt werden.").arg(printer.target()));
}

void Jahresuebersicht::Command2_Click()
{
    const QString proposed = QStringLiteral("%1/%2/Jahresübersicht %2.pdf").arg(m_programFolder).arg(m_year);
    const QString path = FileDialog::saveFileName(this, QStringLiteral("Als PDF speichern"), proposed,
                                                  QStringLiteral("PDF-Dateien (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const QString error = PdfFile::write(path, QPageLayout::Landscape, [this](QPrinter &p) { return printOn(p); });
        !error.isEmpty())
        MessageBox::info(this, error);
}

void Jahresuebersicht::Command3_Click()
{
    hide();
}
