#pragma once

#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "frame/ModuleWindow.h"

#include <QString>

#include <memory>

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

    // Opens the region in the file; says why in a box and returns false when it does not read.
    bool openRegion(const QString &path);
    const tavi::region::Region &region() const;
    // The file the region was opened from or last saved to; empty for a new region.
    QString regionPath() const;
    bool isModified() const;
    // The seven-digit code of the municipality to open as a study; empty unless the window
    // closed with kOpenMunicipality.
    QString municipalityToOpen() const;

    // What the window shows after its latest computation; none before one.
    const tavi::region::RegionResults *shownResults() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
