#include "dialogs/ui/Einstellungen.h"

#include "platform/FileSystem.h"
#include "platform/ui/Design.h"
#include "platform/ui/Icons.h"
#include "platform/ui/MessageBox.h"
#include "storage/SettingsFile.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString Face = QStringLiteral("MS Sans Serif");
constexpr double Points = 9.75;
} // namespace

Einstellungen::Einstellungen(const QString &programFolder) : QWidget(nullptr), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("Einstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowIcon(Icons::window());
    // The title bar's close box unloads the window; the next opening makes it anew.
    setAttribute(Qt::WA_DeleteOnClose);
    Design::setClientSize(this, 7440, 2325);

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

    setTabOrder(Text1[0], Text1[1]);
    setTabOrder(Text1[1], Text1[2]);
    setTabOrder(Text1[2], Command1);
    setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

bool Einstellungen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void Einstellungen::Form_Activate()
{
    const SettingsFile file(m_programFolder);
    if (!FileExists(file.path()))
        return;
    const ValueFileRead read = file.read({Text1[0]->text(), Text1[1]->text(), Text1[2]->text()});
    for (size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->setText(read.values[static_cast<qsizetype>(i)]);
    if (!read.message.isEmpty())
        MessageBox::info(this, read.message);
}

void Einstellungen::Command1_Click()
{
    const QString error = SettingsFile(m_programFolder).write({Text1[0]->text(), Text1[1]->text(), Text1[2]->text()});
    if (!error.isEmpty())
        MessageBox::info(this, error);
}

void Einstellungen::Command2_Click()
{
    hide();
}
