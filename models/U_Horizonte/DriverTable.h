#pragma once

#include "core/study/StudyInputs.h"

#include <QStringList>
#include <QWidget>

class HorizonEditor;
class QLabel;
class QToolButton;
class ResultGrid;

// A table driver of the horizon window (census counts, typed populations, herds or areas by
// year): its caption, the grid the user types into, the button that gives it back to the
// base, and the message about what was typed. Rows left blank are not kept; a cell being
// typed counts as soon as it is typed.
class DriverTable : public QWidget
{
    Q_OBJECT
public:
    DriverTable(HorizonEditor *editor, const QString &key, const QString &caption,
                const QStringList &headings, int rows, const QString &gridName,
                QWidget *parent = nullptr);

    const QString &key() const { return m_key; }
    ResultGrid *grid() const { return m_grid; }
    QLabel *message() const { return m_message; }
    QLabel *caption() const { return m_caption; }
    QToolButton *followBaseButton() const { return m_followBase; }

    void refresh();
    void showProblem(const QString &problem, const QString &note = QString());

    // The grid's rows as the study keeps them: blank rows left out.
    tavi::StudyGrid rows() const;

private:
    void edited();
    void mark();

    HorizonEditor *m_editor;
    QString m_key;
    QString m_captionText;
    QLabel *m_caption;
    ResultGrid *m_grid;
    QToolButton *m_followBase;
    QLabel *m_message;
    bool m_refreshing = false;
};
