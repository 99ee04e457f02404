#pragma once

// A spreadsheet application for tests: it records every call, in a readable line each, and
// can be told to fail at any one of them, as an automation call fails.

#include "core/workbook/WorkbookRange.h"
#include "export/SpreadsheetApp.h"

#include <QApplication>
#include <QStringList>
#include <map>
#include <stdexcept>
#include <vector>

namespace testing
{

class RecordingSpreadsheet : public SpreadsheetFactory
{
public:
    // Call numbers of the spreadsheet application interface.
    enum Operation {
        Create = 1,
        WorkbooksAdd,
        FontStyle,
        CellText,
        AutoFit,
        Visible,
        SheetsAdd,
        SheetName,
        SheetRange,
        SeriesValues,
        ChartType,
        Quit,
        NewSeries,
        SeriesXValues,
        Abandon = 99, // not a numbered call: the export's own ending after a failure
    };

    QStringList calls;            // one line per call, in order
    std::vector<Operation> ops;   // the operation of each call
    std::vector<bool> busyCursor; // whether the busy cursor was on during each call
    int failAtCall = 0;           // the 1-based call that throws, 0 for none
    int appsAlive = 0;            // applications started and not yet released
    QString suggestedFileName;    // the file name the export offered for saving

    std::unique_ptr<SpreadsheetApp> create(const QString &progId, QWidget *) override
    {
        record(Create, QStringLiteral("create %1").arg(progId));
        return std::make_unique<App>(*this);
    }

    // The calls of one operation.
    QStringList callsOf(Operation op) const
    {
        QStringList found;
        for (size_t i = 0; i < ops.size(); ++i)
            if (ops[i] == op)
                found << calls[static_cast<int>(i)];
        return found;
    }
    // The first call of `op`, 1-based, or 0.
    int firstCallOf(Operation op) const
    {
        for (size_t i = 0; i < ops.size(); ++i)
            if (ops[i] == op)
                return static_cast<int>(i) + 1;
        return 0;
    }

    static QString cell(int row, int column, const QString &text)
    {
        return QStringLiteral("cell %1%2 %3").arg(tavi::columnLetters(column)).arg(row).arg(text);
    }
    static QString bold(int row, int column)
    {
        return QStringLiteral("bold %1%2").arg(tavi::columnLetters(column)).arg(row);
    }

private:
    void record(Operation op, const QString &line)
    {
        calls << line;
        ops.push_back(op);
        busyCursor.push_back(QApplication::overrideCursor() != nullptr);
        if (calls.size() == failAtCall)
            throw std::runtime_error("simulated automation failure");
    }

    class App : public SpreadsheetApp
    {
    public:
        explicit App(RecordingSpreadsheet &log) : m_log(log) { ++m_log.appsAlive; }
        ~App() override { --m_log.appsAlive; }

        void workbooksAdd(int t) override
        {
            m_log.record(WorkbooksAdd, QStringLiteral("workbooksAdd %1").arg(t));
        }
        void setCellFontStyle(int w, int s, int row, int column, const QString &style) override
        {
            // Writes anywhere but the first sheet of the first workbook show in the line.
            QString line = style == QLatin1String("Negrito")
                               ? bold(row, column)
                               : QStringLiteral("style %1").arg(style);
            m_log.record(FontStyle, where(w, s) + line);
        }
        void setCellText(int w, int s, int row, int column, const QString &text) override
        {
            m_log.record(CellText, where(w, s) + cell(row, column, text));
        }
        void columnsAutoFit() override { m_log.record(AutoFit, QStringLiteral("autoFit")); }
        void setVisible(bool v) override
        {
            m_log.record(Visible, QStringLiteral("visible %1").arg(v ? "true" : "false"));
        }
        void sheetsAdd(int w, int count, int type) override
        {
            m_log.record(SheetsAdd,
                         QStringLiteral("sheetsAdd %1 %2 %3").arg(w).arg(count).arg(type));
        }
        void setSheetName(int w, int s, const QString &name) override
        {
            m_log.record(SheetName, QStringLiteral("sheetName %1 %2 %3").arg(w).arg(s).arg(name));
        }
        tavi::CellRange sheetRange(const QString &sheet, const QString &reference) override
        {
            m_log.record(SheetRange, QStringLiteral("range %1 %2").arg(sheet, reference));
            return tavi::parseRangeReference(sheet, reference);
        }
        void setSeriesValues(const QString &chart, int series,
                             const tavi::CellRange &values) override
        {
            m_log.record(SeriesValues, QStringLiteral("seriesValues %1 %2 %3")
                                           .arg(chart)
                                           .arg(series)
                                           .arg(tavi::absoluteReference(values)));
        }
        void setChartType(const QString &chart, int type) override
        {
            m_log.record(ChartType, QStringLiteral("chartType %1 %2").arg(chart).arg(type));
        }
        int newSeries(const QString &chart) override
        {
            m_log.record(NewSeries, QStringLiteral("newSeries %1").arg(chart));
            // Each chart counts its own series, the first already there.
            return ++m_seriesOf.try_emplace(chart, 1).first->second;
        }
        void setSeriesXValues(const QString &chart, int series,
                              const tavi::CellRange &categories) override
        {
            m_log.record(SeriesXValues, QStringLiteral("seriesXValues %1 %2 %3")
                                            .arg(chart)
                                            .arg(series)
                                            .arg(tavi::absoluteReference(categories)));
        }
        void quit() override { m_log.record(Quit, QStringLiteral("quit")); }
        void suggestFileName(const QString &fileName) noexcept override
        {
            m_log.suggestedFileName = fileName;
        }
        void abandon() noexcept override
        {
            m_log.calls << QStringLiteral("abandon");
            m_log.ops.push_back(Abandon);
            m_log.busyCursor.push_back(QApplication::overrideCursor() != nullptr);
        }

    private:
        static QString where(int w, int s)
        {
            return w == 1 && s == 1 ? QString() : QStringLiteral("[%1/%2] ").arg(w).arg(s);
        }
        RecordingSpreadsheet &m_log;
        std::map<QString, int> m_seriesOf;
    };
};

} // namespace testing
