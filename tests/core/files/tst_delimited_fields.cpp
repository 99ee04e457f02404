// The fields of a delimited line as the flow files and the public tables both split them:
// quotes, doubled quotes and separators inside quotes, and the one place they differ, an empty
// field after the last separator.
#include "core/files/DelimitedFields.h"

#include <QTest>

using namespace tavi;

class DelimitedFieldsTest : public QObject
{
    Q_OBJECT

private slots:
    void splits_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QStringList>("dropped");

        QTest::newRow("plain") << "a; b ;c" << QStringList{"a", "b", "c"}
                               << QStringList{"a", "b", "c"};
        QTest::newRow("trailing separator")
            << "a;b;" << QStringList{"a", "b", ""} << QStringList{"a", "b"};
        QTest::newRow("trailing blank field")
            << "a;b;  " << QStringList{"a", "b", ""} << QStringList{"a", "b"};
        QTest::newRow("empty in the middle")
            << "a;;b" << QStringList{"a", "", "b"} << QStringList{"a", "", "b"};
        QTest::newRow("separator in quotes")
            << "\"São Paulo; SP\";\"1,5\"" << QStringList{"São Paulo; SP", "1,5"}
            << QStringList{"São Paulo; SP", "1,5"};
        QTest::newRow("doubled quote") << "\"dito \"\"x\"\"\";2" << QStringList{"dito \"x\"", "2"}
                                       << QStringList{"dito \"x\"", "2"};
        QTest::newRow("empty line") << "" << QStringList{""} << QStringList{""};
        QTest::newRow("only a separator") << ";" << QStringList{"", ""} << QStringList{""};
    }
    void splits()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, kept);
        QFETCH(QStringList, dropped);
        QCOMPARE(splitDelimitedFields(line, QLatin1Char(';'), TrailingEmptyField::Kept), kept);
        QCOMPARE(splitDelimitedFields(line, QLatin1Char(';'), TrailingEmptyField::Dropped),
                 dropped);
    }
};

QTEST_GUILESS_MAIN(DelimitedFieldsTest)
#include "tst_delimited_fields.moc"
