#include "shell/StudySession.h"

#include "core/region/RegionFile.h"
#include "core/study/StudyFile.h"
#include "core/study/StudyRecovery.h"
#include "frame/StudyInputs.h"
#include "models/U_Balanco/TF_Balanco.h"
#include "models/U_Horizonte/TF_Horizonte.h"
#include "shell/StudyPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

using namespace tavi;

namespace
{

constexpr int kRecentCount = 5;
const QString kRecentKey = QStringLiteral("estudos/recentes");
const QString kLastRegionKey = QStringLiteral("regioes/ultima");

QSettings &settings()
{
    static QSettings stored(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavi"),
                            QStringLiteral("Tavi"));
    return stored;
}

QString windowName(const QWidget *window)
{
    return StudyInputs::studyKeyOf(window);
}

QString regionNameOf(const region::Region &region, const QString &path)
{
    return !region.name.trimmed().isEmpty() ? region.name.trimmed()
                                            : QFileInfo(path).completeBaseName();
}

// The index of the municipality in the region; throws naming both when the region no longer
// has it (the planner removed it since it was opened).
int municipalityIndex(const region::Region &region, const QString &path, const QString &code)
{
    const int index = region.indexOf(code);
    if (index < 0)
        throw TaviError(QStringLiteral("A região \"%1\" (%2) não tem o município de código %3.")
                            .arg(regionNameOf(region, path), QDir::toNativeSeparators(path), code));
    return index;
}

} // namespace

StudySession::StudySession(QWidget *window, const QString &recoveryFolder)
    : QObject(window), m_window(window), m_study(defaultStudy()), m_saved(m_study)
{
    m_recovery = std::make_unique<StudyRecovery>(
        recoveryFolder.isEmpty() ? StudyRecovery::defaultFolder() : recoveryFolder);
    m_snapshot.setSingleShot(true);
    m_snapshot.setInterval(kSnapshotMs);
    connect(&m_snapshot, &QTimer::timeout, this, &StudySession::takeWindowInputs);
}

StudySession::~StudySession() = default;

QString StudySession::displayName() const
{
    if (!m_study.name.trimmed().isEmpty())
        return m_study.name.trimmed();
    if (!m_path.isEmpty())
        return QFileInfo(m_path).completeBaseName();
    return QStringLiteral("Novo estudo");
}

QString StudySession::title() const
{
    if (m_region.isEmpty())
        return displayName();
    return QStringLiteral("%1 — região %2").arg(displayName(), m_regionName);
}

QString StudySession::lastRegion() const
{
    return settings().value(kLastRegionKey).toString();
}

void StudySession::rememberRegion(const QString &path)
{
    if (path.isEmpty())
        settings().remove(kLastRegionKey);
    else
        settings().setValue(kLastRegionKey, QFileInfo(path).absoluteFilePath());
    settings().sync();
}

