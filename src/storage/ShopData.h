#pragma once

#include "storage/TextValues.h"

#include <QStringList>

// The shop's own data ("Betrieb"): who keeps the cash book, for the count
// record's print-out and for whoever receives the books; and the income
// column that takes a counted surplus.
struct ShopData
{
    QString name;
    QString street;       // street and number
    QString place;        // postcode and town
    QString steuernummer; // the tax number, as the tax office writes it
    // The income column (1 to 3) a surplus is booked to; 0 for the column
    // whose rate is 0 %, or else the first.
    int surplusColumn = 0;

    static constexpr qsizetype ValueCount = 5;
    QStringList values() const;
    // Values past the list's end keep their defaults; a column that names
    // none of the three is 0.
    static ShopData fromValues(const QStringList &values);
};

// betrieb.dat beside datev.dat, in the same value-file form.
class ShopDataFile : public ValueFile
{
public:
    explicit ShopDataFile(const QString &programFolder);
    // The file's values over the defaults; message as ValueFile::read gives it.
    ShopData load(QString *message = nullptr) const;
    // An empty text on success, else the message to show.
    QString save(const ShopData &shop) const { return ValueFile::write(shop.values()); }
};
