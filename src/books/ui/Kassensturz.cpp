#include "books/ui/Kassensturz.h"

#include "books/ChangeLog.h"
#include "books/Checksum.h"
#include "books/ui/CountPage.h"
#include "editing/GermanNumbers.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MessageBox.h"
#include "printing/ui/PdfFile.h"
#include "printing/ui/Printers.h"
#include "storage/MonthPath.h"
#include "storage/ShopData.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Kassensturz");
constexpr int PiecesWidth = 90;
constexpr int PiecesMaxLength = 9;
constexpr QSize StartSize(960, 600);
constexpr int AreaSpacing = 24;
constexpr int RowSpacing = 2;
const QColor Red(0xC0, 0x00, 0x00);
enum ListColumn { Number, Time, Counted, Book, Difference, CountedBy, ListColumnCount };

// Wide enough for the longest difference, so that the column keeps its width whatever it shows.
QLabel *amountLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("-9.999.999,99 (Überschuss)")));
    return label;
}

QLabel *bold(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void setTextColor(QWidget *widget, const std::optional<QColor> &color)
{
    QPalette palette = widget->palette();
    const QPalette standard = widget->parentWidget() != nullptr ? widget->parentWidget()->palette() : QPalette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, color.value_or(standard.color(role)));
    widget->setPalette(palette);
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString signedDifference(qint64 cents)
{
    const QString amount = German::formatCents(cents);
    if (cents < 0)
        return amount + QStringLiteral(" (Fehlbetrag)");
    if (cents > 0)
        return amount + QStringLiteral(" (Überschuss)");
    return amount;
}
} // namespace

