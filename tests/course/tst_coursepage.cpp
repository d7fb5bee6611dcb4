// The course page as a learner drives it from the keyboard, through
// stand-ins for the player, the record and the export: a run played, typed,
// scored and stored; the pass mark opening the next lesson; a run stopped or
// left; the choices reaching the player and the settings file.

#include "app/errorguard.h"
#include "course/coursepage.h"
#include "course/coursesetup.h"
#include "course/recordstore.h"
#include "course/resultview.h"
#include "fakes.h"
#include "record/record.h"
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

// The groups as typed, in lower case, the characters at the positions given
// (counted without spaces) typed wrong.
QString Typed(const QStringList &groups, const QSet<int> &wrong = {})
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

    // Alt+key, a label's or a button's underlined letter. A button shows
    // itself pressed for a moment and clicks when it comes up.
    void Alt(char key, QAbstractButton *button = nullptr)
    {
        QSignalSpy clicked(button ? button : page->startButton, &QAbstractButton::clicked);
        QTest::keyClick(page.get(), key, Qt::AltModifier);
        if (button)
            QTRY_COMPARE(clicked.count(), 1);
    }

    // Sets a spin box or a list from the keyboard, through its label.
    void Set(char key, const QString &typed)
    {
        Alt(key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), typed);
    }

    // Starts a run, plays groups and types them back, then Enter.
    QStringList Run(int groups, const QSet<int> &wrong = {})
    {
        Alt('s', page->startButton);
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
        main.gerador.SetWaveform(tgSquare);
        Open("BordasSuaves=0\n");
        Alt('s', page->startButton);
        QCOMPARE(page->state(), State::Playing);
        QCOMPARE(QApplication::focusWidget(), page->copyEdit);
        QVERIFY(!page->setup->isEnabled());
        const course::RunSpec &spec = player.spec;
        QCOMPARE((QList<double>{spec.charWpm, spec.effectiveWpm, double(spec.durationMs),
                                double(spec.hertz), double(spec.leftVolume)}),
                 (QList<double>{20, 10, 120'000, 650, 30}));
        QCOMPARE(spec.waveform, tgSquare);
        QVERIFY(!spec.softEdges);

        const QStringList played = player.play(4);
        QCOMPARE(page->state(), State::Typing);
        QCOMPARE(played.join(QString()).remove(QRegularExpression(QStringLiteral("[KM]"))),
                 QString());
        const QString typed = Typed(played, {7});
        QTest::keyClicks(page->copyEdit, typed);
        QTest::keyClick(page->copyEdit, Qt::Key_Return);
        QCOMPARE(page->state(), State::Idle);

        QCOMPARE(store.runs.size(), 1);
        const course::CourseRun &run = store.runs.first();
        QCOMPARE(run.lesson, 1);
        QCOMPARE(run.sent, played.join(QLatin1Char(' ')));
        QCOMPARE(run.typed, typed);
        QVERIFY(run.started.isValid() && run.started <= run.ended);
        QCOMPARE(run.answers.size(), 20);
        for (int i = 0; i < run.answers.size(); ++i)
            QCOMPARE(run.answers[i].right, i != 7);

        // 19 of 20: the next lesson opens and is chosen; the result has the
        // focus, for a screen reader to read it.
        QVERIFY(page->results->summary->text().contains(QStringLiteral("95.0 %")));
        QCOMPARE(page->results->errors->count(), 1);
        QCOMPARE(page->results->characters->rowCount(), 2);
        QCOMPARE(page->setup->lessonBox->currentIndex(), 1);
        QVERIFY(page->setup->lessonBox->itemText(0).contains(QStringLiteral("passed")));
        QVERIFY(page->status->text().contains(QStringLiteral("lesson 2 is open")));
        QCOMPARE(QApplication::focusWidget(), page->results->summary);
        const CourseSettings kept = CourseSettings::load();
        QCOMPARE((QList<int>{kept.lessonOpen, kept.lesson, kept.runs.value(1)}),
                 (QList<int>{2, 2, 1}));
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
        QTest::newRow("94 % at 95") << 95 << 3 << false;
    }

    void passMark()
    {
        QFETCH(int, mark);
        QFETCH(int, wrong);
        QFETCH(bool, opens);
        Open("CursoLicao=4\nCursoLicaoAberta=4\n");
        Set('p', QString::number(mark));
        QSet<int> faults;
        for (int i = 0; i < wrong; ++i)
            faults.insert(i * 4 + 1);
        Run(10, faults);
        const CourseSettings kept = CourseSettings::load();
        QCOMPARE(kept.threshold, mark);
        QCOMPARE(kept.lessonOpen, opens ? 5 : 4);
        QCOMPARE(page->settings().lesson, opens ? 5 : 4);
    }

    // Stop, or leaving the page, drops a run: nothing stored or counted.
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
        Alt('s', page->startButton);
        if (afterPlaying)
            player.play(3);
        if (hide)
            page->hide();
        else
            Alt('t', page->stopButton);
        QCOMPARE(page->state(), State::Idle);
        QCOMPARE(player.stops, afterPlaying ? 0 : 1);
        QTest::keyClick(page->copyEdit, Qt::Key_Return);
        QVERIFY(store.runs.isEmpty());
        QVERIFY(CourseSettings::load().runs.isEmpty());
    }

    // The page hands the player groups of the chosen size, the new character
    // twice as often in a lesson's first three runs only.
    void groupsReachThePlayer_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<double>("share");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("third run, 5") << QByteArray("CursoCorridas5=2\n") << 2.0 / 7 << 5 << 5;
        QTest::newRow("fourth run, 3")
            << QByteArray("CursoCorridas5=3\nCursoGrupo=3\n") << 1.0 / 6 << 3 << 3;
        QTest::newRow("mixed") << QByteArray("CursoGrupo=0\n") << 2.0 / 7 << 2 << 7;
    }

    void groupsReachThePlayer()
    {
        QFETCH(QByteArray, settings);
        QFETCH(double, share);
        QFETCH(int, least);
        QFETCH(int, most);
        Open("CursoLicao=5\nCursoLicaoAberta=5\n" + settings);
        Alt('s', page->startButton);
        QString all;
        int shortest = 99, longest = 0;
        for (const QString &g : player.pull(4000)) {
            all += g;
            shortest = qMin(shortest, int(g.size()));
            longest = qMax(longest, int(g.size()));
        }
        QCOMPARE((QList<int>{shortest, longest}), (QList<int>{least, most}));
        QVERIFY(qAbs(all.count(QLatin1Char('S')) / double(all.size()) - share) < 0.015);
    }

    void choicesFromTheKeyboard()
    {
        Open();
        Set('e', QStringLiteral("18"));
        Set('c', QStringLiteral("15"));
        // The effective speed follows the character speed down.
        QCOMPARE(page->setup->effectiveSpeed->value(), 15);
        Alt('i');
        QTest::keyClick(page->setup->duration, Qt::Key_End);
        // A refused order says why, and changes nothing.
        Set('o', QStringLiteral("e t e"));
        QTest::keyClick(page->setup->orderEdit, Qt::Key_Return);
        QVERIFY(!page->setup->orderError->isHidden());
        QCOMPARE(page->setup->orderEdit->accessibleDescription(), page->setup->orderError->text());
        Set('o', QStringLiteral("etan"));
        QTest::keyClick(page->setup->orderEdit, Qt::Key_Return);
        QVERIFY(page->setup->orderError->isHidden());
        QCOMPARE(page->setup->lessonBox->count(), 3);
        QCOMPARE(CourseSettings::load().order.text(), QStringLiteral("E T A N"));

        Alt('s', page->startButton);
        QCOMPARE((QList<double>{player.spec.charWpm, player.spec.effectiveWpm,
                                double(player.spec.durationMs)}),
                 (QList<double>{15, 15, 300'000}));
        QCOMPARE(QString(player.pull(50).join(QString())).remove(QRegularExpression("[ET]")),
                 QString());
        Alt('t', page->stopButton);
        const CourseSettings kept = CourseSettings::load();
        QCOMPARE((QList<int>{kept.charWpm, kept.effectiveWpm, kept.minutes}),
                 (QList<int>{15, 15, 5}));
        Alt('d', page->setup->orderDefault);
        QVERIFY(CourseSettings::load().order.isDefault());
    }

    void faults_data()
    {
        QTest::addColumn<QString>("storeFailure");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("exportFailure");
        QTest::addColumn<QString>("written");
        QTest::newRow("stored, exported, suffix added") << ""
                                                        << "/tmp/run"
                                                        << ""
                                                        << "/tmp/run.wav";
        QTest::newRow("not stored, not exported") << "disk full"
                                                  << "/tmp/run.WAV"
                                                  << "read-only"
                                                  << "/tmp/run.WAV";
        QTest::newRow("export cancelled") << ""
                                          << ""
                                          << ""
                                          << "";
    }

    // What cannot be stored or written is said, and the course goes on.
    void faults()
    {
        QFETCH(QString, storeFailure);
        QFETCH(QString, chosen);
        QFETCH(QString, exportFailure);
        QFETCH(QString, written);
        Open();
        store.failure = storeFailure;
        exporter.file.clear();
        exporter.failure = exportFailure;
        page->chooseExportFile = [chosen] { return chosen; };
        QVERIFY(!page->exportButton->isEnabled());
        const QStringList played = Run(3);
        QCOMPARE(UltimoErro().contains(QStringLiteral("disk full")), !storeFailure.isEmpty());
        QCOMPARE(page->settings().runs.value(1), 1);
        LimpaUltimoErro();
        Alt('x', page->exportButton);
        QCOMPARE(exporter.file, written);
        if (!written.isEmpty())
            QCOMPARE(exporter.text, played.join(QLatin1Char(' ')));
        QCOMPARE(UltimoErro().contains(QStringLiteral("read-only")), !exportFailure.isEmpty());
        store.failure.clear();
    }

    // Through the record's adapter a run lands in the learner's record; a
    // record that cannot be had says so itself, once, and the page adds
    // nothing.
    void storedInTheRecord()
    {
        QTemporaryDir dir;
        for (const bool usable : {true, false}) {
            record::Record learner;
            QSignalSpy problems(&learner, &record::Record::problem);
            if (usable)
                QVERIFY(learner.open(dir.filePath(QStringLiteral("record.sqlite"))));
            course::RecordStore runs(learner);
            Open();
            CoursePage recorded(&main, &player, &runs, nullptr);
            recorded.start();
            const QStringList played = player.play(2);
            QTest::keyClicks(recorded.copyEdit, Typed(played, {0}));
            QTest::keyClick(recorded.copyEdit, Qt::Key_Return);
            QVERIFY(UltimoErro().isEmpty());
            QCOMPARE(problems.count(), usable ? 0 : 1);
            if (!usable)
                continue;
            const QList<record::Run> kept = learner.runs(record::Kind::Course);
            QCOMPARE(kept.size(), 1);
            QCOMPARE(kept[0].sent, played.join(QLatin1Char(' ')));
            QCOMPARE((QList<double>{double(kept[0].lesson), kept[0].accuracy, kept[0].charWpm}),
                     (QList<double>{1, 90, 20}));
            QCOMPARE(kept[0].answers.size(), 10);
            QVERIFY(!kept[0].answers[0].right && kept[0].answers[1].right);
        }
    }

    // Without a player nothing starts; the note on the main window's own
    // scale gives its speed with the PARIS equivalents.
    void withoutPlayer()
    {
        main.unidade = 5;
        Open(QByteArray(), false);
        main.unidade = 25;
        QVERIFY(!page->startButton->isEnabled());
        QVERIFY(page->status->text().contains(QStringLiteral("no player")));
        for (const char *figure : {"25 PpM", "48.0 WPM", "39.3 WPM"})
            QVERIFY(page->setup->scaleNote->text().contains(QLatin1String(figure)));
    }
};

QTEST_MAIN(TstCoursePage)
#include "tst_coursepage.moc"
