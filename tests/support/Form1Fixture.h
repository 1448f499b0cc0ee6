#pragma once

#include "TestSupport.h"
#include "mainwindow/ui/Form1.h"
#include "platform/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

// A started main window in a scratch program folder, on a fixed day and a
// 1024 x 768 screen unless a test asks for another.
struct Form1Fixture
{
    explicit Form1Fixture(QSize screen = QSize(1024, 768), const QDate &today = QDate(2026, 3, 15))
    {
        MessageBox::setTesting(true);
        MessageBox::takeShown();
        Fonts::installSubstitutions();
        Clock::setToday(today);
        Screen::setOverride(screen);
    }
    ~Form1Fixture()
    {
        form.reset();
        Screen::setOverride(QSize());
        Clock::setToday(QDate());
    }

    Form1 &start()
    {
        form = std::make_unique<Form1>(folder.path());
        form->Form_Load();
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        return *form;
    }

    FlexGridStore &sheet() { return form->flex->store(); }
    FlexGridStore &totals() { return form->flex2->store(); }

    ProgramFolder folder;
    std::unique_ptr<Form1> form;
};
