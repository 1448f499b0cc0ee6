#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct DatevSettings;

// The settings window: the three tax-rate texts, saved to bl.dat, which the
// main window shows from its next start-up on; and what the DATEV export
// needs, saved to datev.dat.
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

    // The DATEV export: the chart of accounts in Combo1, the other values in
    // Text2 in the order of the indices below, each under its Label1.
    enum DatevField {
        Beraternummer,
        Mandantennummer,
        Sachkontenlaenge,
        Kasse,
        Erloeskonto1,
        Erloeskonto2,
        Erloeskonto3,
        Aufwandskonto,
        BuSchluessel,
        DatevFieldCount
    };
    QGroupBox *Frame2 = nullptr;
    QComboBox *Combo1 = nullptr;
    std::array<QLineEdit *, DatevFieldCount> Text2{};
    std::array<QLabel *, DatevFieldCount + 1> Label1{};

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void tellOnce(const QString &message);
    void buildDatevFrame();
    DatevSettings datevSettings() const;
    void showDatevSettings(const DatevSettings &settings);

    QString m_programFolder;
    QStringList m_told; // the read messages shown since the window was opened
};
