#include "frame/ModuleWindow.h"

#include "core/base/TaviError.h"
#include "core/study/Study.h"
#include "frame/Fonts.h"
#include "frame/Guard.h"
#include "frame/Pictures.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>

#include <algorithm>
#include <optional>

ModuleWindow::ModuleWindow(QWidget *parent) : QDialog(parent)
{
    Pictures::ensureLoaded();
    setFont(Fonts::windowFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

ModuleWindow::ModuleWindow(tavi::SectorId sector, QWidget *parent) : ModuleWindow(parent)
{
    m_sector = sector;
}

ModuleWindow::~ModuleWindow()
{
    qApp->removeEventFilter(this);
}

void ModuleWindow::b_sairClick()
{
    close();
}

bool ModuleWindow::guarded(const std::function<void()> &handler)
{
    tavi::CellPlace failedAt;
    if (runGuarded(this, handler, &failedAt))
        return true;
    if (failedAt.isKnown())
        showCell(failedAt);
    else if (!failedAt.field.isEmpty())
        showField(failedAt.field);
    return false;
}

void ModuleWindow::showField(const QString &name)
{
    if (auto *field = findChild<QLineEdit *>(name); field && field->isVisible()) {
        moveFocusTo(field);
        field->selectAll();
    }
}

void ModuleWindow::rememberInputsOfRun()
{
    m_inputsOfRun = std::make_unique<tavi::WindowInputs>(StudyInputs::collect(this));
    if (m_watchingInputs)
        return;
    m_watchingInputs = true;
    StudyInputs::watch(this, this, [this] { inputsMaybeChanged(); });
}

void ModuleWindow::inputsMaybeChanged()
{
    // A run writes into grids that also hold inputs (the effective rainfall beside the
    // series): only a change of what an input holds takes the results away.
    if (m_running || !m_simulated || !m_inputsOfRun || StudyInputs::collect(this) == *m_inputsOfRun)
        return;
    m_simulated = false;
    m_inputsChanged = true;
    m_inputsOfRun.reset();
    guarded([this] { clearResults(); });
}

bool ModuleWindow::requireCurrentResults(ResultsNotice::Purpose purpose)
{
    if (m_simulated)
        return true;
    ResultsNotice::show(this, ResultsNotice::text(purpose, m_inputsChanged));
    return false;
}

void ModuleWindow::showCell(const tavi::CellPlace &place)
{
    for (ResultGrid *grid : findChildren<ResultGrid *>()) {
        if (&grid->table() != place.table)
            continue;
        const int row = grid->table().viewRow(place.row);
        if (row < 0 || !grid->isVisible())
            return;
        const QModelIndex at = grid->model()->index(row, place.col);
        grid->setFocus(Qt::OtherFocusReason);
        grid->setCurrentIndex(at);
        grid->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
        grid->scrollTo(at);
        return;
    }
}

bool ModuleWindow::hasRejectedField() const
{
    const QList<NumericEdit *> fields = findChildren<NumericEdit *>();
    return std::any_of(fields.begin(), fields.end(),
                       [](const NumericEdit *f) { return f->isRejected(); });
}

bool ModuleWindow::buttonHandler(const std::function<void()> &handler)
{
    // The click took the focus from a field whose text does not read: its error box comes
    // next, and nothing is computed or saved over a field the user has yet to correct.
    if (hasRejectedField())
        return false;
    guarded(handler);
    return true;
}

void ModuleWindow::addTitleBlock(const QString &moduleName)
{
    const QStringList lines = {QStringLiteral("MODELO TAVI - Tavimar"),
                               QStringLiteral("Módulo: ") + moduleName,
                               QStringLiteral("Demanda por Município")};
    int top = 4;
    int n = 1;
    for (const QString &line : lines) {
        auto *label = new QLabel(line, this);
        label->setObjectName(QStringLiteral("Label%1").arg(n++));
        label->setFont(Fonts::verdana(13, true));
        label->adjustSize();
        label->move(9, top);
        top += 16;
    }
}

QFrame *ModuleWindow::addPanel(QWidget *parent, const QRect &geometry, const QString &heading,
                               const QString &objectName, QLabel **headingLabel)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(objectName);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(geometry);
    panel->setFocusPolicy(Qt::TabFocus);
    auto *label = new QLabel(heading, panel);
    label->setFont(Fonts::verdana(12, true, true));
    label->adjustSize();
    label->move(8, 5);
    if (headingLabel)
        *headingLabel = label;
    return panel;
}

QToolButton *ModuleWindow::makeButton(QWidget *parent, const QString &name, const QString &caption,
                                      const QString &picture, const QPoint &at)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(Fonts::verdana(11));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(QRect(at, QSize(75, 57)));
    return button;
}

