#pragma once

#include "books/CountSheet.h"
#include "books/ui/CashCounts.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class CurrentPrinter;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The count window ("Kassensturz"): one row per coin and note with the
// pieces counted and their sum, the counted total against the balance of
// the sheet shown, the difference in red when there is one, who counted and
// a note. Return moves on from field to field as in the sheet. "Speichern"
// keeps the count for good; the month's stored counts are listed newest
// first, and each opens read-only to be printed again.
class Kassensturz : public QWidget
{
    Q_OBJECT
public:
    // printer gives the program's current printer, the one the printer window chooses.
    Kassensturz(CashCounts &counts, std::function<CurrentPrinter &()> printer);

    // The month the sheet shows, with a new, empty count.
    void showMonth();

    std::array<QLineEdit *, CashCount::DenominationCount> pieces{};
    std::array<QLabel *, CashCount::DenominationCount> rowSums{};
    QLabel *countedTotal = nullptr;
    QLabel *bookBalance = nullptr;
    QLabel *difference = nullptr;
    QLineEdit *countedBy = nullptr;
    QLineEdit *note = nullptr;
    QLabel *state = nullptr; // what the window shows: a new count or a stored one
    QTableWidget *storedCounts = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *newButton = nullptr;
    QPushButton *printButton = nullptr;
    QPushButton *previewButton = nullptr;
    QPushButton *pdfButton = nullptr;
    QPushButton *closeButton = nullptr;

    // "Speichern", "Neue Zählung", and the stored count of the list's row
    // opened read-only.
    void save();
    void newCount();
    void openStored(int listRow);
    // The count shown read-only: on the current printer, in the preview, as a PDF file.
    void print();
    void preview();
    void savePdf();

private:
    QWidget *buildCountArea();
    QWidget *buildListArea();
    void moveOn(int field);
    // The pieces typed, or nothing after the message naming the first field refused.
    std::optional<CashCount::Tally> typedTally();
    void updateSums();
    void showTotals(qint64 counted, qint64 book);
    void fillList();
    void setReadOnly(bool readOnly);
    std::vector<CountSheet::Item> page() const;

    CashCounts &m_counts;
    std::function<CurrentPrinter &()> m_printer;
    CashCounts::Shown m_shown;
    std::optional<CashCount::Count> m_opened; // the stored count shown
};
