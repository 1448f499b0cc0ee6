#include "exports/ui/Jahresuebersicht.h"

#include "books/Checksum.h"
#include "exports/VatReturn.h"
#include "exports/YearOverview.h"
#include "platform/ui/Design.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/PdfFile.h"
#include "printing/ui/PrintGrid.h"
#include "printing/ui/Printers.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
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
constexpr int ProblemsHeight = 750;
constexpr int HeadingHeight = 300;
constexpr int NotesWidth = 5000;
// The VAT page: its notes below the title, the table below them.
constexpr double NotesTopMm = 16.0;
constexpr double NoteLineMm = 4.5;
constexpr double NotePoints = 8.0;
// The page: the title at 10 mm as every print-out has it, the table below it.
constexpr PageMargins Page{15.0F, 20.0F, 10.0F, 10.0F};
constexpr double TwipsPerMm = 1440.0 / 25.4;

FlexGrid *tableGrid(QWidget *parent, const QString &name, int headingRows)
{
    auto *grid = new FlexGrid(parent, headingRows + 1, 2, headingRows, 1);
    grid->setObjectName(name);
    Design::setFont(grid, Face, Points);
    grid->store().setBackColorFixed(gridRgb(192, 192, 192));
    grid->store().setBackColorBkg(gridRgb(156, 156, 156));
    grid->store().setGridColor(gridRgb(192, 192, 192));
    return grid;
}

// Puts the table into the grid, the rows that sum in bold; returns the table's width.
int fill(FlexGridStore &g, const QList<QStringList> &table, int headingRows, const std::vector<int> &boldRows)
{
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
    for (const int r : boldRows) {
        g.setRow(r);
        for (int c = 0; c < cols; ++c) {
            g.setCol(c);
            g.setCellFontBold(true);
        }
    }
    g.setRowCol(headingRows, 0);
    return width;
}

// Narrower columns where the page is too small for the screen's widths; the
// widths to put back afterwards.
std::vector<int> fitToPage(FlexGridStore &g, const QPrinter &printer)
{
    std::vector<int> widths;
    long long total = 0;
    for (int c = 0; c < g.cols(); ++c) {
        widths.push_back(g.colWidth(c));
        total += g.colWidth(c);
    }
    const QRectF page = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const double room = (page.width() - Page.left - Page.right) * TwipsPerMm;
    if (total > room) {
        for (int c = 0; c < g.cols(); ++c)
            g.setColWidth(c, static_cast<int>(widths[static_cast<size_t>(c)] * room / static_cast<double>(total)));
    }
    return widths;
}

void restoreWidths(FlexGridStore &g, const std::vector<int> &widths)
{
    for (int c = 0; c < g.cols(); ++c)
        g.setColWidth(c, widths[static_cast<size_t>(c)]);
}
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

    flex = tableGrid(this, QStringLiteral("flex"), YearOverview::HeadingRows);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Design::setFont(Label3, Face, 10, true);
    flexUst = tableGrid(this, QStringLiteral("flexUst"), VatReturn::HeadingRows);
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

// The print-out's title carries the year's Prüfsumme, so that the paper pins the files.
QString Jahresuebersicht::printTitle() const
{
    const QString checksum = Checksum::yearLine(m_programFolder, m_year);
    return checksum.isEmpty() ? title() : title() + QStringLiteral("      ") + checksum;
}

QString Jahresuebersicht::vatTitle() const
{
    return QStringLiteral("Umsatzsteuer-Voranmeldung %1").arg(m_year);
}

