#pragma once

#include <QDialog>

class QApplication;
class QTextBrowser;

// The user's guide, shipped inside the program: one page per window, shown in a browser of
// its own, so help opens wherever the program runs, with no desktop program behind it.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    // The guide's page for a window: by its object name, else by the window it was opened
    // from; the guide's first page when none has its own ("index.html").
    static QString pageFor(const QWidget *window);

    // Shows the guide at `page` over `from`'s window, in the window's own guide when one is
    // open already. A child of that window, it can be read while the window is used.
    static HelpWindow *open(QWidget *from, const QString &page);

    // F1 anywhere in the program opens the page of the window in use.
    static void installKey(QApplication *application);

    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget *parent);
    void showPage(const QString &page);

    QTextBrowser *m_browser;
};
