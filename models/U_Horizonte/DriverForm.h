#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class HorizonEditor;
class NumericEdit;
class QComboBox;
class QGridLayout;
class QLabel;
class QToolButton;
namespace HorizonChecks
{
struct Problems;
}

// A column of drivers of the horizon window, each a caption, its field or list, its unit, the
// button that gives it back to the base, and beneath them the message about what was typed.
// It shows the chosen scenario's values and marks those the scenario holds itself; what the
// user types or chooses goes to the editor at once.
class DriverForm : public QWidget
{
    Q_OBJECT
public:
    DriverForm(HorizonEditor *editor, QWidget *parent = nullptr);

    // How a number driver's field shows nothing typed.
    enum class Blank {
        Zero, // as 0
        None, // as nothing: no value at all (a target not set), told apart from a typed 0
    };
    // A driver held as a number of up to `decimals` places.
    NumericEdit *addNumber(const QString &key, const QString &caption, const QString &unit,
                           int decimals, Blank blank = Blank::Zero);
    NumericEdit *addYear(const QString &key, const QString &caption);
    // A driver that is one of several keys, each shown by its text.
    QComboBox *addChoice(const QString &key, const QString &caption,
                         const QList<QPair<QString, QString>> &choices);
    void addHeading(const QString &text);
    // A widget across the form's columns, in its order.
    void addWide(QWidget *widget);

    // The chosen scenario's values, as the editor holds them.
    void refresh();
    // Each driver's message, from `problems` (blocking) or its notes.
    void showProblems(const HorizonChecks::Problems &problems);

private:
    struct Row {
        QString key;
        QLabel *caption = nullptr;
        QWidget *control = nullptr;
        QString unit;
        QToolButton *followBase = nullptr;
        QLabel *message = nullptr;
        // The driver's text as last shown or written, so that a field that only shows its
        // value again writes nothing.
        QString shown;
        // A blank field means the driver is not set (Blank::None), not that it is 0.
        bool unsetWhenBlank = false;
    };
    Row &addRow(const QString &key, const QString &caption, QWidget *control, const QString &unit);
    void fieldEdited(Row &row);
    void choiceMade(Row &row);
    void mark(Row &row);

    HorizonEditor *m_editor;
    QGridLayout *m_grid;
    int m_nextRow = 0;
    std::vector<std::unique_ptr<Row>> m_rows;
    bool m_refreshing = false;
};

// A message label beside an input: red for what stops the projection, brown for a note.
QLabel *newMessageLabel(QWidget *parent);
void showMessage(QLabel *label, const QString &problem, const QString &note = QString());
