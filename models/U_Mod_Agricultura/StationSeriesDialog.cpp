#include "models/U_Mod_Agricultura/StationSeriesDialog.h"

#include "core/sectors/agriculture/SeriesFromStation.h"
#include "frame/ReplaceableBox.h"
#include "models/U_Mod_Agricultura/StationYearChart.h"
#include "models/U_Mod_Agricultura/StationYearTable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

using namespace tavi;
using namespace tavi::eto;

namespace
{

QLineEdit *addSiteField(QHBoxLayout *row, QWidget *parent, const char *name, const QString &label,
                        int width)
{
    auto *caption = new QLabel(label, parent);
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(width);
    caption->setBuddy(field);
    row->addWidget(caption);
    row->addWidget(field);
    return field;
}

void showText(QLineEdit *field, const QString &text)
{
    // Rewriting the same text would lose the field's undo and its cursor for nothing.
    if (field->text() != text)
        field->setText(text);
}

StationSeriesDialog::Confirmation &confirmation()
{
    static StationSeriesDialog::Confirmation hook;
    return hook;
}

bool confirm(QWidget *parent, const QString &question)
{
    if (const auto &hook = confirmation())
        return hook(parent, question);
    return askSimOrNao(parent, QStringLiteral("Preencher série"), question);
}

} // namespace

QString StationSeriesDialog::emptyingQuestion(int days)
{
    return agriculture::emptyingQuestion(days);
}

void StationSeriesDialog::setConfirmation(Confirmation hook)
{
    confirmation() = std::move(hook);
}

StationSeriesDialog::StationSeriesDialog(const CellTable *serie, QWidget *parent)
    : QDialog(parent), m_serie(serie)
{
    setObjectName(QStringLiteral("F_Estacao"));
    setWindowTitle(QStringLiteral("Série a partir de estação"));
    setModal(true);
    resize(1040, 760);

    auto *layout = new QVBoxLayout(this);
    buildSourceRow();
    buildSiteRow();
    buildChoiceRow();
    buildFillRow();

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("l_resumo"));
    m_summary->setWordWrap(true);
    m_summary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_summary->setTextFormat(Qt::PlainText);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("l_erro"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_problem->hide();

    auto *preview = new QSplitter(Qt::Horizontal, this);
    m_table = new StationYearTable(preview);
    m_chart = new StationYearChart(preview);
    preview->addWidget(m_table);
    preview->addWidget(m_chart);
    // The table wide enough for a filled day's method and its rainfall note.
    preview->setStretchFactor(0, 1);
    preview->setStretchFactor(1, 1);
    preview->setSizes({520, 480});

    m_fill = new QPushButton(QStringLiteral("Preencher série"), this);
    m_fill->setObjectName(QStringLiteral("b_preencher"));
    m_fill->setEnabled(false);
    m_fill->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("b_cancelar"));
    connect(m_fill, &QPushButton::clicked, this, &StationSeriesDialog::b_preencherClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    auto *note = new QLabel(QStringLiteral("Em amarelo, os dias preenchidos; em vermelho, os dias "
                                           "sem dados, que ficam vazios na série. O Ctrl+Z da "
                                           "janela desfaz o preenchimento."),
                            this);
    note->setWordWrap(true);
    buttons->addWidget(note, 1);
    buttons->addWidget(m_fill);
    buttons->addWidget(cancel);

    layout->addWidget(m_summary);
    layout->addWidget(m_problem);
    layout->addWidget(preview, 1);
    layout->addLayout(buttons);
}

StationSeriesDialog::~StationSeriesDialog() = default;

