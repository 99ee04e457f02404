#pragma once

#include "core/region/Region.h"
#include "core/study/Study.h"
#include "core/study/StudyFile.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class QWidget;
class TF_Balanco;
class TF_Horizonte;

namespace tavi
{
class StudyRecovery;
}

// The study the program works on: what the module windows are filled from and write back
// to, the file it belongs to, whether it has unsaved changes, and its recovery copy.
class StudySession : public QObject
{
    Q_OBJECT
public:
    // `window`: the window the session's boxes and dialogs open over. `recoveryFolder`: where
    // recovery copies live (the user's data folder when empty).
    explicit StudySession(QWidget *window, const QString &recoveryFolder = QString());
    ~StudySession() override;

    const tavi::Study &study() const { return m_study; }
    // The file the study was opened from or last saved to; empty for a new study.
    const QString &path() const { return m_path; }
    bool isModified() const { return m_study != m_saved; }
    // The study's name, else its file's name, else "Novo estudo".
    QString displayName() const;
    // What the caption calls the study: its name, and the region it belongs to, if any
    // ("São Paulo (SP) — região Alto Tietê").
    QString title() const;
    // When the study is a municipality of a region: the region's file and the municipality's
    // code. Such a study has no file of its own (path() is empty): "Salvar" writes it back
    // into the region.
    const tavi::StudyRegionLink &regionLink() const { return m_region; }
    // The region's name as it last read, else its file's name; empty for an ordinary study.
    const QString &regionName() const { return m_regionName; }
    // The region file the planner last worked on, empty when none; an empty path forgets it.
    QString lastRegion() const;
    void rememberRegion(const QString &path);
    // The most recently opened or saved studies, newest first, at most five.
    QStringList recentStudies() const;

    // A module window works on the study while it is open: filled from it now, and what the
    // user types is taken back every few seconds and when it closes.
    void attach(QWidget *moduleWindow);
    void detach(QWidget *moduleWindow);
    // The horizon window works on the study's horizon the same way; it was made from the
    // study as it stands, and its horizon is taken back as the module windows' inputs are.
    void attachHorizon(TF_Horizonte *window);
    // And the balance window on the study's balance.
    void attachBalance(TF_Balanco *window);

    // The commands of the "Arquivo" menu. Each asks first whether to save unsaved changes
    // where it would set them aside; false when the user cancelled or a file failed.
    bool newStudy();
    bool open();
    bool openFile(const QString &path, bool askFirst = true);
    // Opens the municipality with that code, of the region in the file at `regionPath`, as the
    // study; `region` is what that file holds, already read.
    bool openMunicipality(const QString &regionPath, const QString &code, bool askFirst = true);
    bool openMunicipality(const QString &regionPath, const tavi::region::Region &region,
                          const QString &code, bool askFirst = true);
    bool save();
    bool saveAs();
    bool editNameAndNotes();
    // Whether the current study may be set aside: nothing unsaved, or the user saved it or
    // chose not to.
    bool maySetAside();
    // The program ends cleanly: the recovery copy goes.
    void finish();
    // At start: offers to restore what a program that did not end cleanly left unsaved.
    // Returns true when a study was restored.
    bool offerRecovery();
    // Takes what the open module window holds into the study at once.
    void takeWindowInputs();

    // How often, at most, typing in a window updates the study and its recovery copy.
    static constexpr int kSnapshotMs = 2000;

signals:
    // The name, file, unsaved state or recent list changed.
    void changed();

private:
    void setStudy(const tavi::Study &study, const tavi::Study &saved, const QString &path,
                  const tavi::StudyRegionLink &region = tavi::StudyRegionLink(),
                  const QString &regionName = QString());
    void studyEdited();
    void rememberRecent(const QString &path);
    bool saveTo(const QString &path);
    bool saveToRegion();

    QWidget *m_window;
    tavi::Study m_study;
    tavi::Study m_saved;
    QString m_path;
    tavi::StudyRegionLink m_region;
    QString m_regionName;
    QPointer<QWidget> m_moduleWindow;
    QPointer<TF_Horizonte> m_horizonWindow;
    QPointer<TF_Balanco> m_balanceWindow;
    QTimer m_snapshot;
    std::unique_ptr<tavi::StudyRecovery> m_recovery;
    // What the recovery copy holds now, so an unchanged study is not written again.
    std::unique_ptr<tavi::Study> m_recovered;
    bool m_wasModified = false;
};
