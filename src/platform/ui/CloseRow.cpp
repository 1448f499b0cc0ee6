#include "platform/ui/CloseRow.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton *addCloseRow(QWidget *window, QBoxLayout *layout)
{
    auto *button = new QPushButton(QStringLiteral("Schließen"), window);
    button->setObjectName(QStringLiteral("Command1"));
    QObject::connect(button, &QPushButton::clicked, window, &QWidget::hide);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    layout->addLayout(row);
    return button;
}
