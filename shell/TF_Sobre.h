#pragma once

#include <QDialog>

// The about box "F_Sobre": one picture over the whole fixed-size client area, no controls.
// It closes with Escape, Enter or its close button.
class TF_Sobre : public QDialog
{
    Q_OBJECT
public:
    explicit TF_Sobre(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
