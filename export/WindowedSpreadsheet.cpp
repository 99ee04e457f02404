#include "export/WindowedSpreadsheet.h"

#include "export/WorkbookWindow.h"
#include "frame/ScreenCentre.h"

#include <QApplication>

WindowedSpreadsheet::WindowedSpreadsheet(QWidget *owner) : m_owner(owner) {}

WindowedSpreadsheet::~WindowedSpreadsheet() = default;

void WindowedSpreadsheet::shown()
{
    m_window = new WorkbookWindow(workbook(), m_owner);
    m_window->setSuggestedFileName(suggestedFileName());
    centreOnScreen(m_window);
    m_window->show();
    keepOnScreen(m_window);
    m_window->activateWindow();
    // At once, as every window of the program does: the module window must know it is
    // covered whether or not a window manager gets round to telling it.
    QApplication::setActiveWindow(m_window);
}

void WindowedSpreadsheet::workbookChanged()
{
    if (m_window)
        m_window->workbookChanged();
}

void WindowedSpreadsheet::quitting()
{
    if (m_window)
        m_window->close();
}

void WindowedSpreadsheet::abandoning() noexcept
{
    if (m_window)
        m_window->discard();
}
