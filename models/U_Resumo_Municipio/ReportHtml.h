#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The pieces the printed report is written in, shared by its chapters so that every table
// and heading looks alike.
namespace ReportHtml
{

QString escaped(const QString &text);

// A table whose heading row comes again on each page it crosses; a heading wraps only at its
// spaces. Texts stand to the left (the first column, and those listed), numbers to the right.
QString table(const QStringList &headers, const QList<QStringList> &rows,
              const QSet<int> &textColumns = {0});

// A heading in bold at `points`: the rich text's own headings take pixel sizes, tiny at the
// printer's fineness.
QString heading(const QString &text, int points, bool newPage = false);

} // namespace ReportHtml