void Jahresuebersicht::showYear(int year)
{
    m_year = year;
    const YearOverview::Overview overview = YearOverview::read(m_programFolder, year);
    const QList<QStringList> table = YearOverview::table(overview);
    const int width = fill(flex->store(), table, YearOverview::HeadingRows, {static_cast<int>(table.size()) - 1});
    const VatReturn::Return vat = VatReturn::compute(overview);
    std::vector<int> quarters;
    for (size_t i = 0; i < vat.periods.size(); ++i) {
        if (vat.periods[i].quarter)
            quarters.push_back(VatReturn::HeadingRows + static_cast<int>(i));
    }
    const int vatWidth = fill(flexUst->store(), VatReturn::table(vat), VatReturn::HeadingRows, quarters);

    setWindowTitle(title());
    Label1->setText(title());
    const bool problems = !overview.problems.isEmpty();
    // One line each: a file's error report runs over several.
    QStringList problemLines;
    for (const QString &problem : overview.problems)
        problemLines << problem.simplified();
    Label2->setText(problemLines.join(u'\n'));
    Label2->setVisible(problems);
    Label3->setText(vatTitle());
    Label4->setText(vat.notes.join(u'\n'));

    // A scroll bar's room beside and below the overview; the VAT table is
    // narrow enough to need none across, and its notes stand beside it.
    const int vatGridWidth = vatWidth + Margin;
    const int gridWidth =
        std::min(std::max(width + 2 * Margin, vatGridWidth + Margin + NotesWidth), MaxClientTwips - 2 * Margin);
    const int gridHeight = flex->store().rows() * FlexGridStore::DefaultRowHeight + 2 * Margin;
    Design::place(flex, Margin, GridTop, gridWidth, gridHeight);
    int y = GridTop + gridHeight + Margin;
    Design::place(Label3, Margin, y, gridWidth, HeadingHeight);
    y += HeadingHeight;
    const int vatHeight = flexUst->store().rows() * FlexGridStore::DefaultRowHeight + Margin;
    Design::place(flexUst, Margin, y, vatGridWidth, vatHeight);
    Design::place(Label4, 2 * Margin + vatGridWidth, y, gridWidth - vatGridWidth - Margin, vatHeight);
    y += vatHeight + Margin;
    // The months that could not be read, left of the buttons.
    const int clientWidth = gridWidth + 2 * Margin;
    int x = clientWidth - Margin;
    for (QPushButton *b : {Command3, Command2, Command1}) {
        x -= ButtonWidth;
        Design::place(b, x, y, ButtonWidth, ButtonHeight);
        x -= Margin;
    }
    const int bottomHeight = problems ? ProblemsHeight : ButtonHeight;
    Design::place(Label2, Margin, y, x - Margin, bottomHeight);
    Design::setClientSize(this, clientWidth, y + bottomHeight + Margin);
}

bool Jahresuebersicht::printOn(QPrinter &printer)
{
    FlexGridStore &g = flex->store();
    FlexGridStore &vat = flexUst->store();
    const std::vector<int> widths = fitToPage(g, printer);
    const std::vector<int> vatWidths = fitToPage(vat, printer);
    bool printed = false;
    QPainter painter;
    if (painter.begin(&printer)) {
        printed = PrintGridOnPage(*flex, painter, printer, Page, printTitle()) && printer.newPage();
        // The VAT page: its notes between the title and the table.
        const QStringList notes = Label4->text().split(u'\n');
        if (printed) {
            painter.setFont(QFont(Fonts::font(QStringLiteral("Arial"), NotePoints), &printer));
            const double dpmm = printer.logicalDpiY() / 25.4;
            for (qsizetype i = 0; i < notes.size(); ++i)
                painter.drawText(QPointF(Page.left * printer.logicalDpiX() / 25.4,
                                         (NotesTopMm + NoteLineMm * static_cast<double>(i + 1)) * dpmm),
                                 notes[i]);
        }
        PageMargins below = Page;
        below.top = static_cast<float>(NotesTopMm + NoteLineMm * static_cast<double>(notes.size() + 1));
        printed = printed && PrintGridOnPage(*flexUst, painter, printer, below, vatTitle());
        printed = painter.end() && printed;
    }
    restoreWidths(g, widths);
    restoreWidths(vat, vatWidths);
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
