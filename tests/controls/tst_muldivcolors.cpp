#include "controls/talprogressbar.h"
#include "fixture.h"
#include "platform/muldiv.h"

#include <QApplication>
#include <QTest>
#include <climits>
#include <stdexcept>

class TstMulDivColors : public QObject
{
    Q_OBJECT

private slots:
    void mulDiv_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("expected");
        QTest::newRow("half up") << 5 << 3 << 2 << 8;
        QTest::newRow("negative half away from zero") << -5 << 3 << 2 << -8;
        QTest::newRow("negative divisor") << 5 << 3 << -2 << -8;
        QTest::newRow("below half") << 1 << 1 << 3 << 0;
        QTest::newRow("above half") << -2 << 1 << 3 << -1;
        QTest::newRow("product beyond 32 bits") << INT_MAX << INT_MAX << INT_MAX << INT_MAX;
        QTest::newRow("overflow") << INT_MAX << 2 << 1 << -1;
        QTest::newRow("zero divisor") << 7 << 3 << 0 << -1;
    }
    void mulDiv()
    {
        QFETCH(int, number);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, expected);
        QCOMPARE(platform::MulDiv(number, numerator, denominator), expected);
    }

    void systemColoursFollowThePalette()
    {
        QCOMPARE(RGBColor(1, 2, 3), TColor(0x030201)); // red in the low byte
        QCOMPARE(ColorToRGB(clBtnFace), fixture::BtnFace);
        QCOMPARE(ColorToRGB(clGrayText), fixture::GrayText);
        QCOMPARE(ColorToRGB(clSystemColor + 999), clBlack);

        const QPalette saved = QApplication::palette();
        QPalette changed = saved;
        changed.setColor(QPalette::Button, QColor(9, 8, 7));
        QApplication::setPalette(changed);
        QCOMPARE(ColorToRGB(clBtnFace), RGBColor(9, 8, 7));
        QApplication::setPalette(saved);
    }

    void gradientStep_data()
    {
        QTest::addColumn<TColor>("start");
        QTest::addColumn<TColor>("end");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<TColor>("expected");
        QTest::newRow("first") << clRed << clYellow << 1 << 105 << clRed;
        QTest::newRow("last") << clRed << clYellow << 105 << 105 << clYellow;
        // 52 x 255 / 104 = 127.5: halves go away from zero, both ways.
        QTest::newRow("rising half") << clRed << clYellow << 53 << 105 << RGBColor(255, 128, 0);
        QTest::newRow("falling half") << clYellow << clRed << 53 << 105 << RGBColor(255, 127, 0);
        QTest::newRow("single line") << clGreen << clBlue << 1 << 1 << clGreen;
        QTest::newRow("system colour") << clBtnFace << clBtnFace << 3 << 4 << fixture::BtnFace;
    }
    void gradientStep()
    {
        QFETCH(TColor, start);
        QFETCH(TColor, end);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(TColor, expected);
        QCOMPARE(TALProgressBar::GradientStep(start, end, index, count), expected);
    }

    void gradientStepRefusesIndexOutsideRun()
    {
        for (int index : {0, 106}) {
            try {
                TALProgressBar::GradientStep(clRed, clGreen, index, 105);
                QFAIL("no range error");
            } catch (const std::out_of_range &e) {
                QCOMPARE(QString::fromUtf8(e.what()),
                         QStringLiteral("ColorIndex can't be less than 1 or greater than 105"));
            }
        }
    }
};

int RunMulDivColorTests(int argc, char **argv)
{
    TstMulDivColors t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_muldivcolors.moc"
