#include "controls/talprogressbar.h"
#include "fixture.h"

#include <QApplication>
#include <QTest>

using fixture::Mismatch;
using fixture::PixelAt;

namespace {

class CountingBar : public TALProgressBar
{
public:
    using TALProgressBar::TALProgressBar;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        ++paints;
        TALProgressBar::paintEvent(e);
    }
};

// The reception test's bar of right answers, without its text, on screen.
void MakeRightAnswers(TALProgressBar &b)
{
    b.resize(210, 25);
    b.SetShowPosText(false);
    b.SetBackgroundColor(clSilver);
    b.SetBarColor1(clRed);
    b.SetBarColor3(clGreen);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
}

// A bar without frame or text, any size.
void MakeBare(TALProgressBar &b, int w, int h)
{
    b.resize(w, h);
    b.SetShowBorder(false);
    b.SetShowPosText(false);
}

} // namespace

class TstTALProgressBar : public QObject
{
    Q_OBJECT

private slots:
    void rightAnswersBar_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("firstBackgroundColumn");
        QTest::newRow("full") << 100 << 209;
        QTest::newRow("half") << 50 << 105;
        QTest::newRow("empty") << 0 << 1;
    }
    void rightAnswersBar()
    {
        QFETCH(int, position);
        QFETCH(int, firstBackgroundColumn);
        TALProgressBar b;
        MakeRightAnswers(b);
        b.SetPosition(position);
        // Red to yellow over columns 0..104, yellow to green over 105..209.
        QCOMPARE(Mismatch(b.grab().toImage(),
                          [&](int x, int y) {
                              if (y == 0 || x == 0)
                                  return fixture::BtnShadow;
                              if (y == 24 || x == 209)
                                  return fixture::BtnHighlight;
                              if (x >= firstBackgroundColumn)
                                  return clSilver;
                              return x <= 104
                                         ? TALProgressBar::GradientStep(clRed, clYellow, x + 1, 105)
                                         : TALProgressBar::GradientStep(clYellow, clGreen, x - 104,
                                                                        105);
                          }),
                 QString());
    }

    void originHoldsBarColor1_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("style");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QPoint>("farEnd");
        QTest::addColumn<TColor>("farColour");
        const QPoint left(0, 5), right(39, 5), top(5, 0), bottom(5, 39);
        QTest::newRow("right to left")
            << int(pdRightToLeft) << int(cs3Colors) << right << left << clBlue;
        QTest::newRow("bottom to top")
            << int(pdBottomToTop) << int(cs3Colors) << bottom << top << clBlue;
        QTest::newRow("bottom to top, two")
            << int(pdBottomToTop) << int(cs2Colors) << bottom << top << clYellow;
    }
    void originHoldsBarColor1()
    {
        QFETCH(int, direction);
        QFETCH(int, style);
        QFETCH(QPoint, origin);
        QFETCH(QPoint, farEnd);
        QFETCH(TColor, farColour);
        TALProgressBar b;
        MakeBare(b, 40, 40);
        b.SetBarColor1(clRed);
        b.SetBarColor3(clBlue);
        b.SetBarColorStyle(TBarColorStyle(style));
        b.SetDirection(TProgressDirection(direction));
        b.SetPosition(100);
        const QImage img = b.grab().toImage();
        QCOMPARE(PixelAt(img, origin.x(), origin.y()), clRed);
        QCOMPARE(PixelAt(img, farEnd.x(), farEnd.y()), farColour);
    }

    void backgroundByDirection_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("border");
        QTest::addColumn<QRect>("background");
        // 30 of 0..100 on a 50 x 40 bar: L = 48 or 38 inside a frame, F = 14 or 11.
        QTest::newRow("left to right") << int(pdLeftToRight) << true << QRect(15, 1, 34, 38);
        QTest::newRow("right to left") << int(pdRightToLeft) << true << QRect(1, 1, 34, 38);
        QTest::newRow("bottom to top") << int(pdBottomToTop) << true << QRect(1, 1, 48, 27);
        QTest::newRow("top to bottom") << int(pdTopToBottom) << true << QRect(1, 12, 48, 27);
        QTest::newRow("no frame") << int(pdLeftToRight) << false << QRect(15, 0, 35, 40);
        QTest::newRow("no frame, upward") << int(pdBottomToTop) << false << QRect(0, 0, 50, 28);
    }
    void backgroundByDirection()
    {
        QFETCH(int, direction);
        QFETCH(bool, border);
        QFETCH(QRect, background);
        TALProgressBar b;
        MakeBare(b, 50, 40);
        b.SetBarColorStyle(cs1Color);
        b.SetBarColor1(clRed);
        b.SetBackgroundColor(clSilver);
        b.SetShowBorder(border);
        b.SetDirection(TProgressDirection(direction));
        b.SetPosition(30);
        QCOMPARE(Mismatch(b.grab().toImage(),
                          [&](int x, int y) {
                              if (border && (x == 0 || y == 0 || (x == 49 && y == 0)))
                                  return fixture::BtnShadow;
                              if (border && (x == 49 || y == 39))
                                  return fixture::BtnHighlight;
                              return background.contains(x, y) ? clSilver : clRed;
                          }),
                 QString());
    }

    // Position's share of the range times the bar's length, each rounded as
    // the x87 rounds them, on every CPU.
    void filledLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("filled");
        QTest::newRow("7 of 100 on 150, a shade below the half") << 150 << 100 << 7 << 10;
        QTest::newRow("15 of 22 on 11, a shade above the half") << 11 << 22 << 15 << 8;
        QTest::newRow("1 of 8 on 20, half to even") << 20 << 8 << 1 << 2;
        QTest::newRow("3 of 8 on 20, half to even") << 20 << 8 << 3 << 8;
    }
    void filledLength()
    {
        QFETCH(int, length);
        QFETCH(int, max);
        QFETCH(int, position);
        QFETCH(int, filled);
        TALProgressBar b;
        MakeBare(b, length, 3);
        b.SetBarColorStyle(cs1Color);
        b.SetBarColor1(clRed);
        b.SetBackgroundColor(clSilver);
        b.SetMax(max);
        b.SetPosition(position);
        QCOMPARE(
            Mismatch(b.grab().toImage(), [&](int x, int) { return x < filled ? clRed : clSilver; }),
            QString());
    }

    void positionOutsideTheRange()
    {
        CountingBar b;
        MakeRightAnswers(b);
        b.SetBarColorStyle(cs1Color);
        b.SetPosition(40);
        const int paints = b.paints;
        for (int ignored : {101, -1, 40})
            b.SetPosition(ignored);
        QCOMPARE(b.Position(), 40);
        QCOMPARE(b.paints, paints);

        // A range changed under the position: drawn as if clamped, inside
        // the frame.
        b.SetPosition(100);
        b.SetMax(50);
        QCOMPARE(b.Position(), 100);
        QCOMPARE(PixelAt(b.FrameBuffer(), 208, 12), clRed);
        QCOMPARE(PixelAt(b.FrameBuffer(), 209, 12), fixture::BtnHighlight);
        b.SetMin(50); // Max = Min: empty whatever the position
        QCOMPARE(PixelAt(b.FrameBuffer(), 1, 12), clSilver);
        b.SetMax(100);
        b.SetMin(101); // Position below Min
        QCOMPARE(PixelAt(b.FrameBuffer(), 1, 12), clSilver);
    }

    void positionChangeReusesTheBar()
    {
        TALProgressBar b;
        MakeRightAnswers(b);
        b.SetBarColor1(clBtnHighlight);
        b.SetBarColor2(clBtnHighlight);
        b.SetBarColorStyle(cs2Colors);
        b.SetPosition(100);
        const uchar *buffer = b.FrameBuffer().constBits();
        QCOMPARE(PixelAt(b.FrameBuffer(), 1, 12), fixture::BtnHighlight);

        const QPalette saved = QApplication::palette();
        QPalette changed = saved;
        changed.setColor(QPalette::Light, QColor(11, 22, 33));
        QApplication::setPalette(changed);

        // The kept bar still holds the old colour; the frame, drawn afresh,
        // takes the new one.
        b.SetPosition(90);
        QCOMPARE(PixelAt(b.FrameBuffer(), 1, 12), fixture::BtnHighlight);
        QCOMPARE(PixelAt(b.FrameBuffer(), 209, 12), RGBColor(11, 22, 33));
        QCOMPARE(b.FrameBuffer().constBits(), buffer);

        // A paint asked by the window system builds the bar again.
        b.update();
        QTRY_COMPARE(PixelAt(b.FrameBuffer(), 1, 12), RGBColor(11, 22, 33));
        QApplication::setPalette(saved);
    }

    void tiledPicture()
    {
        QImage tile(3, 2, QImage::Format_RGB32);
        for (int i = 0; i < 6; ++i)
            tile.setPixel(i % 3, i / 3, qRgb(40 * i, 0, 0));
        TALProgressBar b;
        MakeBare(b, 20, 7);
        b.SetBarColorStyle(cs1Color);
        b.SetBarBitmap(tile);
        tile.fill(Qt::black); // the bar keeps its own copy
        b.SetPosition(100);
        QCOMPARE(Mismatch(b.grab().toImage(),
                          [](int x, int y) { return RGBColor(40 * ((y % 2) * 3 + x % 3), 0, 0); }),
                 QString());
        b.SetBarBitmap(QImage());
        QCOMPARE(PixelAt(b.grab().toImage(), 5, 5), clGreen);
    }

    // A bar as large as a widget may be: no picture of that size can be
    // allocated, and the bar shows its background instead of crashing. Back
    // to a sane size it draws its bar again.
    void pictureTooLargeToAllocate_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("tiled");
        QTest::newRow("three colours") << int(cs3Colors) << false;
        QTest::newRow("two colours") << int(cs2Colors) << false;
        QTest::newRow("one colour") << int(cs1Color) << false;
        QTest::newRow("tiled picture") << int(cs3Colors) << true;
    }
    void pictureTooLargeToAllocate()
    {
        QFETCH(int, style);
        QFETCH(bool, tiled);
        QWidget janela;
        janela.resize(40, 30);
        auto *b = new CountingBar(&janela);
        MakeBare(*b, 40, 30);
        b->SetBackgroundColor(clSilver);
        b->SetBarColor1(clRed);
        b->SetBarColorStyle(TBarColorStyle(style));
        if (tiled) {
            QImage tile(2, 2, QImage::Format_RGB32);
            tile.fill(Qt::red);
            b->SetBarBitmap(tile);
        }
        b->SetPosition(100);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));

        b->resize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int paints = b->paints;
        b->repaint();
        QVERIFY(b->paints > paints);
        QVERIFY(b->FrameBuffer().isNull());
        QCOMPARE(PixelAt(janela.grab().toImage(), 20, 15), clSilver);

        b->resize(40, 30);
        b->repaint();
        QCOMPARE(PixelAt(b->FrameBuffer(), 0, 15), clRed);
    }

    void text_data()
    {
        QTest::addColumn<bool>("percentage");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half to even") << true << 8 << 1 << QString() << "12%";
        QTest::newRow("odd half up") << true << 8 << 3 << QString() << "38%";
        QTest::newRow("no maximum") << true << 0 << 0 << QString() << "0%";
        // Where the quotient's rounding tells: the x87's, on every CPU.
        QTest::newRow("a shade above the half") << true << 40 << 23 << QString() << "58%";
        QTest::newRow("a shade below the half") << true << 200 << 59 << QString() << "29%";
        QTest::newRow("negative") << false << 100 << -5 << QString() << "-5%";
        QTest::newRow("joined") << false << 100 << 7 << "A"
                                << "A7%";
    }
    void text()
    {
        QFETCH(bool, percentage);
        QFETCH(int, max);
        QFETCH(int, position);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        TALProgressBar b;
        b.SetMin(-10);
        b.SetMax(max);
        b.SetPosition(position);
        b.SetPercentage(percentage);
        b.SetPosTextPrefix(prefix);
        b.SetPosTextSuffix(QStringLiteral("%"));
        QCOMPARE(b.PosText(), expected);
    }
};

int RunBarTests(int argc, char **argv)
{
    TstTALProgressBar t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_talprogressbar.moc"
