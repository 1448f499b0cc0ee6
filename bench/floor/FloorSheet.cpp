#include "FloorSheet.h"

#include "platform/FlexGridStore.h"

#include <algorithm>
#include <optional>

namespace {
constexpr int ColIncome = 0;
constexpr int ColExpense = 3;
constexpr int ColBalance = 4;
constexpr int ColReceipt = 6;
constexpr int CarryOverRow = 2;
constexpr int FirstEntryRow = 3;
constexpr qint64 Limit = 99999999999999999;
constexpr int TextCapacity = 32;

qint64 clamped(qint64 cents)
{
    return std::clamp(cents, -Limit, Limit);
}

// A display-format amount ("-1.234,56") or the empty text.
qint64 cents(const QString &text)
{
    qint64 value = 0;
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    const bool negative = c != end && *c == u'-';
    for (; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= u'0' && u <= u'9')
            value = value * 10 + (u - u'0');
    }
    return negative ? -value : value;
}

// A whole receipt number, or nothing.
std::optional<qint64> receipt(const QString &text)
{
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    const bool negative = c != end && *c == u'-';
    if (negative)
        ++c;
    if (c == end || end - c > 15)
        return std::nullopt;
    qint64 value = 0;
    for (; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        value = value * 10 + (u - u'0');
    }
    return negative ? -value : value;
}

qsizetype writeCents(qint64 cents, char *out)
{
    char reversed[TextCapacity];
    quint64 m = cents < 0 ? 0U - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    qsizetype n = 0;
    reversed[n++] = static_cast<char>('0' + m % 10);
    m /= 10;
    reversed[n++] = static_cast<char>('0' + m % 10);
    m /= 10;
    reversed[n++] = ',';
    for (int group = 0;; ++group) {
        if (group == 3) {
            reversed[n++] = '.';
            group = 0;
        }
        reversed[n++] = static_cast<char>('0' + m % 10);
        m /= 10;
        if (m == 0)
            break;
    }
    if (cents < 0)
        reversed[n++] = '-';
    std::reverse_copy(reversed, reversed + n, out);
    return n;
}

qsizetype writeWhole(qint64 value, char *out)
{
    char reversed[TextCapacity];
    quint64 m = value < 0 ? 0U - static_cast<quint64>(value) : static_cast<quint64>(value);
    qsizetype n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m != 0);
    if (value < 0)
        reversed[n++] = '-';
    std::reverse_copy(reversed, reversed + n, out);
    return n;
}

bool setIfChanged(QString &cell, const char *text, qsizetype length)
{
    if (QStringView(cell) == QLatin1StringView(text, length))
        return false;
    cell = QString::fromLatin1(text, length);
    return true;
}
} // namespace

FloorSheet::FloorSheet(const FlexGridStore &sheet)
    : m_rows(sheet.rows()),
      m_cells(static_cast<size_t>(m_rows) * Cols),
      m_red(static_cast<size_t>(m_rows))
{
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < Cols; ++c)
            m_cells[static_cast<size_t>(index(r, c))] = sheet.textMatrix(r, c);
        m_red[static_cast<size_t>(r)] = sheet.format(r, ColBalance).hasForeColor;
    }
}

bool FloorSheet::write(int row, int col, const char *text, qsizetype length)
{
    return setIfChanged(m_cells[static_cast<size_t>(index(row, col))], text, length);
}

bool FloorSheet::commitAmount(int row, int col, QStringView typed)
{
    // "12,5": whole digits, a comma, up to two decimals.
    qint64 value = 0;
    int decimals = -1;
    for (QChar c : typed) {
        if (c == u',') {
            decimals = 0;
        } else if (decimals < 2) {
            value = value * 10 + (c.unicode() - u'0');
            decimals += decimals >= 0 ? 1 : 0;
        }
    }
    for (; decimals < 2; ++decimals)
        value *= 10;
    if (value == 0)
        return false;
    char text[TextCapacity];
    return write(row, col, text, writeCents(value, text));
}

