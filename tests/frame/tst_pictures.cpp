#include "frame/Pictures.h"

#include <QImage>
#include <QTest>

// The pictures compiled into the frame library load wherever it is linked.
class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void pictures();
};

void PicturesTest::pictures()
{
    const struct {
        const char *name;
        QSize size;
    } expected[] = {{"main.jpg", {696, 456}},
                    {"about.jpg", {624, 348}},
                    {"b_simular.png", {32, 32}},
                    {"b_salvar.png", {32, 32}},
                    {"b_sair.png", {32, 32}}};
    for (const auto &picture : expected) {
        const QPixmap pixmap = Pictures::picture(QLatin1String(picture.name));
        QVERIFY2(!pixmap.isNull(), picture.name);
        QCOMPARE(pixmap.size(), picture.size);
    }
    // The button pictures sit on the button face: their corners are see-through.
    for (const char *name : {"b_simular.png", "b_salvar.png", "b_sair.png"}) {
        const QImage image = Pictures::picture(QLatin1String(name)).toImage();
        QVERIFY2(image.hasAlphaChannel(), name);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
