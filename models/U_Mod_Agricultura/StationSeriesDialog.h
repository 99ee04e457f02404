#pragma once

#include "core/weather/StationImport.h"

#include <QDialog>

#include <functional>
#include <vector>

namespace tavi
{
class CellTable;
}

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class StationYearChart;
class StationYearTable;

// "Série a partir de estação": a year of ETo and rainfall worked out from a weather station's
// records (INMET hourly files, one a year, text files of daily records, or daily records
// pasted), shown day by day and as a chart before anything is written. The user picks the
// method, the station's kind of place, how days without data are filled and the year (one
// of the records', their mean year or their driest). "Preencher série" accepts the dialog;
// the window that opened it then writes days() into its series. The dialog shows a
// tavi::eto::StationImport: it hands it the records and the user's choices, and shows what it
// made of them, a problem included, in the core's words. A fill that would empty days of the
// window's series that hold values asks first (default "Não").
class StationSeriesDialog : public QDialog
{
    Q_OBJECT
public:
    // `serie`: the window's series as it is now, to tell what a fill would empty; may be null.
    explicit StationSeriesDialog(const tavi::CellTable *serie = nullptr, QWidget *parent = nullptr);
    ~StationSeriesDialog() override;

    // "O preenchimento deixará vazios 363 dias ...": the question asked before such a fill.
    static QString emptyingQuestion(int days);
    // Tests answer the question instead of the user; an empty function brings the box back.
    using Confirmation = std::function<bool(QWidget *parent, const QString &question)>;
    static void setConfirmation(Confirmation confirmation);

    // Days 1..366 of the year shown, and where they came from; meaningful once accepted.
    const std::vector<tavi::eto::YearDay> &days() const { return m_import.days(); }
    tavi::SeriesOrigin origin() const { return m_import.origin(); }

public slots:
    // "Preencher série": accepts, once any days the fill would empty are agreed to.
    void b_preencherClick();
    // Reads station files: INMET hourly files of one station, or daily records.
    void readFile(const QString &path);
    void readFiles(const QStringList &paths);
    // Reads the records pasted into the text box.
    void readPastedText();
    void b_arquivoClick();

private:
    void buildSourceRow();
    void buildSiteRow();
    void buildChoiceRow();
    void buildFillRow();
    // What the user chose: the station's fields, the method, the year, the fills, day 366.
    tavi::eto::ImportChoice choice() const;
    tavi::eto::GapFill gapFill() const;
    // Offers the years the records give, with their mean and driest year when they can be
    // made, keeping the one chosen where it is still offered.
    void showYears(const tavi::eto::YearChoice &chosen);
    // Hands a change of year, day 366 or station over, and shows what it made.
    void layOut();
    // Shows the import after a reading: the station's fields, the years, the year laid out.
    void showReading();
    void showImport();
    void showProblem(const QString &message);

    QLabel *m_source = nullptr;
    QPlainTextEdit *m_pasted = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_latitude = nullptr;
    QLineEdit *m_longitude = nullptr;
    QLineEdit *m_altitude = nullptr;
    QComboBox *m_method = nullptr;
    QComboBox *m_location = nullptr;
    QComboBox *m_year = nullptr;
    std::vector<tavi::eto::YearChoice> m_yearChoices; // the items of m_year
    QComboBox *m_etoFill = nullptr;
    QComboBox *m_rainFill = nullptr;
    QLabel *m_day366 = nullptr;
    QRadioButton *m_empty366 = nullptr;
    QRadioButton *m_copy366 = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_problem = nullptr;
    StationYearTable *m_table = nullptr;
    StationYearChart *m_chart = nullptr;
    QPushButton *m_fill = nullptr;

    const tavi::CellTable *m_serie = nullptr;
    tavi::eto::StationImport m_import;
};
