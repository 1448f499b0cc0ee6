#include "books/ui/Aenderungsprotokoll.h"

#include "books/MonthAudit.h"
#include "editing/GermanNumbers.h"
#include "platform/ui/CloseRow.h"
#include "platform/ui/Icons.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { Number, Time, Row, Field, Old, New, ColumnCount };
constexpr QSize StartSize(760, 480);

QTableWidgetItem *item(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *it = new QTableWidgetItem(text);
    it->setTextAlignment(alignment);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return it;
}
} // namespace

Aenderungsprotokoll::Aenderungsprotokoll() : QWidget(nullptr)
{
    setObjectName(QStringLiteral("Aenderungsprotokoll"));
    setWindowIcon(Icons::window());
    resize(StartSize);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    Table1 = new QTableWidget(0, ColumnCount, this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->setHorizontalHeaderLabels({QStringLiteral("Nr"), QStringLiteral("Zeit"), QStringLiteral("Zeile"),
                                       QStringLiteral("Spalte"), QStringLiteral("Alt"), QStringLiteral("Neu")});
    Table1->verticalHeader()->hide();
    // One line of text a row, so that a long log shows many entries at once.
    constexpr int RowPadding = 6;
    Table1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + RowPadding);
    Table1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table1->horizontalHeader()->setStretchLastSection(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Table1);
    Command1 = addCloseRow(this, layout);
}

void Aenderungsprotokoll::showLog(const QString &month, const ChangeLog::Entries &entries,
                                  const CashCount::Counts &counts, const QString &status,
                                  const modul::RateTexts &rates)
{
    setWindowTitle(QStringLiteral("Änderungsprotokoll %1").arg(month));
    Label1->setText(status);
    Table1->setRowCount(static_cast<int>(entries.size() + counts.size()));
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    auto entry = entries.rbegin();
    auto count = counts.rbegin();
    for (int row = 0; entry != entries.rend() || count != counts.rend(); ++row) {
        if (count != counts.rend() && (entry == entries.rend() || count->number > entry->number)) {
            Table1->setItem(row, Number, item(QString::number(count->number), number));
            Table1->setItem(row, Time, item(ChangeLog::displayTime(count->time)));
            Table1->setItem(row, Row, item(QString()));
            Table1->setItem(row, Field, item(QStringLiteral("Kassenzählung")));
            Table1->setItem(row, Old,
                            item(QStringLiteral("Buchbestand %1").arg(German::formatCents(count->bookBalance))));
            Table1->setItem(row, New,
                            item(QStringLiteral("gezählt %1, Differenz %2, von %3")
                                     .arg(German::formatCents(count->counted), German::formatCents(count->difference),
                                          count->countedBy)));
            ++count;
            continue;
        }
        Table1->setItem(row, Number, item(QString::number(entry->number), number));
        Table1->setItem(row, Time, item(ChangeLog::displayTime(entry->time)));
        Table1->setItem(row, Row, item(QString::number(entry->row), number));
        Table1->setItem(row, Field, item(MonthAudit::headingName(entry->column, rates)));
        Table1->setItem(row, Old, item(MonthAudit::shownCell(ChangeLog::textOf(entry->oldText))));
        Table1->setItem(row, New, item(MonthAudit::shownCell(ChangeLog::textOf(entry->newText))));
        ++entry;
    }
    Table1->resizeColumnsToContents();
}
