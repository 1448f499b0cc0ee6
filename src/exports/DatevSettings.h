#pragma once

#include "editing/SheetLayout.h"
#include "storage/TextValues.h"

#include <QStringList>

// What the DATEV export must know of the tax adviser's books: the adviser's
// and the client's numbers, the chart of accounts and the accounts the cash
// book posts to. Every value is settable, because advisers differ.
struct DatevSettings
{
    QString beraternummer;
    QString mandantennummer;
    QString kontenrahmen;     // "SKR03" or "SKR04"
    QString sachkontenlaenge; // digits of a general-ledger account, 4 to 8
    QString kasse;
    std::array<QString, modul::RateCount> erloeskonten; // one per income column
    QString aufwandskonto;
    QString buSchluessel; // the expenses' tax key; empty for none
    // Where a count's difference is booked: a shortage and a surplus.
    QString kassenfehlbetrag;
    QString kassenueberschuss;

    // SKR03 with four-digit accounts: cash 1000, revenue 8400, 8300 and
    // 8200, expenses 4980 with tax key 9 (19 % input tax), cash shortage
    // 2309 and surplus 2709; no numbers yet.
    static DatevSettings defaults();
    // These settings on chart ("SKR03", "SKR04") with its usual accounts in
    // the books' account length; the numbers and the tax key stay.
    DatevSettings withChart(const QString &chart) const;
    // The same accounts for cash, revenue, expenses and cash differences.
    bool sameAccounts(const DatevSettings &other) const;

    static constexpr qsizetype ValueCount = 12;
    // The values a file held before the cash-difference accounts.
    static constexpr qsizetype FirstLayoutCount = 10;
    QStringList values() const;
    // Values past the list's end keep their defaults; a list of the first
    // layout takes the cash-difference accounts of its chart.
    static DatevSettings fromValues(const QStringList &values);

    // One German line per value that cannot be used, e.g. "Kasse: eine
    // Kontonummer aus 4 Ziffern". The two numbers may still be empty.
    QStringList problems() const;
    // Why no export can be made with these settings; empty when it can.
    QString exportProblem() const;

    // Valid only when problems() is empty.
    int accountLength() const { return sachkontenlaenge.toInt(); }
    // An account number of the books' length: digits only, not all zero.
    bool isAccount(const QString &text) const;
    QString chartCode() const; // "03" or "04"

private:
    // The account of this chart, lengthened to the books' account length.
    QString usualAccount(const char *skr03, const char *skr04) const;
};

// datev.dat beside bl.dat, in the same value-file form. bl.dat keeps
// exactly its three rate texts, so that every reader of it still works.
class DatevSettingsFile : public ValueFile
{
public:
    explicit DatevSettingsFile(const QString &programFolder);
    // The file's values over the defaults; message as ValueFile::read gives
    // it, except for a file of the first layout, which lacks nothing.
    DatevSettings load(QString *message = nullptr) const;
    // An empty text on success, else the message to show; nothing is
    // written while a value cannot be used.
    QString save(const DatevSettings &settings) const;
};
