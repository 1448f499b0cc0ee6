#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

// The settings window: the three tax-rate texts, saved to bl.dat. The main
// window shows them from its next start-up on.
class Einstellungen : public QWidget
{
    Q_OBJECT
public:
    // programFolder holds bl.dat.
    explicit Einstellungen(const QString &programFolder);

    QGroupBox *Frame1 = nullptr;
    std::array<QLineEdit *, 3> Text1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();

protected:
    bool event(QEvent *event) override;

private:
    QString m_programFolder;
};
