#include "frame/HelpWindow.h"

#include "frame/Fonts.h"
#include "frame/Pictures.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace
{

const char *const kIndex = "index.html";

// Each window's page, by the window's object name.
const struct {
    const char *window;
    const char *page;
} kPages[] = {
    {"F_Principal", "principal.html"},
    {"F_Sobre", "principal.html"},
    {"F_Estudo", "estudos.html"},
    {"F_Abast_Publico", "abastecimento.html"},
    {"F_Mod_Pecuaria", "pecuaria.html"},
    {"F_Mod_Agricultura", "agricultura.html"},
    {"F_Estacao", "estacao.html"},
    {"F_Dem_Agua", "diluicao.html"},
    {"F_Resumo_Municipio", "resumo.html"},
    {"TF_Horizonte", "horizonte.html"},
    {"TF_Balanco", "balanco.html"},
    {"TF_Regiao", "regiao.html"},
    {"WorkbookWindow", "planilhas.html"},
    {"F_Ajuda", "index.html"},
};

// F1 is taken before any widget sees it: fields and grids have no use of their own for it.
class HelpKey : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier ||
            !watched->isWidgetType())
            return false;
        QWidget *window = static_cast<QWidget *>(watched)->window();
        // Within the guide, F1 leaves it where it is.
        if (qobject_cast<HelpWindow *>(window))
            return true;
        HelpWindow::open(window, HelpWindow::pageFor(window));
        return true;
    }
};

} // namespace

QString HelpWindow::pageFor(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget()) {
        const QWidget *top = w->window();
        for (const auto &entry : kPages)
            if (top->objectName() == QLatin1String(entry.window))
                return QString::fromLatin1(entry.page);
        w = top;
    }
    return QString::fromLatin1(kIndex);
}

HelpWindow *HelpWindow::open(QWidget *from, const QString &page)
{
    QWidget *owner = from ? from->window() : nullptr;
    auto *help =
        owner ? owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!help)
        help = new HelpWindow(owner);
    help->showPage(page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

void HelpWindow::installKey(QApplication *application)
{
    application->installEventFilter(new HelpKey(application));
}

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    Pictures::ensureLoaded();
    setObjectName(QStringLiteral("F_Ajuda"));
    setWindowTitle(QStringLiteral("Ajuda do Modelo TAVI"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Fonts::windowFont());

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("tb_ajuda"));
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(false);
    m_browser->setAccessibleName(QStringLiteral("Texto da ajuda"));

    auto *back = new QPushButton(QStringLiteral("&Voltar"), this);
    back->setObjectName(QStringLiteral("b_voltar"));
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    auto *home = new QPushButton(QStringLiteral("&Índice"), this);
    home->setObjectName(QStringLiteral("b_indice"));
    connect(home, &QPushButton::clicked, this, [this] { showPage(QString::fromLatin1(kIndex)); });
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("b_fechar"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);
    resize(780, 620);
    m_browser->setFocus();
}

void HelpWindow::showPage(const QString &page)
{
    m_browser->setSource(QUrl(page));
}
