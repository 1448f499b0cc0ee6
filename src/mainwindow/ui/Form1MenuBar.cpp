// The main window's menu bar. The design's client area lies below it, so
// the controls sit on a content area that fills the rest of the window.
#include "mainwindow/ui/Form1.h"

#include <QMenuBar>
#include <QResizeEvent>

void Form1::buildMenuBar()
{
    MenuBar1 = new QMenuBar(this);
    MenuBar1->setObjectName(QStringLiteral("MenuBar1"));
    addExportActions(MenuBar1->addMenu(QStringLiteral("&Datei")));
}

void Form1::resizeEvent(QResizeEvent *event)
{
    const int barHeight = MenuBar1->sizeHint().height();
    MenuBar1->setGeometry(0, 0, width(), barHeight);
    m_content->setGeometry(0, barHeight, width(), height() - barHeight);
    QWidget::resizeEvent(event);
}
