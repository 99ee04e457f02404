#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/tables/CellTable.h"
#include "export/SaveLocation.h"
#include "export/SummaryExport.h"
#include "frame/ErrorBox.h"
#include "frame/Fonts.h"
#include "frame/ResultGrid.h"
#include "models/U_Resumo_Municipio/SummaryCharts.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tavi;

namespace
{

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry,
                 const QFont &font = Fonts::windowFont())
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    return label;
}

TF_Resumo_Municipio::ReportPathChooser &reportPathChooser()
{
    static TF_Resumo_Municipio::ReportPathChooser chooser;
    return chooser;
}

QString chooseReportPath(QWidget *parent, const QString &suggested)
{
    if (const auto &hook = reportPathChooser())
        return hook(parent, suggested);
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Imprimir relatório"),
                                                suggested, QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace

void TF_Resumo_Municipio::setReportPathChooser(ReportPathChooser chooser)
{
    reportPathChooser() = std::move(chooser);
}

TF_Resumo_Municipio::TF_Resumo_Municipio(QWidget *parent)
    : TF_Resumo_Municipio([] { return defaultStudy(); }, parent)
{
}

TF_Resumo_Municipio::TF_Resumo_Municipio(std::function<Study()> study, QWidget *parent)
    : ModuleWindow(parent), m_study(std::move(study))
{
    setObjectName(QStringLiteral("F_Resumo_Municipio"));
    setWindowTitle(QStringLiteral("Resumo do Município"));
    setFixedSize(1000, 716);
    addTitleBlock(QStringLiteral("Resumo do Município"));
    addButtons(this, QPoint(744, 2), QPoint(828, 2), QPoint(912, 2));
    simularButton()->setText(QStringLiteral("Atualizar"));
    simularButton()->setToolTip(QStringLiteral("Calcula de novo a partir do estudo"));

    auto *report = new QPushButton(QStringLiteral("Imprimir relatório…"), this);
    report->setObjectName(QStringLiteral("b_relatorio"));
    report->setToolTip(QStringLiteral("Grava o resumo em PDF (Ctrl+P)"));
    report->setGeometry(560, 30, 170, 28);
    // Not the window's default button: it would look focused when it is not.
    report->setAutoDefault(false);
    connect(report, &QPushButton::clicked, this,
            [this] { guarded([this] { b_relatorioClick(); }); });
    auto *print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, this,
            [this] { guarded([this] { b_relatorioClick(); }); });

    QFrame *days =
        addPanel(this, QRect(9, 64, 470, 643),
                 QStringLiteral("Demanda Diária do Município (m3/dia)"), QStringLiteral("Panel1"));
    auto *choice = addLabel(days, QStringLiteral("Abastecimento público:"), QRect(10, 30, 160, 22));
    cb_cenario = new QComboBox(days);
    cb_cenario->setObjectName(QStringLiteral("cb_cenario"));
    cb_cenario->addItems({QStringLiteral("ATUAL"), QStringLiteral("FUTURA")});
    cb_cenario->setGeometry(172, 29, 100, 24);
    choice->setBuddy(cb_cenario);
    connect(cb_cenario, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { guarded([this] { b_simularClick(); }); });

    SG_Resumo = new ResultGrid(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true, days);
    SG_Resumo->setObjectName(QStringLiteral("SG_Resumo"));
    SG_Resumo->setFont(Fonts::verdana(9));
    SG_Resumo->setDefaultColumnWidth(96);
    SG_Resumo->setColumnWidth(0, 40);
    SG_Resumo->setGeometry(10, 60, 450, 528);
    addLabel(
        days,
        QStringLiteral("O abastecimento público é calculado para 365 dias; no dia 366 repete-se "
                       "o seu valor diário, que é constante ao longo do ano."),
        QRect(10, 594, 450, 40), Fonts::verdana(8, false, true))
        ->setObjectName(QStringLiteral("l_nota"));

    QFrame *annual = addPanel(this, QRect(485, 64, 506, 643),
                              QStringLiteral("Totais Anuais e Gráficos"), QStringLiteral("Panel2"));
    SG_Anual = new ResultGrid(kFiguresColumns, kFiguresRows, 5, true, annual);
    SG_Anual->setObjectName(QStringLiteral("SG_Anual"));
    SG_Anual->setFont(Fonts::verdana(9));
    SG_Anual->setGeometry(10, 30, 486, 118);
    SG_Anual->setColumnWidth(0, 170);
    SG_Anual->setColumnWidth(1, 180);
    SG_Anual->setColumnWidth(2, 110);
    l_erros = addLabel(annual, QString(), QRect(10, 152, 486, 104), Fonts::verdana(9));
    l_erros->setObjectName(QStringLiteral("l_erros"));
    l_erros->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_chartsPanel = new QWidget(annual);
    m_chartsPanel->setGeometry(4, 258, 498, 380);
    auto *charts = new QVBoxLayout(m_chartsPanel);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->setSpacing(2);

    // Reading order: the row of buttons at the top, then the day table's panel, then the
    // figures beside it. The tables are read with the arrows; Tab leaves them.
    SG_Resumo->setTabKeyNavigation(false);
    SG_Anual->setTabKeyNavigation(false);
    // Every stop shows its focus: the panels, which would take it unseen, are none.
    days->setFocusPolicy(Qt::NoFocus);
    annual->setFocusPolicy(Qt::NoFocus);
    QWidget *chain[] = {report,     simularButton(), salvarButton(), sairButton(),
                        cb_cenario, SG_Resumo,       SG_Anual};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);

    // The window opens with the summary computed: nothing it does can fail or ask.
    b_simularClick();
}