void ModuleWindow::addButtons(QWidget *parent, const QPoint &simular, const QPoint &salvar,
                              const QPoint &sair)
{
    m_simular = makeButton(parent, QStringLiteral("b_simular"), QStringLiteral("Simular"),
                           QStringLiteral(":/pictures/b_simular.png"), simular);
    m_salvar = makeButton(parent, QStringLiteral("b_salvar"), QStringLiteral("Salvar"),
                          QStringLiteral(":/pictures/b_salvar.png"), salvar);
    m_sair = makeButton(parent, QStringLiteral("b_sair"), QStringLiteral("Sair"),
                        QStringLiteral(":/pictures/b_sair.png"), sair);
    connect(m_simular, &QToolButton::clicked, this, [this] {
        // A run that stopped has still written over what the grids held before it.
        m_running = true;
        const bool ran = buttonHandler([this] { b_simularClick(); });
        m_running = false;
        if (ran) {
            m_simulated = true;
            m_inputsChanged = false;
            rememberInputsOfRun();
        }
        // Every result readable after a run, stopped or not, without dragging a column.
        for (ResultGrid *grid : findChildren<ResultGrid *>())
            grid->fitColumnsToTexts();
    });
    connect(m_salvar, &QToolButton::clicked, this,
            [this] { buttonHandler([this] { b_salvarClick(); }); });
    connect(m_sair, &QToolButton::clicked, this, [this] { guarded([this] { b_sairClick(); }); });
}

void ModuleWindow::addChartButton(QWidget *parent, const QPoint &at)
{
    m_grafico = new QToolButton(parent);
    m_grafico->setObjectName(QStringLiteral("b_grafico"));
    m_grafico->setText(QStringLiteral("Gráfico"));
    m_grafico->setToolTip(QStringLiteral("Gráfico dos resultados (F4)"));
    m_grafico->setFont(Fonts::verdana(11));
    m_grafico->setFocusPolicy(Qt::NoFocus);
    m_grafico->setGeometry(QRect(at, QSize(75, 20)));
    connect(m_grafico, &QToolButton::clicked, this,
            [this] { buttonHandler([this] { b_graficoClick(); }); });
}

KeyOutcome ModuleWindow::FormKeyPress(const WindowKey &key)
{
    switch (key.kind) {
    case WindowKey::Kind::Enter:
        focusNextControl();
        return KeyOutcome::consume();
    case WindowKey::Kind::Escape:
        close();
        return KeyOutcome::consume();
    case WindowKey::Kind::Character:
        break;
    }
    const bool decimalKey = key.character == QLatin1Char('.') || key.character == QLatin1Char(',');
    if (decimalKey && !m_decimalSeparator.isNull() && key.character != m_decimalSeparator)
        return KeyOutcome::replaceWith(m_decimalSeparator);
    return KeyOutcome::passOn();
}

static QAbstractItemView *itemViewAbove(QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(p))
            return view;
    }
    return nullptr;
}

// The control that owns the focus: a cell editor belongs to its grid.
static QWidget *controlOf(QWidget *w)
{
    QAbstractItemView *view = itemViewAbove(w);
    return view ? view : w;
}

void ModuleWindow::focusNextControl()
{
    QWidget *start = focusWidget();
    if (!start)
        start = this;
    start = controlOf(start);
    for (QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
        if (w->window() != this || w == this || !w->isVisible() || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || itemViewAbove(w))
            continue;
        moveFocusTo(w);
        return;
    }
}

void ModuleWindow::moveFocusTo(QWidget *control)
{
    // The style draws a focus frame only after a focus change by the keyboard.
    setAttribute(Qt::WA_KeyboardFocusChange);
    control->setFocus(Qt::TabFocusReason);
}

bool ModuleWindow::isEditingCell() const
{
    // The focus is inside a grid only while one of its cell editors is open.
    QWidget *focus = focusWidget();
    return focus && itemViewAbove(focus);
}

bool ModuleWindow::ownsKeyEvent(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == this && isVisible();
}

