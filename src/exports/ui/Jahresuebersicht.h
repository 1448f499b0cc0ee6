#pragma once

#include <QWidget>

#include <functional>

class CurrentPrinter;
class FlexGrid;
class QLabel;
class QPrinter;
class QPushButton;

// The year overview window: the table of YearOverview for one year folder
// and below it the VAT return's figures (VatReturn), printed on the
// program's current printer or saved as a PDF file, both on A4 landscape,
// the VAT figures on a page of their own.
class Jahresuebersicht : public QWidget
{
    Q_OBJECT
public:
    // printer gives the program's current printer, the one the printer window chooses.
    Jahresuebersicht(const QString &programFolder, std::function<CurrentPrinter &()> printer);

    QLabel *Label1 = nullptr; // the title
    FlexGrid *flex = nullptr;
    QLabel *Label2 = nullptr; // months whose file could not be read
    QLabel *Label3 = nullptr; // "Umsatzsteuer-Voranmeldung 2026"
    FlexGrid *flexUst = nullptr;
    QLabel *Label4 = nullptr; // how to read the VAT figures, and the rates the form does not know
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    // Reads the year folder anew and shows its table.
    void showYear(int year);
    int year() const { return m_year; }

    // "Drucken", "Als PDF speichern …" and "Schließen".
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    // One print job of the table on printer, its columns narrowed to fit the page.
    bool printOn(QPrinter &printer);
    QString title() const;
    QString printTitle() const;
    QString vatTitle() const;

    QString m_programFolder;
    std::function<CurrentPrinter &()> m_printer;
    int m_year = 0;
};
