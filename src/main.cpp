#include "mainwindow/ui/Application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runBarlog(app);
}
