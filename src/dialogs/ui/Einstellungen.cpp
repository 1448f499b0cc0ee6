#include "dialogs/ui/Einstellungen.h"

#include "exports/DatevSettings.h"
#include "platform/FileSystem.h"
#include "platform/ui/Design.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MessageBox.h"
#include "storage/SettingsFile.h"
#include "storage/ShopData.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString Face = QStringLiteral("MS Sans Serif");
constexpr double Points = 9.75;
constexpr double FieldPoints = 8.25;
const QString Skr03 = QStringLiteral("SKR03");
const QString Skr04 = QStringLiteral("SKR04");

// The DATEV frame holds three columns of fields, each under its label.
constexpr int FieldLeft = 180;
constexpr int FieldStep = 2310;
constexpr int FieldWidth = 2100;
constexpr int FirstLabelTop = 300;
constexpr int RowStep = 705;
constexpr int LabelHeight = 255;
constexpr int EditHeight = 345;
struct FieldPlace
{
    const char16_t *label;
    int row;
    int column;
};
// Indexed by Einstellungen::DatevField; the chart of accounts comes last.
constexpr std::array<FieldPlace, Einstellungen::DatevFieldCount + 1> FieldPlaces = {{
    {u"Beraternummer", 0, 0},
    {u"Mandantennummer", 0, 1},
    {u"Sachkontenlänge", 1, 0},
    {u"Kasse", 1, 1},
    {u"Erlöskonto Satz 1", 2, 0},
    {u"Erlöskonto Satz 2", 2, 1},
    {u"Erlöskonto Satz 3", 2, 2},
    {u"Aufwandskonto", 1, 2},
    {u"BU-Schlüssel Ausgaben", 3, 0},
    {u"Kassenfehlbetrag", 3, 1},
    {u"Kassenüberschuss", 3, 2},
    {u"Kontenrahmen", 0, 2},
}};
// Indexed by Einstellungen::ShopField; the surplus column comes last. The
// name takes two columns.
constexpr std::array<FieldPlace, Einstellungen::ShopFieldCount + 1> ShopPlaces = {{
    {u"Name des Betriebs", 0, 0},
    {u"Straße und Hausnummer", 1, 0},
    {u"PLZ und Ort", 1, 1},
    {u"Steuernummer", 0, 2},
    {u"Kassenüberschuss in", 1, 2},
}};
constexpr int ShopFrameTop = 5820;
constexpr int ShopFrameHeight = 1935;

QRect fieldRect(const FieldPlace &place, bool label)
{
    const int top = FirstLabelTop + place.row * RowStep + (label ? 0 : LabelHeight);
    return QRect(FieldLeft + place.column * FieldStep, top, FieldWidth, label ? LabelHeight : EditHeight);
}
} // namespace

