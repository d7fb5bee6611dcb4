// The random groups of a run: their sizes, and over many draws with a fixed
// seed each character's share, the new character's twice the others'.

#include "course/groupgenerator.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTest>

using course::GroupGenerator;

class TstGroupGenerator : public QObject
{
    Q_OBJECT

private slots:
    // Anything but 1..10 is mixed, 2 to 7, each length about as often.
    void sizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("1") << 1 << QList<int>{1};
        QTest::newRow("5") << 5 << QList<int>{5};
        QTest::newRow("10") << 10 << QList<int>{10};
        QTest::newRow("mixed") << int(GroupGenerator::Mixed) << QList<int>{2, 3, 4, 5, 6, 7};
        QTest::newRow("11 is mixed") << 11 << QList<int>{2, 3, 4, 5, 6, 7};
    }

    void sizes()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, lengths);
        QRandomGenerator random(11);
        GroupGenerator groups({"K", "M", "<AR>"}, QString(), size, &random);
        QMap<int, int> seen;
        constexpr int Groups = 3000;
        for (int i = 0; i < Groups; ++i)
            ++seen[int(groups.nextCharacters().size())];
        QCOMPARE(seen.keys(), lengths);
        for (const int count : seen)
            QVERIFY(qAbs(count - Groups / lengths.size()) < 150);
    }

    void shares_data()
    {
        QTest::addColumn<QStringList>("characters");
        QTest::addColumn<QString>("boosted");
        QTest::addColumn<double>("boostedShare");
        const QStringList six{"K", "M", "U", "R", "E", "S"};
        QTest::newRow("lesson 1, M new") << QStringList{"K", "M"} << "M" << 2.0 / 3;
        QTest::newRow("lesson 5, S new") << six << "S" << 2.0 / 7;
        QTest::newRow("no boost") << six << "" << 1.0 / 6;
        QTest::newRow("boost outside the lesson") << six << "X" << 0.0;
    }

    void shares()
    {
        QFETCH(QStringList, characters);
        QFETCH(QString, boosted);
        QFETCH(double, boostedShare);
        QRandomGenerator random(12345);
        GroupGenerator groups(characters, boosted, 5, &random);
        QMap<QString, int> counts;
        constexpr double Draws = 200000;
        for (int i = 0; i < Draws / 5; ++i)
            for (const QString &c : groups.nextCharacters())
                ++counts[c];
        // Nothing outside the lesson.
        QStringList lesson = characters;
        lesson.sort();
        QCOMPARE(counts.keys(), lesson);
        const double other = 1.0 / (characters.size() + (characters.contains(boosted) ? 1 : 0));
        // Five standard deviations of a share over 200 000 draws is under 0.006.
        for (const QString &c : characters)
            QVERIFY2(qAbs(counts[c] / Draws - (c == boosted ? boostedShare : other)) < 0.006,
                     qPrintable(QStringLiteral("%1: %2").arg(c).arg(counts[c] / Draws)));
    }
};

QTEST_GUILESS_MAIN(TstGroupGenerator)
#include "tst_groupgenerator.moc"
