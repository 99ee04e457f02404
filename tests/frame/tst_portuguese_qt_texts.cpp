// Qt's own texts, as a Brazilian planner meets them: a field's context menu, the file dialog
// of "Salvar como", its replace question and the standard buttons, all in Portuguese.

#include "frame/NumericEdit.h"
#include "frame/PortugueseQtTexts.h"
#include "support/WindowTesting.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

namespace
{

// Words that only an untranslated Qt text would show.
const QStringList kEnglish = {
    "Undo",        "Redo",    "Cut",       "Copy",          "Paste",         "Delete",
    "Select All",  "Look in", "File name", "Files of type", "Save",          "Cancel",
    "Open",        "Back",    "Forward",   "Parent",        "New Folder",    "List View",
    "Detail View", "Name",    "Size",      "Type",          "Date Modified", "already exists",
    "replace",     "Yes",     "No",        "Close",         "Directory",     "Computer",
    "Recent",      "Folder",  "File",      "Drive",         "Kind"};

// Every text a widget tree shows: labels, buttons, menu entries, tool tips, combo items.
QStringList textsOf(QWidget *root)
{
    QStringList texts;
    const auto add = [&texts](const QString &t) {
        if (!t.isEmpty())
            texts << QString(t).remove(QLatin1Char('&'));
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets << root;
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        add(w->toolTip());
        add(w->windowTitle());
        if (auto *label = qobject_cast<QLabel *>(w))
            add(label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(button->text());
        if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        for (QAction *action : w->actions())
            add(action->text());
        // A list's column headings and what its rows say: a folder's "Type", "Folder".
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model()) {
            const QAbstractItemModel *model = view->model();
            const QModelIndex root = view->rootIndex();
            for (int c = 0; c < model->columnCount(root); ++c) {
                add(model->headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < model->rowCount(root); ++r)
                    add(model->index(r, c, root).data().toString());
            }
        }
    }
    return texts;
}

QStringList englishIn(const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts)
        for (const QString &word : kEnglish)
            if (text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word))))
                found << text;
    return found;
}

} // namespace

class PortugueseQtTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installPortugueseQtTexts(); }

    void aFieldsContextMenu()
    {
        NumericEdit field;
        QVERIFY(testing::showActive(&field));
        QStringList texts;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                shown = true;
                texts = textsOf(menu);
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                field.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&field, &event);
        QTRY_VERIFY(shown);
        QVERIFY(texts.size() >= 5);
        QVERIFY2(englishIn(texts).isEmpty(), qPrintable(englishIn(texts).join(" | ")));
    }

    void theFileDialog()
    {
        QTemporaryDir folder;
        // A folder and files of a known and of an unknown kind, for the list's type column.
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("estudos")));
        for (const char *name : {"dados.txt", "sem_tipo"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        QFileDialog dialog(nullptr, QStringLiteral("Salvar como"), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(list);
        QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 3);
        const QStringList texts = textsOf(&dialog);
        QVERIFY(texts.size() >= 5);
        QVERIFY2(englishIn(texts).isEmpty(), qPrintable(englishIn(texts).join(" | ")));
    }

    void standardButtons()
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Tavi"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel |
                            QMessageBox::Save | QMessageBox::Close);
        box.show();
        const QStringList texts = textsOf(&box);
        QVERIFY2(englishIn(texts).isEmpty(), qPrintable(englishIn(texts).join(" | ")));
    }
};

QTEST_MAIN(PortugueseQtTextsTest)
#include "tst_portuguese_qt_texts.moc"