Kassensturz::Kassensturz(CashCounts &counts, std::function<CurrentPrinter &()> printer)
    : QWidget(nullptr),
      m_counts(counts),
      m_printer(std::move(printer))
{
    setObjectName(QStringLiteral("Kassensturz"));
    setWindowIcon(Icons::window());
    resize(StartSize);

    state = new QLabel(this);
    state->setObjectName(QStringLiteral("state"));
    state->setWordWrap(true);

    saveButton = new QPushButton(QStringLiteral("Speichern"), this);
    // Return on the focused button stores, as the keyboard leads there.
    saveButton->setAutoDefault(true);
    newButton = new QPushButton(QStringLiteral("Neue Zählung"), this);
    printButton = new QPushButton(QStringLiteral("Drucken"), this);
    previewButton = new QPushButton(QStringLiteral("Druckvorschau …"), this);
    pdfButton = new QPushButton(QStringLiteral("Als PDF speichern …"), this);
    closeButton = new QPushButton(QStringLiteral("Schließen"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {saveButton, newButton}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    for (QPushButton *b : {printButton, previewButton, pdfButton, closeButton})
        buttons->addWidget(b);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    newButton->setObjectName(QStringLiteral("newButton"));
    printButton->setObjectName(QStringLiteral("printButton"));
    previewButton->setObjectName(QStringLiteral("previewButton"));
    pdfButton->setObjectName(QStringLiteral("pdfButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));

    auto *areas = new QHBoxLayout;
    areas->setSpacing(AreaSpacing);
    areas->addWidget(buildCountArea());
    areas->addWidget(buildListArea(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(state);
    layout->addLayout(areas, 1);
    layout->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(newButton, &QPushButton::clicked, this, [this] { newCount(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(previewButton, &QPushButton::clicked, this, [this] { preview(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(storedCounts, &QTableWidget::cellClicked, this, [this](int row) { openStored(row); });
    connect(storedCounts, &QTableWidget::cellActivated, this, [this](int row) { openStored(row); });
}

QWidget *Kassensturz::buildCountArea()
{
    auto *area = new QWidget(this);
    // The list beside it takes what room is left, so the sums never move.
    area->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(RowSpacing);
    grid->addWidget(bold(QStringLiteral("Münzen und Scheine"), area), 0, 0);
    grid->addWidget(bold(QStringLiteral("Anzahl"), area), 0, 1, Qt::AlignRight);
    grid->addWidget(bold(QStringLiteral("Betrag in €"), area), 0, 2, Qt::AlignRight);
    int row = 1;
    for (int i = 0; i < CashCount::DenominationCount; ++i, ++row) {
        grid->addWidget(new QLabel(CashCount::denominationLabel(i), area), row, 0);
        QLineEdit *field = pieces[static_cast<size_t>(i)] = new QLineEdit(area);
        field->setObjectName(QStringLiteral("pieces_%1").arg(i));
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(PiecesWidth);
        field->setMaxLength(PiecesMaxLength);
        grid->addWidget(field, row, 1);
        rowSums[static_cast<size_t>(i)] = amountLabel(area, QStringLiteral("rowSum_%1").arg(i));
        grid->addWidget(rowSums[static_cast<size_t>(i)], row, 2);
        connect(field, &QLineEdit::textChanged, this, [this] { updateSums(); });
        connect(field, &QLineEdit::returnPressed, this, [this, i] { moveOn(i); });
    }
    auto *rule = new QFrame(area);
    rule->setFrameShape(QFrame::HLine);
    grid->addWidget(rule, row++, 0, 1, 3);
    countedTotal = amountLabel(area, QStringLiteral("countedTotal"));
    bookBalance = amountLabel(area, QStringLiteral("bookBalance"));
    difference = amountLabel(area, QStringLiteral("difference"));
    grid->addWidget(bold(QStringLiteral("Gezählter Bestand"), area), row, 0, 1, 2);
    grid->addWidget(countedTotal, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Buchbestand laut Kassenbuch"), area), row, 0, 1, 2);
    grid->addWidget(bookBalance, row++, 2);
    grid->addWidget(bold(QStringLiteral("Differenz"), area), row, 0, 1, 2);
    grid->addWidget(difference, row++, 2);
    QFont totalFont = countedTotal->font();
    totalFont.setBold(true);
    countedTotal->setFont(totalFont);
    difference->setFont(totalFont);

    countedBy = new QLineEdit(area);
    countedBy->setObjectName(QStringLiteral("countedBy"));
    note = new QLineEdit(area);
    note->setObjectName(QStringLiteral("note"));
    grid->addWidget(new QLabel(QStringLiteral("Gezählt von"), area), row, 0);
    grid->addWidget(countedBy, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Bemerkung"), area), row, 0);
    grid->addWidget(note, row++, 1, 1, 2);
    grid->setRowStretch(row, 1);
    connect(countedBy, &QLineEdit::returnPressed, this, [this] { moveOn(CashCount::DenominationCount); });
    connect(note, &QLineEdit::returnPressed, this, [this] { moveOn(CashCount::DenominationCount + 1); });
    return area;
}

QWidget *Kassensturz::buildListArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bold(QStringLiteral("Gespeicherte Zählungen dieses Monats"), area));
    storedCounts = new QTableWidget(0, ListColumnCount, area);
    storedCounts->setObjectName(QStringLiteral("storedCounts"));
    storedCounts->setHorizontalHeaderLabels({QStringLiteral("Nr"), QStringLiteral("Zeit"), QStringLiteral("Gezählt"),
                                             QStringLiteral("Buchbestand"), QStringLiteral("Differenz"),
                                             QStringLiteral("Gezählt von")});
    storedCounts->verticalHeader()->hide();
    storedCounts->setSelectionBehavior(QAbstractItemView::SelectRows);
    storedCounts->setSelectionMode(QAbstractItemView::SingleSelection);
    storedCounts->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(storedCounts);
    return area;
}

void Kassensturz::showMonth()
{
    newCount();
    if (!m_shown.problem.isEmpty())
        MessageBox::info(this, m_shown.problem, Title);
}

void Kassensturz::newCount()
{
    m_shown = m_counts.shown();
    setWindowTitle(QStringLiteral("%1 %2").arg(Title, m_shown.label));
    m_opened.reset();
    fillList();
    setReadOnly(false);
    for (QLineEdit *field : pieces)
        field->clear();
    countedBy->clear();
    note->clear();
    updateSums();
    state->setText(QStringLiteral("Neue Zählung. Verglichen wird mit dem Bestand nach der letzten Buchung des "
                                  "angezeigten Kassenbuchs (%1); gespeichert wird sie im laufenden Monat.")
                       .arg(m_shown.label));
    pieces[0]->setFocus();
}

void Kassensturz::openStored(int listRow)
{
    const auto index = static_cast<qsizetype>(m_shown.counts.size()) - 1 - listRow;
    if (listRow < 0 || index < 0)
        return;
    const CashCount::Count &c = m_shown.counts[static_cast<size_t>(index)];
    m_opened = c;
    setReadOnly(true);
    for (int i = 0; i < CashCount::DenominationCount; ++i) {
        const int count = c.pieces[static_cast<size_t>(i)];
        pieces[static_cast<size_t>(i)]->setText(QString::number(count));
        rowSums[static_cast<size_t>(i)]->setText(German::formatCents(CashCount::rowSum(i, count)));
    }
    countedBy->setText(c.countedBy);
    note->setText(c.note);
    showTotals(c.counted, c.bookBalance);
    state->setText(QStringLiteral("Gespeicherte Zählung Nr. %1 vom %2 – nur zum Lesen und Drucken.")
                       .arg(c.number)
                       .arg(ChangeLog::displayTime(c.time)));
    storedCounts->selectRow(listRow);
}

void Kassensturz::setReadOnly(bool readOnly)
{
    // A stored count's fields take the window's colour, so that nobody tries to type into them.
    const QColor base = palette().color(readOnly ? QPalette::Window : QPalette::Base);
    std::vector<QLineEdit *> fields(pieces.begin(), pieces.end());
    fields.insert(fields.end(), {countedBy, note});
    for (QLineEdit *field : fields) {
        field->setReadOnly(readOnly);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, base);
        field->setPalette(colours);
    }
    saveButton->setEnabled(!readOnly);
    for (QPushButton *b : {printButton, previewButton, pdfButton})
        b->setEnabled(readOnly);
    if (!readOnly)
        storedCounts->clearSelection();
}

void Kassensturz::fillList()
{
    const CashCount::Counts &counts = m_shown.counts;
    storedCounts->setRowCount(static_cast<int>(counts.size()));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    int row = 0;
    for (auto it = counts.rbegin(); it != counts.rend(); ++it, ++row) {
        storedCounts->setItem(row, Number, cell(QString::number(it->number), right));
        storedCounts->setItem(row, Time, cell(ChangeLog::displayTime(it->time)));
        storedCounts->setItem(row, Counted, cell(German::formatCents(it->counted), right));
        storedCounts->setItem(row, Book, cell(German::formatCents(it->bookBalance), right));
        storedCounts->setItem(row, Difference, cell(German::formatCents(it->difference), right));
        storedCounts->setItem(row, CountedBy, cell(it->countedBy));
        if (it->difference != 0)
            storedCounts->item(row, Difference)->setForeground(Red);
    }
    storedCounts->resizeColumnsToContents();
}

void Kassensturz::moveOn(int field)
{
    if (field < CashCount::DenominationCount) {
        QLineEdit *edit = pieces[static_cast<size_t>(field)];
        QString problem;
        if (!edit->isReadOnly() && !CashCount::parsePieces(edit->text(), &problem)) {
            MessageBox::info(this, problem, Title);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    if (field + 1 < CashCount::DenominationCount)
        pieces[static_cast<size_t>(field + 1)]->setFocus();
    else if (field + 1 == CashCount::DenominationCount)
        countedBy->setFocus();
    else if (field == CashCount::DenominationCount)
        note->setFocus();
    else
        saveButton->setFocus();
}

std::optional<CashCount::Tally> Kassensturz::typedTally()
{
    CashCount::Tally tally{};
    for (int i = 0; i < CashCount::DenominationCount; ++i) {
        QLineEdit *field = pieces[static_cast<size_t>(i)];
        QString problem;
        const std::optional<int> count = CashCount::parsePieces(field->text(), &problem);
        if (!count) {
            MessageBox::info(this, problem, Title);
            field->setFocus();
            field->selectAll();
            return std::nullopt;
        }
        tally[static_cast<size_t>(i)] = *count;
    }
    return tally;
}

void Kassensturz::updateSums()
{
    if (m_opened)
        return;
    qint64 counted = 0;
    bool complete = true;
    for (int i = 0; i < CashCount::DenominationCount; ++i) {
        QLineEdit *field = pieces[static_cast<size_t>(i)];
        const std::optional<int> count = CashCount::parsePieces(field->text());
        setTextColor(field, count ? std::nullopt : std::optional<QColor>(Red));
        rowSums[static_cast<size_t>(i)]->setText(count ? German::formatCents(CashCount::rowSum(i, *count)) : QString());
        complete = complete && count.has_value();
        counted += count ? CashCount::rowSum(i, *count) : 0;
    }
    showTotals(counted, m_shown.balance);
    if (!complete) {
        countedTotal->setText(QStringLiteral("?"));
        difference->setText(QStringLiteral("?"));
    }
}

void Kassensturz::showTotals(qint64 counted, qint64 book)
{
    countedTotal->setText(German::formatCents(counted));
    bookBalance->setText(German::formatCents(book));
    difference->setText(signedDifference(counted - book));
    setTextColor(difference, counted != book ? std::optional<QColor>(Red) : std::nullopt);
}

void Kassensturz::save()
{
    if (m_opened)
        return;
    const std::optional<CashCount::Tally> tally = typedTally();
    if (!tally)
        return;
    // The sheet may have changed since the window showed its balance: the
    // count keeps its pieces and is compared anew before it is stored.
    if (const CashCounts::Shown now = m_counts.shown(); now.label != m_shown.label || now.balance != m_shown.balance) {
        m_shown = now;
        setWindowTitle(QStringLiteral("%1 %2").arg(Title, m_shown.label));
        fillList();
        updateSums();
        MessageBox::info(this,
                         QStringLiteral("Das Kassenbuch zeigt inzwischen den Monat %1 mit dem Bestand %2. Die "
                                        "Differenz ist neu berechnet; bitte prüfen und erneut speichern.")
                             .arg(m_shown.label, German::formatCents(m_shown.balance)),
                         Title);
        return;
    }
    const CashCountStore::Result result = m_counts.store(
        CashCount::taken(*tally, m_shown.balance, countedBy->text().trimmed(), note->text().trimmed(), QString()));
    if (!result.ok()) {
        MessageBox::info(this, result.message, Title);
        return;
    }
    m_shown.counts.push_back(result.count);
    fillList();
    openStored(0);
    if (result.count.difference != 0)
        m_counts.offerBooking(this, result.count);
}

std::vector<CountSheet::Item> Kassensturz::page() const
{
    return CountSheet::page(*m_opened, ShopDataFile(m_counts.programFolder()).load(), m_shown.label,
                            Checksum::printLine(m_shown.path));
}

void Kassensturz::print()
{
    if (!m_opened)
        return;
    CurrentPrinter &printer = m_printer();
    if (const QString problem = printer.problem(); !problem.isEmpty()) {
        MessageBox::info(this, problem, Title);
        return;
    }
    // The page is laid out on A4 upright, whatever the printer was last set to.
    QPrinter &p = printer.printer();
    const QPageLayout before = p.pageLayout();
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(QPageLayout::Portrait);
    const bool printed = CountPage::print(p, page());
    p.setPageLayout(before);
    if (!printed)
        MessageBox::info(
            this, QStringLiteral("Das Zählprotokoll konnte nicht auf \"%1\" gedruckt werden.").arg(printer.target()),
            Title);
}

void Kassensturz::preview()
{
    if (!m_opened)
        return;
    const std::vector<CountSheet::Item> items = page();
    PdfFile::preview(this, QPageLayout::Portrait, [items](QPrinter &printer) { CountPage::print(printer, items); });
}

void Kassensturz::savePdf()
{
    if (!m_opened)
        return;
    const QStringList yearMonth = m_shown.label.split(u'-');
    const MonthPath proposed = monthFilePath(m_counts.programFolder(), yearMonth.value(0), yearMonth.value(1),
                                             QStringLiteral(" Zählprotokoll Nr. %1.pdf").arg(m_opened->number));
    const QString path = FileDialog::saveFileName(this, QStringLiteral("Als PDF speichern"), proposed.path,
                                                  QStringLiteral("PDF-Dateien (*.pdf)"));
    if (path.isEmpty())
        return;
    const std::vector<CountSheet::Item> items = page();
    if (const QString error = PdfFile::write(path, QPageLayout::Portrait,
                                             [&items](QPrinter &printer) { return CountPage::print(printer, items); });
        !error.isEmpty())
        MessageBox::info(this, error, Title);
}
