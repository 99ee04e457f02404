#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace tavi
{
struct WindowInputs;
}

class QChart;
class QPdfWriter;

// The pieces the printed report is written in, shared by its chapters so that every table
// and heading looks alike.
namespace ReportHtml
{

QString escaped(const QString &text);

// A table whose heading row comes again on each page it crosses; a heading wraps only at its
// spaces. Texts stand to the left (the first column, and those listed), numbers to the right.
QString table(const QStringList &headers, const QList<QStringList> &rows,
              const QSet<int> &textColumns = {0});

// The same for a table of many columns of figures: a smaller type, no figure broken across
// lines (the first column's texts wrap), and each column the share of the page's width given
// (percent), so that it keeps within the page with no heading's word broken either.
QString wideTable(const QStringList &headers, const QList<QStringList> &rows,
                  const QList<int> &percentWidths);

// A heading in bold at `points`: the rich text's own headings take pixel sizes, tiny at the
// printer's fineness.
QString heading(const QString &text, int points, bool newPage = false);

// The agriculture window's crops with their parameters, a row a crop class, figures as the
// user writes them.
QString cropTable(const tavi::WindowInputs &agriculture);

// A chart drawn in where its mark stands in the report's text, `heightShare` of the page high.
struct PlacedChart {
    QString mark;
    QChart *chart = nullptr;
    double heightShare = 0.5;
};

// The report's pages: its text at the printer's fineness, tables whose heading row comes again
// on each page, the charts drawn in as vectors in the paper's fonts, and a footer of `footer`
// followed by the page's number.
void printPages(QPdfWriter &pdf, const QString &html, const std::vector<PlacedChart> &charts,
                const QString &footer);

} // namespace ReportHtml
