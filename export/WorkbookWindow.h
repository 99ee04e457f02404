#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class QTabWidget;
class QPushButton;

namespace tavi
{
class Workbook;
}

// The window that hands an exported workbook over to the user: one tab per sheet in
// workbook order (worksheets as grids with their bold cells and column widths, chart sheets
// as charts) and a command to save it as an .xlsx file.
//
// It opens over the module window that exported it, modal to it, so the module window takes
// input again once the workbook has been saved or dropped. Closing it asks whether to save
// the workbook if it changed since it was last saved: "Salvar" (a file dialog; the window
// stays when the dialog is cancelled or the save fails), "Não Salvar" (the workbook is gone)
// or "Cancelar" (the window stays). Once closed it gives activation back to the module
// window and deletes itself.
class WorkbookWindow : public QWidget
{
    Q_OBJECT
public:
    WorkbookWindow(std::shared_ptr<tavi::Workbook> workbook, QWidget *owner);
    ~WorkbookWindow() override;

    const tavi::Workbook &workbook() const { return *m_workbook; }
    // Whether the workbook changed since it was last saved (a new one always has).
    bool isModified() const { return m_modified; }
    QTabWidget *tabs() const { return m_tabs; }
    // The file name offered the first time the workbook is saved; without one, the
    // workbook's name with ".xlsx".
    void setSuggestedFileName(const QString &fileName) { m_suggestedFileName = fileName; }

public slots:
    // The workbook changed: redraw it once the current event is done, however many
    // changes come before that.
    void workbookChanged();
    // Redraws every sheet now.
    void refresh();
    // Asks for a file and saves the workbook there; false when cancelled or failed (the
    // failure shown to the user).
    bool save();
    // Closes without asking; the workbook is gone.
    void discard();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *makeSheetView(int index);
    void updateTitle();

    std::shared_ptr<tavi::Workbook> m_workbook;
    QPointer<QWidget> m_owner;
    QTabWidget *m_tabs;
    QPushButton *m_saveButton;
    QPushButton *m_closeButton;
    QString m_savedPath;
    QString m_suggestedFileName;
    bool m_modified = true;
    bool m_refreshQueued = false;
    bool m_discarding = false;
    bool m_closing = false;
};
