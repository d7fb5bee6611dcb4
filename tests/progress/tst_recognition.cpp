#include "platform/virtualclock.h"
#include "progress/recognitionqueue.h"
#include "progress/recognitiontiming.h"

#include <QtTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using progress::RecognitionQueue;
using progress::RecognitionTiming;
using std::chrono::milliseconds;

class TstRecognition : public QObject
{
    Q_OBJECT

private slots:
    void reactionTime_data()
    {
        QTest::addColumn<QList<int>>("delays"); // ms from each beep to its press
        QTest::addColumn<int>("reaction");      // 0: not calibrated
        QTest::newRow("three presses") << QList<int>{220, 240, 230} << 230;
        QTest::newRow("four, middle two averaged") << QList<int>{220, 240, 230, 250} << 235;
        QTest::newRow("a guess and a lapse dropped") << QList<int>{220, 60, 240, 1500, 230} << 230;
        QTest::newRow("a slow press dropped") << QList<int>{200, 210, 190, 205, 900} << 203;
        QTest::newRow("too few kept") << QList<int>{250, 60, 1200, 240} << 0;
        QTest::newRow("mostly lapses") << QList<int>{1100, 1200, 1300, 250, 240} << 0;
    }
    void reactionTime()
    {
        QFETCH(QList<int>, delays);
        QFETCH(int, reaction);
        platform::VirtualClock clock;
        RecognitionTiming timing;
        for (const int ms : delays) {
            clock.advance(1s);
            const platform::SteadyTime beep = clock.now();
            clock.advance(milliseconds(ms));
            timing.addReactionPress(beep, clock.now());
        }
        QCOMPARE(timing.isCalibrated(), reaction > 0);
        QCOMPARE(timing.reactionMs(), reaction);
    }

    void answerTimeFromTheHeardEnd_data()
    {
        QTest::addColumn<int>("reaction"); // -1: not measured
        QTest::addColumn<int>("pressAfterEnd");
        QTest::addColumn<int>("answer");
        QTest::newRow("reaction taken off") << 180 << 600 << 420;
        QTest::newRow("no reaction measured") << -1 << 600 << 600;
        QTest::newRow("quicker than the reaction") << 180 << 150 << 0;
        QTest::newRow("before the end") << 180 << -40 << 0;
    }
    void answerTimeFromTheHeardEnd()
    {
        QFETCH(int, reaction);
        QFETCH(int, pressAfterEnd);
        QFETCH(int, answer);
        platform::VirtualClock clock;
        RecognitionTiming timing;
        timing.setReactionMs(reaction);
        // K at 25 WPM (9 dots of 48 ms), placed in the stream 40 ms after the
        // call: counting from the call would add 472 ms.
        const platform::SteadyTime heardEnd = clock.now() + 40ms + 9 * 48ms;
        clock.advance(472ms + milliseconds(pressAfterEnd));
        QCOMPARE(timing.answerMs(heardEnd, clock.now()), answer);
        clock.advance(std::chrono::microseconds(400)); // rounds to the nearer ms
        QCOMPARE(timing.answerMs(heardEnd, clock.now()), answer);
    }

    void slowOrWrongComesBack_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("answerMs");
        QTest::addColumn<bool>("back");
        QTest::newRow("right at the threshold") << true << 500 << false;
        QTest::newRow("right, a millisecond slower") << true << 501 << true;
        QTest::newRow("wrong and quick") << false << 120 << true;
        QTest::newRow("right, not timed") << true << -1 << false;
    }
    void slowOrWrongComesBack()
    {
        QFETCH(bool, right);
        QFETCH(int, answerMs);
        QFETCH(bool, back);
        RecognitionQueue queue({u"K"_s, u"M"_s, u"U"_s, u"R"_s, u"E"_s, u"S"_s}, 11);
        const QString first = queue.next();
        queue.answer(first, right, answerMs);
        queue.answer(first, right, answerMs); // queued once only
        QCOMPARE(queue.waiting(), back ? QStringList{first} : QStringList{});
        // Draws 2 and 3 are others; draw 4 brings it back.
        QStringList drawn;
        for (int i = 0; i < 3; ++i) {
            drawn << queue.next();
            queue.answer(drawn.last(), true, 100);
        }
        QVERIFY(drawn.at(0) != first);
        if (back)
            QCOMPARE(drawn.at(2), first);
        QVERIFY(queue.waiting().isEmpty());
    }

    void randomDraws()
    {
        const QStringList letters{u"K"_s, u"M"_s, u"U"_s};
        RecognitionQueue queue(letters, 3);
        QHash<QString, int> seen;
        QString last;
        for (int i = 0; i < 300; ++i) {
            const QString c = queue.next();
            QVERIFY(c != last); // never twice running
            ++seen[last = c];
        }
        for (const QString &c : letters)
            QVERIFY2(seen.value(c) > 70, qPrintable(c));
        QCOMPARE(RecognitionQueue({}, 1).next(), QString());
        RecognitionQueue one({u"E"_s}, 1);
        QCOMPARE(one.next() + one.next(), u"EE"_s);
    }
};

int RunRecognitionTests(int argc, char **argv)
{
    TstRecognition t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_recognition.moc"
