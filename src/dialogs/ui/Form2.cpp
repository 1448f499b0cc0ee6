#include "dialogs/ui/Form2.h"

#include "dialogs/ui/FileLists.h"
#include "platform/ui/Design.h"
#include "platform/ui/Icons.h"

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString Face = QStringLiteral("MS Sans Serif");

template <typename List>
void styleList(List *list, int left, int top, int width, int height)
{
    Design::setFont(list, Face, 9.75);
    Design::setBackColor(list, 255, 255, 192);
    Design::place(list, left, top, width, height);
}
} // namespace

Form2::Form2(OpenMonthFile openMonthFile) : QWidget(nullptr), m_openMonthFile(std::move(openMonthFile))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Datei öffnen"));
    setWindowIcon(Icons::window());
    setAttribute(Qt::WA_DeleteOnClose);
    Design::setBackColor(this, 128, 128, 128);
    Design::setFont(this, Face, 8.25);
    Design::setClientSize(this, 6615, 6465);

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    styleList(Drive1, 180, 180, 3030, 360);
    Dir1 = new DirList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    styleList(Dir1, 180, 675, 3030, 3870);
    File1 = new FileList(this, QStringLiteral("*.mdb"));
    File1->setObjectName(QStringLiteral("File1"));
    styleList(File1, 3420, 180, 3075, 4410);

    Command1 = new QPushButton(QStringLiteral("Öffnen"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Design::setFont(Command1, Face, 8.25);
    Design::place(Command1, 3420, 4770, 3030, 735);
    Command2 = new QPushButton(QStringLiteral("Schließen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Design::setFont(Command2, Face, 8.25);
    Design::place(Command2, 3420, 5625, 3030, 690);

    Text1 = new QPlainTextEdit(QStringLiteral("Text1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Design::setFont(Text1, Face, 8.25);
    Design::place(Text1, 180, 4635, 3030, 1770);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text1);

    Drive1->change = [this] { Drive1_Change(); };
    Dir1->change = [this] { Dir1_Change(); };
    File1->click = [this] { File1_Click(); };
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    // The lists start at the working folder, as a file chooser does.
    Dir1->setPath(QDir::currentPath());
}

void Form2::Drive1_Change()
{
    Dir1->setPath(Drive1->drive());
}

void Form2::Dir1_Change()
{
    File1->setPath(Dir1->path());
}

void Form2::File1_Click()
{
    // Paths are joined with "/"; a root folder already ends in one.
    QString folder = Dir1->path();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    Text1->setPlainText(folder + File1->fileName());
}

void Form2::Command1_Click()
{
    // The window stays open for another choice when the file did not load.
    if (m_openMonthFile(Text1->toPlainText(), File1->fileName()))
        hide();
}

void Form2::Command2_Click()
{
    hide();
}
