#pragma once

#include "core/region/RegionImport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

// The preview of an import: the counts, then what the tables would do, list by list (the
// changes, the rows recognised, those without a municipality in the region, the repeated
// ones, the values not available, the tables' notes). Nothing changes in the region until
// "Confirmar"; the preview it confirms is preview().
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    ImportPreviewDialog(const tavi::region::Region &region, tavi::region::ImportTables tables,
                        const QString &title, QWidget *parent = nullptr);
    ~ImportPreviewDialog() override;

    const tavi::region::ImportPreview &preview() const { return m_preview; }
    QCheckBox *includeMissing() const { return cx_incluir; }
    QPushButton *confirmButton() const { return b_confirmar; }
    QPushButton *cancelButton() const { return b_cancelar; }
    QTabWidget *lists() const { return tw_previa; }

private:
    void makePreview();
    void showPreview();

    const tavi::region::Region &m_region;
    tavi::region::ImportTables m_tables;
    tavi::region::ImportPreview m_preview;

    QLabel *l_contagens = nullptr;
    QCheckBox *cx_incluir = nullptr;
    QTabWidget *tw_previa = nullptr;
    QPushButton *b_confirmar = nullptr;
    QPushButton *b_cancelar = nullptr;
};
