#pragma once

#include "shell/ModuleWindows.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class StretchedImage;

// The main window "F_Principal": a picture that stretches with the window, and the main
// menu from which the module windows and the about box are opened, one at a time, modally.
class TF_Principal : public QMainWindow
{
    Q_OBJECT
public:
    explicit TF_Principal(QWidget *parent = nullptr);

    StretchedImage *image() const { return m_image; }

public slots:
    void AbastecimentoPblico1Click();
    void Pecuria1Click();
    void Agricultura1Click();
    void guaparaaDiluiodeEsgotosDomsticos1Click();
    void Sobre1Click();
    void SairdoTAVI1Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    // Creates a fresh instance of the window, shows it modally and destroys it on return.
    void openModal(const std::function<std::unique_ptr<QDialog>()> &create);
    void openModule(ModuleKind kind);

    StretchedImage *m_image = nullptr;
};