Einstellungen::Einstellungen(const QString &programFolder) : QWidget(nullptr), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("Einstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowIcon(Icons::window());
    // The title bar's close box unloads the window; the next opening makes it anew.
    setAttribute(Qt::WA_DeleteOnClose);
    Design::setClientSize(this, 7440, ShopFrameTop + ShopFrameHeight + 180);

    Frame1 = new QGroupBox(QStringLiteral("Steuersätze der Felder"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setToolTip(QStringLiteral("Gibt die Steuersätze an. Entscheidet auch die Reihenfolge"));
    Design::setFont(Frame1, Face, Points);
    Design::place(Frame1, 180, 135, 3300, 1005);

    const std::array<const char *, 3> texts = {"19%", "7%", "0%"};
    const std::array<int, 3> lefts = {180, 1215, 2250};
    for (size_t i = 0; i < Text1.size(); ++i) {
        Text1[i] = new QLineEdit(QString::fromLatin1(texts[i]), Frame1);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Design::setFont(Text1[i], Face, Points);
        Design::place(Text1[i], lefts[i], 405, 735, 375);
    }

    Command1 = new QPushButton(QStringLiteral("Speichern"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Design::setFont(Command1, Face, Points);
    Design::place(Command1, 5535, 270, 1680, 780);

    Command2 = new QPushButton(QStringLiteral("Schließen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Design::setFont(Command2, Face, Points);
    Design::place(Command2, 5535, 1305, 1320, 600);

    buildDatevFrame();
    buildShopFrame();

    setTabOrder(Text1[0], Text1[1]);
    setTabOrder(Text1[1], Text1[2]);
    setTabOrder(Text1[2], Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text2[Beraternummer]);
    QWidget *previous = Text2[Beraternummer];
    for (QWidget *next : {static_cast<QWidget *>(Text2[Mandantennummer]), static_cast<QWidget *>(Combo1),
                          static_cast<QWidget *>(Text2[Sachkontenlaenge]), static_cast<QWidget *>(Text2[Kasse]),
                          static_cast<QWidget *>(Text2[Aufwandskonto]), static_cast<QWidget *>(Text2[Erloeskonto1]),
                          static_cast<QWidget *>(Text2[Erloeskonto2]), static_cast<QWidget *>(Text2[Erloeskonto3]),
                          static_cast<QWidget *>(Text2[BuSchluessel]), static_cast<QWidget *>(Text2[Kassenfehlbetrag]),
                          static_cast<QWidget *>(Text2[Kassenueberschuss]), static_cast<QWidget *>(Text3[Name]),
                          static_cast<QWidget *>(Text3[Steuernummer]), static_cast<QWidget *>(Text3[Strasse]),
                          static_cast<QWidget *>(Text3[Ort]), static_cast<QWidget *>(Combo2)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Einstellungen::buildDatevFrame()
{
    Frame2 = new QGroupBox(QStringLiteral("DATEV-Export"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setToolTip(QStringLiteral("Konten und Nummern, wie die Steuerberatung sie vorgibt"));
    Design::setFont(Frame2, Face, Points);
    Design::place(Frame2, 180, 2325, 7080, 3360);

    for (size_t i = 0; i < FieldPlaces.size(); ++i) {
        Label1[i] = new QLabel(QString::fromUtf16(FieldPlaces[i].label), Frame2);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Design::setFont(Label1[i], Face, FieldPoints);
        Design::setTwips(Label1[i], fieldRect(FieldPlaces[i], true));
    }
    for (size_t i = 0; i < Text2.size(); ++i) {
        Text2[i] = new QLineEdit(Frame2);
        Text2[i]->setObjectName(QStringLiteral("Text2_%1").arg(i));
        Design::setFont(Text2[i], Face, FieldPoints);
        Design::setTwips(Text2[i], fieldRect(FieldPlaces[i], false));
    }
    Combo1 = new QComboBox(Frame2);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({Skr03, Skr04});
    Design::setFont(Combo1, Face, FieldPoints);
    Design::setTwips(Combo1, fieldRect(FieldPlaces.back(), false));
    showDatevSettings(DatevSettings::defaults());
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
}

void Einstellungen::Combo1_Click()
{
    // Another chart numbers every account differently: offer its usual ones,
    // which the adviser may still change.
    const DatevSettings shown = datevSettings();
    const DatevSettings usual = shown.withChart(Combo1->currentText());
    if (usual.sameAccounts(shown))
        return;
    const QString question =
        QStringLiteral("Die üblichen Konten des %1 eintragen?\n\nKasse %2, Erlöse %3, %4 und %5, Aufwand %6, "
                       "Kassenfehlbetrag %7, Kassenüberschuss %8")
            .arg(usual.kontenrahmen, usual.kasse, usual.erloeskonten[0], usual.erloeskonten[1],
                 usual.erloeskonten[2], usual.aufwandskonto, usual.kassenfehlbetrag, usual.kassenueberschuss);
    if (MessageBox::show(this, question, MessageBox::Buttons::YesNo, QStringLiteral("Kontenrahmen"))
        == MessageBox::Answer::Yes)
        showDatevSettings(usual);
}

void Einstellungen::buildShopFrame()
{
    Frame3 = new QGroupBox(QStringLiteral("Betrieb"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setToolTip(QStringLiteral("Steht auf dem Zählprotokoll und nennt den Betrieb in den Unterlagen"));
    Design::setFont(Frame3, Face, Points);
    Design::place(Frame3, 180, ShopFrameTop, 7080, ShopFrameHeight);

    for (size_t i = 0; i < ShopPlaces.size(); ++i) {
        Label2[i] = new QLabel(QString::fromUtf16(ShopPlaces[i].label), Frame3);
        Label2[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        Design::setFont(Label2[i], Face, FieldPoints);
        Design::setTwips(Label2[i], fieldRect(ShopPlaces[i], true));
    }
    for (size_t i = 0; i < Text3.size(); ++i) {
        Text3[i] = new QLineEdit(Frame3);
        Text3[i]->setObjectName(QStringLiteral("Text3_%1").arg(i));
        Design::setFont(Text3[i], Face, FieldPoints);
        QRect place = fieldRect(ShopPlaces[i], false);
        if (i == Name)
            place.setWidth(FieldStep + FieldWidth);
        Design::setTwips(Text3[i], place);
    }
    Combo2 = new QComboBox(Frame3);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->addItems({QStringLiteral("der Spalte mit 0 %"), QStringLiteral("Einnahmen Spalte 1"),
                      QStringLiteral("Einnahmen Spalte 2"), QStringLiteral("Einnahmen Spalte 3")});
    Design::setFont(Combo2, Face, FieldPoints);
    Design::setTwips(Combo2, fieldRect(ShopPlaces.back(), false));
}

void Einstellungen::showShopData()
{
    const ShopDataFile file(m_programFolder);
    if (!FileExists(file.path()))
        return;
    QString message;
    const ShopData shop = file.load(&message);
    Text3[Name]->setText(shop.name);
    Text3[Strasse]->setText(shop.street);
    Text3[Ort]->setText(shop.place);
    Text3[Steuernummer]->setText(shop.steuernummer);
    Combo2->setCurrentIndex(shop.surplusColumn);
    if (!message.isEmpty())
        MessageBox::info(this, message);
}

bool Einstellungen::saveShopData()
{
    ShopData shop;
    shop.name = Text3[Name]->text().trimmed();
    shop.street = Text3[Strasse]->text().trimmed();
    shop.place = Text3[Ort]->text().trimmed();
    shop.steuernummer = Text3[Steuernummer]->text().trimmed();
    shop.surplusColumn = Combo2->currentIndex();
    const QString error = ShopDataFile(m_programFolder).save(shop);
    if (!error.isEmpty())
        MessageBox::info(this, error);
    return error.isEmpty();
}

DatevSettings Einstellungen::datevSettings() const
{
    DatevSettings s;
    s.beraternummer = Text2[Beraternummer]->text().trimmed();
    s.mandantennummer = Text2[Mandantennummer]->text().trimmed();
    s.kontenrahmen = Combo1->currentText();
    s.sachkontenlaenge = Text2[Sachkontenlaenge]->text().trimmed();
    s.kasse = Text2[Kasse]->text().trimmed();
    s.erloeskonten = {Text2[Erloeskonto1]->text().trimmed(), Text2[Erloeskonto2]->text().trimmed(),
                      Text2[Erloeskonto3]->text().trimmed()};
    s.aufwandskonto = Text2[Aufwandskonto]->text().trimmed();
    s.buSchluessel = Text2[BuSchluessel]->text().trimmed();
    s.kassenfehlbetrag = Text2[Kassenfehlbetrag]->text().trimmed();
    s.kassenueberschuss = Text2[Kassenueberschuss]->text().trimmed();
    return s;
}

void Einstellungen::showDatevSettings(const DatevSettings &s)
{
    Text2[Beraternummer]->setText(s.beraternummer);
    Text2[Mandantennummer]->setText(s.mandantennummer);
    // A chart the box does not offer shows as typed, so that saving refuses it.
    Combo1->setEditable(s.kontenrahmen != Skr03 && s.kontenrahmen != Skr04);
    Combo1->setCurrentText(s.kontenrahmen);
    Text2[Sachkontenlaenge]->setText(s.sachkontenlaenge);
    Text2[Kasse]->setText(s.kasse);
    for (size_t i = 0; i < s.erloeskonten.size(); ++i)
        Text2[Erloeskonto1 + i]->setText(s.erloeskonten[i]);
    Text2[Aufwandskonto]->setText(s.aufwandskonto);
    Text2[BuSchluessel]->setText(s.buSchluessel);
    Text2[Kassenfehlbetrag]->setText(s.kassenfehlbetrag);
    Text2[Kassenueberschuss]->setText(s.kassenueberschuss);
}

bool Einstellungen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
        showShopData();
    }
    return QWidget::event(event);
}

void Einstellungen::Form_Activate()
{
    // Each file fills its own boxes; a missing one leaves them as they are.
    const SettingsFile file(m_programFolder);
    if (FileExists(file.path()) || DirExists(file.path())) {
        const ValueFileRead read = file.read({Text1[0]->text(), Text1[1]->text(), Text1[2]->text()});
        for (size_t i = 0; i < Text1.size(); ++i)
            Text1[i]->setText(read.values[static_cast<qsizetype>(i)]);
        tellOnce(read.message);
    }
    const DatevSettingsFile datev(m_programFolder);
    if (FileExists(datev.path()) || DirExists(datev.path())) {
        QString message;
        showDatevSettings(datev.load(&message));
        tellOnce(message);
    }
}

void Einstellungen::tellOnce(const QString &message)
{
    // Closing the message activates the window again, which reads the files
    // again: each message is shown once while the window stays open.
    if (message.isEmpty() || m_told.contains(message))
        return;
    m_told << message;
    MessageBox::info(this, message);
}

void Einstellungen::hideEvent(QHideEvent *event)
{
    m_told.clear();
    QWidget::hideEvent(event);
}

void Einstellungen::Command1_Click()
{
    // DATEV values that cannot be used keep all three files as they were.
    const DatevSettings datev = datevSettings();
    const DatevSettingsFile datevFile(m_programFolder);
    if (!datev.problems().isEmpty()) {
        MessageBox::info(this, datevFile.save(datev));
        return;
    }
    QString error = SettingsFile(m_programFolder).write({Text1[0]->text(), Text1[1]->text(), Text1[2]->text()});
    if (error.isEmpty())
        error = datevFile.save(datev);
    if (!error.isEmpty())
        MessageBox::info(this, error);
    else if (saveShopData() && saved)
        saved();
}

void Einstellungen::Command2_Click()
{
    hide();
}
