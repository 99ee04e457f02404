#pragma once

#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

class HorizonEditor;
class QLabel;
class ResultGrid;

// The fields of the study's windows a scenario may replace ("uso racional" lowering the
// per-capita demand, another price of water, a river's flow): one row per field, its caption,
// the base's value, the scenario's own, typed beside it, and its window; a cell left empty
// follows the base. In the base scenario the windows' own values hold, and the scenario's
// column is not typed into.
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

    static constexpr int kBaseColumn = 1;
    static constexpr int kOwnColumn = 2;
    static constexpr int kWindowColumn = 3;

private:
    // `left`: the cell was left, not only typed into.
    void edited(int row, const QString &text, bool left);

    HorizonEditor *m_editor;
    // Row by row from 1: the window's key and the field's name.
    QVector<QPair<QString, QString>> m_fields;
    ResultGrid *m_grid;
    QLabel *m_note;
    QLabel *m_message;
    // What the checks say of the scenario's fields, and what was typed and refused.
    QString m_problem;
    QString m_refused;
    bool m_refreshing = false;
};