void TF_Resumo_Municipio::FormActivate()
{
    SG_Resumo->setFocus(Qt::OtherFocusReason);
}

void TF_Resumo_Municipio::b_simularClick()
{
    const SupplyScenario scenario =
        cb_cenario->currentIndex() == 1 ? SupplyScenario::NextYear : SupplyScenario::Current;
    m_summary = summarizeStudy(m_study(), scenario);
    showSummary();
}

void TF_Resumo_Municipio::showSummary()
{
    fillSummaryTable(SG_Resumo->table(), m_summary);
    fillFiguresTable(SG_Anual->table(), m_summary);
    SG_Resumo->fitColumnsToTexts();

    QStringList lines;
    // A total that leaves a sector out is never presented as the municipality's.
    if (m_summary.isPartial())
        lines << QStringLiteral("<b style='color:#a00000'>Total parcial, sem %1: os totais, o dia "
                                "de maior demanda e os gráficos não incluem o que não pôde ser "
                                "calculado.</b>")
                     .arg(m_summary.missingSectors().toHtmlEscaped());
    lines << QStringLiteral("%1: %2, com %3.")
                 .arg(m_summary.peakDayLabel().toHtmlEscaped(), dayLabel(m_summary.peakDay),
                      formatReadable(m_summary.peakTotal, kVolumeDecimals,
                                     QStringLiteral("m3/dia")));
    if (m_summary.dilutionError.isEmpty())
        lines << (m_summary.dilutionPoint > 0
                      ? QStringLiteral("Diluição de esgotos (vazão indisponível, não consumida): "
                                       "máxima acumulada de %1&nbsp;m3&#8288;/&#8288;s no "
                                       "ponto&nbsp;%2.")
                            .arg(formatReadable(m_summary.dilutionMaximum, kFlowDecimals))
                            .arg(m_summary.dilutionPoint)
                      : QStringLiteral("Diluição de esgotos: nenhuma vazão indisponível."));
    // Each sector's message as its window's error box would show it.
    const QStringList errors = m_summary.errors();
    const QStringList places = m_summary.errorPlaces();
    for (int e = 0; e < errors.size(); ++e)
        lines << QStringLiteral("<span style='color:#a00000'>%1</span>")
                     .arg(ErrorBox::text(errors[e], places[e])
                              .toHtmlEscaped()
                              .replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    l_erros->setText(lines.join(QStringLiteral("<br>")));

    delete m_dailyChart;
    delete m_sharesChart;
    m_dailyChart = makeDailyDemandChart(m_summary, m_chartsPanel);
    m_dailyChart->setObjectName(QStringLiteral("ch_diario"));
    m_sharesChart = makeAnnualSharesChart(m_summary, m_chartsPanel);
    m_sharesChart->setObjectName(QStringLiteral("ch_participacao"));
    auto *charts = static_cast<QVBoxLayout *>(m_chartsPanel->layout());
    charts->addWidget(m_dailyChart, 3);
    charts->addWidget(m_sharesChart, 2);
}

void TF_Resumo_Municipio::b_salvarClick()
{
    // Saved as computed from the study as it is now, never from an earlier reading of it.
    b_simularClick();
    // The sheet keeps numbers, not the window's grouped texts.
    CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
    fillFiguresTable(figures, m_summary, FiguresStyle::Stored);
    exportSummary(this, SG_Resumo->table(), figures);
}

void TF_Resumo_Municipio::b_relatorioClick()
{
    // The inputs printed and the results beside them come from the same reading of the study.
    const Study study = m_study();
    m_summary = summarizeStudy(study, m_summary.scenario);
    showSummary();
    QString name = study.name.trimmed().isEmpty()
                       ? QStringLiteral("Resumo do Município")
                       : study.name.trimmed() + QStringLiteral(" - Resumo");
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    QString folder = SaveLocation::lastFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        chooseReportPath(this, QDir(folder).filePath(name + QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    SummaryReport::write(path, study, m_summary);
    SaveLocation::rememberSavedFile(path);
}
