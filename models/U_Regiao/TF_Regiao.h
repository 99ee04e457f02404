#pragma once

#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "frame/ModuleWindow.h"

#include <QString>

#include <memory>

class QUndoStack;
namespace tavi::region
{
struct ImportTables;
}

// "Região": many municipalities at once. The planner builds the region from a template study
// and the public tables (each import previewed before it changes anything, and undone with
// Ctrl+Z), groups the municipalities, computes them all away from the window's thread with a
// progress bar and Cancel, and reads the results, the totals and the charts. The region lives
// in its own file (".tavi-regiao"), kept safe by a recovery copy while it has unsaved changes.
class TF_Regiao : public ModuleWindow
{
    Q_OBJECT
public:
    // `recoveryFolder`: where recovery copies live (the user's data folder when empty).
    explicit TF_Regiao(QWidget *parent = nullptr, const QString &recoveryFolder = QString());
    ~TF_Regiao() override;

    // The window closes with this result when the planner asked to open a municipality as a
    // study (the region saved first): municipalityToOpen() names it, regionPath() its region.
    static constexpr int kOpenMunicipality = 2;
    // How often, at most, the recovery copy is written while the region has unsaved changes.
    static constexpr int kSnapshotMs = 2000;

    // Opens the region in the file; says why in a box and returns false when it does not read.
    bool openRegion(const QString &path);
    const tavi::region::Region &region() const;
    // The file the region was opened from or last saved to; empty for a new region.
    QString regionPath() const;
    bool isModified() const;
    // The seven-digit code of the municipality to open as a study; empty unless the window
    // closed with kOpenMunicipality.
    QString municipalityToOpen() const;

    // What the window shows after its latest computation; none before one, and none once the
    // region changed after it.
    const tavi::region::RegionResults *shownResults() const;
    // Whether a computation is running.
    bool isComputing() const;
    QUndoStack *undoStack() const;

    // The import commands once their files are chosen: each reads the files, shows the
    // preview and changes the region only when the planner confirms it. A table that does
    // not read leaves the region as it was and says why (thrown, for the handler's guard).
    void importTables(const QStringList &paths);
    void importCodeTable(const QString &path, bool referenceFlows);
    // The template study read from a .tavi file.
    void useTemplate(const QString &path);
    // At the window's start: offers back the region a window that did not close cleanly left
    // unsaved. Returns true when it was restored.
    bool offerRecovery();

public slots:
    void FormActivate() override;
    void b_salvarClick() override;
    void b_calcularClick();
    void b_cancelar_calculoClick();
    void a_novaTriggered();
    void a_abrirTriggered();
    bool a_salvar_regiaoTriggered();
    bool a_salvar_comoTriggered();
    void a_modeloTriggered();
    void a_importar_tabelasTriggered();
    void a_importar_gruposTriggered();
    void a_importar_vazoesTriggered();
    void b_relatorioClick();
    void b_abrir_estudoClick();
    void b_exportar_estudoClick();
    void b_adicionarClick();
    void b_removerClick();

public:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;

    QWidget *buildTopBar();
    QWidget *buildRegionColumn();
    QWidget *buildMunicipalitiesTab();
    QWidget *buildResultsTab();
    QWidget *buildChartsTab();
    // The region as the planner changed it, one step of the undo stack named `what`.
    void changeRegion(const tavi::region::Region &after, const QString &what);
    // Shows `region` as the window's own (what an undo step or an opening does).
    void setRegion(const tavi::region::Region &region);
    // A region from a file or a new one: nothing to undo, nothing unsaved.
    void startRegion(const tavi::region::Region &region, const QString &path);
    void showMunicipalities();
    void showRegionFields();
    void showTitle();
    void groupTyped(const QString &code, const QString &group);
    // The name and notes typed and not yet taken into the region.
    void commitTexts();
    void previewAndApply(tavi::region::ImportTables tables, const QString &title);
    void regionChanged();
    void writeRecovery();
    bool saveTo(const QString &path);
    // Whether the region may be set aside: nothing unsaved, or saved, or the planner chose
    // not to save it.
    bool maySetAside();
    int selectedMunicipality() const;
    void progressed(int done, int total);
    void computed(quint64 generation, tavi::region::RegionResults results, const QString &error);
    void showResults();
    void clearResults() override;
    void cancelComputation(bool wait);
    void placeFrame();
};
