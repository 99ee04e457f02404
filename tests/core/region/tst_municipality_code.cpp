// IBGE municipality codes as the tables write them: six digits completed by the check digit,
// seven taken as written whatever their last digit, and what is no municipality's code.
#include "core/region/MunicipalityCode.h"

#include <QTest>

using namespace tavi::region;

class MunicipalityCodeTest : public QObject
{
    Q_OBJECT

private slots:
    void readsCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code"); // empty: not a municipality code
        QTest::addColumn<QString>("state");
        QTest::newRow("São Paulo, 7") << "3550308"
                                      << "3550308"
                                      << "SP";
        QTest::newRow("São Paulo, 6") << "355030"
                                      << "3550308"
                                      << "SP";
        QTest::newRow("Rio, 6 (product over 9)") << "330455"
                                                 << "3304557"
                                                 << "RJ";
        QTest::newRow("Belo Horizonte, 6") << "310620"
                                           << "3106200"
                                           << "MG";
        QTest::newRow("Brasília, 6") << "530010"
                                     << "5300108"
                                     << "DF";
        QTest::newRow("Porto Alegre, 6") << "431490"
                                         << "4314902"
                                         << "RS";
        QTest::newRow("blanks around") << " 292740 "
                                       << "2927408"
                                       << "BA";
        QTest::newRow("check digit off, kept") << "3550309"
                                               << "3550309"
                                               << "SP";
        QTest::newRow("first state") << "1100015"
                                     << "1100015"
                                     << "RO";
        QTest::newRow("state 34 is none") << "3400000"
                                          << ""
                                          << "";
        QTest::newRow("state 10 is none") << "100000"
                                          << ""
                                          << "";
        QTest::newRow("state 54 is none") << "5400000"
                                          << ""
                                          << "";
        QTest::newRow("five digits") << "35503"
                                     << ""
                                     << "";
        QTest::newRow("eight digits") << "35503080"
                                      << ""
                                      << "";
        QTest::newRow("letters") << "35503A8"
                                 << ""
                                 << "";
        QTest::newRow("grouped") << "3.550.308"
                                 << ""
                                 << "";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٣٥٥٠٣٠٨") << ""
                                             << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void readsCodes()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QFETCH(QString, state);
        const std::optional<MunicipalityCode> read = MunicipalityCode::fromText(text);
        QCOMPARE(read.has_value(), !code.isEmpty());
        if (read) {
            QCOMPARE(read->code(), code);
            QCOMPARE(read->state(), state);
        }
    }

    // Every six-digit code completed to seven reads back as the same municipality.
    void completedCodesAreStable()
    {
        for (int six = 110000; six < 540000; six += 997) {
            const std::optional<MunicipalityCode> short6 =
                MunicipalityCode::fromText(QString::number(six));
            if (!short6)
                continue;
            const std::optional<MunicipalityCode> full = MunicipalityCode::fromText(short6->code());
            QVERIFY(full);
            QCOMPARE(full->code(), short6->code());
            QCOMPARE(short6->code().left(6), QString::number(six));
        }
    }
};

QTEST_GUILESS_MAIN(MunicipalityCodeTest)
#include "tst_municipality_code.moc"