void StationSeriesDialog::buildSourceRow()
{
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    auto *row = new QHBoxLayout;
    auto *choose = new QPushButton(QStringLiteral("Abrir arquivos…"), this);
    choose->setObjectName(QStringLiteral("b_arquivo"));
    choose->setToolTip(QStringLiteral("Arquivos horários de uma estação automática do INMET "
                                      "(um por ano; escolha vários para o ano médio ou o mais "
                                      "seco), ou textos de registros diários"));
    connect(choose, &QPushButton::clicked, this, &StationSeriesDialog::b_arquivoClick);
    m_source = new QLabel(m_import.source(), this);
    m_source->setObjectName(QStringLiteral("l_arquivo"));
    m_source->setTextFormat(Qt::PlainText);
    // Several paths are long: they wrap rather than widen the dialog past the screen.
    m_source->setWordWrap(true);
    m_source->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(choose);
    row->addWidget(m_source, 1);
    layout->addLayout(row);

    auto *pasteRow = new QHBoxLayout;
    m_pasted = new QPlainTextEdit(this);
    m_pasted->setObjectName(QStringLiteral("m_colado"));
    m_pasted->setPlaceholderText(
        QStringLiteral("Ou cole aqui registros diários, um dia por linha (colunas separadas por "
                       "tabulação ou \";\"): Data, Tmax, Tmin, UR, Vento, Altura do vento, "
                       "Radiação, Chuva — ou uma linha de títulos com as colunas que houver."));
    m_pasted->setFixedHeight(64);
    // Tab leaves the box for the fields after it; a tab is pasted, never typed.
    m_pasted->setTabChangesFocus(true);
    auto *read = new QPushButton(QStringLiteral("Ler registros colados"), this);
    read->setObjectName(QStringLiteral("b_ler"));
    connect(read, &QPushButton::clicked, this, &StationSeriesDialog::readPastedText);
    pasteRow->addWidget(m_pasted, 1);
    pasteRow->addWidget(read, 0, Qt::AlignTop);
    layout->addLayout(pasteRow);
}

void StationSeriesDialog::buildSiteRow()
{
    auto *row = new QHBoxLayout;
    m_name = addSiteField(row, this, "e_estacao", QStringLiteral("Estação:"), 220);
    m_code = addSiteField(row, this, "e_codigo", QStringLiteral("Código:"), 70);
    m_latitude = addSiteField(row, this, "e_latitude", QStringLiteral("Latitude (°):"), 100);
    m_longitude = addSiteField(row, this, "e_longitude", QStringLiteral("Longitude (°):"), 100);
    m_altitude = addSiteField(row, this, "e_altitude", QStringLiteral("Altitude (m):"), 80);
    row->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    // Typed for daily records, which do not say where the station is: ETo depends on it, and
    // the summary and the series' origin name it.
    for (QLineEdit *field : {m_name, m_code, m_latitude, m_longitude, m_altitude})
        connect(field, &QLineEdit::editingFinished, this, &StationSeriesDialog::layOut);
}

namespace
{
QComboBox *addChoice(QHBoxLayout *row, QWidget *parent, const char *name, const QString &label,
                     const QStringList &items)
{
    auto *caption = new QLabel(label, parent);
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    return box;
}
} // namespace

