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
    // The course knows exactly what the keyer keys: every character of its
    // table, and the prosigns as one character each.
    void sameAsTheKeyer()
    {
        QString table = MorseAlphabet::Characters();
        for (const QString &c : KochOrder::Known()) {
            const MorseText text = MorseText::parse(c);
            QVERIFY2(text.ok() && text.symbols().size() == 1, qPrintable(c));
            table.remove(c);
        }
        QCOMPARE(table, QString());
    }

    void parse_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("characters"); // empty: refused
        QTest::addColumn<QString>("error");          // a word the message holds
        QTest::newRow("spaced") << "K M U" << QStringList{"K", "M", "U"} << "";
        QTest::newRow("run together, any case, tabs")
            << "km\tU" << QStringList{"K", "M", "U"} << "";
        QTest::newRow("punctuation, prosigns, accents")
            << "5/ <ar>ç" << QStringList{"5", "/", "<AR>", "Ç"} << "";
        QTest::newRow("unknown character") << "K M #" << QStringList() << "#";
        QTest::newRow("unknown prosign") << "K <XY>" << QStringList() << "<XY>";
        QTest::newRow("unclosed bracket") << "K M <AR" << QStringList() << "<";
        QTest::newRow("repeat in another case") << "K m M" << QStringList() << "M";
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
            return;
        }
        QCOMPARE(message, QString());
        QCOMPARE(order.characters(), characters);
        QCOMPARE(KochOrder::parse(order.text()).characters(), characters);
        // Stored as places in the known list, it comes back the same.
        KochOrder back;
        QVERIFY(KochOrder::fromKnownIndexes(order.knownIndexes(), back));
        QCOMPARE(back.characters(), characters);
    }

    void lessons_data()
    {
        QTest::addColumn<int>("lesson");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("newCharacter");
        QTest::newRow("first") << 1 << 2 << "M";
        QTest::newRow("tenth") << 10 << 11 << "L";
        QTest::newRow("last") << 40 << 41 << "X";
        QTest::newRow("below the first") << 0 << 2 << "M";
        QTest::newRow("past the last") << 41 << 41 << "X";
    }

    void lessons()
    {
        QFETCH(int, lesson);
        QFETCH(int, count);
        QFETCH(QString, newCharacter);
        const KochOrder order;
        QCOMPARE(order.text().left(11), QStringLiteral("K M U R E S"));
        QCOMPARE(order.lastLesson(), 40);
        QCOMPARE(order.lessonCharacters(lesson), order.characters().first(count));
        QCOMPARE(order.newCharacter(lesson), newCharacter);
    }

    void storedPlacesRefused_data()
    {
        QTest::addColumn<QList<int>>("indexes");
        QTest::newRow("out of range") << QList<int>{0, int(KochOrder::Known().size())};
        QTest::newRow("negative") << QList<int>{-1, 2};
        QTest::newRow("repeat") << QList<int>{3, 3};
        QTest::newRow("one") << QList<int>{3};
    }

    void storedPlacesRefused()
    {
        QFETCH(QList<int>, indexes);
        KochOrder order = KochOrder::parse(QStringLiteral("E T"));
        QVERIFY(!KochOrder::fromKnownIndexes(indexes, order));
        QCOMPARE(order.text(), QStringLiteral("E T"));
    }
};

QTEST_GUILESS_MAIN(TstKochOrder)
#include "tst_kochorder.moc"
