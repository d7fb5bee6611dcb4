// The Koch order the learner types or keeps, and the lessons it makes.

#include "course/kochorder.h"
#include "morse/morsealphabet.h"
#include "morse/morsetext.h"

#include <QTest>

using course::KochOrder;

class TstKochOrder : public QObject
{
    Q_OBJECT

private slots:
    void defaultOrder()
    {
        const KochOrder order;
        QCOMPARE(order.text(), QStringLiteral("K M U R E S N A P T L W I . J Z = F O Y , V G 5 / "
                                              "Q 9 2 H 3 8 B ? 4 7 C 1 D 6 0 X"));
        QCOMPARE(order.characters().size(), 41);
        QCOMPARE(order.lastLesson(), 40);
        QVERIFY(order.isDefault());
    }

    // The course knows exactly what the keyer keys: every character of the
    // keyer's table, and prosigns it sends as one.
    void sameAsTheKeyer()
    {
        QStringList singles;
        for (const QString &c : KochOrder::Known()) {
            const MorseText text = MorseText::parse(c);
            QVERIFY2(text.ok() && text.symbols().size() == 1, qPrintable(c));
            if (c.size() == 1)
                singles << c;
        }
        QString table = MorseAlphabet::Characters();
        for (const QString &c : singles)
            table.remove(c);
        QCOMPARE(table, QString());
    }

    void parse_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("characters"); // empty: refused
        QTest::addColumn<QString>("error");          // a word the message holds
        QTest::newRow("spaced") << "K M U" << QStringList{"K", "M", "U"} << "";
        QTest::newRow("run together, lower case")
            << "kmur" << QStringList{"K", "M", "U", "R"} << "";
        QTest::newRow("tabs and line breaks") << "K\tM\nU" << QStringList{"K", "M", "U"} << "";
        QTest::newRow("punctuation and digits")
            << "5/?=." << QStringList{"5", "/", "?", "=", "."} << "";
        QTest::newRow("prosigns") << "E<ar>T <SK>" << QStringList{"E", "<AR>", "T", "<SK>"} << "";
        QTest::newRow("accented") << "ç É ã" << QStringList{"Ç", "É", "Ã"} << "";
        QTest::newRow("unknown character") << "K M #" << QStringList() << "#";
        QTest::newRow("unknown prosign") << "K <XY>" << QStringList() << "<XY>";
        QTest::newRow("unclosed bracket") << "K M <AR" << QStringList() << "<";
        QTest::newRow("repeat") << "K M K" << QStringList() << "K";
        QTest::newRow("repeat in other case") << "K m M" << QStringList() << "M";
        QTest::newRow("one character") << "K" << QStringList() << "two";
        QTest::newRow("empty") << "   " << QStringList() << "two";
    }

    void parse()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, characters);
        QFETCH(QString, error);
        QString message = QStringLiteral("untouched");
        const KochOrder order = KochOrder::parse(typed, &message);
        if (characters.isEmpty()) {
            QVERIFY2(message.contains(error), qPrintable(message));
            QVERIFY(order.isDefault());
        } else {
            QCOMPARE(message, QString());
            QCOMPARE(order.characters(), characters);
            // What it shows reads back to itself.
            QCOMPARE(KochOrder::parse(order.text()).characters(), characters);
        }
    }

    void lessons_data()
    {
        QTest::addColumn<int>("lesson");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("newCharacter");
        QTest::newRow("first") << 1 << 2 << "M";
        QTest::newRow("second") << 2 << 3 << "U";
        QTest::newRow("tenth") << 10 << 11 << "L";
        QTest::newRow("last") << 40 << 41 << "X";
        QTest::newRow("below the first") << 0 << 2 << "M";
        QTest::newRow("negative") << -3 << 2 << "M";
        QTest::newRow("past the last") << 41 << 41 << "X";
    }

    void lessons()
    {
        QFETCH(int, lesson);
        QFETCH(int, count);
        QFETCH(QString, newCharacter);
        const KochOrder order;
        const QStringList chars = order.lessonCharacters(lesson);
        QCOMPARE(chars.size(), count);
        QCOMPARE(chars, order.characters().first(count));
        QCOMPARE(order.newCharacter(lesson), newCharacter);
        QCOMPARE(chars.last(), newCharacter);
    }

    void ownOrderLessons()
    {
        const KochOrder order = KochOrder::parse(QStringLiteral("E T <AR>"));
        QCOMPARE(order.lastLesson(), 2);
        QCOMPARE(order.lessonCharacters(1), (QStringList{"E", "T"}));
        QCOMPARE(order.newCharacter(2), QStringLiteral("<AR>"));
        QVERIFY(!order.isDefault());
    }

    void knownIndexes_data()
    {
        QTest::addColumn<QList<int>>("indexes");
        QTest::addColumn<bool>("ok");
        QTest::newRow("two") << QList<int>{0, 1} << true;
        QTest::newRow("last known") << QList<int>{0, int(KochOrder::Known().size()) - 1} << true;
        QTest::newRow("out of range") << QList<int>{0, int(KochOrder::Known().size())} << false;
        QTest::newRow("negative") << QList<int>{-1, 2} << false;
        QTest::newRow("repeat") << QList<int>{3, 3} << false;
        QTest::newRow("one") << QList<int>{3} << false;
    }

    void knownIndexes()
    {
        QFETCH(QList<int>, indexes);
        QFETCH(bool, ok);
        KochOrder order;
        QCOMPARE(KochOrder::fromKnownIndexes(indexes, order), ok);
        if (ok)
            QCOMPARE(order.knownIndexes(), indexes);
        else
            QVERIFY(order.isDefault());
        // Every order survives the trip through positions.
        KochOrder back = KochOrder::parse(QStringLiteral("Q <KN> 7"));
        QVERIFY(KochOrder::fromKnownIndexes(KochOrder().knownIndexes(), back));
        QVERIFY(back.isDefault());
    }
};

QTEST_GUILESS_MAIN(TstKochOrder)
#include "tst_kochorder.moc"
