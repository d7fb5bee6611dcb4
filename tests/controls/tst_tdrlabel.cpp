#include "controls/tdrlabel.h"
#include "fixture.h"

#include <QPainter>
#include <QTest>

using fixture::HasColour;
using fixture::Mismatch;
using fixture::PixelAt;

namespace {

QImage Render(const TDRLabel &l)
{
    QImage img(l.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    l.PaintTo(p);
    return img;
}

// A fixed-size label with sharp text, black on white, red shadow.
void MakePlain(TDRLabel &l, QSize size = QSize(60, 24))
{
    l.SetAutoSize(false);
    l.resize(size);
    l.setFont(fixture::SharpFont(16, true));
    l.SetColor(clWhite);
    l.SetFontColor(clBlack);
    l.SetShadowColor(clRed);
    l.SetCaption(QStringLiteral("Wx"));
}

} // namespace

class TstTDRLabel : public QObject
{
    Q_OBJECT

private slots:
    void sizeAndDeep()
    {
        TDRLabel l;
        QCOMPARE(l.size(), QSize(66, 18)); // room for the shadow
        for (int ignored : {0, 3, -1})
            l.SetDeep(ignored);
        QCOMPARE(l.Deep(), 1);
        l.SetDeep(2);
        QCOMPARE(l.Deep(), 2);
        QCOMPARE(l.size(), QSize(66, 18));
    }

    void frameByBorder_data()
    {
        QTest::addColumn<int>("border");
        QTest::addColumn<TColor>("topColour");
        QTest::addColumn<TColor>("bottomColour");
        QTest::newRow("none") << int(boNone) << clSilver << clSilver;
        QTest::newRow("single") << int(boSingle) << fixture::WindowFrame << fixture::WindowFrame;
        QTest::newRow("raised") << int(boRaised) << fixture::BtnHighlight << fixture::BtnShadow;
        QTest::newRow("lowered") << int(boLowered) << fixture::BtnShadow << fixture::BtnHighlight;
    }
    void frameByBorder()
    {
        QFETCH(int, border);
        QFETCH(TColor, topColour);
        QFETCH(TColor, bottomColour);
        TDRLabel l;
        l.SetAutoSize(false);
        l.resize(30, 12);
        l.SetColor(clSilver);
        l.SetBorder(TDRBorder(border));
        QCOMPARE(Mismatch(Render(l),
                          [&](int x, int y) {
                              if ((x == 28 && y <= 10) || (y == 10 && x <= 28))
                                  return bottomColour;
                              if ((x == 0 && y <= 9) || (y == 0 && x <= 27))
                                  return topColour;
                              return clSilver;
                          }),
                 QString());
    }

    void shadowIsTheTextMovedByDeep_data()
    {
        QTest::addColumn<int>("deep");
        QTest::addColumn<bool>("ctl3d");
        QTest::newRow("deep 1") << 1 << true;
        QTest::newRow("deep 2") << 2 << true;
        QTest::newRow("no 3D") << 2 << false;
    }
    void shadowIsTheTextMovedByDeep()
    {
        QFETCH(int, deep);
        QFETCH(bool, ctl3d);
        TDRLabel l;
        MakePlain(l);
        l.SetCtl3D(false);
        const QImage glyphs = Render(l);
        QVERIFY(HasColour(glyphs, clBlack));
        l.SetCtl3D(ctl3d);
        l.SetDeep(deep);
        auto ink = [&](int x, int y) {
            return x >= 0 && y >= 0 && PixelAt(glyphs, x, y) == clBlack;
        };
        QCOMPARE(Mismatch(Render(l),
                          [&](int x, int y) {
                              if (ink(x, y))
                                  return clBlack;
                              return ctl3d && ink(x - deep, y - deep) ? clRed : clWhite;
                          }),
                 QString());
    }

    void linesAlwaysBreak()
    {
        TDRLabel l;
        MakePlain(l, QSize(40, 80));
        l.SetCaption(QStringLiteral("aaa bbb ccc"));
        QVERIFY(!l.WordWrap());
        const int line = QFontMetrics(l.font()).height();
        QVERIFY(HasColour(Render(l).copy(0, line, 40, line), clBlack));
    }

    void disabledAndTransparent()
    {
        TDRLabel l;
        MakePlain(l);
        l.SetTransparent(true);
        QImage img = Render(l);
        QVERIFY(HasColour(img, clBlack));
        QVERIFY(!HasColour(img, clWhite)); // the magenta beneath shows
        l.setEnabled(false);
        img = Render(l);
        QVERIFY(HasColour(img, fixture::GrayText));
        QVERIFY(!HasColour(img, clBlack));
    }

    void hiLoSwitchesOnTicks()
    {
        TDRLabel l;
        MakePlain(l);
        l.SetShadowColor(clWhite);
        l.SetHiColor(clRed);
        l.SetLoColor(clBlack);
        l.SetFontColor(clGreen);
        l.SetBlinkInterval(5);
        l.SetBlink(blHiLo);
        // The colour saved at construction shows until the first tick.
        QCOMPARE(l.FontColor(), clWindowText);
        QTRY_COMPARE(l.FontColor(), clRed);
        QVERIFY(HasColour(Render(l), clRed));
        QTRY_COMPARE(l.FontColor(), clBlack);
        QVERIFY(!HasColour(Render(l), clRed));
        QTRY_COMPARE(l.FontColor(), clRed);
        l.SetBlink(blNone);
        QCOMPARE(l.FontColor(), clWindowText);
        QVERIFY(!l.Blinking());
    }

    void blinkHidesAndShows()
    {
        TDRLabel l;
        MakePlain(l);
        l.SetBlink(blBlink);
        l.BlinkTick();
        QCOMPARE(l.FontColor(), clWhite);
        const QImage hidden = Render(l);
        QVERIFY(!HasColour(hidden, clBlack));
        QVERIFY(!HasColour(hidden, clRed)); // no shadow either

        // Back to no blinking while hidden: the text returns.
        l.SetBlink(blNone);
        QCOMPARE(l.FontColor(), clBlack);
        QVERIFY(HasColour(Render(l), clBlack));

        l.SetBlinkInterval(5);
        l.SetBlink(blBlink);
        QTRY_COMPARE(l.FontColor(), clWhite);
        QTRY_COMPARE(l.FontColor(), clBlack);

        // A zero interval stops the timer instead of spinning it.
        l.SetBlinkInterval(0);
        QVERIFY(!l.Blinking());

        // Blinking in the background colour keeps the text hidden.
        l.SetBlink(blNone);
        l.SetFontColor(clWhite);
        l.SetBlink(blBlink);
        l.BlinkTick();
        QCOMPARE(l.FontColor(), clWhite);
    }
};

int RunLabelTests(int argc, char **argv)
{
    TstTDRLabel t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tdrlabel.moc"
