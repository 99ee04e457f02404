#include "models/U_Regiao/SortedRows.h"

#include "core/numbers/EntryRules.h"

#include <QCollator>

#include <algorithm>
#include <optional>
#include <vector>

namespace RegionSorting
{

void sortRows(tavi::CellTable &table, int column, Qt::SortOrder order, int rows,
              const tavi::LocaleSettings &locale)
{
    rows = std::min(rows, table.storedRows());
    if (rows <= 2 || column < 0 || column >= table.columns())
        return;
    struct Key {
        int row;
        QString text;
        std::optional<long double> number;
    };
    std::vector<Key> keys;
    keys.reserve(std::size_t(rows - 1));
    for (int r = 1; r < rows; ++r) {
        const QString &text = table.cell(column, r);
        long double value = 0;
        std::optional<long double> number;
        // readEntry takes "" for 0: an empty cell is no figure here.
        if (!text.trimmed().isEmpty() && tavi::readEntry(text, &value, locale))
            number = value;
        keys.push_back({r, text, number});
    }
    QCollator collator(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collator.setNumericMode(true);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        const bool aBlank = a.text.trimmed().isEmpty() || a.text == QStringLiteral("—");
        const bool bBlank = b.text.trimmed().isEmpty() || b.text == QStringLiteral("—");
        if (aBlank || bBlank)
            return !aBlank && bBlank;
        if (a.number && b.number)
            return ascending ? *a.number < *b.number : *b.number < *a.number;
        // Figures before words, as a blank after them.
        if (a.number.has_value() != b.number.has_value())
            return a.number.has_value();
        const int compared = collator.compare(a.text, b.text);
        return ascending ? compared < 0 : compared > 0;
    });
    std::vector<QStringList> moved;
    moved.reserve(keys.size());
    for (const Key &key : keys) {
        QStringList cells;
        for (int c = 0; c < table.columns(); ++c)
            cells << table.cell(c, key.row);
        moved.push_back(cells);
    }
    tavi::CellTable::Batch batch(table);
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < table.columns(); ++c)
            table.setCell(c, r, moved[std::size_t(r - 1)][c]);
}

} // namespace RegionSorting
