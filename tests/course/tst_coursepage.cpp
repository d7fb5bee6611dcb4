// The course page as a learner drives it from the keyboard, through
// stand-ins for the player, the record and the export: a run played, typed,
// scored and stored; the pass mark opening the next lesson; a run stopped or
// left; the choices reaching the player and the settings file.

#include "app/errorguard.h"
#include "course/coursepage.h"
#include "course/groupgenerator.h"
#include "course/resultview.h"
#include "fakes.h"
#include "tests/ajustesfalsos.h"
#include "tests/ambiente.h"
#include "translations/translations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <memory>

using course::CoursePage;
using course::CourseSettings;
using State = CoursePage::State;

namespace {

// The groups as typed, with the characters at the positions given (counted
// without spaces) typed wrong.
QString Typed(const QStringList &groups, const QSet<int> &wrong)
{
    QString typed;
    int n = 0;
    for (const QString &group : groups) {
        if (!typed.isEmpty())
            typed += QLatin1Char(' ');
        for (const QChar c : group)
            typed += wrong.contains(n++) ? (c == QLatin1Char('X') ? QChar('Y') : QChar('X')) : c;
    }
    return typed.toLower();
}

} // namespace

class TstCoursePage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    AjustesFalsos main;
    FakePlayer player;
    FakeStore store;
    FakeExporter exporter;
    std::unique_ptr<CoursePage> page;

    CoursePage *Open(const QByteArray &settings = QByteArray(), bool withPlayer = true)
    {
        page.reset();
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, "[General]\nIdioma=2\n" + settings);
        player.starts = player.stops = 0;
        store.runs.clear();
        store.failure.clear();
        LimpaUltimoErro();
        page =
            std::make_unique<CoursePage>(&main, withPlayer ? &player : nullptr, &store, &exporter);
        page->setSeed(42);
        page->show();
        page->activateWindow();
        if (!QTest::qWaitForWindowActive(page.get()))
            qWarning("the page never became active");
        return page.get();
    }

    // Alt+key, as the learner presses a label's or a button's underlined
    // letter.
    void Alt(char key) { QTest::keyClick(page.get(), key, Qt::AltModifier); }

    // A button's letter: the button shows itself pressed for a moment and
    // clicks when it comes up.
    void Press(QAbstractButton *button, char key)
    {
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        Alt(key);
        QTRY_COMPARE(clicked.count(), 1);
    }

    // Starts a run from the keyboard, plays groups and types them back.
    QStringList Run(int groups, const QSet<int> &wrong = {})
    {
        Press(page->startButton, 's');
        if (page->state() != State::Playing)
            return {};
        const QStringList played = player.play(groups);
        QTest::keyClicks(QApplication::focusWidget(), Typed(played, wrong));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return played;
    }

