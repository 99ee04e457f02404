#pragma once

#include "shell/ModuleWindows.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class StretchedImage;
class StudySession;

// The main window "F_Principal": a picture that stretches with the window, and the main
// menu from which the module windows and the about box are opened, one at a time, modally.
// The windows work on the current study, which the "Arquivo" menu creates, opens and saves;
// the caption names it and marks unsaved changes with "*".
class TF_Principal : public QMainWindow
{
    Q_OBJECT
public:
    // `recoveryFolder`: where recovery copies live (the user's data folder when empty).
    explicit TF_Principal(QWidget *parent = nullptr, const QString &recoveryFolder = QString());

    StretchedImage *image() const { return m_image; }
    StudySession *session() const { return m_session; }
    // After the splash: offers to restore a study left unsaved by a program that did not end
    // cleanly, else opens `path` (the study named on the command line), if any.
    void startStudies(const QString &path);

public slots:
    void AbastecimentoPblico1Click();
    void Pecuria1Click();
    void Agricultura1Click();
    void guaparaaDiluiodeEsgotosDomsticos1Click();
    void AjudadoModelo1Click();
    void Sobre1Click();
    void SairdoTAVI1Click();
    void a_novo_estudoTriggered();
    void a_abrir_estudoTriggered();
    void a_salvar_estudoTriggered();
    void a_salvar_estudo_comoTriggered();
    void a_nome_estudoTriggered();
    void a_resumoTriggered();
    void a_horizonteTriggered();
    void a_balancoTriggered();
    void a_regiaoTriggered();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    // Creates a fresh instance of the window, shows it modally and destroys it on return.
    void openModal(const std::function<std::unique_ptr<QDialog>()> &create);
    // As openModal, for a window `createAttached` has attached to the session: the session
    // lets go of it however it closes.
    void openAttached(const std::function<std::unique_ptr<QDialog>()> &createAttached);
    void openModule(tavi::SectorId sector);
    void buildFileMenu(QMenu *menu);
    void showStudy();
    void rebuildRecentStudies();
    // Whether the program may end: the study's unsaved changes saved or let go.
    bool mayEnd();

    StretchedImage *m_image = nullptr;
    StudySession *m_session = nullptr;
    QString m_recoveryFolder;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recentActions;
};
