#include "answers.h"
#include "progress/characterstats.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using progress::CharacterStats;
using progress::Grade;
using record::Answer;

Q_DECLARE_METATYPE(progress::Grade)

class TstCharacterStats : public QObject
{
    Q_OBJECT

private slots:
    void gradeThresholds_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("answers");
        QTest::addColumn<Grade>("grade");
        QTest::newRow("9 answers, all right") << 9 << 9 << Grade::Unknown;
        QTest::newRow("10 answers, 9 right") << 9 << 10 << Grade::Green;
        QTest::newRow("89.9 %") << 899 << 1000 << Grade::Amber;
        QTest::newRow("44 of 49") << 44 << 49 << Grade::Amber;
        QTest::newRow("70 %") << 7 << 10 << Grade::Amber;
        QTest::newRow("69.9 %") << 699 << 1000 << Grade::Red;
        QTest::newRow("34 of 49") << 34 << 49 << Grade::Red;
    }
    void gradeThresholds()
    {
        QFETCH(int, right);
        QFETCH(int, answers);
        QFETCH(Grade, grade);
        QCOMPARE(CharacterStats::gradeOf(right, answers), grade);
        if (answers <= CharacterStats::Window) {
            answers::Maker make;
            QCOMPARE(CharacterStats(make.many(u"K"_s, answers, right)).copying(u"K"_s).grade,
                     grade);
        }
    }

    void lastFiftyOnly()
    {
        for (const bool oldWrong : {true, false}) {
            answers::Maker make;
            QList<Answer> list = make.many(u"K"_s, 10, oldWrong ? 0 : 10);
            list += make.many(u"K"_s, 40, 40);
            list += make.many(u"K"_s, 10, oldWrong ? 10 : 0);
            std::reverse(list.begin(), list.end()); // time decides, not the order given
            const progress::CharacterSummary s = CharacterStats(list).copying(u"k"_s);
            QCOMPARE(s.answers, 50);
            QCOMPARE(s.right, oldWrong ? 50 : 40);
        }
    }

    void medianAnswerTime_data()
    {
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<int>("median");
        QTest::newRow("odd count") << QList<int>{300, 100, 200} << 200;
        QTest::newRow("even count") << QList<int>{400, 100, 300, 200} << 250;
        QTest::newRow("half a millisecond up") << QList<int>{100, 201} << 151;
        QTest::newRow("untimed left out") << QList<int>{-1, 300, -1, 100, 200, -1} << 200;
        QTest::newRow("none timed") << QList<int>{-1, -1} << -1;
        QTest::newRow("last fifty timed") << QList<int>(60, 100) + QList<int>(50, 300) << 300;
        QTest::newRow("behind untimed ones") << QList<int>(3, 400) + QList<int>(60, -1) << 400;
    }
    void medianAnswerTime()
    {
        QFETCH(QList<int>, times);
        QFETCH(int, median);
        answers::Maker make;
        QList<Answer> list;
        for (int i = 0; i < times.size(); ++i) // right or wrong alike
            list.append(make(u"R"_s, i % 3 ? u"R"_s : QString(), times.at(i)));
        QCOMPARE(CharacterStats(list).copying(u"R"_s).medianMs, median);
    }

    void mostFrequentConfusion()
    {
        answers::Maker make;
        QList<Answer> list = make.many(u"R"_s, 34, 34);
        list += make.many(u"R"_s, 7, 0, u"u"_s);
        list += make.many(u"R"_s, 1, 0, u"K"_s);
        list.last().answerMs = 420;
        list += make.many(u"E"_s, 10, 10);
        CharacterStats stats(list);
        QCOMPARE(stats.sentence(u"R"_s), u"R 81 %, heard as U x7"_s);
        QCOMPARE(stats.description(u"R"_s),
                 u"R 81 %, heard as U x7; median answer time 420 ms; last 42 answer(s)"_s);
        QCOMPARE(stats.sentence(u"E"_s), u"E 100 %"_s);
        QCOMPARE(stats.sentence(u" "_s), u"space: no answers yet"_s);
        // Nothing typed, or the same in small letters marked wrong: no confusion.
        list += make.many(u"R"_s, 3, 0, QString());
        list += make(u"R"_s, u"r"_s);
        stats = CharacterStats(list);
        QCOMPARE(stats.sentence(u"R"_s), u"R 74 %, heard as U x7"_s);
        QCOMPARE(stats.confusions().size(), 2); // R-U and K-R
    }

    void topFiveConfusionPairs()
    {
        answers::Maker make;
        QList<Answer> list = make.many(u"K"_s, 20, 20);
        for (const auto &[sent, heard, n] : {std::tuple{"5", "H", 4},
                                             {"H", "5", 2},
                                             {"4", "V", 5},
                                             {"B", "6", 4},
                                             {"S", "H", 3},
                                             {"I", "E", 1},
                                             {"E", "I", 1},
                                             {"T", "M", 1}})
            list += make.many(QLatin1String(sent), n, 0, QLatin1String(heard));
        QStringList got;
        for (const progress::Confusion &c : CharacterStats(list).topConfusions())
            got << u"%1%2 %3"_s.arg(c.first, c.second).arg(c.count);
        QCOMPARE(got, QStringList({u"5H 6"_s, u"4V 5"_s, u"6B 4"_s, u"HS 3"_s, u"EI 2"_s}));
    }

    void sendingKeptApart()
    {
        answers::Maker make;
        QList<Answer> list = make.many(u"A"_s, 10, 10);
        make.kind = record::Kind::Sending;
        list += make.many(u"A"_s, 10, 5, u"N"_s);
        const CharacterStats stats(list);
        QCOMPARE(stats.copying(u"A"_s).grade, Grade::Green);
        QCOMPARE(stats.sending(u"A"_s).grade, Grade::Red);
        QVERIFY(stats.confusions().isEmpty());
        QVERIFY(stats.description(u"A"_s).endsWith(u"; sending 50 %"_s));
        QCOMPARE(stats.days().size(), 1);
        QCOMPARE(stats.days().first().answers, 10);
    }

    void daysAcrossMidnight_data()
    {
        QTest::addColumn<int>("offsetHours");
        QTest::addColumn<QStringList>("days"); // day, answers, right, mean effective WPM
        QTest::newRow("UTC") << 0 << QStringList{u"2024-03-09 2 1 10"_s, u"2024-03-10 3 3 18"_s};
        QTest::newRow("3 h west") << -3
                                  << QStringList{u"2024-03-09 4 3 12"_s, u"2024-03-10 1 1 20"_s};
        QTest::newRow("13 h east")
            << 13 << QStringList{u"2024-03-10 4 3 12"_s, u"2024-03-11 1 1 20"_s};
    }
    void daysAcrossMidnight()
    {
        QFETCH(int, offsetHours);
        QFETCH(QStringList, days);
        answers::Maker make;
        QList<Answer> list;
        const auto at = [&](int day, int hour, int minute) {
            make.when = QDateTime(QDate(2024, 3, day), QTime(hour, minute), Qt::UTC);
        };
        at(9, 23, 30);
        list << make(u"K"_s, u"K"_s, -1, 10) << make(u"M"_s, u"N"_s, -1, 10);
        at(10, 0, 30);
        list << make(u"K"_s, u"K"_s, -1, 0) /* no speed */ << make(u"K"_s, u"K"_s, -1, 16);
        at(10, 12, 0);
        list << make(u"K"_s, u"K"_s, -1, 20);
        make.kind = record::Kind::Sending;
        list << make(u"K"_s, u"K"_s, -1, 30);
        list << list.first();
        list.last().when = QDateTime(); // undated: on no day
        const CharacterStats stats(list, QTimeZone(offsetHours * 3600));
        QStringList got;
        for (const progress::DayPoint &d : stats.days())
            got << u"%1 %2 %3 %4"_s.arg(d.day.toString(Qt::ISODate))
                       .arg(d.answers)
                       .arg(d.right)
                       .arg(d.effectiveWpm);
        QCOMPARE(got, days);
    }
};

int RunCharacterStatsTests(int argc, char **argv)
{
    TstCharacterStats t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_characterstats.moc"
