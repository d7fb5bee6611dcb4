#include "answers.h"
#include "progress/characterstats.h"
#include "progress/weakdrill.h"

#include <QtTest>

using progress::CharacterStats;
using progress::WeakDrill;

namespace {

const QStringList Learned{QStringLiteral("K"), QStringLiteral("M"), QStringLiteral("U"),
                          QStringLiteral("R"), QStringLiteral("E"), QStringLiteral("S"),
                          QStringLiteral("N"), QStringLiteral("A")};

// K always right, M at 95 %, U 80 %, R 50 %, E never, S too few answers to
// grade, N 70 %, A 60 %.
CharacterStats Known()
{
    answers::Maker make;
    QList<record::Answer> list;
    list += make.many(QStringLiteral("K"), 10, 10);
    list += make.many(QStringLiteral("M"), 20, 19);
    list += make.many(QStringLiteral("U"), 10, 8);
    list += make.many(QStringLiteral("R"), 10, 5);
    list += make.many(QStringLiteral("E"), 10, 0);
    list += make.many(QStringLiteral("S"), 5, 0);
    list += make.many(QStringLiteral("N"), 10, 7);
    list += make.many(QStringLiteral("A"), 10, 6);
    return CharacterStats(list);
}

const QList<double> Weights{0.1, 0.1, 0.2, 0.5, 1.0, 0.5, 0.3, 0.4};

// Pearson's statistic of counts against weights.
double ChiSquare(const QList<int> &counts, const QList<double> &weights)
{
    double total = 0;
    for (const double w : weights)
        total += w;
    int draws = 0;
    for (const int c : counts)
        draws += c;
    double chi = 0;
    for (int i = 0; i < counts.size(); ++i) {
        const double expected = draws * weights.at(i) / total;
        chi += (counts.at(i) - expected) * (counts.at(i) - expected) / expected;
    }
    return chi;
}

// The chi-square distribution with 7 degrees of freedom exceeds this with
// probability 0.001: a right drill fails once in a thousand seeds.
constexpr double Critical7 = 24.322;

// Each pair all in the run or all out of it.
QString BrokenPair(const QList<QStringList> &run, const WeakDrill &drill)
{
    QStringList all;
    for (const QStringList &g : run)
        all += g;
    for (const auto &[a, b] : drill.partners())
        if (all.contains(a) != all.contains(b))
            return all.join(QString()) + QStringLiteral(" lacks a partner of ") + a + b;
    return {};
}

} // namespace

class TstWeakDrill : public QObject
{
    Q_OBJECT

private slots:
    void weights()
    {
        const WeakDrill drill(Learned + QStringList{QStringLiteral("k")}, Known());
        QCOMPARE(drill.characters(), Learned);
        for (int i = 0; i < Learned.size(); ++i)
            QVERIFY2(qFuzzyCompare(drill.weight(Learned.at(i)), Weights.at(i)),
                     qPrintable(Learned.at(i)));
        QCOMPARE(drill.weight(QStringLiteral("Q")), 0.0);
    }

    void drawsFollowTheWeights_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {1u, 2u, 3u, 20240309u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void drawsFollowTheWeights()
    {
        QFETCH(quint32, seed);
        const WeakDrill drill(Learned, Known());
        QRandomGenerator rng(seed);
        QList<int> counts(Learned.size(), 0);
        for (int i = 0; i < 10000; ++i) {
            const qsizetype at = Learned.indexOf(drill.draw(rng));
            QVERIFY(at >= 0);
            ++counts[at];
        }
        const double chi = ChiSquare(counts, Weights);
        QVERIFY2(chi < Critical7, qPrintable(QString::number(chi)));

        // The same draws tell a wrong weight apart: without the floor M would
        // weigh 0.05; unmeasured characters weighing as never right, 1.
        QList<double> noFloor = Weights;
        noFloor[1] = 0.05;
        QVERIFY(ChiSquare(counts, noFloor) > Critical7);
        QList<double> unmeasuredAsWrong = Weights;
        unmeasuredAsWrong[5] = 1.0;
        QVERIFY(ChiSquare(counts, unmeasuredAsWrong) > Critical7);
    }

    void nothingLearned()
    {
        const WeakDrill drill({}, Known());
        QRandomGenerator rng(1);
        QCOMPARE(drill.draw(rng), QString());
        QVERIFY(drill.run(3, 5, rng).isEmpty());
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
        QList<record::Answer> list;
        list += make.many(QStringLiteral("5"), 3, 0, QStringLiteral("H"));
        list += make.many(QStringLiteral("H"), 2, 0, QStringLiteral("5"));
        list += make.many(QStringLiteral("4"), 10, 8, QStringLiteral("V"));
        list += make.many(QStringLiteral("S"), 10, 9, QStringLiteral("H")); // once: no pair
        list += make.many(QStringLiteral("B"), 10, 7, QStringLiteral("6")); // 6 not learned
        const QStringList learned{QStringLiteral("5"), QStringLiteral("H"), QStringLiteral("S"),
                                  QStringLiteral("4"), QStringLiteral("V"), QStringLiteral("B"),
                                  QStringLiteral("K"), QStringLiteral("M")};
        const WeakDrill drill(learned, CharacterStats(list));
        QCOMPARE(drill.partners().size(), 2);
        QCOMPARE(drill.partners().at(0), std::make_pair(QStringLiteral("5"), QStringLiteral("H")));
        QCOMPARE(drill.partners().at(1), std::make_pair(QStringLiteral("4"), QStringLiteral("V")));

        int withPair = 0;
        for (quint32 seed = 1; seed <= 300; ++seed) {
            QRandomGenerator rng(seed);
            const QList<QStringList> run = drill.run(lengths, rng);
            QCOMPARE(run.size(), lengths.size());
            for (int g = 0; g < run.size(); ++g)
                QCOMPARE(run.at(g).size(), lengths.at(g));
            const QString broken = BrokenPair(run, drill);
            QVERIFY2(broken.isEmpty(), qPrintable(broken));
            QStringList all;
            for (const QStringList &g : run)
                all += g;
            withPair += all.contains(QStringLiteral("5")) ? 1 : 0;
        }
        QVERIFY(withPair > 10);
    }

    void sameSeedSameRun()
    {
        const WeakDrill drill(Learned, Known());
        QRandomGenerator a(7);
        QRandomGenerator b(7);
        QCOMPARE(drill.run(4, 5, a), drill.run(4, 5, b));
    }
};

int RunWeakDrillTests(int argc, char **argv)
{
    TstWeakDrill t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_weakdrill.moc"
