#pragma once

#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

class HorizonEditor;
class QLabel;
class ResultGrid;

// The fields of the study's windows a scenario may replace ("uso racional" lowering the
// per-capita demand, another price of water, a river's flow): one row per field, its window,
// its caption, the base's value, and the scenario's own, typed in the last column; a cell
// left empty follows the base. In the base scenario the windows' own values hold, and the
// last column is not typed into.
class WindowFieldsPanel : public QWidget
{
    Q_OBJECT
public:
    WindowFieldsPanel(HorizonEditor *editor, QWidget *parent = nullptr);

    ResultGrid *grid() const { return m_grid; }
    // The row of a window's field, from 1; -1 when the table has none.
    int rowOf(const QString &window, const QString &field) const;

    void refresh();
    void showProblem(const QString &problem);

    static constexpr int kOwnColumn = 3;

private:
    void edited(int row, const QString &text);

    HorizonEditor *m_editor;
    // Row by row from 1: the window's key and the field's name.
    QVector<QPair<QString, QString>> m_fields;
    ResultGrid *m_grid;
    QLabel *m_note;
    QLabel *m_message;
    bool m_refreshing = false;
};
