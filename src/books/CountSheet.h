#pragma once

#include "storage/CountRecord.h"
#include "storage/ShopData.h"

#include <QRectF>
#include <QString>

#include <vector>

// The count record's print-out ("Zählprotokoll"): one A4 page with the
// shop, the month, every denomination with its pieces and sum, the totals,
// the difference and lines for the date and the signature. The page is laid
// out here in millimetres from the paper's top left corner; the printing
// code only paints what it is given, on a printer, a preview or a PDF file.
namespace CountSheet {

inline constexpr double PageWidthMm = 210.0;
inline constexpr double PageHeightMm = 297.0;

struct Item
{
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    QRectF mm; // a line runs along the rectangle's top edge
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    double points = 0.0;
    bool bold = false;
    bool wrap = false; // the text may take several lines of its rectangle
};

// The page of count in month `monthLabel` ("2026-03"), for the shop given,
// with the month's "Prüfsumme" line at its foot.
std::vector<Item> page(const CashCount::Count &count, const ShopData &shop, const QString &monthLabel,
                       const QString &checksum = QString());

} // namespace CountSheet
