#pragma once

#include <QWidget>

class HorizonEditor;
class QLabel;
class QPushButton;
class QToolButton;

// The agriculture's climate year of a scenario other than the base: the study's series, or
// the year of a weather station worked out in the station dialog, which the scenario then
// holds in place of the study's series, with where it came from.
class StationYearChoice : public QWidget
{
    Q_OBJECT
public:
    StationYearChoice(HorizonEditor *editor, QWidget *parent = nullptr);

    void refresh();

public slots:
    // "Outro ano de estação…": the station dialog; the year it gives becomes the scenario's.
    void b_estacaoClick();

private:
    HorizonEditor *m_editor;
    QPushButton *m_choose;
    QToolButton *m_followBase;
    QLabel *m_origin;
};