void StationSeriesDialog::buildChoiceRow()
{
    auto *row = new QHBoxLayout;
    // Hargreaves-Samani only when asked for: Penman-Monteith with FAO-56's estimates for what
    // a day lacks comes nearer the full computation.
    m_method = addChoice(row, this, "cb_metodo", QStringLiteral("Método:"),
                         {methodChoiceName(EtoMethodChoice::PenmanMonteith),
                          methodChoiceName(EtoMethodChoice::HargreavesSamani)});
    m_method->setToolTip(QStringLiteral("Penman–Monteith estima o que faltar num dia (ea da "
                                        "Tmin, Rs da amplitude térmica, vento de 2 m/s)"));
    row->addSpacing(16);
    m_location = addChoice(
        row, this, "cb_local", QStringLiteral("Local:"),
        {locationName(kRadiationCoefficientInterior), locationName(kRadiationCoefficientCoastal)});
    m_location->setToolTip(QStringLiteral("Coeficiente kRs da radiação estimada pela amplitude "
                                          "térmica: litoral até uns 20 km do mar"));
    row->addSpacing(16);
    auto *yearCaption = new QLabel(QStringLiteral("Ano:"), this);
    m_year = new QComboBox(this);
    m_year->setObjectName(QStringLiteral("cb_ano"));
    m_year->setMinimumWidth(80);
    m_year->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    yearCaption->setBuddy(m_year);
    m_day366 = new QLabel(this);
    m_day366->setObjectName(QStringLiteral("l_dia366"));
    m_empty366 = new QRadioButton(QStringLiteral("vazio"), this);
    m_empty366->setObjectName(QStringLiteral("rb_vazio"));
    m_copy366 = new QRadioButton(QStringLiteral("cópia do dia 365"), this);
    m_copy366->setObjectName(QStringLiteral("rb_copia"));
    // A copy by default: an empty day 366 stops "Simular" until it is typed.
    m_copy366->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(m_empty366);
    group->addButton(m_copy366);
    row->addWidget(yearCaption);
    row->addWidget(m_year);
    row->addSpacing(16);
    row->addWidget(m_day366);
    row->addWidget(m_empty366);
    row->addWidget(m_copy366);
    row->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    for (QComboBox *box : {m_method, m_location, m_year})
        connect(box, &QComboBox::currentIndexChanged, this, &StationSeriesDialog::layOut);
    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton *, bool on) {
        if (on)
            layOut();
    });
}

void StationSeriesDialog::buildFillRow()
{
    auto *row = new QHBoxLayout;
    m_etoFill =
        addChoice(row, this, "cb_preencher_etp", QStringLiteral("Dias sem ETo:"),
                  {etoGapFillName(EtoGapFill::Interpolation),
                   etoGapFillName(EtoGapFill::OtherYears), etoGapFillName(EtoGapFill::Empty)});
    row->addSpacing(16);
    m_rainFill =
        addChoice(row, this, "cb_preencher_p", QStringLiteral("Dias sem chuva:"),
                  {rainGapFillName(RainGapFill::Dry), rainGapFillName(RainGapFill::Empty)});
    m_rainFill->setToolTip(QStringLiteral("Contar 0 onde não há registro pede mais da irrigação, "
                                          "não menos"));
    row->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    for (QComboBox *box : {m_etoFill, m_rainFill})
        connect(box, &QComboBox::currentIndexChanged, this, &StationSeriesDialog::layOut);
}

void StationSeriesDialog::b_preencherClick()
{
    if (!m_import.isLaidOut())
        return;
    const QString question =
        m_serie ? agriculture::fillQuestion(*m_serie, m_import.days()) : QString();
    if (!question.isEmpty() && !confirm(this, question))
        return;
    accept();
}

void StationSeriesDialog::b_arquivoClick()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Arquivos da estação"), QString(),
        QStringLiteral("Dados de estação (*.csv *.CSV *.txt *.TXT);;Todos os arquivos (*)"));
    if (!paths.isEmpty())
        readFiles(paths);
}

void StationSeriesDialog::readFile(const QString &path)
{
    readFiles({path});
}

void StationSeriesDialog::readFiles(const QStringList &paths)
{
    m_import.readFiles(paths, choice());
    showReading();
}

void StationSeriesDialog::readPastedText()
{
    m_import.readPasted(m_pasted->toPlainText(), choice());
    showReading();
}

GapFill StationSeriesDialog::gapFill() const
{
    const EtoGapFill eto[] = {EtoGapFill::Interpolation, EtoGapFill::OtherYears, EtoGapFill::Empty};
    GapFill fill;
    fill.eto = eto[qBound(0, m_etoFill->currentIndex(), 2)];
    fill.rain = m_rainFill->currentIndex() == 1 ? RainGapFill::Empty : RainGapFill::Dry;
    return fill;
}

