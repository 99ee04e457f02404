#include "models/U_Mod_Agricultura/StationSeriesDialog.h"

#include "core/base/TaviError.h"
#include "core/files/FileFailureReason.h"
#include "core/numbers/NumberText.h"
#include "core/weather/DailyWeatherText.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationSeriesImport.h"
#include "core/weather/WeatherText.h"
#include "frame/ReplaceableBox.h"
#include "models/U_Mod_Agricultura/StationYearChart.h"
#include "models/U_Mod_Agricultura/StationYearTable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <cerrno>

using namespace tavi;
using namespace tavi::eto;

namespace
{

// A year of INMET hours is a few megabytes; anything far larger is not a station file.
constexpr qint64 kLargestStationFile = 256 * 1024 * 1024;

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

QString localeNumber(long double value)
{
    return formatGeneral(value, LocaleSettings::current());
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
    if (days == 1)
        return QStringLiteral("O preenchimento deixará vazio 1 dia que hoje tem valores na série, "
                              "pois os registros não trazem dados para ele. Preencher assim "
                              "mesmo?");
    return QStringLiteral("O preenchimento deixará vazios %1 dias que hoje têm valores na série, "
                          "pois os registros não trazem dados para eles. Preencher assim mesmo?")
        .arg(days);
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
    buildYearRow();

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("l_resumo"));
    m_summary->setWordWrap(true);
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
    preview->setStretchFactor(0, 2);
    preview->setStretchFactor(1, 3);
    preview->setSizes({400, 600});

    m_fill = new QPushButton(QStringLiteral("Preencher série"), this);
    m_fill->setObjectName(QStringLiteral("b_preencher"));
    m_fill->setEnabled(false);
    m_fill->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("b_cancelar"));
    connect(m_fill, &QPushButton::clicked, this, &StationSeriesDialog::b_preencherClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    auto *note = new QLabel(QStringLiteral("Dias sem dados ficam vazios na série; o Ctrl+Z da "
                                           "janela desfaz o preenchimento."),
                            this);
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
    auto *choose = new QPushButton(QStringLiteral("Abrir arquivo…"), this);
    choose->setObjectName(QStringLiteral("b_arquivo"));
    choose->setToolTip(QStringLiteral("Um arquivo horário de estação automática do INMET, ou "
                                      "um texto de registros diários"));
    connect(choose, &QPushButton::clicked, this, &StationSeriesDialog::b_arquivoClick);
    m_source = new QLabel(QStringLiteral("Nenhum arquivo aberto."), this);
    m_source->setObjectName(QStringLiteral("l_arquivo"));
    m_source->setTextFormat(Qt::PlainText);
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
    // Typed for daily records, which do not say where the station is; ETo depends on it.
    for (QLineEdit *field : {m_latitude, m_longitude, m_altitude})
        connect(field, &QLineEdit::editingFinished, this, [this] {
            if (m_series && !m_siteFromFile)
                layOut();
        });
}

void StationSeriesDialog::buildYearRow()
{
    auto *row = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("Ano:"), this);
    m_year = new QComboBox(this);
    m_year->setObjectName(QStringLiteral("cb_ano"));
    m_year->setMinimumWidth(80);
    caption->setBuddy(m_year);
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
    row->addWidget(caption);
    row->addWidget(m_year);
    row->addSpacing(24);
    row->addWidget(m_day366);
    row->addWidget(m_empty366);
    row->addWidget(m_copy366);
    row->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    connect(m_year, &QComboBox::currentIndexChanged, this, [this] {
        if (m_series)
            layOut();
    });
    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton *, bool on) {
        if (on && m_series)
            layOut();
    });
}

void StationSeriesDialog::b_preencherClick()
{
    if (m_days.empty())
        return;
    const int emptied = m_serie ? daysEmptiedByFill(*m_serie, m_days) : 0;
    if (emptied > 0 && !confirm(this, emptyingQuestion(emptied)))
        return;
    accept();
}

void StationSeriesDialog::b_arquivoClick()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Arquivo da estação"), QString(),
        QStringLiteral("Dados de estação (*.csv *.CSV *.txt *.TXT);;Todos os arquivos (*)"));
    if (!path.isEmpty())
        readFile(path);
}

void StationSeriesDialog::readFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    m_source->setText(shown);
    QFile file(path);
    errno = 0;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason = QFileInfo(path).isDir()
                                   ? QStringLiteral("é uma pasta, não um arquivo")
                                   : fileFailureReason(errno ? errno : ENOENT);
        m_series.reset();
        showProblem(
            QStringLiteral("Não foi possível ler o arquivo \"%1\": %2.").arg(shown, reason));
        return;
    }
    const QByteArray bytes = file.read(kLargestStationFile + 1);
    if (bytes.size() > kLargestStationFile) {
        m_series.reset();
        showProblem(QStringLiteral("O arquivo \"%1\" é grande demais para dados de uma estação.")
                        .arg(shown));
        return;
    }
    readText(bytes, shown);
}

void StationSeriesDialog::readPastedText()
{
    m_source->setText(QStringLiteral("Registros colados."));
    readText(m_pasted->toPlainText().toUtf8(), QString());
}

