#pragma once

#include "export/WorkbookSpreadsheet.h"
#include "export/WorkbookWindow.h"

#include <QPointer>

// The program's spreadsheet application: made visible, it shows its workbook in a
// WorkbookWindow over the module window that started it; asked to quit, it closes that
// window, which first asks the user whether to save. The window keeps the workbook after
// this application is released at the end of the export.
class WindowedSpreadsheet : public WorkbookSpreadsheet
{
public:
    explicit WindowedSpreadsheet(QWidget *owner);
    ~WindowedSpreadsheet() override;

    WorkbookWindow *window() const { return m_window; }

protected:
    void shown() override;
    void workbookChanged() override;
    void quitting() override;
    void abandoning() noexcept override;

private:
    QPointer<QWidget> m_owner;
    QPointer<WorkbookWindow> m_window;
};
