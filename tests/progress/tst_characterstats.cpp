#include "answers.h"
#include "progress/characterstats.h"

#include <QtTest>

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
        QTest::newRow("10 answers, 9 right: 90 %") << 9 << 10 << Grade::Green;
        QTest::newRow("10 answers, none right") << 0 << 10 << Grade::Red;
        QTest::newRow("89.9 %") << 899 << 1000 << Grade::Amber;
        QTest::newRow("just below 90 % in the window") << 44 << 49 << Grade::Amber;
        QTest::newRow("70 %") << 7 << 10 << Grade::Amber;
        QTest::newRow("69.9 %") << 699 << 1000 << Grade::Red;
        QTest::newRow("just below 70 % in the window") << 34 << 49 << Grade::Red;
        QTest::newRow("100 %") << 50 << 50 << Grade::Green;
    }
    void gradeThresholds()
    {
        QFETCH(int, right);
        QFETCH(int, answers);
        QFETCH(Grade, grade);
        QCOMPARE(CharacterStats::gradeOf(right, answers), grade);
        // The same through answers, where the window allows it.
        if (answers <= CharacterStats::Window) {
            answers::Maker make;
            const CharacterStats stats(make.many(QStringLiteral("K"), answers, right));
            QCOMPARE(stats.copying(QStringLiteral("K")).grade, grade);
            QCOMPARE(stats.copying(QStringLiteral("K")).answers, answers);
        }
    }

    void lastFiftyOnly_data()
    {
        QTest::addColumn<bool>("oldWrong");
        QTest::addColumn<int>("right");
        QTest::addColumn<Grade>("grade");
        QTest::newRow("ten old mistakes forgotten") << true << 50 << Grade::Green;
        QTest::newRow("ten new mistakes counted") << false << 40 << Grade::Amber;
    }
    void lastFiftyOnly()
    {
        QFETCH(bool, oldWrong);
        QFETCH(int, right);
        QFETCH(Grade, grade);
        answers::Maker make;
        QList<Answer> list = make.many(QStringLiteral("K"), 10, oldWrong ? 0 : 10);
        list += make.many(QStringLiteral("K"), 40, 40);
        list += make.many(QStringLiteral("K"), 10, oldWrong ? 10 : 0);
        // The record may hand them over in any order: time decides.
        std::reverse(list.begin(), list.end());
        const progress::CharacterSummary s = CharacterStats(list).copying(QStringLiteral("k"));
        QCOMPARE(s.answers, 50);
        QCOMPARE(s.right, right);
        QCOMPARE(s.grade, grade);
    }

    void medianAnswerTime_data()
    {
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<int>("median");
        QTest::newRow("odd count") << QList<int>{300, 100, 200} << 200;
        QTest::newRow("even count") << QList<int>{400, 100, 300, 200} << 250;
        QTest::newRow("even count, half a millisecond up") << QList<int>{100, 201} << 151;
        QTest::newRow("untimed answers left out") << QList<int>{-1, 300, -1, 100, 200, -1} << 200;
        QTest::newRow("none timed") << QList<int>{-1, -1} << -1;
        QTest::newRow("one") << QList<int>{0} << 0;
        QList<int> slowThenFast(10, 9000);
        slowThenFast += QList<int>(50, 250);
        QTest::newRow("last fifty timed") << slowThenFast << 250;
        QList<int> timedBehindUntimed(3, 400);
        timedBehindUntimed += QList<int>(60, -1);
        QTest::newRow("timed answers behind untimed ones") << timedBehindUntimed << 400;
    }
    void medianAnswerTime()
    {
        QFETCH(QList<int>, times);
        QFETCH(int, median);
        answers::Maker make;
        QList<Answer> list;
        for (int i = 0; i < times.size(); ++i)
            list.append(
                make(QStringLiteral("R"), i % 3 ? QStringLiteral("R") : QString(), times.at(i)));
        QCOMPARE(CharacterStats(list).copying(QStringLiteral("R")).medianMs, median);
    }

    void mostFrequentConfusion()
    {
        answers::Maker make;
        QList<Answer> list = make.many(QStringLiteral("R"), 34, 34);
        list += make.many(QStringLiteral("R"), 7, 0, QStringLiteral("u"));
        list += make.many(QStringLiteral("R"), 1, 0, QStringLiteral("K"));
        list += make.many(QStringLiteral("R"), 4, 0, QString()); // nothing typed: no confusion
        list += make.many(QStringLiteral("E"), 10, 10);
        const CharacterStats stats(list);
        const progress::CharacterSummary r = stats.copying(QStringLiteral("R"));
        QCOMPARE(r.answers, 46);
        QCOMPARE(r.heardAs, QStringLiteral("U"));
        QCOMPARE(r.heardAsCount, 7);
        QCOMPARE(stats.sentence(QStringLiteral("R")), QStringLiteral("R 74 %, heard as U x7"));
        QCOMPARE(stats.sentence(QStringLiteral("E")), QStringLiteral("E 100 %"));
        QCOMPARE(stats.sentence(QStringLiteral("Q")), QStringLiteral("Q: no answers yet"));
        QCOMPARE(stats.sentence(QStringLiteral(" ")), QStringLiteral("space: no answers yet"));
    }

    void sentenceAsTheLearnerSeesIt()
    {
        answers::Maker make;
        QList<Answer> list = make.many(QStringLiteral("R"), 34, 34);
        list += make.many(QStringLiteral("R"), 7, 0, QStringLiteral("U"));
        list += make.many(QStringLiteral("R"), 1, 0, QStringLiteral("K"));
        list.last().answerMs = 420;
        const CharacterStats stats(list);
        QCOMPARE(stats.sentence(QStringLiteral("R")), QStringLiteral("R 81 %, heard as U x7"));
        QCOMPARE(stats.description(QStringLiteral("R")),
                 QStringLiteral("R 81 %, heard as U x7; median answer time 420 ms; "
                                "last 42 answer(s)"));
    }

    void topFiveConfusionPairs()
    {
        answers::Maker make;
        QList<Answer> list;
        const auto confuse = [&](const char *sent, const char *heard, int n) {
            list += make.many(QLatin1String(sent), n, 0, QLatin1String(heard));
        };
        confuse("5", "H", 4);
        confuse("H", "5", 2); // both ways add up
        confuse("4", "V", 5);
        confuse("B", "6", 4);
        confuse("S", "H", 3);
        confuse("I", "E", 1);
        confuse("E", "I", 1);
        confuse("T", "M", 1);
        list += make.many(QStringLiteral("K"), 20, 20);
        const QList<progress::Confusion> top = CharacterStats(list).topConfusions();
        QStringList got;
        for (const progress::Confusion &c : top)
            got << QStringLiteral("%1%2 %3").arg(c.first, c.second).arg(c.count);
        QCOMPARE(got, (QStringList{QStringLiteral("5H 6"), QStringLiteral("4V 5"),
                                   QStringLiteral("6B 4"), QStringLiteral("HS 3"),
                                   QStringLiteral("EI 2")}));
    }

    void sendingKeptApart()
    {
        answers::Maker make;
        QList<Answer> list = make.many(QStringLiteral("A"), 10, 10);
        make.kind = record::Kind::Sending;
        list += make.many(QStringLiteral("A"), 10, 5, QStringLiteral("N"));
        list += make.many(QStringLiteral("Z"), 2, 2);
        const CharacterStats stats(list);
        QCOMPARE(stats.copying(QStringLiteral("A")).right, 10);
        QCOMPARE(stats.copying(QStringLiteral("A")).grade, Grade::Green);
        QCOMPARE(stats.sending(QStringLiteral("A")).answers, 10);
        QCOMPARE(stats.sending(QStringLiteral("A")).grade, Grade::Red);
        QVERIFY(stats.confusions().isEmpty());
        QCOMPARE(stats.characters(), (QStringList{QStringLiteral("A"), QStringLiteral("Z")}));
        QVERIFY(stats.description(QStringLiteral("A")).endsWith(QStringLiteral("; sending 50 %")));
        QCOMPARE(stats.days().size(), 1);
        QCOMPARE(stats.days().first().answers, 10);
    }

    void daysAcrossMidnight_data()
    {
        QTest::addColumn<int>("offsetHours");
        QTest::addColumn<QStringList>("days"); // day: answers right wpm
        // 23:30 and 00:30 UTC, a minute's answers each; then noon the next day.
        QTest::newRow("UTC") << 0
                             << QStringList{QStringLiteral("2024-03-09 2 1 10"),
                                            QStringLiteral("2024-03-10 3 3 18")};
        QTest::newRow("three hours west") << -3
                                          << QStringList{QStringLiteral("2024-03-09 4 3 12"),
                                                         QStringLiteral("2024-03-10 1 1 20")};
        QTest::newRow("thirteen hours east") << 13
                                             << QStringList{QStringLiteral("2024-03-10 4 3 12"),
                                                            QStringLiteral("2024-03-11 1 1 20")};
    }
    void daysAcrossMidnight()
    {
        QFETCH(int, offsetHours);
        QFETCH(QStringList, days);
        answers::Maker make;
        make.when = QDateTime(QDate(2024, 3, 9), QTime(23, 30), Qt::UTC);
        QList<Answer> list;
        list << make(QStringLiteral("K"), QStringLiteral("K"), -1, 10)
             << make(QStringLiteral("M"), QStringLiteral("N"), -1, 10);
        make.when = QDateTime(QDate(2024, 3, 10), QTime(0, 30), Qt::UTC);
        list << make(QStringLiteral("K"), QStringLiteral("K"), -1, 0) // no speed: not averaged
             << make(QStringLiteral("K"), QStringLiteral("K"), -1, 16);
        make.when = QDateTime(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC);
        list << make(QStringLiteral("K"), QStringLiteral("K"), -1, 20);
        make.kind = record::Kind::Sending;
        list << make(QStringLiteral("K"), QStringLiteral("K"), -1, 30);
        record::Answer undated = list.first();
        undated.when = QDateTime();
        list << undated;
        const CharacterStats stats(list, QTimeZone(offsetHours * 3600));
        QStringList got;
        for (const progress::DayPoint &d : stats.days())
            got << QStringLiteral("%1 %2 %3 %4")
                       .arg(d.day.toString(Qt::ISODate))
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
