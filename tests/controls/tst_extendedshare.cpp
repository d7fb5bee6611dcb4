#include "controls/extendedshare.h"

#include <QCryptographicHash>
#include <QWidget>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

// Every extent a gauge's geometry yields: Qt caps a widget's size at
// QWIDGETSIZE_MAX, and a bar's extent is one more than its inner size (from
// -1 for a framed gauge of size 0 up to 2^24 for an unframed one at the cap).
constexpr int LeastExtent = -1;
constexpr int GreatestExtent = QWIDGETSIZE_MAX + 1;

// The extended format of the x87 unit: a 64-bit mantissa.
constexpr bool X87 = std::numeric_limits<long double>::digits == 64;

int X87Share(int extent, int percent)
{
    return int(static_cast<long double>(extent) * (static_cast<long double>(percent) * 0.01L));
}

QString NotX87()
{
    return QStringLiteral("long double has a %1-bit mantissa here, not the x87's 64: the recorded "
                          "values stand in for it")
        .arg(std::numeric_limits<long double>::digits);
}

qint64 X87Ratio(qint64 numerator, qint64 denominator, qint64 factor)
{
    return std::llrint(static_cast<long double>(numerator) / static_cast<long double>(denominator) *
                       static_cast<long double>(factor));
}

// The ratios a bar's text and fill take: every position of every range up
// to 1000 as a percentage, and of every range up to 100 on every length up
// to 300.
template <typename Visit> void EveryBarRatio(Visit visit)
{
    for (qint64 range = 1; range <= 1000; ++range)
        for (qint64 position = -range; position <= range; ++position)
            visit(position, range, 100);
    for (qint64 range = 1; range <= 100; ++range)
        for (qint64 position = 0; position <= range; ++position)
            for (qint64 length = 0; length <= 300; ++length)
                visit(position, range, length);
}

// Every extent above 2^16 takes 40 s: the suite steps through them, and the
// whole sweep runs with ZIRVANO_EXHAUSTIVE=1 (CI runs it once, after the suite).
int Stride(int extent)
{
    static const bool every = qEnvironmentVariableIsSet("ZIRVANO_EXHAUSTIVE");
    return !every && extent >= 65536 ? 61 : 1;
}

} // namespace

