#pragma once

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct DatevSettings;

// The settings window: the three tax-rate texts, saved to bl.dat, which the
// main window shows from its next start-up on; what the DATEV export needs,
// saved to datev.dat; and the shop's own data, saved to betrieb.dat.
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
        Kassenfehlbetrag,
        Kassenueberschuss,
        DatevFieldCount
    };
    QGroupBox *Frame2 = nullptr;
    QComboBox *Combo1 = nullptr;
    std::array<QLineEdit *, DatevFieldCount> Text2{};
    std::array<QLabel *, DatevFieldCount + 1> Label1{};

    // The shop's own data ("Betrieb"), saved to betrieb.dat: the texts in
    // Text3 in the order of the indices below, each under its Label2, and
    // the income column of a counted surplus in Combo2.
    enum ShopField { Name, Strasse, Ort, Steuernummer, ShopFieldCount };
    QGroupBox *Frame3 = nullptr;
    std::array<QLineEdit *, ShopFieldCount> Text3{};
    std::array<QLabel *, ShopFieldCount + 1> Label2{};
    QComboBox *Combo2 = nullptr;

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    // A chart chosen in Combo1 offers its usual accounts.
    void Combo1_Click();

    // Told after all three files were saved.
    std::function<void()> saved;

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void tellOnce(const QString &message);
    void buildDatevFrame();
    void buildShopFrame();
    void showShopData();
    // Shows the message when betrieb.dat could not be written; true when it was.
    bool saveShopData();
    DatevSettings datevSettings() const;
    void showDatevSettings(const DatevSettings &settings);

    QString m_programFolder;
    QStringList m_told; // the read messages shown since the window was opened
};