QStringList StudySession::recentStudies() const
{
    return settings().value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void StudySession::rememberRecent(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentStudies();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    settings().setValue(kRecentKey, recent.mid(0, kRecentCount));
    settings().sync();
}

void StudySession::attach(QWidget *moduleWindow)
{
    StudyInputs::fill(moduleWindow, windowInputs(m_study, windowName(moduleWindow)));
    m_moduleWindow = moduleWindow;
    // Typing is not interrupted: the study is brought up to date a little later, at most
    // once in each interval.
    StudyInputs::watch(moduleWindow, moduleWindow, [this] {
        if (!m_snapshot.isActive())
            m_snapshot.start();
    });
}

void StudySession::attachHorizon(TF_Horizonte *window)
{
    m_horizonWindow = window;
    connect(window, &TF_Horizonte::horizonEdited, window, [this] {
        if (!m_snapshot.isActive())
            m_snapshot.start();
    });
}

void StudySession::attachBalance(TF_Balanco *window)
{
    m_balanceWindow = window;
    connect(window, &TF_Balanco::balanceEdited, window, [this] {
        if (!m_snapshot.isActive())
            m_snapshot.start();
    });
}

void StudySession::detach(QWidget *moduleWindow)
{
    if (moduleWindow && moduleWindow == m_balanceWindow) {
        takeWindowInputs();
        m_balanceWindow = nullptr;
        return;
    }
    if (moduleWindow && moduleWindow == m_horizonWindow) {
        takeWindowInputs();
        m_horizonWindow = nullptr;
        return;
    }
    if (m_moduleWindow != moduleWindow)
        return;
    takeWindowInputs();
    m_moduleWindow = nullptr;
}

void StudySession::takeWindowInputs()
{
    m_snapshot.stop();
    if (m_horizonWindow) {
        const std::optional<StudyHorizon> horizon = m_horizonWindow->studyHorizon();
        if (horizon != m_study.horizon) {
            m_study.horizon = horizon;
            studyEdited();
        }
    }
    if (m_balanceWindow) {
        const std::optional<StudyBalance> balance = m_balanceWindow->studyBalance();
        if (balance != m_study.balance) {
            m_study.balance = balance;
            studyEdited();
        }
    }
    if (!m_moduleWindow)
        return;
    const WindowInputs inputs = StudyInputs::collect(m_moduleWindow);
    if (inputs == windowInputs(m_study, windowName(m_moduleWindow)))
        return;
    m_study.windows[windowName(m_moduleWindow)] = inputs;
    studyEdited();
}

// Keeps the recovery copy and the unsaved mark in step with the study.
void StudySession::studyEdited()
{
    const bool modified = isModified();
    if (modified && (!m_recovered || *m_recovered != m_study)) {
        m_recovery->write(m_study, m_path, m_region);
        m_recovered = std::make_unique<Study>(m_study);
    } else if (!modified && m_recovered) {
        m_recovery->remove();
        m_recovered.reset();
    }
    if (modified != m_wasModified) {
        m_wasModified = modified;
        emit changed();
    }
}

void StudySession::setStudy(const Study &study, const Study &saved, const QString &path,
                            const StudyRegionLink &region, const QString &regionName)
{
    m_study = study;
    m_saved = saved;
    m_path = path;
    m_region = region;
    m_regionName = region.isEmpty() ? QString() : regionName;
    m_wasModified = isModified();
    if (m_recovered) {
        m_recovery->remove();
        m_recovered.reset();
    }
    studyEdited();
    emit changed();
}

bool StudySession::maySetAside()
{
    takeWindowInputs();
    if (!isModified())
        return true;
    switch (StudyPrompts::askToSave(m_window, displayName())) {
    case StudyPrompts::SaveAnswer::Save:
        return save();
    case StudyPrompts::SaveAnswer::DontSave:
        return true;
    case StudyPrompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool StudySession::newStudy()
{
    if (!maySetAside())
        return false;
    setStudy(defaultStudy(), defaultStudy(), QString());
    return true;
}

bool StudySession::open()
{
    if (!maySetAside())
        return false;
    QString folder = m_path.isEmpty() ? QString() : QFileInfo(m_path).absolutePath();
    const QStringList recent = recentStudies();
    if (folder.isEmpty() && !recent.isEmpty())
        folder = QFileInfo(recent.first()).absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = StudyPrompts::chooseStudyToOpen(m_window, folder);
    return !path.isEmpty() && openFile(path, false);
}

bool StudySession::openFile(const QString &path, bool askFirst)
{
    if (askFirst && !maySetAside())
        return false;
    StudyReading reading;
    try {
        reading = loadStudyFile(path);
    } catch (const TaviError &error) {
        StudyPrompts::showError(m_window, error.message());
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    setStudy(reading.study, reading.study, absolute);
    rememberRecent(absolute);
    emit changed();
    if (!reading.defaulted.isEmpty())
        StudyPrompts::showNotice(
            m_window, QStringLiteral("O estudo \"%1\" não tinha todos os dados. Foram usados os "
                                     "valores padrão em:\n%2")
                          .arg(QDir::toNativeSeparators(absolute),
                               reading.defaulted.join(QLatin1Char('\n'))));
    return true;
}

bool StudySession::openMunicipality(const QString &regionPath, const QString &code, bool askFirst)
{
    if (askFirst && !maySetAside())
        return false;
    region::Region region;
    try {
        region = region::loadRegionFile(regionPath).region;
    } catch (const TaviError &error) {
        StudyPrompts::showError(m_window, error.message());
        return false;
    }
    return openMunicipality(regionPath, region, code, false);
}

bool StudySession::openMunicipality(const QString &regionPath, const region::Region &region,
                                    const QString &code, bool askFirst)
{
    if (askFirst && !maySetAside())
        return false;
    Study study;
    try {
        study = region::municipalityStudy(region, municipalityIndex(region, regionPath, code));
    } catch (const TaviError &error) {
        StudyPrompts::showError(m_window, error.message());
        return false;
    }
    const QString absolute = QFileInfo(regionPath).absoluteFilePath();
    setStudy(study, study, QString(), StudyRegionLink{absolute, code},
             regionNameOf(region, absolute));
    rememberRegion(absolute);
    return true;
}

// The municipality goes back into the region as it stands in the file now, so what the
// planner changed elsewhere in the region since it was opened is kept.
bool StudySession::saveToRegion()
{
    takeWindowInputs();
    const StudyRegionLink link = m_region;
    region::Region region;
    Study stored;
    try {
        region = region::loadRegionFile(link.regionPath).region;
        const int index = municipalityIndex(region, link.regionPath, link.code);
        region::setMunicipalityStudy(region, index, m_study);
        region::saveRegionFile(link.regionPath, region);
        // What the region holds now is what a later opening shows.
        stored = region::municipalityStudy(region, index);
    } catch (const TaviError &error) {
        StudyPrompts::showError(
            m_window, QStringLiteral("O estudo \"%1\" não foi salvo na região.\n\n%2\n\nCom "
                                     "\"Salvar estudo como…\" ele pode ser salvo num arquivo "
                                     "de estudo.")
                          .arg(displayName(), error.message()));
        return false;
    }
    setStudy(stored, stored, QString(), link, regionNameOf(region, link.regionPath));
    rememberRegion(link.regionPath);
    return true;
}

bool StudySession::saveTo(const QString &path)
{
    takeWindowInputs();
    Study study = m_study;
    if (study.name.trimmed().isEmpty())
        study.name = QFileInfo(path).completeBaseName();
    try {
        saveStudyFile(path, study);
    } catch (const TaviError &error) {
        StudyPrompts::showError(m_window, error.message());
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    setStudy(study, study, absolute);
    rememberRecent(absolute);
    emit changed();
    return true;
}

bool StudySession::save()
{
    if (!m_region.isEmpty())
        return saveToRegion();
    return m_path.isEmpty() ? saveAs() : saveTo(m_path);
}

bool StudySession::saveAs()
{
    QString suggested = m_path;
    if (suggested.isEmpty()) {
        QString folder;
        const QStringList recent = recentStudies();
        // A municipality of a region is saved beside its region, unless the planner keeps
        // studies elsewhere.
        if (!m_region.isEmpty() && recent.isEmpty())
            folder = QFileInfo(m_region.regionPath).absolutePath();
        else if (!recent.isEmpty())
            folder = QFileInfo(recent.first()).absolutePath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QString name = m_study.name.trimmed();
        name.replace(QLatin1Char('/'), QLatin1Char('-'));
        if (name.isEmpty())
            name = QStringLiteral("Estudo");
        suggested = QDir(folder).filePath(name + QStringLiteral(".tavi"));
    }
    const QString path = StudyPrompts::chooseStudyToSave(m_window, suggested);
    return !path.isEmpty() && saveTo(path);
}

bool StudySession::editNameAndNotes()
{
    QString name = m_study.name;
    QString notes = m_study.notes;
    if (!StudyPrompts::editNameAndNotes(m_window, &name, &notes))
        return false;
    if (name == m_study.name && notes == m_study.notes)
        return true;
    m_study.name = name;
    m_study.notes = notes;
    studyEdited();
    emit changed();
    return true;
}

void StudySession::finish()
{
    m_snapshot.stop();
    m_recovery->remove();
    m_recovered.reset();
}

bool StudySession::offerRecovery()
{
    const std::optional<StudyRecovery::Orphan> orphan = m_recovery->findOrphan();
    if (!orphan)
        return false;
    const QString original = orphan->reading.originalPath;
    const StudyRegionLink link = orphan->reading.regionLink;
    const QString name = !orphan->reading.study.name.trimmed().isEmpty()
                             ? orphan->reading.study.name.trimmed()
                         : !original.isEmpty() ? QFileInfo(original).completeBaseName()
                                               : QStringLiteral("Novo estudo");
    const QString text =
        QStringLiteral("O programa não foi encerrado normalmente e o estudo \"%1\" tinha "
                       "alterações que não foram salvas. Há uma cópia de recuperação de %2.\n\n"
                       "Deseja restaurá-la?")
            .arg(name, orphan->written.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    const bool restore = StudyPrompts::offerRecovery(m_window, text);
    if (restore) {
        // The restored study has unsaved changes against its file (or against a new study).
        Study saved = defaultStudy();
        QString regionName;
        if (!link.isEmpty()) {
            // Still the region's municipality: "Salvar" puts it back there, or says why not.
            regionName = QFileInfo(link.regionPath).completeBaseName();
            try {
                const region::Region region = region::loadRegionFile(link.regionPath).region;
                regionName = regionNameOf(region, link.regionPath);
                saved = region::municipalityStudy(
                    region, municipalityIndex(region, link.regionPath, link.code));
            } catch (const TaviError &) {
            }
        } else if (!original.isEmpty()) {
            try {
                saved = loadStudyFile(original).study;
            } catch (const TaviError &) {
            }
        }
        setStudy(orphan->reading.study, saved, link.isEmpty() ? original : QString(), link,
                 regionName);
        if (!isModified()) {
            // Nothing differs from the file: the copy was written just before a save.
            m_recovery->discard(*orphan);
            return true;
        }
    }
    m_recovery->discard(*orphan);
    return restore;
}
