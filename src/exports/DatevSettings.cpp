#include "exports/DatevSettings.h"

#include <array>

namespace {
const QString Skr03 = QStringLiteral("SKR03");
const QString Skr04 = QStringLiteral("SKR04");
constexpr qint64 MinBerater = 1001;
constexpr qint64 MaxBerater = 9999999;
constexpr qint64 MinMandant = 1;
constexpr qint64 MaxMandant = 99999;
constexpr int MinAccountLength = 4;
constexpr int MaxAccountLength = 8;
constexpr qsizetype MaxTaxKeyDigits = 4;

struct ChartAccounts
{
    const char *skr03;
    const char *skr04;
};
// Each chart's usual accounts for what the cash book books:
// - Kasse: SKR03 1000 (KMP's DatevExporter.kt, in background/gobd-datev.md);
//   SKR04 1600 ("default_cash_account" of alyf-de/SKR04,
//   company_default_accounts.json).
// - Revenue at 19 % and 7 %: 8400 and 8300 in SKR03, 4400 and 4300 in SKR04,
//   the automatic revenue accounts (seamless extf.ts, in
//   background/gobd-datev.md).
// - Revenue without tax: "Erlöse", 8200 in SKR03, 4200 in SKR04
//   ("default_income_account" of alyf-de/SKR04, company_default_accounts.json).
// - Expenses: "Sonstiger Betriebsbedarf", 4980 in SKR03, 6850 in SKR04
//   (GnuCash, data/accounts/de_DE/acctchrt_skr04.gnucash-xea).
// - A cash difference: "Sonstige Aufwendungen unregelmäßig" and "Sonstige
//   Erträge unregelmäßig", 2309 and 2709 in SKR03, 6969 and 4839 in SKR04
//   (haufe.de, "Kassenführung: Kassenfehlbeträge und Mehrbeträge – so gehen
//   Sie richtig vor", Steuer Office Premium, PI11940 HI10942480).
// The expenses' tax key 9 (19 % input tax) is DATEV's in either chart.
constexpr ChartAccounts Kasse{"1000", "1600"};
constexpr std::array<ChartAccounts, modul::RateCount> Erloeskonten{{{"8400", "4400"}, {"8300", "4300"}, {"8200", "4200"}}};
constexpr ChartAccounts Aufwandskonto{"4980", "6850"};
constexpr ChartAccounts Kassenfehlbetrag{"2309", "6969"};
constexpr ChartAccounts Kassenueberschuss{"2709", "4839"};

bool allDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A number without a leading zero inside the range.
bool inRange(const QString &text, qint64 low, qint64 high)
{
    if (!allDigits(text) || text.startsWith(u'0') || text.size() > 10)
        return false;
    const qint64 value = text.toLongLong();
    return value >= low && value <= high;
}

// A general-ledger account has exactly as many digits as the books say.
bool isAccountOfLength(const QString &text, int length)
{
    return allDigits(text) && text.size() == length && text != QString(length, u'0');
}
} // namespace

DatevSettings DatevSettings::defaults()
{
    DatevSettings s;
    s.sachkontenlaenge = QStringLiteral("4");
    s.buSchluessel = QStringLiteral("9");
    return s.withChart(Skr03);
}

DatevSettings DatevSettings::withChart(const QString &chart) const
{
    DatevSettings s = *this;
    s.kontenrahmen = chart;
    s.kasse = s.usualAccount(Kasse.skr03, Kasse.skr04);
    for (size_t i = 0; i < Erloeskonten.size(); ++i)
        s.erloeskonten[i] = s.usualAccount(Erloeskonten[i].skr03, Erloeskonten[i].skr04);
    s.aufwandskonto = s.usualAccount(Aufwandskonto.skr03, Aufwandskonto.skr04);
    s.kassenfehlbetrag = s.usualAccount(Kassenfehlbetrag.skr03, Kassenfehlbetrag.skr04);
    s.kassenueberschuss = s.usualAccount(Kassenueberschuss.skr03, Kassenueberschuss.skr04);
    return s;
}

bool DatevSettings::sameAccounts(const DatevSettings &other) const
{
    return kasse == other.kasse && erloeskonten == other.erloeskonten && aufwandskonto == other.aufwandskonto
           && kassenfehlbetrag == other.kassenfehlbetrag && kassenueberschuss == other.kassenueberschuss;
}

QStringList DatevSettings::values() const
{
    return {beraternummer, mandantennummer, kontenrahmen,     sachkontenlaenge,
            kasse,         erloeskonten[0], erloeskonten[1],  erloeskonten[2],
            aufwandskonto, buSchluessel,    kassenfehlbetrag, kassenueberschuss};
}

