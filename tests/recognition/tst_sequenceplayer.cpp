// The stream's adapter on a virtual clock with no sound device: where a
// character's heard start and end fall, and the page timing answers from them.

#include "../ajustesfalsos.h"
#include "../ambiente.h"
#include "platform/virtualclock.h"
#include "recognition/recognitionpage.h"
#include "recognition/sequenceplayer.h"

#include <QLabel>
#include <QtTest>

using namespace std::chrono_literals;
using recognition::SequencePlayer;

namespace {

double Ms(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

class TstSequencePlayer : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<platform::VirtualClock> clock;
    AjustesFalsos main;

private slots:
    void initTestCase() { qputenv("SDL_AUDIODRIVER", "zirvano-none"); }
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, "[General]\nIdioma=2\nCursoLicaoAberta=9\n");
        clock = std::make_unique<platform::VirtualClock>();
    }
    void cleanup()
    {
        clock.reset();
        folder.reset();
    }

    void heardSpan_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<double>("wpm");
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<double>("lengthMs"); // first element's start to last one's end
        QTest::newRow("E at 25") << "E" << 25.0 << 400 << 48.0;
        QTest::newRow("K at 25") << "K" << 25.0 << 700 << 9 * 48.0;
        QTest::newRow("5 at 40") << "5" << 40.0 << 400 << 9 * 30.0;
        QTest::newRow("0 at 32") << "0" << 32.0 << 1000 << 19 * 37.5;
    }
    void heardSpan()
    {
        QFETCH(QString, character);
        QFETCH(double, wpm);
        QFETCH(int, afterMs);
        QFETCH(double, lengthMs);
        SequencePlayer player(&main);
        const platform::SteadyTime called = clock->now();
        QVERIFY(player.playCharacter(character, wpm, afterMs));
        const double frameMs = 1000.0 / platform::KeyingSequence::Rate;
        QVERIFY2(qAbs(Ms(player.heardStart() - called) - afterMs) <= frameMs,
                 qPrintable(QString::number(Ms(player.heardStart() - called))));
        QVERIFY(qAbs(Ms(player.heardEnd() - player.heardStart()) - lengthMs) <= frameMs);
        // The next one counts its pause from now, not from the last end.
        clock->advance(3s);
        const platform::SteadyTime later = clock->now();
        QVERIFY(player.playCharacter(character, wpm, afterMs));
        QVERIFY(qAbs(Ms(player.heardStart() - later) - afterMs) <= frameMs);
    }

    void beepAndFaults()
    {
        SequencePlayer player(&main);
        QVERIFY(player.playBeep(500));
        QCOMPARE(Ms(player.heardEnd() - player.heardStart()), double(SequencePlayer::BeepMs));
        QVERIFY(!player.playCharacter(QStringLiteral("§"), 25, 500));
        QVERIFY(!player.playCharacter(QString(), 25, 500));
        player.stop();
        QVERIFY(player.sequence().idle());
    }

    void pageAnswersOnTheStream_data()
    {
        QTest::addColumn<int>("reactionMs");
        QTest::addColumn<int>("afterEndMs");
        QTest::newRow("no reaction") << -1 << 275;
        QTest::newRow("reaction 190") << 190 << 470;
    }
    void pageAnswersOnTheStream()
    {
        QFETCH(int, reactionMs);
        QFETCH(int, afterEndMs);
        auto *player = new SequencePlayer(&main);
        recognition::RecognitionPage page(player, nullptr);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        if (reactionMs >= 0) {
            // Measured at five beeps, reactionMs after each.
            page.calibrate();
            for (int i = 0; i < 5; ++i) {
                clock->advance(player->heardStart() + std::chrono::milliseconds(reactionMs) -
                               clock->now());
                QTest::keyClick(page.pad, Qt::Key_Space);
            }
            QCOMPARE(page.settings().reactionMs, reactionMs);
        }
        page.start();
        const platform::KeyingSequence::Span span = player->lastSpan();
        const platform::SteadyTime end = player->sequence().timeOf(player->sequence().endOf(span));
        clock->advance(end + std::chrono::milliseconds(afterEndMs) - clock->now());
        QTest::keyClick(page.pad, 'k');
        QCOMPARE(page.answers().size(), 1);
        QCOMPARE(page.answers().constFirst().answerMs, afterEndMs - qMax(reactionMs, 0));
    }
};

QTEST_MAIN(TstSequencePlayer)
#include "tst_sequenceplayer.moc"