class TstExtendedShare : public QObject
{
    Q_OBJECT

private slots:
    void recorded_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("share");
        // One below the exact share where the hundredth's shortfall tells.
        QTest::newRow("20 % of 5") << 5 << 20 << 0;
        QTest::newRow("40 % of 5") << 5 << 40 << 1;
        QTest::newRow("10 % of 10") << 10 << 10 << 0;
        QTest::newRow("92 % of 25") << 25 << 92 << 22;
        QTest::newRow("99 % of 1000000") << 1000000 << 99 << 989999;
        QTest::newRow("20 % of 2^24 - 1") << 16777215 << 20 << 3355442;
        QTest::newRow("5 % of 4194300") << 4194300 << 5 << 209714;
        // Exact ones.
        QTest::newRow("50 % of 10") << 10 << 50 << 5;
        QTest::newRow("50 % of 152") << 152 << 50 << 76;
        QTest::newRow("26 % of 152") << 152 << 26 << 39;
        QTest::newRow("100 % of 2^24") << 16777216 << 100 << 16777216;
        QTest::newRow("57 % of 2^31 - 1") << 2147483647 << 57 << 1224065678;
        QTest::newRow("0 % of 2^31 - 1") << 2147483647 << 0 << 0;
        // A framed gauge of no size; truncation is toward zero.
        QTest::newRow("100 % of -1") << -1 << 100 << -1;
        QTest::newRow("50 % of -1") << -1 << 50 << 0;
        QTest::newRow("20 % of -7") << -7 << 20 << -1;
    }
    void recorded()
    {
        QFETCH(int, extent);
        QFETCH(int, percent);
        QFETCH(int, share);
        QCOMPARE(ExtendedShare(extent, percent), share);
    }

    void mainWindowSizeIsExact()
    {
        for (int p = 0; p <= 100; ++p)
            QCOMPARE(ExtendedShare(152, p), 152 * p / 100);
    }

    // What any CPU must reproduce: a digest of the shares of every extent up
    // to 2^16 and of every 4093rd beyond, at every percentage, and how many of
    // them fall one below the exact share.
    void recordedDigest()
    {
        QCryptographicHash digest(QCryptographicHash::Sha1);
        int below = 0;
        for (int p = 0; p <= 100; ++p) {
            for (int e = LeastExtent; e <= GreatestExtent; e += e < 65536 ? 1 : 4093) {
                const qint32 share = qToLittleEndian(qint32(ExtendedShare(e, p)));
                digest.addData(QByteArrayView(reinterpret_cast<const char *>(&share), 4));
                below += e > 0 && qFromLittleEndian(share) < qint64(e) * p / 100;
            }
        }
        QCOMPARE(below, 99008);
        QCOMPARE(digest.result().toHex(), QByteArray("235c54f82b42478df333a95c47b7298e2d996f50"));
    }

    void ratio_data()
    {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<qint64>("factor");
        QTest::addColumn<qint64>("ratio");
        // Where the quotient's rounding in 64 bits tells: a double or a
        // 113-bit long double lands on the other side of the half.
        QTest::newRow("23 / 40 x 100") << 23LL << 40LL << 100LL << 58LL;
        QTest::newRow("59 / 200 x 100") << 59LL << 200LL << 100LL << 29LL;
        QTest::newRow("7 / 100 x 150") << 7LL << 100LL << 150LL << 10LL;
        QTest::newRow("15 / 22 x 11") << 15LL << 22LL << 11LL << 8LL;
        // Exact halves go to even.
        QTest::newRow("1 / 8 x 100") << 1LL << 8LL << 100LL << 12LL;
        QTest::newRow("3 / 8 x 100") << 3LL << 8LL << 100LL << 38LL;
        QTest::newRow("5 / 2 x 1") << 5LL << 2LL << 1LL << 2LL;
        // Signs, and a quotient with no exact form.
        QTest::newRow("-23 / 40 x 100") << -23LL << 40LL << 100LL << -58LL;
        QTest::newRow("23 / -40 x 100") << 23LL << -40LL << 100LL << -58LL;
        QTest::newRow("-23 / -40 x 100") << -23LL << -40LL << 100LL << 58LL;
        QTest::newRow("23 / 40 x -100") << 23LL << 40LL << -100LL << -58LL;
        QTest::newRow("2 / 3 x 3") << 2LL << 3LL << 3LL << 2LL;
        QTest::newRow("0 / 5 x 100") << 0LL << 5LL << 100LL << 0LL;
        QTest::newRow("no denominator") << 7LL << 0LL << 100LL << 0LL;
        // The ends of a bar's range, held in 64 bits.
        QTest::newRow("2^32 - 1 of itself on 2^24")
            << 4294967295LL << 4294967295LL << 16777216LL << 16777216LL;
        QTest::newRow("-2^31 / -1 x 100") << -2147483648LL << -1LL << 100LL << 214748364800LL;
        QTest::newRow("1 / (2^32 - 1) x (2^31 - 1)") << 1LL << 4294967295LL << 2147483647LL << 0LL;
    }
    void ratio()
    {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(qint64, factor);
        QFETCH(qint64, ratio);
        QCOMPARE(ExtendedRatio(numerator, denominator, factor), ratio);
    }

    // What any CPU must reproduce of a bar's ratios.
    void ratioDigest()
    {
        QCryptographicHash digest(QCryptographicHash::Sha1);
        EveryBarRatio([&](qint64 numerator, qint64 denominator, qint64 factor) {
            const qint64 ratio = qToLittleEndian(ExtendedRatio(numerator, denominator, factor));
            digest.addData(QByteArrayView(reinterpret_cast<const char *>(&ratio), 8));
        });
        QCOMPARE(digest.result().toHex(), QByteArray("962602684b378d34b345b7380bd455c1271fc55c"));
    }

    // The proof: on an x87 unit, every extent and percentage a gauge can be
    // given against the hardware's own extended products.
    void matchesX87_data()
    {
        if constexpr (!X87)
            QSKIP(qPrintable(NotX87()));
        QTest::addColumn<int>("percent");
        for (int p = 0; p <= 100; ++p)
            QTest::addRow("%d %%", p) << p;
    }
    void matchesX87()
    {
        QFETCH(int, percent);
        for (int e = LeastExtent; e <= GreatestExtent; e += Stride(e)) {
            if (ExtendedShare(e, percent) != X87Share(e, percent))
                QFAIL(qPrintable(QStringLiteral("%1 %% of %2: %3, the x87 gives %4")
                                     .arg(percent)
                                     .arg(e)
                                     .arg(ExtendedShare(e, percent))
                                     .arg(X87Share(e, percent))));
        }
    }

    // And every ratio of the digest against the hardware.
    void ratioMatchesX87()
    {
        if constexpr (!X87)
            QSKIP(qPrintable(NotX87()));
        QString first;
        EveryBarRatio([&](qint64 numerator, qint64 denominator, qint64 factor) {
            const qint64 ours = ExtendedRatio(numerator, denominator, factor);
            const qint64 x87 = X87Ratio(numerator, denominator, factor);
            if (first.isEmpty() && ours != x87)
                first = QStringLiteral("%1 / %2 x %3: %4, the x87 gives %5")
                            .arg(numerator)
                            .arg(denominator)
                            .arg(factor)
                            .arg(ours)
                            .arg(x87);
        });
        QVERIFY2(first.isEmpty(), qPrintable(first));
    }
};

QTEST_APPLESS_MAIN(TstExtendedShare)
#include "tst_extendedshare.moc"
