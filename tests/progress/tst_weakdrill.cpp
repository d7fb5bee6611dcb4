#include "answers.h"
#include "progress/characterstats.h"
#include "progress/weakdrill.h"

#include <QtTest>
#include <numeric>

using namespace Qt::StringLiterals;
using progress::CharacterStats;
using progress::WeakDrill;

namespace {

// K always right, M 95 %, U 80 %, R 50 %, E never, S too few answers to grade,
// N 70 %, A 60 %: weights as documented.
const QStringList Learned{u"K"_s, u"M"_s, u"U"_s, u"R"_s, u"E"_s, u"S"_s, u"N"_s, u"A"_s};
const QList<double> Weights{0.1, 0.1, 0.2, 0.5, 1.0, 0.5, 0.3, 0.4};

CharacterStats Known()
{
    answers::Maker make;
    QList<record::Answer> list;
    const int answers[] = {10, 20, 10, 10, 10, 5, 10, 10};
    const int right[] = {10, 19, 8, 5, 0, 0, 7, 6};
    for (int i = 0; i < Learned.size(); ++i)
        list += make.many(Learned.at(i), answers[i], right[i]);
    return CharacterStats(list);
}

double ChiSquare(const QList<int> &counts, const QList<double> &weights)
{
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    const int draws = std::accumulate(counts.begin(), counts.end(), 0);
    double chi = 0;
    for (int i = 0; i < counts.size(); ++i) {
        const double expected = draws * weights.at(i) / total;
        chi += (counts.at(i) - expected) * (counts.at(i) - expected) / expected;
    }
    return chi;
}

// Exceeded with probability 0.001 at 7 degrees of freedom.
constexpr double Critical7 = 24.322;

} // namespace

class TstWeakDrill : public QObject
{
    Q_OBJECT

private slots:
    void drawsFollowTheWeights_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {1u, 2u, 3u, 20240309u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void drawsFollowTheWeights()
    {
        QFETCH(quint32, seed);
        const WeakDrill drill(Learned + QStringList{u"k"_s}, Known());
        QCOMPARE(drill.characters(), Learned);
        for (int i = 0; i < Learned.size(); ++i)
            QVERIFY2(qFuzzyCompare(drill.weight(Learned.at(i)), Weights.at(i)),
                     qPrintable(Learned.at(i)));
        QRandomGenerator rng(seed);
        QList<int> counts(Learned.size(), 0);
        for (int i = 0; i < 10000; ++i)
            ++counts[Learned.indexOf(drill.draw(rng))];
        const double chi = ChiSquare(counts, Weights);
        QVERIFY2(chi < Critical7, qPrintable(QString::number(chi)));
        // The same draws tell a wrong weight apart: M without the floor
        // (0.05), S with too few answers weighed as never right (1).
        QList<double> noFloor = Weights;
        noFloor[1] = 0.05;
        QVERIFY(ChiSquare(counts, noFloor) > Critical7);
        QList<double> unmeasuredAsWrong = Weights;
        unmeasuredAsWrong[5] = 1.0;
        QVERIFY(ChiSquare(counts, unmeasuredAsWrong) > Critical7);
    }

    void confusedCharactersComeTogether_data()
    {
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("two groups of five") << QList<int>{5, 5};
        QTest::newRow("mixed lengths") << QList<int>{2, 7, 3};
        QTest::newRow("two places") << QList<int>{2};
    }
    void confusedCharactersComeTogether()
    {
        QFETCH(QList<int>, lengths);
        answers::Maker make;
        QList<record::Answer> list = make.many(u"5"_s, 3, 0, u"H"_s);
        list += make.many(u"H"_s, 2, 0, u"5"_s);
        list += make.many(u"4"_s, 10, 8, u"V"_s);
        list += make.many(u"S"_s, 10, 9, u"H"_s); // once is no pair
        list += make.many(u"B"_s, 10, 7, u"6"_s); // 6 not learned
        const WeakDrill drill({u"5"_s, u"H"_s, u"S"_s, u"4"_s, u"V"_s, u"B"_s, u"K"_s, u"M"_s},
                              CharacterStats(list));
        using Pair = std::pair<QString, QString>;
        QCOMPARE(drill.partners(), (QList<Pair>{{u"5"_s, u"H"_s}, {u"4"_s, u"V"_s}}));
        int withPair = 0;
        for (quint32 seed = 1; seed <= 300; ++seed) {
            QRandomGenerator rng(seed);
            const QList<QStringList> run = drill.run(lengths, rng);
            QStringList all;
            for (int g = 0; g < run.size(); ++g) {
                QCOMPARE(run.at(g).size(), lengths.at(g));
                all += run.at(g);
            }
            for (const auto &[a, b] : drill.partners())
                QVERIFY2(all.contains(a) == all.contains(b), qPrintable(all.join(u' ')));
            withPair += all.contains(u"5"_s) ? 1 : 0;
        }
        QVERIFY(withPair > 10);
        QRandomGenerator none(1);
        QVERIFY(WeakDrill({}, CharacterStats()).run(3, 5, none).isEmpty());
    }
};

int RunWeakDrillTests(int argc, char **argv)
{
    TstWeakDrill t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_weakdrill.moc"