void FloorSheet::recalculate(std::vector<int> &changed)
{
    std::array<qint64, 4> sums{};
    const auto add = [&sums](int i, qint64 cents) {
        sums[static_cast<size_t>(i)] = clamped(sums[static_cast<size_t>(i)] + cents);
    };
    const auto addRow = [this, &add](int r) {
        for (int c = ColIncome; c <= ColExpense; ++c)
            add(c, cents(cell(r, c)));
    };
    char text[TextCapacity];
    std::optional<qint64> closing;
    if (m_rows > CarryOverRow)
        addRow(CarryOverRow);
    if (m_rows >= FirstEntryRow + 2) {
        qint64 balance = cents(cell(CarryOverRow, ColBalance));
        m_red[CarryOverRow] = balance < 0;
        std::optional<qint64> number = receipt(cell(CarryOverRow, ColReceipt));
        for (int r = FirstEntryRow; r <= m_rows - 2; ++r) {
            const qint64 a0 = cents(cell(r, 0));
            const qint64 a1 = cents(cell(r, 1));
            const qint64 a2 = cents(cell(r, 2));
            QString &expense = m_cells[static_cast<size_t>(index(r, ColExpense))];
            if ((a1 != 0 || a2 > 0) && !expense.isEmpty()) {
                expense.clear();
                changed.push_back(index(r, ColExpense));
            }
            const qint64 e = cents(expense);
            balance = clamped(balance + (a0 + a1 + a2 - e));
            const bool red = balance < 0;
            if (write(r, ColBalance, text, writeCents(balance, text)) || m_red[static_cast<size_t>(r)] != red)
                changed.push_back(index(r, ColBalance));
            m_red[static_cast<size_t>(r)] = red;
            if (number) {
                ++*number;
                if (write(r, ColReceipt, text, writeWhole(*number, text)))
                    changed.push_back(index(r, ColReceipt));
            } else {
                number = receipt(cell(r, ColReceipt));
            }
            add(0, a0);
            add(1, a1);
            add(2, a2);
            add(3, e);
        }
        closing = balance;
        addRow(m_rows - 1);
    } else {
        for (int r = FirstEntryRow; r < m_rows; ++r)
            addRow(r);
    }
    if (m_rows <= CarryOverRow)
        return;
    for (size_t i = 0; i < sums.size(); ++i)
        setIfChanged(m_totals[i], text, writeCents(sums[i], text));
    if (closing)
        setIfChanged(m_totals[4], text, writeCents(*closing, text));
}

QStringList FloorSheet::differences(const FlexGridStore &sheet, const FlexGridStore &totals) const
{
    QStringList lines;
    if (sheet.rows() != m_rows)
        lines << QStringLiteral("rows: %1, floor %2").arg(sheet.rows()).arg(m_rows);
    for (int r = 0; r < std::min(m_rows, sheet.rows()); ++r) {
        for (int c = 0; c < Cols; ++c) {
            if (sheet.textMatrix(r, c) != cell(r, c))
                lines << QStringLiteral("(%1, %2): \"%3\", floor \"%4\"")
                             .arg(r)
                             .arg(c)
                             .arg(sheet.textMatrix(r, c), cell(r, c));
        }
        if (sheet.format(r, ColBalance).hasForeColor != (m_red[static_cast<size_t>(r)] != 0))
            lines << QStringLiteral("row %1: the balance's colour differs").arg(r);
    }
    for (int i = 0; i < Totals; ++i) {
        if (totals.textMatrix(i + 1, 2) != m_totals[static_cast<size_t>(i)])
            lines << QStringLiteral("total %1: \"%2\", floor \"%3\"")
                         .arg(i)
                         .arg(totals.textMatrix(i + 1, 2), m_totals[static_cast<size_t>(i)]);
    }
    return lines;
}