DatevSettings DatevSettings::fromValues(const QStringList &values)
{
    QStringList v = DatevSettings::defaults().values();
    for (qsizetype i = 0; i < std::min(values.size(), v.size()); ++i)
        v[i] = values[i].trimmed();
    DatevSettings s;
    s.beraternummer = v[0];
    s.mandantennummer = v[1];
    s.kontenrahmen = v[2];
    s.sachkontenlaenge = v[3];
    s.kasse = v[4];
    s.erloeskonten = {v[5], v[6], v[7]};
    s.aufwandskonto = v[8];
    s.buSchluessel = v[9];
    s.kassenfehlbetrag = v[10];
    s.kassenueberschuss = v[11];
    // Settings from before the cash-difference accounts take the chart's
    // usual ones, in the books' length.
    if (values.size() <= FirstLayoutCount) {
        s.kassenfehlbetrag = s.usualAccount(Kassenfehlbetrag.skr03, Kassenfehlbetrag.skr04);
        s.kassenueberschuss = s.usualAccount(Kassenueberschuss.skr03, Kassenueberschuss.skr04);
    }
    return s;
}

QString DatevSettings::usualAccount(const char *skr03, const char *skr04) const
{
    QString account = QString::fromLatin1(kontenrahmen == Skr04 ? skr04 : skr03);
    // DATEV lengthens an account by zeros at its end.
    if (inRange(sachkontenlaenge, MinAccountLength, MaxAccountLength))
        account = account.leftJustified(accountLength(), u'0');
    return account;
}

QStringList DatevSettings::problems() const
{
    QStringList p;
    if (!beraternummer.isEmpty() && !inRange(beraternummer, MinBerater, MaxBerater))
        p << QStringLiteral("Beraternummer: eine Zahl von %1 bis %2").arg(MinBerater).arg(MaxBerater);
    if (!mandantennummer.isEmpty() && !inRange(mandantennummer, MinMandant, MaxMandant))
        p << QStringLiteral("Mandantennummer: eine Zahl von %1 bis %2").arg(MinMandant).arg(MaxMandant);
    if (kontenrahmen != Skr03 && kontenrahmen != Skr04)
        p << QStringLiteral("Kontenrahmen: %1 oder %2").arg(Skr03, Skr04);
    if (!inRange(sachkontenlaenge, MinAccountLength, MaxAccountLength)) {
        p << QStringLiteral("Sachkontenlänge: eine Zahl von %1 bis %2").arg(MinAccountLength).arg(MaxAccountLength);
        return p;
    }
    const int length = accountLength();
    const auto account = [&p, length](const QString &name, const QString &value) {
        if (!isAccountOfLength(value, length))
            p << QStringLiteral("%1: eine Kontonummer aus %2 Ziffern").arg(name).arg(length);
    };
    account(QStringLiteral("Kasse"), kasse);
    for (size_t i = 0; i < erloeskonten.size(); ++i)
        account(QStringLiteral("Erlöskonto %1").arg(i + 1), erloeskonten[i]);
    account(QStringLiteral("Aufwandskonto"), aufwandskonto);
    account(QStringLiteral("Kassenfehlbetrag"), kassenfehlbetrag);
    account(QStringLiteral("Kassenüberschuss"), kassenueberschuss);
    if (!buSchluessel.isEmpty() && (!allDigits(buSchluessel) || buSchluessel.size() > MaxTaxKeyDigits))
        p << QStringLiteral("BU-Schlüssel: leer oder bis zu %1 Ziffern").arg(MaxTaxKeyDigits);
    return p;
}

QString DatevSettings::exportProblem() const
{
    const QString where = QStringLiteral("Bitte unter „Einstellungen festlegen“ eintragen.");
    if (const QStringList p = problems(); !p.isEmpty())
        return QStringLiteral("Diese DATEV-Einstellungen passen nicht:\n\n") + p.join(u'\n') + QStringLiteral("\n\n")
               + where;
    if (beraternummer.isEmpty() || mandantennummer.isEmpty())
        return QStringLiteral("Für den DATEV-Export müssen Beraternummer und Mandantennummer eingetragen sein. ")
               + where;
    return {};
}

bool DatevSettings::isAccount(const QString &text) const
{
    return isAccountOfLength(text, accountLength());
}

QString DatevSettings::chartCode() const
{
    return kontenrahmen.right(2);
}

DatevSettingsFile::DatevSettingsFile(const QString &programFolder)
    : ValueFile(programFolder,
                {QStringLiteral("datev.dat"), QStringLiteral("DATEV-Einstellungen"),
                 QStringLiteral("Für die fehlenden DATEV-Einstellungen gelten die Vorgaben.")},
                DatevSettings::ValueCount)
{
}

DatevSettings DatevSettingsFile::load(QString *message) const
{
    const ValueFileRead read = ValueFile::read(DatevSettings::defaults().values());
    if (message != nullptr)
        *message = read.found == DatevSettings::FirstLayoutCount ? QString() : read.message;
    return DatevSettings::fromValues(read.state == ValueFileState::Short ? read.values.mid(0, read.found)
                                                                         : read.values);
}

QString DatevSettingsFile::save(const DatevSettings &settings) const
{
    if (const QStringList p = settings.problems(); !p.isEmpty())
        return QStringLiteral("Die DATEV-Einstellungen wurden nicht gespeichert:\n\n") + p.join(u'\n');
    return ValueFile::write(settings.values());
}
