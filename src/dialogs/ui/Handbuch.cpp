#include "dialogs/ui/Handbuch.h"

#include "platform/ui/CloseRow.h"
#include "platform/ui/Icons.h"

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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    Command1 = addCloseRow(this, layout);
}
