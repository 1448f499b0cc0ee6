#include "books/CountSheet.h"

#include "books/CashCount.h"
#include "books/ChangeLog.h"
#include "editing/GermanNumbers.h"

namespace CountSheet {
namespace {
constexpr double Left = 20.0;
constexpr double Width = 170.0;
constexpr double Right = Left + Width;
constexpr double Top = 20.0;
constexpr double TitleHeight = 10.0;
constexpr double LineHeight = 5.5;
constexpr double RowHeight = 6.5;
constexpr double HeadBlockTop = Top + TitleHeight + 6.0;
// The month and the count's number stand right of the shop's address.
constexpr double InfoLeft = 110.0;
constexpr double TableTop = HeadBlockTop + 5 * LineHeight + 8.0;
// The table's columns: the denomination, its pieces and its sum.
constexpr double PiecesLeft = 70.0;
constexpr double SumLeft = 125.0;
constexpr double NoteHeight = 3 * LineHeight;
constexpr double SignatureTop = 255.0;
constexpr double SignatureWidth = 70.0;
constexpr double CaptionGap = 1.0;
constexpr double TitlePoints = 18.0;
constexpr double TextPoints = 10.0;
constexpr double SmallPoints = 8.0;

class Page
{
public:
    void text(double left, double top, double width, const QString &text, Qt::Alignment horizontal = Qt::AlignLeft,
              bool bold = false, double points = TextPoints, double height = LineHeight)
    {
        Item item;
        item.mm = QRectF(left, top, width, height);
        item.text = text;
        item.alignment = horizontal | Qt::AlignVCenter;
        item.points = points;
        item.bold = bold;
        m_items.push_back(std::move(item));
    }
    void wrapped(double top, double height, const QString &note)
    {
        text(Left, top, Width, note, Qt::AlignLeft, false, TextPoints, height);
        m_items.back().alignment = Qt::AlignLeft | Qt::AlignTop;
        m_items.back().wrap = true;
    }
    void line(double left, double top, double width)
    {
        Item item;
        item.kind = Item::Kind::Line;
        item.mm = QRectF(left, top, width, 0.0);
        m_items.push_back(std::move(item));
    }
    // One row of the table: a label, the pieces and the sum.
    void row(double top, const QString &label, const QString &pieces, const QString &sum, bool bold = false)
    {
        text(Left, top, PiecesLeft - Left, label, Qt::AlignLeft, bold);
        text(PiecesLeft, top, SumLeft - PiecesLeft - LineHeight, pieces, Qt::AlignRight, bold);
        text(SumLeft, top, Right - SumLeft, sum, Qt::AlignRight, bold);
    }
    std::vector<Item> take() { return std::move(m_items); }

private:
    std::vector<Item> m_items;
};

QString differenceKind(qint64 difference)
{
    if (difference < 0)
        return QStringLiteral("Differenz (Fehlbetrag)");
    if (difference > 0)
        return QStringLiteral("Differenz (Überschuss)");
    return QStringLiteral("Differenz");
}
} // namespace

std::vector<Item> page(const CashCount::Count &count, const ShopData &shop, const QString &monthLabel,
                       const QString &checksum)
{
    Page p;
    p.text(Left, Top, Width, QStringLiteral("Zählprotokoll"), Qt::AlignLeft, true, TitlePoints, TitleHeight);

    const QString steuernummer =
        shop.steuernummer.isEmpty() ? QString() : QStringLiteral("Steuernummer: ") + shop.steuernummer;
    const QStringList address = {shop.name, shop.street, shop.place, steuernummer};
    for (qsizetype i = 0; i < address.size(); ++i)
        p.text(Left, HeadBlockTop + static_cast<double>(i) * LineHeight, InfoLeft - Left - LineHeight, address[i],
               Qt::AlignLeft, i == 0);
    const QStringList info = {QStringLiteral("Monat %1").arg(monthLabel),
                              QStringLiteral("Zählung Nr. %1").arg(count.number),
                              QStringLiteral("vom %1").arg(ChangeLog::displayTime(count.time)),
                              QStringLiteral("Gezählt von: %1").arg(count.countedBy)};
    for (qsizetype i = 0; i < info.size(); ++i)
        p.text(InfoLeft, HeadBlockTop + static_cast<double>(i) * LineHeight, Right - InfoLeft, info[i], Qt::AlignRight);

    double y = TableTop;
    p.row(y, QStringLiteral("Münzen und Scheine"), QStringLiteral("Anzahl"), QStringLiteral("Betrag in €"), true);
    y += RowHeight;
    p.line(Left, y, Width);
    for (int i = 0; i < CashCount::DenominationCount; ++i) {
        const int pieces = count.pieces[static_cast<size_t>(i)];
        p.row(y, CashCount::denominationLabel(i), QString::number(pieces),
              German::formatCents(CashCount::rowSum(i, pieces)));
        y += RowHeight;
    }
    p.line(Left, y, Width);
    p.row(y, QStringLiteral("Gezählter Bestand"), QString(), German::formatCents(count.counted), true);
    y += RowHeight;
    p.row(y, QStringLiteral("Buchbestand laut Kassenbuch"), QString(), German::formatCents(count.bookBalance));
    y += RowHeight;
    p.row(y, differenceKind(count.difference), QString(), German::formatCents(count.difference), true);
    y += RowHeight + LineHeight;
    p.wrapped(y, NoteHeight, QStringLiteral("Bemerkung: ") + count.note);

    const double captionTop = SignatureTop + CaptionGap;
    p.line(Left, SignatureTop, SignatureWidth);
    p.text(Left, captionTop, SignatureWidth, QStringLiteral("Datum"), Qt::AlignLeft, false, SmallPoints);
    p.line(Right - SignatureWidth, SignatureTop, SignatureWidth);
    p.text(Right - SignatureWidth, captionTop, SignatureWidth, QStringLiteral("Unterschrift"), Qt::AlignLeft, false,
           SmallPoints);
    // The foot pins the month file's state the signature vouches for.
    if (!checksum.isEmpty())
        p.text(Left, captionTop + 2 * LineHeight, Width, checksum, Qt::AlignLeft, false, SmallPoints);
    return p.take();
}

} // namespace CountSheet