void StationSeriesDialog::readText(const QByteArray &bytes, const QString &source)
{
    m_series.reset();
    const bool siteWasAFile = m_siteFromFile;
    try {
        StationSeries series;
        if (isInmetHourlyText(decodeWeatherText(bytes))) {
            series = readInmetStationFile(bytes);
            m_siteFromFile = true;
            m_name->setText(series.site.name);
            m_code->setText(series.site.code);
            m_latitude->setText(localeNumber(series.site.latitude));
            m_longitude->setText(localeNumber(series.site.longitude));
            m_altitude->setText(localeNumber(series.site.altitude));
        } else {
            series.days = readDailyRecords(decodeWeatherText(bytes));
            // The station of a file read before is not these records': its name and place
            // would go into the series' origin unnoticed.
            if (siteWasAFile)
                for (QLineEdit *field : {m_name, m_code, m_latitude, m_longitude, m_altitude})
                    field->clear();
            m_siteFromFile = false;
            if (m_name->text().trimmed().isEmpty() && !source.isEmpty())
                m_name->setText(QFileInfo(source).completeBaseName());
        }
        setSiteEditable(!m_siteFromFile);
        m_series = std::move(series);
    } catch (const TaviError &error) {
        showProblem(error.message());
        return;
    }
    const std::vector<int> years = yearsWithData(*m_series);
    const int first = firstFullYear(*m_series);
    {
        const QSignalBlocker quiet(m_year);
        m_year->clear();
        for (int year : years)
            m_year->addItem(QString::number(year), year);
        m_year->setCurrentIndex(m_year->findData(first));
    }
    layOut();
}

void StationSeriesDialog::setSiteEditable(bool editable)
{
    // What an INMET file's header says is not retyped; daily records need it from the user.
    for (QLineEdit *field : {m_name, m_code, m_latitude, m_longitude, m_altitude})
        field->setReadOnly(!editable);
}

std::optional<StationSite> StationSeriesDialog::siteTyped()
{
    StationSite site;
    site.name = m_name->text().trimmed();
    site.code = m_code->text().trimmed();
    struct Coordinate {
        QLineEdit *field;
        const char *what;
        long double low, high;
        long double *into;
        // What the daily records need it for.
        const char *use;
    };
    const Coordinate coordinates[] = {
        {m_latitude, "latitude", -90, 90, &site.latitude,
         "a radiação que chega ao topo da atmosfera, e com ela a ETo, depende dela"},
        {m_longitude, "longitude", -180, 180, &site.longitude,
         "ela não entra na ETo de registros diários, mas fica na origem da série, com a "
         "latitude e a altitude, para dizer de onde vieram os dados"},
        {m_altitude, "altitude", -500, 9000, &site.altitude,
         "a pressão atmosférica, e com ela a ETo de Penman–Monteith, depende dela"},
    };
    for (const Coordinate &c : coordinates) {
        const QString text = c.field->text().trimmed();
        const std::optional<long double> value = readDecimal(text);
        if (text.isEmpty()) {
            showProblem(QStringLiteral("Informe a %1 da estação: os registros diários não a "
                                       "trazem, e %2.")
                            .arg(QLatin1String(c.what), QString::fromUtf8(c.use)));
            return std::nullopt;
        }
        if (!value || *value < c.low || *value > c.high) {
            showProblem(QStringLiteral("A %1 da estação, \"%2\", não é um número entre %3 e %4.")
                            .arg(QLatin1String(c.what), text)
                            .arg(static_cast<double>(c.low))
                            .arg(static_cast<double>(c.high)));
            return std::nullopt;
        }
        *c.into = *value;
    }
    return site;
}

LeapDayFill StationSeriesDialog::leapDayFill() const
{
    return m_copy366->isChecked() ? LeapDayFill::CopyOfDay365 : LeapDayFill::Empty;
}

void StationSeriesDialog::layOut()
{
    if (!m_series)
        return;
    StationSeries series = *m_series;
    if (!m_siteFromFile) {
        const std::optional<StationSite> site = siteTyped();
        if (!site)
            return;
        series.site = *site;
    }
    const int year = m_year->currentData().toInt();
    const bool common = !QDate::isLeapYear(year);
    m_day366->setText(common ? QStringLiteral("Dia 366 (o ano tem 365 dias):")
                             : QStringLiteral("Dia 366: 31/12 (ano bissexto)"));
    m_empty366->setVisible(common);
    m_copy366->setVisible(common);
    const LeapDayFill fill = leapDayFill();
    try {
        m_days = stationYear(series, year, fill);
    } catch (const TaviError &error) {
        showProblem(error.message());
        return;
    }
    m_site = series.site;
    m_laidOutYear = year;
    m_problem->hide();
    m_table->showYear(m_days, year, fill);
    m_chart->showYear(m_days, daysFilled(year, fill));
    const QString station = m_site.code.isEmpty()
                                ? m_site.name
                                : QStringLiteral("%1 (%2)").arg(m_site.name, m_site.code);
    const int length = daysFilled(year, fill);
    QString counts = methodsSummary(countMethods(m_days, length));
    // Rainfall missing is counted apart: it is not a method, and not a dry day either.
    const QString rainGaps = missingRainfallSummary(countMissingRainfall(m_days, length));
    if (!rainGaps.isEmpty())
        counts += QStringLiteral("; ") + rainGaps;
    m_summary->setText(
        QStringLiteral("Estação %1: latitude %2°, longitude %3°, altitude %4 m. %5: %6.")
            .arg(station.isEmpty() ? QStringLiteral("sem nome") : station,
                 localeNumber(m_site.latitude), localeNumber(m_site.longitude),
                 localeNumber(m_site.altitude))
            .arg(year)
            .arg(counts));
    m_fill->setEnabled(true);
}

void StationSeriesDialog::showProblem(const QString &message)
{
    // Nothing may be filled from records that could not be read or laid out.
    m_days.clear();
    m_fill->setEnabled(false);
    m_summary->clear();
    m_table->clearYear();
    m_chart->clear();
    m_problem->setText(message);
    m_problem->show();
}

SeriesOrigin StationSeriesDialog::origin() const
{
    return seriesOrigin(m_site, m_laidOutYear, m_days, leapDayFill());
}
