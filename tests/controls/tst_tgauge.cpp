#include "controls/einvalidoperation.h"
#include "controls/tgauge.h"
#include "fixture.h"

#include <QCryptographicHash>
#include <QTest>
#include <limits>

using fixture::Mismatch;
using fixture::PixelAt;

namespace {

class CountingGauge : public TGauge
{
public:
    using TGauge::TGauge;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        ++paints;
        TGauge::paintEvent(e);
    }
};

// The main window's level gauge: 5 x 153, vertical, no text, framed.
void MakeLevel(TGauge &g, int min, int max, int progress)
{
    g.resize(5, 153);
    g.SetKind(gkVerticalBar);
    g.SetShowText(false);
    g.SetForeColor(clYellow);
    g.SetBackColor(clGray);
    g.SetMaxValue(max);
    g.SetMinValue(min);
    g.SetProgress(progress);
}

} // namespace

class TstTGauge : public QObject
{
    Q_OBJECT

private slots:
    void refusesCrossedRange_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<bool>("setMin");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        const int lowest = std::numeric_limits<int>::min();
        const int highest = std::numeric_limits<int>::max();
        QTest::newRow("minimum above maximum")
            << 0 << 100 << true << 101 << QStringLiteral("Valor deve estar entre -2147483647 e 99");
        QTest::newRow("maximum below minimum")
            << 0 << 100 << false << -1 << QStringLiteral("Valor deve estar entre 1 e 2147483647");
        // The bounds are 32-bit integers: one past either end wraps round.
        QTest::newRow("minimum above the lowest maximum")
            << lowest << lowest << true << 0
            << QStringLiteral("Valor deve estar entre -2147483647 e 2147483647");
        QTest::newRow("maximum below the highest minimum")
            << highest << highest << false << 0
            << QStringLiteral("Valor deve estar entre -2147483648 e 2147483647");
    }
    void refusesCrossedRange()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(bool, setMin);
        QFETCH(int, value);
        QFETCH(QString, message);
        CountingGauge g;
        g.SetProgress(40);
        if (min < 0) {
            g.SetMinValue(min);
            g.SetMaxValue(max);
        } else {
            g.SetMaxValue(max);
            g.SetMinValue(min);
        }
        const int progress = g.Progress();
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const int paints = g.paints;
        try {
            setMin ? g.SetMinValue(value) : g.SetMaxValue(value);
            QFAIL("accepted a crossed range");
        } catch (const EInvalidOperation &e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
        QCOMPARE(g.MinValue(), min);
        QCOMPARE(g.MaxValue(), max);
        QCOMPARE(g.Progress(), progress);
        QCOMPARE(g.paints, paints);

        // While loading, the bounds may arrive in either order.
        g.SetLoading(true);
        setMin ? g.SetMinValue(value) : g.SetMaxValue(value);
        QCOMPARE(setMin ? g.MinValue() : g.MaxValue(), value);
    }

    void repaintsOnlyWhatShows()
    {
        CountingGauge g;
        MakeLevel(g, 0, 3000, 800);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        int paints = g.paints;

        g.SetProgress(801); // still 26 %: stored, not painted
        QCOMPARE(g.Progress(), 801);
        g.SetForeColor(clYellow);
        g.SetKind(gkVerticalBar);
        QCOMPARE(g.paints, paints);

        g.SetProgress(900); // 30 %: painted at once
        QCOMPARE(g.paints, ++paints);
        g.SetBackColor(clBlue);
        QCOMPARE(g.paints, ++paints);
    }

    void levelBar_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("firstFilledRow");
        QTest::newRow("empty") << 153 << true << 0 << 100 << 0 << 152;
        QTest::newRow("half") << 153 << true << 0 << 100 << 50 << 76;
        QTest::newRow("full stops at the frame") << 153 << true << 0 << 100 << 100 << 1;
        QTest::newRow("frequency 800 of 3000") << 153 << true << 0 << 3000 << 800 << 113;
        QTest::newRow("speed above its range") << 153 << true << 5 << 25 << 99 << 1;
        QTest::newRow("empty range") << 153 << true << 7 << 7 << 7 << 152;
        QTest::newRow("range beyond 32 bits")
            << 153 << true << -2000000000 << 2000000000 << 0 << 76;
        // 154 x 0.5 = 77 rows from row 77 down; the last falls off the control.
        QTest::newRow("no frame") << 153 << false << 0 << 100 << 50 << 77;
        QTest::newRow("no frame, full") << 153 << false << 0 << 100 << 100 << 1;
        // The hundredth is taken a shade below its value: 20 % of 5 is 0.
        QTest::newRow("20 % of 5") << 6 << true << 0 << 100 << 20 << 5;
        QTest::newRow("50 % of 10") << 11 << true << 0 << 100 << 50 << 5;
    }
    void levelBar()
    {
        QFETCH(int, height);
        QFETCH(bool, framed);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, progress);
        QFETCH(int, firstFilledRow);
        TGauge g;
        MakeLevel(g, min, max, progress);
        g.resize(5, height);
        g.SetBorderStyle(framed ? bsSingle : bsNone);
        const QImage img = g.grab().toImage();
        QCOMPARE(img.size(), QSize(5, height));
        QCOMPARE(Mismatch(img,
                          [&](int x, int y) {
                              if (framed && (x < 1 || x > 3 || y < 1 || y > height - 2))
                                  return clBlack;
                              return y >= firstFilledRow ? clYellow : clGray;
                          }),
                 QString());
    }

    // A framed gauge 1 pixel wide or tall has an empty inside: it is all
    // frame, whatever it shows.
    void thinFramedGaugeIsAllFrame_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("kind");
        QTest::newRow("1 x 6 vertical bar") << QSize(1, 6) << int(gkVerticalBar);
        QTest::newRow("6 x 1 horizontal bar") << QSize(6, 1) << int(gkHorizontalBar);
        QTest::newRow("1 x 30 text") << QSize(1, 30) << int(gkText);
        QTest::newRow("1 x 12 pie") << QSize(1, 12) << int(gkPie);
        QTest::newRow("21 x 1 needle") << QSize(21, 1) << int(gkNeedle);
        QTest::newRow("2 x 6 vertical bar") << QSize(2, 6) << int(gkVerticalBar);
    }
    void thinFramedGaugeIsAllFrame()
    {
        QFETCH(QSize, size);
        QFETCH(int, kind);
        TGauge g;
        g.resize(size);
        g.SetKind(TGaugeKind(kind));
        g.SetForeColor(clRed);
        g.SetBackColor(clLime);
        g.SetColor(clBlue);
        g.SetProgress(50);
        QCOMPARE(Mismatch(g.Compose(), [](int, int) { return clBlack; }), QString());
    }

    // A line leaves out its last point, the needle's tip included; only the
    // half-ellipse it points at is there.
    void needleLeavesOutItsTip_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<QPoint>("tip");
        QTest::newRow("15 %") << 15 << QPoint(1, 5);
        QTest::newRow("25 %") << 25 << QPoint(3, 3);
        QTest::newRow("50 %, on the frame") << 50 << QPoint(10, 0);
        QTest::newRow("75 %, beyond the half-ellipse") << 75 << QPoint(17, 3);
        QTest::newRow("85 %") << 85 << QPoint(19, 5);
    }
    void needleLeavesOutItsTip()
    {
        QFETCH(int, progress);
        QFETCH(QPoint, tip);
        TGauge g;
        g.resize(21, 12);
        g.SetKind(gkNeedle);
        g.SetShowText(false);
        g.SetForeColor(clRed);
        g.SetBackColor(clWhite);
        g.SetColor(clBlue);
        const QImage without = g.Compose(); // p = 0: no needle
        g.SetProgress(progress);
        const QImage with = g.Compose();
        QCOMPARE(PixelAt(with, tip.x(), tip.y()), PixelAt(without, tip.x(), tip.y()));
        // The needle itself is drawn, from its base up to the tip.
        int needle = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                needle += PixelAt(with, x, y) != PixelAt(without, x, y);
        QVERIFY(needle >= 3);
    }

    void textInvertsWhatLiesBeneath()
    {
        TGauge g;
        g.resize(100, 24);
        g.setFont(fixture::SharpFont(16, true));
        g.SetForeColor(clNavy);
        g.SetProgress(48); // "48%" straddles the end of the fill
        g.SetShowText(false);
        const QImage plain = g.Compose();
        g.SetShowText(true);
        const QImage text = g.Compose();
        int overFill = 0;
        int overBack = 0;
        QCOMPARE(Mismatch(text,
                          [&](int x, int y) {
                              const TColor under = PixelAt(plain, x, y);
                              if (PixelAt(text, x, y) == under)
                                  return under;
                              overFill += under == clNavy;
                              overBack += under == clWhite;
                              return under ^ 0xFFFFFFu;
                          }),
                 QString());
        QVERIFY(overFill > 0);
        QVERIFY(overBack > 0);
        QCOMPARE(PixelAt(text, 50, 0), clBlack); // the frame is never inverted
    }

    // The same pictures on every CPU: a digest of each kind's pictures at
    // every percentage, recorded from this computation.
    void picturesAsRecorded_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<bool>("text");
        QTest::addColumn<QByteArray>("digest");
        QTest::newRow("main window's level")
            << int(gkVerticalBar) << QSize(5, 153) << true << false
            << QByteArray("9e189b174d1fcc0346e4a8b7112ee6e70f869b38");
        QTest::newRow("tall vertical bar")
            << int(gkVerticalBar) << QSize(3, 1000) << false << false
            << QByteArray("402330dbc7eaf6d634ecad33a5a3fdec00154980");
        QTest::newRow("wide horizontal bar")
            << int(gkHorizontalBar) << QSize(1001, 3) << true << false
            << QByteArray("99959bfd94fc2b4469bcaa98bb7939d951195912");
        QTest::newRow("horizontal bar, text")
            << int(gkHorizontalBar) << QSize(120, 24) << true << true
            << QByteArray("119ca0a34af4f3dd940cd5a6fd767d5bef884d90");
        QTest::newRow("pie") << int(gkPie) << QSize(61, 61) << true << false
                             << QByteArray("405e2d5f8ae4d1899471116e7f84ff81d75fdc01");
        QTest::newRow("flat pie, text") << int(gkPie) << QSize(90, 40) << false << true
                                        << QByteArray("103fd96fcc7562f07c035b6fa4a15ade77cdb55c");
        QTest::newRow("needle") << int(gkNeedle) << QSize(80, 50) << true << false
                                << QByteArray("cac2627043e239f632c3bb02230d62ef16893abb");
        QTest::newRow("narrow needle") << int(gkNeedle) << QSize(33, 101) << false << false
                                       << QByteArray("5c33f00504fccf4d1dae1872868a8cefe95c11a8");
        QTest::newRow("text") << int(gkText) << QSize(50, 20) << true << true
                              << QByteArray("451962769167420872a17363765dfdbd25970b74");
    }
    void picturesAsRecorded()
    {
        QFETCH(int, kind);
        QFETCH(QSize, size);
        QFETCH(bool, framed);
        QFETCH(bool, text);
        QFETCH(QByteArray, digest);
        TGauge g;
        g.resize(size);
        g.setFont(fixture::SharpFont(12));
        g.SetKind(TGaugeKind(kind));
        g.SetBorderStyle(framed ? bsSingle : bsNone);
        g.SetShowText(text);
        g.SetForeColor(clNavy);
        g.SetBackColor(clYellow);
        g.SetColor(clSilver);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int p = 0; p <= 100; ++p) {
            g.SetProgress(p);
            const QImage image = g.Compose();
            QCOMPARE(image.format(), QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                hash.addData(QByteArrayView(image.constScanLine(y), image.width() * 4));
        }
        QCOMPARE(hash.result().toHex(), digest);
    }
};

int RunGaugeTests(int argc, char **argv)
{
    TstTGauge t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tgauge.moc"
