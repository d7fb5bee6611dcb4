#include "course/coursepage.h"

#include "app/bordassuaves.h"
#include "app/errorguard.h"
#include "course/alignment.h"
#include "course/audioexporter.h"
#include "course/coursesetup.h"
#include "course/groupgenerator.h"
#include "course/resultview.h"
#include "course/reviewsettings.h"
#include "course/runplayer.h"
#include "course/runscore.h"
#include "course/runstore.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace course {
namespace {

// Buttons answer Space, as buttons do; Enter belongs to the typing field.
QPushButton *Button(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CoursePage::CoursePage(const AjustesPrincipais *main, RunPlayer *player, RunStore *store,
                       AudioExporter *exporter, QWidget *parent)
    : QWidget(parent), main(main), player(player), store(store), exporter(exporter),
      current(CourseSettings::load()), random(QRandomGenerator::global()->generate())
{
    build();
    retranslate();
    setState(State::Idle);
    setStatus([this] {
        return this->player ? tr("Choose a lesson and press Start.")
                            : tr("Runs cannot be played here: no player is available.");
    });
    if (player) {
        connect(player, &RunPlayer::finished, this, &CoursePage::played);
        // Another page may play through the same player.
        connect(player, &RunPlayer::progress, this, [this](qint64 ms) {
            if (runState == State::Playing)
                progress->setValue(int(qMin<qint64>(ms / 100, progress->maximum())));
        });
    }
}

CoursePage::~CoursePage()
{
    if (runState == State::Playing && player)
        player->stop();
}

// Created in the order of the tab chain.
void CoursePage::build()
{
    setup = new CourseSetup(current, main, this);
    startButton = Button(this);
    stopButton = Button(this);
    scoreButton = Button(this);
    progress = new QProgressBar(this);
    progress->setValue(0);
    copyEdit = new QLineEdit(this);
    QFont big = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    copyEdit->setFont(big);
    copyLabel = new QLabel(this);
    copyLabel->setBuddy(copyEdit);
    status = new QLabel(this);
    status->setWordWrap(true);
    dueLabel = new QLabel(this);
    dueLabel->setWordWrap(true);
    dueLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    results = new ResultView(this);
    exportButton = Button(this);

    auto *runRow = new QHBoxLayout;
    runRow->addWidget(startButton);
    runRow->addWidget(stopButton);
    runRow->addWidget(scoreButton);
    runRow->addWidget(progress, 1);
    auto *exportRow = new QHBoxLayout;
    exportRow->addStretch(1);
    exportRow->addWidget(exportButton);
    // At a large scale on a small screen the page scrolls rather than
    // squeezing its controls; the focus brings each control into view.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    contents = new QWidget(scroll);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *layout = new QVBoxLayout(contents);
    layout->addWidget(setup);
    layout->addWidget(dueLabel);
    layout->addLayout(runRow);
    layout->addWidget(copyLabel);
    layout->addWidget(copyEdit);
    layout->addWidget(status);
    layout->addWidget(results, 1);
    layout->addLayout(exportRow);
    scroll->setWidget(contents);

    connect(setup, &CourseSetup::orderChanged, this, &CoursePage::saveSettings);
    connect(startButton, &QPushButton::clicked, this, &CoursePage::start);
    connect(stopButton, &QPushButton::clicked, this, &CoursePage::stop);
    connect(scoreButton, &QPushButton::clicked, this, &CoursePage::score);
    connect(copyEdit, &QLineEdit::returnPressed, this, &CoursePage::score);
    connect(exportButton, &QPushButton::clicked, this, &CoursePage::exportRun);
}

// What the page takes unscrolled: its window starts at that size where the
// screen allows.
QSize CoursePage::sizeHint() const
{
    return contents->sizeHint() + QSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
}

void CoursePage::retranslate()
{
    setWindowTitle(tr("&Koch course"));
    startButton->setText(tr("&Start"));
    startButton->setAccessibleDescription(
        tr("Plays random groups of the lesson's characters for the chosen time."));
    stopButton->setText(tr("S&top"));
    stopButton->setAccessibleDescription(tr("Ends the run at once; it is not scored."));
    scoreButton->setText(tr("Sco&re"));
    scoreButton->setAccessibleDescription(tr("Compares what you typed with what was sent."));
    progress->setAccessibleName(tr("Run played"));
    copyLabel->setText(tr("T&ype what you hear:"));
    copyEdit->setAccessibleName(tr("What you hear"));
    copyEdit->setAccessibleDescription(
        tr("Type the groups as they play, a space between groups; press Enter when it is over."));
    exportButton->setText(tr("E&xport as WAV…"));
    exportButton->setAccessibleDescription(tr("Writes the last run's sound to a WAV file."));
    if (statusText)
        status->setText(statusText());
    dueLabel->setAccessibleName(tr("Review due today"));
    showDue();
}

// Read afresh each time: the runs of every window move the boxes.
void CoursePage::showDue()
{
    const ReviewSettings review = ReviewSettings::load();
    const QStringList learned = current.order.lessonCharacters(current.lessonOpen);
    dueLabel->setText(ReviewSettings::dueLine(review.review.due(learned, QDate::currentDate())));
}

void CoursePage::setState(State next)
{
    runState = next;
    const bool idle = next == State::Idle;
    setup->setEnabled(idle);
    startButton->setEnabled(idle && player);
    stopButton->setEnabled(!idle);
    scoreButton->setEnabled(next == State::Typing);
    copyEdit->setEnabled(!idle);
    exportButton->setEnabled(idle && exporter && !runSent.isEmpty());
}

void CoursePage::setStatus(std::function<QString()> text)
{
    statusText = std::move(text);
    status->setText(statusText());
}

RunSpec CoursePage::spec() const
{
    RunSpec s;
    s.charWpm = current.charWpm;
    s.effectiveWpm = current.effectiveWpm;
    s.durationMs = std::int64_t(current.minutes) * 60'000;
    s.softEdges = BordasSuaves::Le();
    if (main) {
        s.hertz = main->Frequencia();
        s.leftVolume = main->VolumeEsquerdo();
        s.rightVolume = main->VolumeDireito();
        if (const TGeraSom *generator = main->Gerador())
            s.waveform = generator->Waveform();
    }
    return s;
}

void CoursePage::start()
{
    if (runState != State::Idle || !player)
        return;
    saveSettings();
    runLesson = current.lesson;
    const QString boosted =
        current.boosted(runLesson) ? current.order.newCharacter(runLesson) : QString();
    generator = std::make_unique<GroupGenerator>(current.order.lessonCharacters(runLesson), boosted,
                                                 current.groupSize, &random);
    runSpec = spec();
    runSent.clear();
    runStarted = QDateTime::currentDateTimeUtc();
    copyEdit->clear();
    results->clear();
    progress->setRange(0, int(runSpec.durationMs / 100));
    progress->setValue(0);
    setState(State::Playing);
    copyEdit->setFocus();
    const int lesson = runLesson;
    setStatus([lesson] { return tr("Lesson %1 is playing: type what you hear.").arg(lesson); });
    player->start(runSpec, [this] { return generator ? generator->next() : QString(); });
}

void CoursePage::stop()
{
    if (runState == State::Idle)
        return;
    if (runState == State::Playing && player)
        player->stop();
    runSent.clear();
    setState(State::Idle);
    setStatus([] { return tr("Run stopped: nothing was scored."); });
    startButton->setFocus();
}

void CoursePage::played(const QStringList &groups)
{
    if (runState != State::Playing)
        return;
    progress->setValue(progress->maximum());
    runSent = groups.join(QLatin1Char(' '));
    if (runSent.isEmpty()) {
        setState(State::Idle);
        setStatus([] { return tr("Nothing was played."); });
        return;
    }
    setState(State::Typing);
    copyEdit->setFocus();
    setStatus([] { return tr("Played. Finish typing, then press Enter to score."); });
}

void CoursePage::score()
{
    if (runState != State::Typing)
        return;
    const QString typed = copyEdit->text();
    const RunScore result(Alignment::align(runSent, typed));
    const bool passed = result.reaches(current.threshold);
    const bool opened = current.recordRun(runLesson, passed);
    // Passing the lesson just reached moves on to the one it opened.
    if (opened && current.lesson == runLesson)
        current.lesson = current.lessonOpen;

    if (store) {
        CourseRun run;
        run.started = runStarted;
        run.ended = QDateTime::currentDateTimeUtc();
        run.lesson = runLesson;
        run.charWpm = runSpec.charWpm;
        run.effectiveWpm = runSpec.effectiveWpm;
        run.sent = runSent;
        run.typed = typed;
        run.accuracy = 100 * result.accuracy();
        run.answers = result.answers(run.ended, run.charWpm, run.effectiveWpm);
        QString error;
        if (!store->storeRun(run, error) && !error.isEmpty())
            MostraErro(this, tr("This run could not be stored: %1").arg(error));
    }
    saveSettings();
    setup->showSettings();
    showDue();
    results->showScore(result, current.order.lessonCharacters(runLesson));
    setState(State::Idle);

    const int lesson = runLesson, open = current.lessonOpen, mark = current.threshold;
    if (opened)
        setStatus([open] { return tr("Passed: lesson %1 is open.").arg(open); });
    else if (passed)
        setStatus([lesson] { return tr("Passed lesson %1.").arg(lesson); });
    else
        setStatus([lesson, mark] {
            return tr("Below the pass mark of %1 %: lesson %2 again.").arg(mark).arg(lesson);
        });
    results->summary->setFocus();
}

void CoursePage::exportRun()
{
    if (!exporter || runSent.isEmpty() || runState != State::Idle)
        return;
    QString file;
    if (chooseExportFile) {
        file = chooseExportFile();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
        file = QFileDialog::getSaveFileName(
            this, tr("Export the run as WAV"),
            QDir(folder).filePath(tr("koch-lesson-%1.wav").arg(runLesson)),
            tr("WAV sound (*.wav)"));
    }
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive))
        file += QStringLiteral(".wav");
    QString error;
    if (!exporter->exportWav(file, runSent, runSpec, error)) {
        MostraErro(this, tr("The run could not be written to %1: %2").arg(file, error));
        return;
    }
    setStatus([file] { return tr("Run written to %1.").arg(file); });
}

void CoursePage::saveSettings()
{
    ComGuarda(this, [this] { current.save(); });
}

void CoursePage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CoursePage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    setup->showScaleNote();
    showDue();
}

// Leaving the page, or closing the window, ends a run: nothing plays unseen.
// A window minimised by the window system keeps playing.
void CoursePage::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    stop();
    saveSettings();
}

} // namespace course
