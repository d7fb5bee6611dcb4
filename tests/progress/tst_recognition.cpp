#include "platform/virtualclock.h"
#include "progress/recognitionqueue.h"
#include "progress/recognitiontiming.h"

#include <QtTest>

using namespace std::chrono_literals;
using progress::RecognitionQueue;
using progress::RecognitionTiming;

namespace {

// Presses at beeps a second apart, each the given milliseconds after its beep.
void Calibrate(RecognitionTiming &timing, platform::VirtualClock &clock, const QList<int> &delays)
{
    for (const int ms : delays) {
        clock.advance(1s);
        const platform::SteadyTime beep = clock.now();
        clock.advance(std::chrono::milliseconds(ms));
        timing.addReactionPress(beep, clock.now());
    }
}

} // namespace

class TstRecognition : public QObject
{
    Q_OBJECT

private slots:
    void reactionTime_data()
    {
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<bool>("calibrated");
        QTest::addColumn<int>("reaction");
        QTest::newRow("three presses") << QList<int>{220, 240, 230} << true << 230;
        QTest::newRow("four presses, middle two averaged")
            << QList<int>{220, 240, 230, 250} << true << 235;
        QTest::newRow("a guess and a lapse dropped")
            << QList<int>{220, 60, 240, 1500, 230} << true << 230;
        QTest::newRow("a slow press among steady ones dropped")
            << QList<int>{200, 210, 190, 205, 900} << true << 203;
        QTest::newRow("too few presses kept") << QList<int>{250, 60, 1200, 240} << false << 0;
        QTest::newRow("mostly lapses") << QList<int>{1100, 1200, 1300, 250, 240} << false << 0;
        QTest::newRow("steady hand, a little spread")
            << QList<int>{180, 181, 182, 183, 195} << true << 182;
    }
    void reactionTime()
    {
        QFETCH(QList<int>, delays);
        QFETCH(bool, calibrated);
        QFETCH(int, reaction);
        platform::VirtualClock clock;
        RecognitionTiming timing;
        Calibrate(timing, clock, delays);
        QCOMPARE(timing.isCalibrated(), calibrated);
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
        // K at 25 WPM: a 48 ms dot, dash-dot-dash with its gaps 9 dots, played
        // from a call that the stream places 40 ms later.
        const platform::SteadyTime call = clock.now();
        const platform::SteadyTime heardEnd = call + 40ms + 9 * 48ms;
        clock.advance(40ms + 9 * 48ms + std::chrono::milliseconds(pressAfterEnd));
        QCOMPARE(timing.answerMs(heardEnd, clock.now()), answer);
        // Counting from the call would add the latency and the character.
        if (answer > 0)
            QCOMPARE(
                std::chrono::duration_cast<std::chrono::milliseconds>(clock.now() - call).count(),
                answer + 472 + qMax(0, reaction));
    }

    void calibrationThenAnswers()
    {
        platform::VirtualClock clock;
        RecognitionTiming timing;
        Calibrate(timing, clock, {210, 190, 200, 205, 195});
        QCOMPARE(timing.reactionMs(), 200);
        clock.advance(2s);
        const platform::SteadyTime end = clock.now();
        clock.advance(std::chrono::microseconds(512'400));
        QCOMPARE(timing.answerMs(end, clock.now()), 312);
        timing.clearReaction();
        QVERIFY(!timing.isCalibrated());
        QCOMPARE(timing.answerMs(end, clock.now()), 512);
    }

    void slowOrWrongComesBack_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("answerMs");
        QTest::addColumn<bool>("back");
        QTest::newRow("right at the threshold") << true << 500 << false;
        QTest::newRow("right, a millisecond slower") << true << 501 << true;
        QTest::newRow("right and quick") << true << 120 << false;
        QTest::newRow("wrong and quick") << false << 120 << true;
        QTest::newRow("right, not timed") << true << -1 << false;
    }
    void slowOrWrongComesBack()
    {
        QFETCH(bool, right);
        QFETCH(int, answerMs);
        QFETCH(bool, back);
        const QStringList letters{QStringLiteral("K"), QStringLiteral("M"), QStringLiteral("U"),
                                  QStringLiteral("R"), QStringLiteral("E"), QStringLiteral("S")};
        RecognitionQueue queue(letters, 11);
        const QString first = queue.next();
        queue.answer(first, right, answerMs);
        QCOMPARE(queue.waiting(), back ? QStringList{first} : QStringList{});
        // Draws 2 and 3 are others; draw 4 brings it back when it was slow.
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

    void severalWaiting()
    {
        const QStringList letters{QStringLiteral("5"), QStringLiteral("H"), QStringLiteral("S"),
                                  QStringLiteral("4"), QStringLiteral("V")};
        RecognitionQueue queue(letters, 5);
        queue.setComebackDraws(2);
        const QString a = queue.next();
        queue.answer(a, false, 300);
        queue.answer(a, false, 300); // once is enough
        const QString b = queue.next();
        queue.answer(b, true, 800);
        QCOMPARE(queue.waiting(), (QStringList{a, b}));
        QCOMPARE(queue.next(), a); // draw 3: a, due at 1 + 2
        QCOMPARE(queue.next(), b); // draw 4: b, due at 2 + 2
        QCOMPARE(queue.draws(), 4);
    }

    void randomDrawsNeverRepeatAndCoverAll()
    {
        const QStringList letters{QStringLiteral("K"), QStringLiteral("M"), QStringLiteral("U")};
        RecognitionQueue queue(letters, 3);
        QHash<QString, int> seen;
        QString last;
        for (int i = 0; i < 300; ++i) {
            const QString c = queue.next();
            QVERIFY(c != last);
            last = c;
            ++seen[c];
        }
        for (const QString &c : letters)
            QVERIFY2(seen.value(c) > 70, qPrintable(c));
        RecognitionQueue again(letters, 3);
        QCOMPARE(again.next(), RecognitionQueue(letters, 3).next());
        QCOMPARE(RecognitionQueue({}, 1).next(), QString());
        RecognitionQueue one({QStringLiteral("E")}, 1);
        QCOMPARE(one.next(), QStringLiteral("E"));
        QCOMPARE(one.next(), QStringLiteral("E"));
    }
};

int RunRecognitionTests(int argc, char **argv)
{
    TstRecognition t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_recognition.moc"
