// The instant recognition page driven by keys on a virtual clock, through a
// stand-in for the stream: answer times from the heard end less the reaction
// time, the run in the record, slow and wrong characters back sooner, the
// reaction calibration kept in the settings.

#include "../ambiente.h"
#include "fakeplayer.h"
#include "platform/virtualclock.h"
#include "recognition/recognitionpage.h"
#include "recognition/recognitionsettings.h"
#include "record/record.h"
#include "translations/translations.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace std::chrono_literals;
using recognition::RecognitionPage;

class TstRecognitionPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<platform::VirtualClock> clock;
    std::unique_ptr<record::Record> record;
    std::unique_ptr<RecognitionPage> page;
    FakePlayer *player = nullptr;

    // Ten characters open (lesson 9), and whatever settings adds.
    void Open(const QByteArray &settings = QByteArray())
    {
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, "[General]\nIdioma=2\nCursoLicaoAberta=9\n" + settings);
        record = std::make_unique<record::Record>();
        QVERIFY(record->open(folder->filePath(QStringLiteral("record.sqlite"))));
        player = new FakePlayer;
        page = std::make_unique<RecognitionPage>(player, record.get());
        page->setSeed(7);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    // Moves the clock to offset after the sound's heard start or end.
    void At(platform::SteadyTime from, std::chrono::milliseconds offset)
    {
        clock->advance(from + offset - clock->now());
    }

    // Answers the character playing, ms after its heard end; right or not.
    void Answer(int ms, bool right = true)
    {
        At(player->heardEnd(), std::chrono::milliseconds(ms));
        const QString c = player->played.last();
        const QChar key = right ? c.at(0).toLower() : (c == QLatin1String("E") ? u'T' : u'E');
        QTest::keyClick(page->pad, key.toLatin1());
    }

