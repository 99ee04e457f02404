#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class DriverForm;
class DriverTable;
class HorizonEditor;
class QVBoxLayout;
namespace HorizonChecks
{
struct Problems;
}

// One tab of the horizon window's drivers: shows the chosen scenario's values and the
// messages about them.
class DriversTab : public QWidget
{
public:
    using QWidget::QWidget;
    virtual void refresh() = 0;
    virtual void showProblems(const HorizonChecks::Problems &problems) = 0;
};

// A tab of fields, then tables, then whatever else a sector needs, in that reading order.
class FormTab : public DriversTab
{
public:
    FormTab(HorizonEditor *editor, QWidget *parent = nullptr);

    DriverForm *form() const { return m_form; }
    void addTable(DriverTable *table);
    // A widget of the tab's own, refreshed with the rest.
    void addWidget(QWidget *widget, std::function<void()> refresh);

    void refresh() override;
    void showProblems(const HorizonChecks::Problems &problems) override;

private:
    HorizonEditor *m_editor;
    DriverForm *m_form;
    QVBoxLayout *m_layout;
    std::vector<DriverTable *> m_tables;
    std::vector<std::function<void()>> m_refreshes;
};

// The drivers of each sector; every key is one of HorizonKeys.h.
FormTab *newSupplyTab(HorizonEditor *editor, QWidget *parent);
FormTab *newLivestockTab(HorizonEditor *editor, QWidget *parent);
FormTab *newAgricultureTab(HorizonEditor *editor, QWidget *parent);
FormTab *newDilutionTab(HorizonEditor *editor, QWidget *parent);
