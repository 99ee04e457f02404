#pragma once

#include <QDialog>

// A stand-in for a module window that is not written yet: its caption and a notice.
// Escape closes it, as it closes every module window.
class PlaceholderWindow : public QDialog
{
    Q_OBJECT
public:
    PlaceholderWindow(const QString &caption, const QString &name, QWidget *parent = nullptr);
};
