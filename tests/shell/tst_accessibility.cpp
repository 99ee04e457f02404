#include "core/workbook/Workbook.h"
#include "export/ResultChartDialog.h"
#include "export/WorkbookWindow.h"
#include "frame/AccessibleNames.h"
#include "frame/HelpWindow.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Horizonte/TF_Horizonte.h"
#include "models/U_Mod_Agricultura/StationSeriesDialog.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"
#include "shell/TF_Principal.h"
#include "shell/TF_Sobre.h"
#include "support/WindowTesting.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace
{

// The controls a screen reader announces by name: fields, lists, grids, buttons, charts and
// panels that take the focus. Parts of other controls (a combo box's editor, a grid's header
// and scroll bars) are announced through their owner.
bool announced(const QWidget *w, const QWidget *window)
{
    if (!w->isVisibleTo(window))
        return false;
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractScrollArea *>(p) ||
            qobject_cast<const QScrollBar *>(p) || qobject_cast<const QTabBar *>(p))
            return false;
    if (qobject_cast<const QHeaderView *>(w) || qobject_cast<const QScrollBar *>(w))
        return false;
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractButton *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
           qobject_cast<const QChartView *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           (w->focusPolicy() & Qt::TabFocus);
}

QString describe(QWidget *w)
{
    QString text = QStringLiteral("%1 \"%2\"")
                       .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
    if (w->parentWidget())
        text += QStringLiteral(" in ") +
                QString::fromLatin1(w->parentWidget()->metaObject()->className()) +
                QLatin1Char(' ') + w->parentWidget()->objectName();
    return text;
}

// The accessibility tree as a screen reader walks it: role, name, description, value.
void dump(QAccessibleInterface *node, int depth, QString *out)
{
    if (!node || depth > 12)
        return;
    const QString role =
        QString::fromLatin1(QAccessible::staticMetaObject
                                .enumerator(QAccessible::staticMetaObject.indexOfEnumerator("Role"))
                                .valueToKey(node->role()));
    const QString name = node->text(QAccessible::Name);
    const QString description = node->text(QAccessible::Description);
    const QString value = node->text(QAccessible::Value);
    if (!name.isEmpty() || !value.isEmpty() || node->role() != QAccessible::Client)
        *out += QString(2 * depth, QLatin1Char(' ')) + role +
                (name.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(name)) +
                (description.isEmpty() ? QString() : QStringLiteral(" — %1").arg(description)) +
                (value.isEmpty() ? QString() : QStringLiteral(" = %1").arg(value.left(40))) +
                QLatin1Char('\n');
    // A grid's cells are read as the user moves through them: its first row is enough here.
    const int children =
        node->role() == QAccessible::Table ? qMin(node->childCount(), 8) : node->childCount();
    for (int i = 0; i < children; ++i)
        dump(node->child(i), depth + 1, out);
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_recovery;

private slots:
    void initTestCase() { AccessibleNames::install(qApp); }

    // Every window's controls have a name a screen reader can say; fields say their unit.
    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("controls"); // the main window and the about box have menus only
        for (const char *name : {"abastecimento", "pecuaria", "agricultura", "diluicao", "resumo",
                                 "horizonte", "estacao", "grafico", "planilha", "ajuda"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        QTest::newRow("principal") << "principal" << false;
        QTest::newRow("sobre") << "sobre" << false;
    }
    void everyControlHasAName()
    {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> shown = open(window);
        QVERIFY(shown);
        QVERIFY(testing::showActive(shown.get()));
        QStringList unnamed;
        int checked = 0;
        for (QWidget *w : shown->findChildren<QWidget *>()) {
            if (!announced(w, shown.get()))
                continue;
            ++checked;
            QAccessibleInterface *node = QAccessible::queryAccessibleInterface(w);
            if (!node || node->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << describe(w);
        }
        QFETCH(bool, controls);
        QCOMPARE(checked > 0, controls);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }

    // Fields are named by their caption and described by their unit.
    void fieldsSayTheirCaptionAndUnit()
    {
        TF_Abast_Publico window;
        QVERIFY(testing::showActive(&window));
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("me_1"));
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(field);
        QCOMPARE(node->text(QAccessible::Name),
                 QStringLiteral("População atendida pela rede pública de distribuição"));
        QCOMPARE(node->text(QAccessible::Description), QStringLiteral("habitantes"));

        // The whole window as a screen reader walks it, kept where asked for a look.
        QString tree;
        dump(QAccessible::queryAccessibleInterface(&window), 0, &tree);
        QVERIFY(tree.contains(QStringLiteral("EditableText \"População atendida")));
        if (const QByteArray path = qgetenv("TAVI_ACCESSIBILITY_DUMP"); !path.isEmpty()) {
            QFile file(QString::fromLocal8Bit(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(tree.toUtf8());
        }
    }

private:
    std::unique_ptr<QWidget> open(const QString &name)
    {
        if (name == QLatin1String("principal"))
            return std::make_unique<TF_Principal>(nullptr, m_recovery.path());
        if (name == QLatin1String("sobre"))
            return std::make_unique<TF_Sobre>();
        if (name == QLatin1String("abastecimento"))
            return std::make_unique<TF_Abast_Publico>();
        if (name == QLatin1String("pecuaria"))
            return std::make_unique<TF_Mod_Pecuaria>();
        if (name == QLatin1String("agricultura"))
            return std::make_unique<TF_Mod_Agricultura>();
        if (name == QLatin1String("diluicao"))
            return std::make_unique<TF_Dem_Agua>();
        if (name == QLatin1String("resumo"))
            return std::make_unique<TF_Resumo_Municipio>();
        if (name == QLatin1String("horizonte"))
            return std::make_unique<TF_Horizonte>();
        if (name == QLatin1String("estacao"))
            return std::make_unique<StationSeriesDialog>(nullptr);
        if (name == QLatin1String("grafico")) {
            tavi::ResultChart chart;
            chart.caption = QStringLiteral("Gráfico - Módulo Pecuária");
            chart.title = QStringLiteral("Demanda da Pecuária");
            chart.xTitle = QStringLiteral("Dia");
            chart.yTitle = QStringLiteral("Demanda (m³/dia)");
            chart.lines.push_back({QStringLiteral("Total"), {1.0, 2.0, 3.0}});
            return std::make_unique<ResultChartDialog>(chart);
        }
        if (name == QLatin1String("planilha")) {
            auto book = std::make_shared<tavi::Workbook>();
            book->worksheet(1).setEntry(1, 1, QStringLiteral("DIA"));
            auto window = std::make_unique<WorkbookWindow>(book, nullptr);
            return window;
        }
        if (name == QLatin1String("ajuda"))
            return std::unique_ptr<QWidget>(
                HelpWindow::open(nullptr, QStringLiteral("index.html")));
        return nullptr;
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