private slots:
    void initTestCase() { Translations::apply(2); }
    void init() { clock = std::make_unique<platform::VirtualClock>(); }
    void cleanup()
    {
        page.reset();
        record.reset();
        clock.reset();
        folder.reset();
    }

    void answerTimedFromHeardEnd_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("afterEndMs"); // the press, from the heard end
        QTest::addColumn<int>("expected");   // answerMs; -1: no answer taken
        QTest::newRow("not calibrated") << QByteArray() << 320 << 320;
        QTest::newRow("reaction taken off")
            << QByteArray("ReconhecimentoReacao=180\n") << 430 << 250;
        QTest::newRow("within the reaction")
            << QByteArray("ReconhecimentoReacao=180\n") << 120 << 0;
        QTest::newRow("while it sounds") << QByteArray() << -100 << 0;
        QTest::newRow("before it sounds") << QByteArray() << -250 << -1;
    }
    void answerTimedFromHeardEnd()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, afterEndMs);
        QFETCH(int, expected);
        Open(settings);
        page->start();
        QCOMPARE(page->state(), RecognitionPage::State::Running);
        QVERIFY(page->pad->hasFocus());
        QCOMPARE(player->speeds.value(0), 25.0);
        Answer(afterEndMs);
        if (expected < 0) {
            QVERIFY(page->answers().isEmpty());
            QCOMPARE(player->played.size(), 1);
            return;
        }
        QCOMPARE(page->answers().size(), 1);
        QCOMPARE(page->answers().constFirst().answerMs, expected);
        QVERIFY(page->answers().constFirst().right);
        QCOMPARE(player->played.size(), 2);
    }

    void runStored_data()
    {
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<QList<bool>>("rights");
        QTest::addColumn<int>("median");
        QTest::addColumn<QString>("accuracy");
        QTest::newRow("all right") << QList<int>{300, 200, 400, 250, 350}
                                   << QList<bool>{true, true, true, true, true} << 300 << "100";
        QTest::newRow("two wrong") << QList<int>{100, 900, 300, 200, 600}
                                   << QList<bool>{true, false, true, false, true} << 300 << "60";
    }
    void runStored()
    {
        QFETCH(QList<int>, times);
        QFETCH(QList<bool>, rights);
        QFETCH(int, median);
        QFETCH(QString, accuracy);
        Open("ReconhecimentoCaracteres=5\nReconhecimentoVelocidade=30\n");
        page->start();
        for (int i = 0; i < times.size(); ++i)
            Answer(times.at(i), rights.at(i));
        QCOMPARE(page->state(), RecognitionPage::State::Idle);
        QCOMPARE(player->played.size(), times.size());

        const QList<record::Answer> stored = record->answers();
        QCOMPARE(stored.size(), times.size());
        const QList<record::Run> runs = record->runs(record::Kind::Recognition);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.constFirst().charWpm, 30.0);
        for (int i = 0; i < times.size(); ++i) {
            const record::Answer &a = stored.at(i);
            QCOMPARE(a.kind, record::Kind::Recognition);
            QCOMPARE(a.sent, player->played.at(i));
            QCOMPARE(a.right, rights.at(i));
            QCOMPARE(a.answered == a.sent, rights.at(i));
            QCOMPARE(a.answerMs, times.at(i));
            QCOMPARE(a.charWpm, 30.0);
        }
        QCOMPARE(page->status->text(),
                 QStringLiteral("Median answer time %1\u00A0ms, accuracy %2\u00A0%.")
                     .arg(median)
                     .arg(accuracy));
    }

    void slowOrWrongComesBackSooner_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("firstMs");
        QTest::addColumn<bool>("firstRight");
        QTest::newRow("slow") << QByteArray() << 650 << true;
        QTest::newRow("wrong") << QByteArray() << 200 << false;
        QTest::newRow("slow for a lower threshold")
            << QByteArray("ReconhecimentoLimiar=300\n") << 400 << true;
    }
    void slowOrWrongComesBackSooner()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, firstMs);
        QFETCH(bool, firstRight);
        Open(settings);
        page->start();
        const QString first = player->played.constFirst();
        Answer(firstMs, firstRight);
        for (int i = 0; i < 2; ++i)
            Answer(150);
        // Ten characters to draw from: by chance it would come back this
        // soon one time in nine.
        QCOMPARE(player->played.size(), 4);
        QCOMPARE(player->played.at(3), first);
        QVERIFY(!player->played.mid(1, 2).contains(first));
    }

    void calibrationStored_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QList<int>>("presses"); // from each beep's start
        QTest::addColumn<int>("stored");
        QTest::newRow("steady") << QByteArray() << QList<int>{250, 262, 240, 255, 245} << 250;
        QTest::newRow("redone") << QByteArray("ReconhecimentoReacao=400\n")
                                << QList<int>{300, 310, 290, 305, 295} << 300;
        QTest::newRow("a lapse and a guess, then more beeps")
            << QByteArray() << QList<int>{1500, 40, 220, 1500, 230, 210} << 220;
        QTest::newRow("never steady: the old value kept")
            << QByteArray("ReconhecimentoReacao=400\n")
            << QList<int>{50, 1500, 50, 1500, 50, 1500, 50, 1500, 50, 1500} << 400;
    }
    void calibrationStored()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QList<int>, presses);
        QFETCH(int, stored);
        Open(settings);
        page->calibrate();
        QCOMPARE(page->state(), RecognitionPage::State::Calibrating);
        // A press before the first beep is not counted.
        At(player->heardStart(), -300ms);
        QTest::keyClick(page->pad, Qt::Key_Space);
        QCOMPARE(player->played.size(), 1);
        for (const int ms : std::as_const(presses)) {
            QCOMPARE(page->state(), RecognitionPage::State::Calibrating);
            At(player->heardStart(), std::chrono::milliseconds(ms));
            QTest::keyClick(page->pad, Qt::Key_Space);
        }
        QCOMPARE(page->state(), RecognitionPage::State::Idle);
        QCOMPARE(player->played.count(QStringLiteral("beep")), presses.size());
        QCOMPARE(page->settings().reactionMs, stored);
        QCOMPARE(recognition::RecognitionSettings::load().reactionMs, stored);
        QVERIFY(page->reactionLabel->text().contains(QString::number(stored)));
    }

    void textsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("calibrate");
        QTest::addColumn<QString>("reaction");
        QTest::newRow("Portuguese") << 0 << "Reconhecimento instantâneo"
                                    << "&Medir minha reação"
                                    << "Tempo de reação: 240 ms";
        QTest::newRow("Spanish") << 1 << "Reconocimiento instantáneo"
                                 << "&Medir mi reacción"
                                 << "Tiempo de reacción: 240 ms";
        QTest::newRow("English") << 2 << "Instant recognition"
                                 << "&Measure my reaction"
                                 << "Reaction time: 240 ms";
    }
    void textsFollowTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, calibrate);
        QFETCH(QString, reaction);
        Open("ReconhecimentoReacao=240\n");
        Translations::apply(language);
        QTRY_COMPARE(page->windowTitle(), title);
        QCOMPARE(page->calibrateButton->text(), calibrate);
        QCOMPARE(page->reactionLabel->text(), reaction);
        // Whatever takes the focus has a name a screen reader says.
        for (QWidget *w : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!(w->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        }
        Translations::apply(2);
        QTRY_COMPARE(page->windowTitle(), QStringLiteral("Instant recognition"));
    }

    void leavingDropsTheRun()
    {
        Open("ReconhecimentoCaracteres=5\n");
        page->start();
        Answer(200);
        page->hide();
        QCOMPARE(page->state(), RecognitionPage::State::Idle);
        QCOMPARE(player->stops, 1);
        QVERIFY(record->answers().isEmpty());
        QVERIFY(page->startButton->isEnabled());
    }
};

QTEST_MAIN(TstRecognitionPage)
#include "tst_recognitionpage.moc"
