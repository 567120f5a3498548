#include "form_fixture.h"

#include <QtTest>

class FormSmokeTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithOnePictureOfEveryTileVisible()
    {
        window_test::ShownForm shown;
        for (std::int16_t i = 0; i < 9; ++i)
            QVERIFY(shown.visibleLayer(i) != 0);
        QCOMPARE(shown.random.draws, 18);
    }
};

QTEST_MAIN(FormSmokeTest)
#include "form_smoke_test.moc"