ImportChoice StationSeriesDialog::choice() const
{
    ImportChoice choice;
    choice.site = {m_name->text(), m_code->text(), m_latitude->text(), m_longitude->text(),
                   m_altitude->text()};
    const int year = m_year->currentIndex();
    if (year >= 0 && year < int(m_yearChoices.size()))
        choice.year = m_yearChoices[std::size_t(year)];
    choice.series.eto.method = m_method->currentIndex() == 1 ? EtoMethodChoice::HargreavesSamani
                                                             : EtoMethodChoice::PenmanMonteith;
    choice.series.eto.radiationCoefficient = m_location->currentIndex() == 1
                                                 ? kRadiationCoefficientCoastal
                                                 : kRadiationCoefficientInterior;
    choice.series.gaps = gapFill();
    choice.series.leap = m_copy366->isChecked() ? LeapDayFill::CopyOfDay365 : LeapDayFill::Empty;
    return choice;
}

void StationSeriesDialog::layOut()
{
    if (!m_import.layOut(choice()))
        return;
    const YearChoice chosen = choice().year;
    showYears(chosen);
    // The mean and driest years go when a fill leaves fewer than two complete years.
    if (choice().year != chosen) {
        m_import.layOut(choice());
        showYears(choice().year);
    }
    showImport();
}

void StationSeriesDialog::showYears(const YearChoice &chosen)
{
    const QSignalBlocker quiet(m_year);
    const GapFill gaps = gapFill();
    m_yearChoices = m_import.yearChoices(gaps);
    m_year->clear();
    int current = -1;
    for (std::size_t i = 0; i < m_yearChoices.size(); ++i) {
        m_year->addItem(m_import.yearChoiceCaption(m_yearChoices[i], gaps));
        if (m_yearChoices[i] == chosen)
            current = int(i);
    }
    if (current < 0) {
        const auto offered = std::find(m_yearChoices.begin(), m_yearChoices.end(),
                                       YearChoice::single(m_import.offeredYear()));
        current = offered == m_yearChoices.end() ? 0 : int(offered - m_yearChoices.begin());
    }
    m_year->setCurrentIndex(current);
    // The other years' days fill a gap only when other years were opened.
    if (auto *model = qobject_cast<QStandardItemModel *>(m_etoFill->model()))
        if (QStandardItem *otherYears = model->item(1))
            otherYears->setEnabled(m_import.years().size() > 1);
}

void StationSeriesDialog::showReading()
{
    const StationSiteFields &site = m_import.siteFields();
    showText(m_name, site.name);
    showText(m_code, site.code);
    showText(m_latitude, site.latitude);
    showText(m_longitude, site.longitude);
    showText(m_altitude, site.altitude);
    // What an INMET file's header says is not retyped; daily records need it from the user.
    for (QLineEdit *field : {m_name, m_code, m_latitude, m_longitude, m_altitude})
        field->setReadOnly(m_import.siteFromRecords());
    if (m_import.hasRecords())
        showYears(YearChoice::single(m_import.offeredYear()));
    showImport();
}

void StationSeriesDialog::showImport()
{
    m_source->setText(m_import.source());
    if (m_import.hasRecords()) {
        const int year = m_import.calendarYear();
        m_day366->setText(day366Caption(year));
        m_empty366->setVisible(offersDay366Choice(year));
        m_copy366->setVisible(offersDay366Choice(year));
    }
    if (!m_import.isLaidOut()) {
        showProblem(m_import.problem());
        return;
    }
    m_problem->hide();
    m_table->showYear(m_import.days(), m_import.calendarYear(), m_import.leapDayFill());
    m_chart->showYear(m_import.days(), m_import.length());
    m_summary->setText(m_import.summary());
    m_fill->setEnabled(true);
}

void StationSeriesDialog::showProblem(const QString &message)
{
    // Nothing may be filled from records that could not be read or laid out.
    m_fill->setEnabled(false);
    m_summary->clear();
    m_table->clearYear();
    m_chart->clear();
    m_problem->setText(message);
    m_problem->setVisible(!message.isEmpty());
}
