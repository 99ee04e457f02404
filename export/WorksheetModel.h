#pragma once

#include <QAbstractTableModel>
#include <QFont>

namespace tavi
{
class Worksheet;
}

// A worksheet as a grid view shows it: column letters and row numbers as headers, numbers
// in the general format right-aligned, texts left-aligned, bold cells bold. It shows at least
// a screenful of rows and columns, as a spreadsheet does, and reads the sheet afresh on
// reload().
class WorksheetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    WorksheetModel(const tavi::Worksheet &sheet, const QFont &font, QObject *parent = nullptr);

    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const tavi::Worksheet &m_sheet;
    QFont m_bold;
};
