#pragma once

#include <QDialog>

// The about box "F_Sobre": one picture over the whole fixed-size client area, no controls.
// It closes only through its close button or system menu.
class TF_Sobre : public QDialog
{
    Q_OBJECT
public:
    explicit TF_Sobre(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
