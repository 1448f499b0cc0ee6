#include "mainwindow/ui/Form1.h"

#include "editing/ui/EditorBox.h"
#include "platform/ui/Design.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Icons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString DefaultFace = QStringLiteral("MS Sans Serif");
constexpr double DefaultPoints = 8.25;

const std::array<const char *, 12> QuickKeyCaptions = {
    "Tageseinnahme", "Gutschein",  "Bankeinzahlung",   "Lohnzahlung",   "Porto",          "Tanken",
    "Rechnung Bar",  "Bürobedarf", "Reinigungsmittel", "Privateinlage", "Privatentnahme", "Spende"};

QToolButton *pictureButton(QWidget *parent, const char *name, const QString &caption, const QString &icon, int top,
                           int height, const QString &face, double points)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1StringView(name));
    b->setText(caption);
    b->setIcon(Icons::button(icon));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    Design::setFont(b, face, points);
    Design::place(b, 12870, top, 2265, height);
    return b;
}

QComboBox *listBox(QWidget *parent, const char *name, const QStringList &items, int left, int top, int width,
                   int height)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1StringView(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(-1);
    Design::setFont(c, DefaultFace, DefaultPoints);
    Design::place(c, left, top, width, height);
    return c;
}

} // namespace

void Form1::buildDesign()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Barlog 2020"));
    setWindowIcon(Icons::window());
    Design::setFont(this, DefaultFace, DefaultPoints);
    // The controls keep their design places in a content area below the menu bar.
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("content"));
    buildMenu();
    buildStatusLine();
    Design::setClientSize(this, 15240, 10590);

    flex = new FlexGrid(m_content, 5, 10, 2, 0);
    flex->setObjectName(QStringLiteral("flex"));
    Design::place(flex, 0, 0, 10320, 10545);
    Design::setFont(flex, DefaultFace, DefaultPoints);
    flex->store().setBackColor(gridRgb(255, 255, 255));
    flex->store().setBackColorFixed(gridRgb(192, 192, 192));
    flex->store().setBackColorBkg(gridRgb(156, 156, 156));
    flex->store().setGridColor(gridRgb(192, 192, 192));

    for (size_t i = 0; i < Command1.size(); ++i) {
        auto *b = new QPushButton(QString::fromUtf8(QuickKeyCaptions[i]), m_content);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Design::setFont(b, DefaultFace, DefaultPoints);
        Design::setBackColor(b, 225, 224, 254);
        Design::place(b, 10485, 45 + 675 * static_cast<int>(i), 2250, 650);
        Command1[i] = b;
    }

    Label2 = new QLabel(QStringLiteral("Benennung ändern"), m_content);
    Label2->setObjectName(QStringLiteral("Label2"));
    Design::setFont(Label2, DefaultFace, DefaultPoints);
    Design::place(Label2, 10485, 8190, 2265, 285);

    Combo33 = listBox(m_content, "Combo33", {}, 10485, 8415, 2265, 330);
    Design::setFont(Combo33, QStringLiteral("Arial"), 8.25);
    Combo33->setToolTip(QStringLiteral("Hier können Sie neue Bezeichnungen für die Schnelltasten vergeben."));

    Command10 = new QPushButton(QStringLiteral("< Tasten speichern "), m_content);
    Command10->setObjectName(QStringLiteral("Command10"));
    Design::setFont(Command10, DefaultFace, DefaultPoints);
    Design::place(Command10, 12870, 8415, 2220, 330);

    flex2 = new FlexGrid(m_content, 6, 3, 1, 1);
    flex2->setObjectName(QStringLiteral("flex2"));
    Design::place(flex2, 10485, 8910, 4620, 1590);
    Design::setFont(flex2, DefaultFace, DefaultPoints);
    flex2->store().setBackColor(palette().color(QPalette::Base).rgb());
    flex2->store().setBackColorFixed(gridRgb(192, 192, 192));
    flex2->store().setBackColorBkg(gridRgb(128, 128, 128));
    flex2->store().setGridColor(gridRgb(0, 0, 0));
    // The totals need room for amounts of a million and more; the
    // recalculation sets the heading column to 2500 twips.
    flex2->store().setColWidth(0, 2500);
    flex2->store().setColWidth(1, 700);
    flex2->store().setColWidth(2, 1400);

    Label1 = new QLabel(QStringLiteral("  Monat               Jahr"), m_content);
    Label1->setObjectName(QStringLiteral("Label1"));
    Design::setFont(Label1, DefaultFace, DefaultPoints);
    Design::place(Label1, 13050, 45, 1815, 285);

    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    Combo1 = listBox(m_content, "Combo1", months, 13050, 270, 870, 315);
    QStringList years;
    for (int y = 2020; y <= 2030; ++y)
        years << QString::number(y);
    Combo2 = listBox(m_content, "Combo2", years, 14085, 270, 870, 315);

    const QString arial = QStringLiteral("Arial");
    Command8 = pictureButton(m_content, "Command8", QStringLiteral("Laden"), QStringLiteral("document-open"), 630, 930,
                             arial, 9);
    Command9 = pictureButton(m_content, "Command9", QStringLiteral("Datei suchen"), QStringLiteral("system-search"),
                             1575, 930, DefaultFace, DefaultPoints);
    Command6 = pictureButton(m_content, "Command6", QStringLiteral("Barlog drucken"), QStringLiteral("document-print"),
                             2520, 930, arial, 9);
    Command4 = pictureButton(m_content, "Command4", QStringLiteral("Einstellungen festlegen"),
                             QStringLiteral("preferences-system"), 3465, 930, arial, 9);
    Command3 = pictureButton(m_content, "Command3", QStringLiteral("Zeile einfügen"), QStringLiteral("list-add"), 4410,
                             930, DefaultFace, DefaultPoints);
    Command2 = pictureButton(m_content, "Command2", QStringLiteral("Letzte Zeile löschen"),
                             QStringLiteral("list-remove"), 5355, 930, DefaultFace, DefaultPoints);
    Command7 = pictureButton(m_content, "Command7", QStringLiteral("Speichern "), QStringLiteral("document-save"), 6300,
                             930, arial, 9);
    Design::setBackColor(Command7, 0, 192, 0);

    Command5 = new QPushButton(QStringLiteral("Beenden"), m_content);
    Command5->setObjectName(QStringLiteral("Command5"));
    Design::setFont(Command5, DefaultFace, 12, true);
    Design::place(Command5, 12870, 7245, 2265, 870);

    Text1 = new EditorBox(m_content);
    Text1->setObjectName(QStringLiteral("Text1"));
    Design::setFont(Text1, DefaultFace, DefaultPoints);
    Design::setBackColor(Text1, 255, 255, 128);
    Text1->setFrame(false);
    Design::place(Text1, 1320, 2400, 915, 285);
    // It stays hidden until the first cell is edited; at its design place it
    // would cover an unrelated cell.
    Text1->hide();

    Text2 = new QLineEdit(QStringLiteral("Text2"), m_content);
    Text2->setObjectName(QStringLiteral("Text2"));
    Design::setFont(Text2, DefaultFace, DefaultPoints);
    Design::place(Text2, 180, 10620, 14910, 330);

    // Labels hold a place in the design's order but never take the focus.
    QList<QWidget *> order{Text1};
    for (int i = 0; i <= 10; ++i)
        order << Command1[static_cast<size_t>(i)];
    order << Command2 << Command3 << Command6 << Command7 << flex << Combo1 << Combo2 << Command8 << flex2 << Command4
          << Command5 << Text2 << Command9 << Command1[11] << Combo33 << Command10;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}