// A character typed with a modifier can still be a line end or an escape (Shift+Enter types
// "\r"): the key handler sees those as Enter and Escape too.
static std::optional<WindowKey> windowKeyOf(const QKeyEvent &event)
{
    const int k = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if ((k == Qt::Key_Return || k == Qt::Key_Enter) && mods == Qt::NoModifier)
        return WindowKey::enter();
    if (k == Qt::Key_Escape && mods == Qt::NoModifier)
        return WindowKey::escape();
    if (event.text().size() != 1)
        return std::nullopt;
    const QChar typed = event.text()[0];
    if (typed == QLatin1Char('\r'))
        return WindowKey::enter();
    if (typed == QChar(0x1b))
        return WindowKey::escape();
    return WindowKey::typed(typed);
}

bool ModuleWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !ownsKeyEvent(watched))
        return QDialog::eventFilter(watched, event);
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    const int k = keyEvent->key();
    const Qt::KeyboardModifiers mods = keyEvent->modifiers() & ~Qt::KeypadModifier;
    if ((k == Qt::Key_Return || k == Qt::Key_Enter) && mods == Qt::NoModifier) {
        // A focused button takes Enter as a press, before any character is produced.
        if (auto *button = qobject_cast<QAbstractButton *>(focusWidget())) {
            button->click();
            return true;
        }
    }
    if (k == Qt::Key_F4 && mods == Qt::NoModifier) {
        // From any control, a grid and its open cell editor included; the chart covers the
        // window, which gets its activation back when the chart closes.
        guarded([this] { b_graficoClick(); });
        return true;
    }
    const std::optional<WindowKey> key = windowKeyOf(*keyEvent);
    if (!key)
        return false;
    // Escape in an open cell editor cancels that edit only; the grid's editor takes it.
    if (key->kind == WindowKey::Kind::Escape && isEditingCell())
        return false;
    KeyOutcome outcome = KeyOutcome::passOn();
    guarded([&] { outcome = FormKeyPress(*key); });
    // Enter and Escape never reach the control, even when their handler failed.
    if (key->kind != WindowKey::Kind::Character)
        return true;
    switch (outcome.action) {
    case KeyOutcome::Action::PassOn:
        return false;
    case KeyOutcome::Action::Consume:
        return true;
    case KeyOutcome::Action::Replace:
        break;
    }
    // The control receives the replacement as if it had been typed.
    const QChar replacement = outcome.replacement;
    const int code = replacement == QLatin1Char(',')   ? Qt::Key_Comma
                     : replacement == QLatin1Char('.') ? Qt::Key_Period
                                                       : k;
    QKeyEvent translated(QEvent::KeyPress, code, keyEvent->modifiers(), QString(replacement),
                         keyEvent->isAutoRepeat(), keyEvent->count());
    QApplication::sendEvent(watched, &translated);
    return true;
}

void ModuleWindow::keepingFocus(const std::function<void()> &look)
{
    const bool outer = !m_keepingFocus;
    m_keepingFocus = true;
    const auto done = qScopeGuard([this, outer] {
        if (outer) {
            m_keepingFocus = false;
            m_focusBeforeCover = nullptr;
        }
    });
    look();
}

bool ModuleWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // Keys typed into this window are looked at only while it is the active one.
        qApp->installEventFilter(this);
        if (!m_activated || m_coveredByOwnWindow) {
            m_activated = true;
            m_coveredByOwnWindow = false;
            guarded([this] { FormActivate(); });
            // The headings it writes are whole before any run, "GALINÁCEO" among them.
            for (ResultGrid *grid : findChildren<ResultGrid *>())
                grid->fitColumnsToTexts();
            QWidget *before = m_focusBeforeCover;
            m_focusBeforeCover = nullptr;
            if (before && before->isVisible() && before->isEnabled() && before->window() == this)
                before->setFocus(Qt::OtherFocusReason);
        }
        break;
    case QEvent::WindowDeactivate: {
        qApp->removeEventFilter(this);
        // Another window of the program on top; switching to another program leaves
        // no active window here.
        QWidget *now = QApplication::activeWindow();
        if (now && now != this) {
            m_coveredByOwnWindow = true;
            if (m_keepingFocus) {
                // A cell editor closes on the way: its grid keeps the place.
                QWidget *focus = focusWidget();
                for (QWidget *w = focus; w && w != this; w = w->parentWidget())
                    if (qobject_cast<QAbstractItemView *>(w))
                        focus = w;
                m_focusBeforeCover = focus;
            }
        }
        break;
    }
    default:
        break;
    }
    return QDialog::event(event);
}