private slots:
    void initTestCase() { Translations::apply(2); }
    void cleanup() { page.reset(); }

    void runPlayedTypedScoredStored()
    {
        main.frequencia = 650;
        main.volumeEsquerdo = 30;
        main.volumeDireito = 70;
        main.gerador.SetWaveform(tgSquare);
        Open("BordasSuaves=0\n");
        QCOMPARE(page->lessonBox->currentIndex(), 0);
        Press(page->startButton, 's');
        QCOMPARE(page->state(), State::Playing);
        QCOMPARE(QApplication::focusWidget(), page->copyEdit);
        QCOMPARE(player.starts, 1);
        QCOMPARE(player.spec.charWpm, 20.0);
        QCOMPARE(player.spec.effectiveWpm, 10.0);
        QCOMPARE(player.spec.durationMs, 120'000);
        QCOMPARE(player.spec.hertz, 650);
        QCOMPARE(player.spec.leftVolume, 30);
        QCOMPARE(player.spec.rightVolume, 70);
        QCOMPARE(player.spec.waveform, tgSquare);
        QCOMPARE(player.spec.softEdges, false);
        // Nothing is set while a run plays.
        QVERIFY(!page->lessonBox->isEnabled());
        QVERIFY(!page->startButton->isEnabled());

        const QStringList played = player.play(4);
        QCOMPARE(page->state(), State::Typing);
        QVERIFY(page->scoreButton->isEnabled());
        for (const QString &group : played) {
            QCOMPARE(group.size(), 5);
            for (const QChar c : group)
                QVERIFY(c == QLatin1Char('K') || c == QLatin1Char('M'));
        }
        const QString typed = Typed(played, {7});
        QTest::keyClicks(page->copyEdit, typed);
        QTest::keyClick(page->copyEdit, Qt::Key_Return);
        QCOMPARE(page->state(), State::Idle);

        QCOMPARE(store.runs.size(), 1);
        const course::CourseRun &run = store.runs.first();
        QCOMPARE(run.lesson, 1);
        QCOMPARE(run.sent, played.join(QLatin1Char(' ')));
        QCOMPARE(run.typed, typed);
        QCOMPARE(run.charWpm, 20.0);
        QCOMPARE(run.effectiveWpm, 10.0);
        QVERIFY(run.started.isValid() && run.started <= run.ended);
        QCOMPARE(run.answers.size(), 20);
        for (int i = 0; i < run.answers.size(); ++i) {
            QCOMPARE(run.answers[i].kind, record::Kind::Course);
            QCOMPARE(run.answers[i].right, i != 7);
            QCOMPARE(run.answers[i].sent, QString(played.join(QString()).at(i)));
        }

        // 19 of 20: the next lesson opens and is chosen.
        QVERIFY2(page->results->summary->text().contains(QStringLiteral("95.0 %")),
                 qPrintable(page->results->summary->text()));
        QCOMPARE(page->results->errors->count(), 1);
        QVERIFY(page->results->errors->item(0)->text().startsWith(QStringLiteral("Group 2:")));
        QCOMPARE(page->results->characters->rowCount(), 2);
        QCOMPARE(page->settings().lessonOpen, 2);
        QCOMPARE(page->lessonBox->currentIndex(), 1);
        QVERIFY(page->status->text().contains(QStringLiteral("lesson 2 is open")));
        QVERIFY(page->lessonBox->itemText(0).contains(QStringLiteral("passed")));
        QCOMPARE(QApplication::focusWidget(), page->results->summary);
        const CourseSettings kept = CourseSettings::load();
        QCOMPARE(kept.lessonOpen, 2);
        QCOMPARE(kept.lesson, 2);
        QCOMPARE(kept.runs.value(1), 1);
    }

    // 50 characters a run, so each wrong one is 2 %.
    void passMark_data()
    {
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<bool>("opens");
        QTest::newRow("90 % at 90") << 90 << 5 << true;
        QTest::newRow("88 % at 90") << 90 << 6 << false;
        QTest::newRow("80 % at 80") << 80 << 10 << true;
        QTest::newRow("78 % at 80") << 80 << 11 << false;
        QTest::newRow("96 % at 95") << 95 << 2 << true;
        QTest::newRow("94 % at 95") << 95 << 3 << false;
    }

    void passMark()
    {
        QFETCH(int, mark);
        QFETCH(int, wrong);
        QFETCH(bool, opens);
        Open("CursoLicao=4\nCursoLicaoAberta=4\n");
        // The pass mark set from the keyboard: its label's letter, then keys.
        Alt('p');
        QCOMPARE(QApplication::focusWidget(), page->threshold);
        QTest::keyClick(page->threshold, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page->threshold, QString::number(mark));
        QCOMPARE(page->threshold->value(), mark);
        QSet<int> faults;
        for (int i = 0; i < wrong; ++i)
            faults.insert(i * 4 + 1);
        Run(10, faults);
        QCOMPARE(store.runs.size(), 1);
        QCOMPARE(page->settings().lessonOpen, opens ? 5 : 4);
        QCOMPARE(page->settings().lesson, opens ? 5 : 4);
        QCOMPARE(CourseSettings::load().threshold, mark);
        QCOMPARE(CourseSettings::load().lessonOpen, opens ? 5 : 4);
    }

    // Passing a lesson below the one reached opens nothing and stays put.
    void earlierLessonPassed()
    {
        Open("CursoLicao=2\nCursoLicaoAberta=6\n");
        Run(4);
        QCOMPARE(page->settings().lessonOpen, 6);
        QCOMPARE(page->settings().lesson, 2);
        QVERIFY(page->status->text().contains(QStringLiteral("Passed lesson 2")));
    }

    void stoppedOrLeft_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::addColumn<bool>("afterPlaying");
        QTest::newRow("stopped while playing") << false << false;
        QTest::newRow("stopped while typing") << false << true;
        QTest::newRow("page left while playing") << true << false;
    }

    void stoppedOrLeft()
    {
        QFETCH(bool, hide);
        QFETCH(bool, afterPlaying);
        Open();
        Press(page->startButton, 's');
        if (afterPlaying)
            player.play(3);
        if (hide)
            page->hide();
        else
            Press(page->stopButton, 't');
        QCOMPARE(page->state(), State::Idle);
        QCOMPARE(player.stops, afterPlaying ? 0 : 1);
        QVERIFY(store.runs.isEmpty());
        QVERIFY(CourseSettings::load().runs.isEmpty());
        QVERIFY(!page->exportButton->isEnabled());
        // Enter after the run scores nothing.
        QTest::keyClick(page->copyEdit, Qt::Key_Return);
        QVERIFY(store.runs.isEmpty());
    }

    // The new character is drawn twice as often in a lesson's first three runs
    // only: the page hands the player a generator that follows the runs kept.
    void newCharacterBoost_data()
    {
        QTest::addColumn<QByteArray>("runs");
        QTest::addColumn<double>("share");
        QTest::newRow("first run") << QByteArray() << 2.0 / 7;
        QTest::newRow("third run") << QByteArray("CursoCorridas5=2\n") << 2.0 / 7;
        QTest::newRow("fourth run") << QByteArray("CursoCorridas5=3\n") << 1.0 / 6;
    }

    void newCharacterBoost()
    {
        QFETCH(QByteArray, runs);
        QFETCH(double, share);
        Open("CursoLicao=5\nCursoLicaoAberta=5\n" + runs);
        Press(page->startButton, 's');
        const QString all = player.pull(4000).join(QString());
        QCOMPARE(all.size(), 20000);
        QVERIFY(qAbs(all.count(QLatin1Char('S')) / 20000.0 - share) < 0.015);
        QCOMPARE(QString(all).remove(QRegularExpression(QStringLiteral("[KMURES]"))), QString());
    }

    void groupSizeReachesPlayer_data()
    {
        QTest::addColumn<int>("item"); // in the list: 1..10 characters, then mixed
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("1") << 0 << 1 << 1;
        QTest::newRow("3") << 2 << 3 << 3;
        QTest::newRow("10") << 9 << 10 << 10;
        QTest::newRow("mixed") << 10 << 2 << 7;
    }

    void groupSizeReachesPlayer()
    {
        QFETCH(int, item);
        QFETCH(int, least);
        QFETCH(int, most);
        Open();
        Alt('g');
        QCOMPARE(QApplication::focusWidget(), page->groupSize);
        QTest::keyClick(page->groupSize, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(page->groupSize, Qt::Key_Down);
        Press(page->startButton, 's');
        int shortest = 99, longest = 0;
        for (const QString &g : player.pull(300)) {
            shortest = qMin(shortest, int(g.size()));
            longest = qMax(longest, int(g.size()));
        }
        QCOMPARE(shortest, least);
        QCOMPARE(longest, most);
    }

    void speedsAndDuration()
    {
        Open();
        Alt('e');
        QTest::keyClick(page->effectiveSpeed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page->effectiveSpeed, QStringLiteral("18"));
        Alt('c');
        QTest::keyClick(page->charSpeed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page->charSpeed, QStringLiteral("15"));
        // The effective speed follows the character speed down.
        QCOMPARE(page->effectiveSpeed->value(), 15);
        QTest::keyClick(page->charSpeed, Qt::Key_Down);
        QCOMPARE(page->charSpeed->value(), 15);
        Alt('i');
        QTest::keyClick(page->duration, Qt::Key_End);
        Press(page->startButton, 's');
        QCOMPARE(player.spec.charWpm, 15.0);
        QCOMPARE(player.spec.effectiveWpm, 15.0);
        QCOMPARE(player.spec.durationMs, 300'000);
        Press(page->stopButton, 't');
        const CourseSettings kept = CourseSettings::load();
        QCOMPARE(kept.charWpm, 15);
        QCOMPARE(kept.effectiveWpm, 15);
        QCOMPARE(kept.minutes, 5);
    }

    void ownOrder()
    {
        Open();
        Alt('o');
        QCOMPARE(QApplication::focusWidget(), page->orderEdit);
        QTest::keyClick(page->orderEdit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page->orderEdit, QStringLiteral("e t e"));
        QTest::keyClick(page->orderEdit, Qt::Key_Return);
        QVERIFY(!page->orderError->isHidden());
        QVERIFY(page->orderError->text().contains(QStringLiteral("E")));
        QCOMPARE(page->orderEdit->accessibleDescription(), page->orderError->text());
        QVERIFY(page->settings().order.isDefault());

        QTest::keyClick(page->orderEdit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page->orderEdit, QStringLiteral("etan"));
        QTest::keyClick(page->orderEdit, Qt::Key_Return);
        QVERIFY(page->orderError->isHidden());
        QCOMPARE(page->orderEdit->text(), QStringLiteral("E T A N"));
        QCOMPARE(page->lessonBox->count(), 3);
        QVERIFY(page->lessonInfo->text().contains(QStringLiteral("E T")));
        QCOMPARE(CourseSettings::load().order.text(), QStringLiteral("E T A N"));
        Press(page->orderDefault, 'd');
        QVERIFY(CourseSettings::load().order.isDefault());
        QCOMPARE(page->lessonBox->count(), 40);
    }

    void storeFailureShown()
    {
        Open();
        store.failure = QStringLiteral("disk full");
        Run(2);
        QVERIFY(UltimoErro().contains(QStringLiteral("disk full")));
        // The run still counts for the course.
        QCOMPARE(page->settings().runs.value(1), 1);
    }

    void exportRun_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("written");
        QTest::newRow("suffix added") << "/tmp/run"
                                      << ""
                                      << "/tmp/run.wav";
        QTest::newRow("suffix kept") << "/tmp/run.WAV"
                                     << ""
                                     << "/tmp/run.WAV";
        QTest::newRow("cannot write") << "/tmp/run.wav"
                                      << "read-only"
                                      << "/tmp/run.wav";
        QTest::newRow("cancelled") << ""
                                   << ""
                                   << "";
    }

    void exportRun()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, failure);
        QFETCH(QString, written);
        Open();
        exporter.file.clear();
        exporter.failure = failure;
        page->chooseExportFile = [chosen] { return chosen; };
        QVERIFY(!page->exportButton->isEnabled());
        const QStringList played = Run(3);
        QVERIFY(page->exportButton->isEnabled());
        Press(page->exportButton, 'x');
        QCOMPARE(exporter.file, written);
        if (written.isEmpty())
            return;
        QCOMPARE(exporter.text, played.join(QLatin1Char(' ')));
        QCOMPARE(exporter.spec.effectiveWpm, 10.0);
        QCOMPARE(UltimoErro().contains(failure) && !failure.isEmpty(), !failure.isEmpty());
        if (failure.isEmpty())
            QVERIFY(page->status->text().contains(written));
    }

    void withoutPlayer()
    {
        Open(QByteArray(), false);
        QVERIFY(!page->startButton->isEnabled());
        QVERIFY(page->status->text().contains(QStringLiteral("no player")));
        page->start();
        QCOMPARE(page->state(), State::Idle);
    }

    // Where the main window's own scale meets the course's PARIS speeds.
    void scaleNote_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("figures");
        QTest::newRow("slowest") << 25 << QStringList{"5 PpM", "9.6 WPM", "7.9 WPM"};
        QTest::newRow("fastest") << 5 << QStringList{"25 PpM", "48.0 WPM", "39.3 WPM"};
    }

    void scaleNote()
    {
        QFETCH(int, unit);
        QFETCH(QStringList, figures);
        main.unidade = unit;
        Open();
        for (const QString &figure : figures)
            QVERIFY2(page->scaleNote->text().contains(figure), qPrintable(page->scaleNote->text()));
        main.unidade = 25;
    }

    // The page's texts follow the language installed, without a restart.
    void languages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("lesson");
        QTest::addColumn<QString>("title");
        QTest::newRow("Portuguese") << 0 << "&Iniciar"
                                    << "&Lição:"
                                    << "Curso &Koch";
        QTest::newRow("Spanish") << 1 << "&Iniciar"
                                 << "&Lección:"
                                 << "Curso &Koch";
        QTest::newRow("English") << 2 << "&Start"
                                 << "&Lesson:"
                                 << "&Koch course";
    }

    void languages()
    {
        QFETCH(int, language);
        QFETCH(QString, start);
        QFETCH(QString, lesson);
        QFETCH(QString, title);
        Open();
        QVERIFY(Translations::apply(language));
        QTRY_COMPARE(page->startButton->text(), start);
        QCOMPARE(page->lessonLabel->text(), lesson);
        QCOMPARE(page->windowTitle(), title);
        QVERIFY(!page->lessonBox->itemText(0).contains(QStringLiteral("Lesson")) || language == 2);
        Translations::apply(2);
        QTRY_COMPARE(page->startButton->text(), QStringLiteral("&Start"));
    }
};

QTEST_MAIN(TstCoursePage)
#include "tst_coursepage.moc"
