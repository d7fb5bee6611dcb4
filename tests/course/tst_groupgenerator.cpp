// The random groups of a run: their sizes, their characters, and the new
// character's double weight in a lesson's first runs.

#include "course/groupgenerator.h"
#include "course/kochorder.h"

#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using course::GroupGenerator;

class TstGroupGenerator : public QObject
{
    Q_OBJECT

private slots:
    void fixedSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("expected");
        for (int n = 1; n <= 10; ++n)
            QTest::addRow("%d", n) << n << n;
    }

    void fixedSizes()
    {
        QFETCH(int, size);
        QFETCH(int, expected);
        QRandomGenerator random(7);
        GroupGenerator groups({"K", "M", "<AR>"}, QString(), size, &random);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(groups.nextCharacters().size(), expected);
    }

    // Anything else than 1..10 is mixed: every length from 2 to 7 comes up,
    // and no other.
    void mixedSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("mixed") << GroupGenerator::Mixed;
        QTest::newRow("eleven") << 11;
        QTest::newRow("negative") << -1;
    }

    void mixedSizes()
    {
        QFETCH(int, size);
        QRandomGenerator random(11);
        GroupGenerator groups({"K", "M"}, QString(), size, &random);
        QMap<int, int> lengths;
        for (int i = 0; i < 3000; ++i)
            ++lengths[int(groups.nextCharacters().size())];
        QCOMPARE(lengths.keys(), (QList<int>{2, 3, 4, 5, 6, 7}));
        for (const int count : lengths)
            QVERIFY2(count > 350 && count < 650, qPrintable(QString::number(count)));
    }

    void onlyTheLessonsCharacters()
    {
        const course::KochOrder order;
        QRandomGenerator random(3);
        const QStringList lesson = order.lessonCharacters(12);
        GroupGenerator groups(lesson, order.newCharacter(12), 5, &random);
        QSet<QString> seen;
        for (int i = 0; i < 2000; ++i)
            for (const QString &c : groups.nextCharacters())
                seen.insert(c);
        QCOMPARE(seen, QSet<QString>(lesson.cbegin(), lesson.cend()));
        // A group reads as its characters side by side.
        QRandomGenerator again(3);
        GroupGenerator same(lesson, order.newCharacter(12), 5, &again);
        QRandomGenerator third(3);
        GroupGenerator text(lesson, order.newCharacter(12), 5, &third);
        QCOMPARE(text.next(), same.nextCharacters().join(QString()));
    }

    // Over many draws with a fixed seed: the boosted character at twice the
    // share of each other (2/(n+1) against 1/(n+1)), and all alike without a
    // boost or with one that is not in the lesson.
    void weights_data()
    {
        QTest::addColumn<QStringList>("characters");
        QTest::addColumn<QString>("boosted");
        QTest::addColumn<double>("boostedShare");
        const QStringList two{"K", "M"};
        const QStringList six{"K", "M", "U", "R", "E", "S"};
        QTest::newRow("lesson 1, M new") << two << "M" << 2.0 / 3;
        QTest::newRow("lesson 5, S new") << six << "S" << 2.0 / 7;
        QTest::newRow("lesson 5, no boost") << six << "" << 1.0 / 6;
        QTest::newRow("boost outside the lesson") << six << "X" << 0.0;
    }

    void weights()
    {
        QFETCH(QStringList, characters);
        QFETCH(QString, boosted);
        QFETCH(double, boostedShare);
        QRandomGenerator random(12345);
        GroupGenerator groups(characters, boosted, 5, &random);
        QMap<QString, int> counts;
        constexpr int Groups = 40000;
        for (int i = 0; i < Groups; ++i)
            for (const QString &c : groups.nextCharacters())
                ++counts[c];
        const double total = 5.0 * Groups;
        const bool boosting = characters.contains(boosted);
        const double other = 1.0 / (characters.size() + (boosting ? 1 : 0));
        for (const QString &c : characters) {
            const double expected = c == boosted ? boostedShare : other;
            // Five standard deviations of a share over 200 000 draws is
            // under 0.006.
            QVERIFY2(qAbs(counts.value(c) / total - expected) < 0.006,
                     qPrintable(QStringLiteral("%1: %2 against %3")
                                    .arg(c)
                                    .arg(counts.value(c) / total)
                                    .arg(expected)));
        }
        QCOMPARE(counts.size(), characters.size());
    }

    void sameSeedSameGroups()
    {
        QRandomGenerator a(99), b(99);
        GroupGenerator first({"K", "M", "U"}, "U", GroupGenerator::Mixed, &a);
        GroupGenerator second({"K", "M", "U"}, "U", GroupGenerator::Mixed, &b);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(first.next(), second.next());
    }
};

QTEST_GUILESS_MAIN(TstGroupGenerator)
#include "tst_groupgenerator.moc"
