#include "course/coursepage.h"

#include "app/bordassuaves.h"
#include "app/errorguard.h"
#include "course/alignment.h"
#include "course/audioexporter.h"
#include "course/groupgenerator.h"
#include "course/resultview.h"
#include "course/runplayer.h"
#include "course/runscore.h"
#include "course/runstore.h"
#include "morse/trainerscale.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"
#include "translations/translations.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace course {
namespace {

QString Number(double value)
{
    return QLocale(Translations::code(Translations::current())).toString(value, 'f', 1);
}

// Buttons answer Space, as buttons do; Enter belongs to the typing field.
QPushButton *Button(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setAutoDefault(false);
    return button;
}

QLabel *Label(QWidget *parent, QWidget *buddy)
{
    auto *label = new QLabel(parent);
    label->setBuddy(buddy);
    return label;
}

QString OrderHelp()
{
    return CoursePage::tr(
        "The characters in the order they are learnt; prosigns in angle brackets, like <AR>.");
}

void Select(QComboBox *box, int data)
{
    const int index = box->findData(data);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

CoursePage::CoursePage(const AjustesPrincipais *main, RunPlayer *player, RunStore *store,
                       AudioExporter *exporter, QWidget *parent)
    : QWidget(parent), main(main), player(player), store(store), exporter(exporter),
      current(CourseSettings::load()), random(QRandomGenerator::global()->generate())
{
    build();
    retranslate();
    showSettings();
    setState(State::Idle);
    setStatus([this] {
        return this->player ? tr("Choose a lesson and press Start.")
                            : tr("Runs cannot be played here: no player is available.");
    });
    if (player) {
        connect(player, &RunPlayer::finished, this, &CoursePage::played);
        connect(player, &RunPlayer::progress, this, [this](qint64 ms) {
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
    lessonGroup = new QGroupBox(this);
    lessonBox = new QComboBox(lessonGroup);
    lessonLabel = Label(lessonGroup, lessonBox);
    lessonInfo = new QLabel(lessonGroup);
    lessonInfo->setWordWrap(true);
    orderEdit = new QLineEdit(lessonGroup);
    orderLabel = Label(lessonGroup, orderEdit);
    orderApply = Button(lessonGroup);
    orderDefault = Button(lessonGroup);
    orderError = new QLabel(lessonGroup);
    orderError->setWordWrap(true);
    orderError->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    orderError->hide();
    auto *orderButtons = new QHBoxLayout;
    orderButtons->addWidget(orderApply);
    orderButtons->addWidget(orderDefault);
    orderButtons->addStretch(1);
    auto *lessonForm = new QFormLayout(lessonGroup);
    lessonForm->addRow(lessonLabel, lessonBox);
    lessonForm->addRow(lessonInfo);
    lessonForm->addRow(orderLabel, orderEdit);
    lessonForm->addRow(QString(), orderButtons);
    lessonForm->addRow(orderError);

    speedGroup = new QGroupBox(this);
    charSpeed = new QSpinBox(speedGroup);
    charSpeed->setRange(CourseSettings::MinCharWpm, CourseSettings::MaxCharWpm);
    charSpeedLabel = Label(speedGroup, charSpeed);
    effectiveSpeed = new QSpinBox(speedGroup);
    effectiveSpeed->setRange(CourseSettings::MinEffectiveWpm, CourseSettings::MaxCharWpm);
    effectiveSpeedLabel = Label(speedGroup, effectiveSpeed);
    groupSize = new QComboBox(speedGroup);
    groupSizeLabel = Label(speedGroup, groupSize);
    duration = new QComboBox(speedGroup);
    durationLabel = Label(speedGroup, duration);
    threshold = new QSpinBox(speedGroup);
    threshold->setRange(CourseSettings::MinThreshold, CourseSettings::MaxThreshold);
    thresholdLabel = Label(speedGroup, threshold);
    scaleNote = new QLabel(speedGroup);
    scaleNote->setWordWrap(true);
    auto *speedForm = new QFormLayout(speedGroup);
    speedForm->addRow(charSpeedLabel, charSpeed);
    speedForm->addRow(effectiveSpeedLabel, effectiveSpeed);
    speedForm->addRow(groupSizeLabel, groupSize);
    speedForm->addRow(durationLabel, duration);
    speedForm->addRow(thresholdLabel, threshold);
    speedForm->addRow(scaleNote);

    startButton = Button(this);
    stopButton = Button(this);
    scoreButton = Button(this);
    progress = new QProgressBar(this);
    progress->setValue(0);
    copyEdit = new QLineEdit(this);
    QFont big = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    copyEdit->setFont(big);
    copyLabel = Label(this, copyEdit);
    status = new QLabel(this);
    status->setWordWrap(true);
    results = new ResultView(this);
    exportButton = Button(this);

    auto *top = new QHBoxLayout;
    top->addWidget(lessonGroup, 1);
    top->addWidget(speedGroup, 1);
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
    layout->addLayout(top);
    layout->addLayout(runRow);
    layout->addWidget(copyLabel);
    layout->addWidget(copyEdit);
    layout->addWidget(status);
    layout->addWidget(results, 1);
    layout->addLayout(exportRow);
    scroll->setWidget(contents);

    connect(lessonBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        current.lesson = current.order.clampLesson(index + 1);
        showLessonInfo();
    });
    connect(orderApply, &QPushButton::clicked, this, [this] { applyOrder(orderEdit->text()); });
    connect(orderEdit, &QLineEdit::returnPressed, this, [this] { applyOrder(orderEdit->text()); });
    connect(orderDefault, &QPushButton::clicked, this, [this] { applyOrder(KochOrder().text()); });
    connect(charSpeed, &QSpinBox::valueChanged, this, [this](int wpm) {
        current.charWpm = wpm;
        effectiveSpeed->setMaximum(wpm);
    });
    connect(effectiveSpeed, &QSpinBox::valueChanged, this,
            [this](int wpm) { current.effectiveWpm = wpm; });
    connect(groupSize, &QComboBox::currentIndexChanged, this,
            [this] { current.groupSize = groupSize->currentData().toInt(); });
    connect(duration, &QComboBox::currentIndexChanged, this,
            [this] { current.minutes = duration->currentData().toInt(); });
    connect(threshold, &QSpinBox::valueChanged, this, [this](int p) { current.threshold = p; });
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
    lessonGroup->setTitle(tr("Lesson"));
    lessonLabel->setText(tr("&Lesson:"));
    lessonBox->setAccessibleName(tr("Lesson"));
    lessonBox->setAccessibleDescription(
        tr("Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen."));
    orderLabel->setText(tr("Koch &order:"));
    orderEdit->setAccessibleName(tr("Koch order"));
    orderEdit->setAccessibleDescription(OrderHelp());
    orderApply->setText(tr("&Use this order"));
    orderDefault->setText(tr("Stan&dard order"));
    orderDefault->setAccessibleDescription(tr("Back to the order most trainers share."));

    speedGroup->setTitle(tr("Speeds and groups"));
    charSpeedLabel->setText(tr("&Character speed:"));
    charSpeed->setAccessibleName(tr("Character speed in PARIS words per minute"));
    effectiveSpeedLabel->setText(tr("&Effective speed:"));
    effectiveSpeed->setAccessibleName(tr("Effective speed in PARIS words per minute"));
    effectiveSpeed->setAccessibleDescription(
        tr("Below the character speed, the gaps between characters and words are longer "
           "(Farnsworth); the characters keep their speed."));
    for (QSpinBox *box : {charSpeed, effectiveSpeed})
        box->setSuffix(tr(" WPM"));
    groupSizeLabel->setText(tr("&Group size:"));
    groupSize->setAccessibleName(tr("Group size"));
    durationLabel->setText(tr("Durat&ion:"));
    duration->setAccessibleName(tr("Duration of a run"));
    thresholdLabel->setText(tr("&Pass mark:"));
    threshold->setAccessibleName(tr("Pass mark"));
    threshold->setAccessibleDescription(tr("A run at least this accurate opens the next lesson."));
    threshold->setSuffix(tr(" %"));
    fillChoices();
    fillLessons();
    showScaleNote();

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
    if (orderError->isVisible() || !orderError->text().isEmpty())
        applyOrder(orderEdit->text());
}

void CoursePage::fillLessons()
{
    const QSignalBlocker blocker(lessonBox);
    lessonBox->clear();
    const KochOrder &order = current.order;
    for (int n = 1; n <= order.lastLesson(); ++n) {
        QString text = tr("Lesson %1 (+%2)").arg(n).arg(order.newCharacter(n));
        if (n < current.lessonOpen)
            text = tr("%1, passed").arg(text);
        else if (n > current.lessonOpen)
            text = tr("%1, not reached yet").arg(text);
        lessonBox->addItem(text, n);
    }
    lessonBox->setCurrentIndex(current.lesson - 1);
    showLessonInfo();
}

void CoursePage::fillChoices()
{
    {
        const QSignalBlocker blocker(groupSize);
        groupSize->clear();
        for (int n = 1; n <= GroupGenerator::MaxSize; ++n)
            groupSize->addItem(tr("%n character(s)", nullptr, n), n);
        groupSize->addItem(tr("Mixed, %1 to %2 characters")
                               .arg(GroupGenerator::MinMixed)
                               .arg(GroupGenerator::MaxMixed),
                           GroupGenerator::Mixed);
        Select(groupSize, current.groupSize);
    }
    const QSignalBlocker blocker(duration);
    duration->clear();
    for (const int minutes : {1, 2, 5})
        duration->addItem(tr("%n minute(s)", nullptr, minutes), minutes);
    Select(duration, current.minutes);
}

void CoursePage::showSettings()
{
    orderEdit->setText(current.order.text());
    orderEdit->setCursorPosition(0);
    fillLessons();
    const QSignalBlocker a(charSpeed), b(effectiveSpeed), c(threshold);
    charSpeed->setValue(current.charWpm);
    effectiveSpeed->setMaximum(current.charWpm);
    effectiveSpeed->setValue(current.effectiveWpm);
    threshold->setValue(current.threshold);
    Select(groupSize, current.groupSize);
    Select(duration, current.minutes);
}

void CoursePage::showLessonInfo()
{
    const int lesson = current.lesson;
    QString info = tr("Characters: %1. New: %2.")
                       .arg(current.order.lessonCharacters(lesson).join(QLatin1Char(' ')),
                            current.order.newCharacter(lesson));
    const int runs = current.runs.value(lesson);
    info += QLatin1Char(' ') + tr("Runs so far: %1.").arg(runs);
    if (current.boosted(lesson))
        info += QLatin1Char(' ') + tr("In the first %n run(s) the new character comes up twice "
                                      "as often as each other.",
                                      nullptr, CourseSettings::BoostedRuns);
    lessonInfo->setText(info);
}

void CoursePage::showScaleNote()
{
    scaleNote->setVisible(main != nullptr);
    if (!main)
        return;
    const int unit = main->UnidadeVelocidade();
    scaleNote->setText(tr("The course counts PARIS words per minute. The main window's %1 PpM is "
                          "the trainer's own scale: %2 WPM by PARIS for its characters, %3 WPM "
                          "with its longer gaps.")
                           .arg(AjustesPrincipais::PpmDaPosicao(unit))
                           .arg(Number(TrainerScale::CharacterWpm(unit)),
                                Number(TrainerScale::EffectiveWpm(unit))));
}

void CoursePage::applyOrder(const QString &text)
{
    QString error;
    const KochOrder order = KochOrder::parse(text, &error);
    orderError->setText(error);
    orderError->setVisible(!error.isEmpty());
    orderEdit->setAccessibleDescription(error.isEmpty() ? OrderHelp() : error);
    if (!error.isEmpty()) {
        orderEdit->setFocus();
        return;
    }
    current.setOrder(order);
    orderEdit->setText(order.text());
    orderEdit->setCursorPosition(0);
    fillLessons();
    saveSettings();
}

void CoursePage::setState(State next)
{
    runState = next;
    const bool idle = next == State::Idle;
    lessonGroup->setEnabled(idle);
    speedGroup->setEnabled(idle);
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
        run.answers = result.answers(run.ended, run.charWpm, run.effectiveWpm);
        QString error;
        if (!store->storeRun(run, error))
            MostraErro(this, tr("This run could not be stored: %1").arg(error));
    }
    saveSettings();
    fillLessons();
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
    showScaleNote();
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
