#pragma once

#include <QApplication>

// The application-wide busy cursor, switched on and back off explicitly, and always back
// off when this goes out of scope, whatever path leaves it.
class BusyCursor
{
public:
    BusyCursor() = default;
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

    void set()
    {
        if (m_set)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_set = true;
    }
    void restore()
    {
        if (!m_set)
            return;
        QApplication::restoreOverrideCursor();
        m_set = false;
    }

private:
    bool m_set = false;
};
