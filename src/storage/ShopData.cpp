#include "storage/ShopData.h"

namespace {
constexpr int IncomeColumns = 3;
} // namespace

QStringList ShopData::values() const
{
    return {name, street, place, steuernummer, surplusColumn == 0 ? QString() : QString::number(surplusColumn)};
}

ShopData ShopData::fromValues(const QStringList &values)
{
    ShopData s;
    s.name = values.value(0).trimmed();
    s.street = values.value(1).trimmed();
    s.place = values.value(2).trimmed();
    s.steuernummer = values.value(3).trimmed();
    const int column = values.value(4).trimmed().toInt();
    s.surplusColumn = column >= 1 && column <= IncomeColumns ? column : 0;
    return s;
}

ShopDataFile::ShopDataFile(const QString &programFolder)
    : ValueFile(programFolder,
                {QStringLiteral("betrieb.dat"), QStringLiteral("Angaben zum Betrieb"),
                 QStringLiteral("Die fehlenden Angaben bleiben leer.")},
                ShopData::ValueCount)
{
}

ShopData ShopDataFile::load(QString *message) const
{
    const ValueFileRead read = ValueFile::read(ShopData().values());
    if (message != nullptr)
        *message = read.message;
    return ShopData::fromValues(read.values);
}
