#include "dialogs/ui/Handbuch.h"

#include "platform/ui/Icons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const QString Source = QStringLiteral("qrc:/manual/Handbuch.html");
constexpr QSize StartSize(640, 560);
} // namespace

Handbuch::Handbuch() : QWidget(nullptr)
{
    setObjectName(QStringLiteral("Handbuch"));
    setWindowTitle(QStringLiteral("Barlog – Handbuch"));
    setWindowIcon(Icons::window());
    resize(StartSize);

    Text1 = new QTextBrowser(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setSource(QUrl(Source));

    Command1 = new QPushButton(QStringLiteral("Schließen"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
}
