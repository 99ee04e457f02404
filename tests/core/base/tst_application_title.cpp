#include "core/base/ApplicationTitle.h"

#include <QtTest>

namespace
{

// A data row of texts, one per column.
template <class... Texts> void addRow(const char *tag, const Texts &...texts)
{
    (QTest::newRow(tag) << ... << QString::fromUtf8(texts));
}

} // namespace

class ApplicationTitleTest : public QObject
{
    Q_OBJECT

private slots:
    void titleFromFileName_data();
    void titleFromFileName();
    void applicationTitleComesFromTheProgramFile();
};

void ApplicationTitleTest::titleFromFileName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    addRow("extension dropped", "Calc.EXE", "Calc");
    addRow("rest lowered", "WATER.EXE", "Water");
    addRow("first raised", "/usr/bin/tavi", "Tavi");
    addRow("mixed case", "mIxEd", "Mixed");
    addRow("windows path", "C:\\Programas\\TAVI.EXE", "Tavi");
    addRow("dot in folder only", "/opt/v1.2/prog", "Prog");
    addRow("from the first dot", "/opt/prog.tar.gz", "Prog");
    addRow("accents", "ÁGUA.EXE", "Água");
    addRow("empty", "", "");
}

void ApplicationTitleTest::titleFromFileName()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QCOMPARE(tavi::titleFromFileName(file), title);
}

void ApplicationTitleTest::applicationTitleComesFromTheProgramFile()
{
    // This test program is built as "core_application_title".
    QCOMPARE(tavi::applicationTitle(), QStringLiteral("Core_application_title"));
}

QTEST_GUILESS_MAIN(ApplicationTitleTest)
#include "tst_application_title.moc"
