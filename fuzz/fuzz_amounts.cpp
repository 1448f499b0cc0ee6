// The commit rule and the cents conversion on arbitrary text. Input: the
// editor text, a line feed, the cell's previous text (UTF-8).
//
// Checks beyond "no crash, no UB": a committed cell text is in the display
// format, converts back to the same cents by every reader, and commits to
// itself again; the in-place cents reading agrees with the cents text; and
// every number text reads back to the same double.
#include "editing/GermanNumbers.h"
#include "editing/Modul.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void checkCommitted(const QString &committed)
{
    const qint64 cents = modul::centsOf(committed);
    check(cents != 0 && cents >= -modul::MaxCommitCents && cents <= modul::MaxCommitCents);
    check(German::formatCents(cents) == committed);
    QString copy = committed;
    check(German::prefixNumber(modul::BetragInCent(copy)) == static_cast<double>(cents));
    copy = committed;
    check(German::textToNumber(modul::BetragInCent(copy)) == static_cast<double>(cents));
    const std::optional<double> value = German::textToNumber(committed);
    check(value && std::nearbyint(*value * 100.0) == static_cast<double>(cents));
    check(modul::commitAmount(committed, QString()) == committed);
}

void checkCents(const QString &text)
{
    QString copy = text;
    const double read = German::prefixNumber(modul::BetragInCent(copy));
    const qint64 cents = modul::centsOf(text);
    // Both round the same whole number to the nearest double, until the
    // in-place reading stops at the sheet's limit.
    const double limit = static_cast<double>(modul::MaxSheetCents);
    check(read == static_cast<double>(cents)
          || (std::fabs(read) >= limit && cents == (read < 0 ? -modul::MaxSheetCents : modul::MaxSheetCents)));
}

void checkNumberText(const QString &text)
{
    const std::optional<double> value = German::textToNumber(text);
    if (!value)
        return;
    check(std::isfinite(*value));
    check(German::textToNumber(German::numberToText(*value)) == *value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf(u'\n');
    const QString editor = split < 0 ? input : input.first(split);
    const QString cell = split < 0 ? QString() : input.sliced(split + 1);

    if (!editor.isEmpty()) {
        const QString committed = modul::commitAmount(editor, cell);
        if (committed != cell && !committed.isEmpty())
            checkCommitted(committed);
    }
    checkCents(editor);
    checkCents(cell);
    checkNumberText(editor);
    return 0;
}
