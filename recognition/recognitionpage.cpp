#include "recognition/recognitionpage.h"

#include "app/errorguard.h"
#include "course/coursesettings.h"
#include "platform/clock.h"
#include "progress/recognitionqueue.h"
#include "recognition/recognitionplayer.h"
#include "record/record.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace recognition {
namespace {

// The first sound of a run or a calibration comes this long after the click.
constexpr int FirstMs = 1000;
// Characters follow the answer after a pause of random length, beeps after a
// longer one, so neither can be foreseen.
constexpr int PauseLowMs = 500;
constexpr int PauseHighMs = 1200;
constexpr int BeepLowMs = 1200;
constexpr int BeepHighMs = 3000;
// Presses after this many beeps without a steady reaction time give up.
constexpr int MostBeeps = 2 * progress::RecognitionTiming::SuggestedPresses;

QPushButton *Button(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setAutoDefault(false);
    return button;
}

QSpinBox *SpinBox(int low, int high, int step, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setSingleStep(step);
    return box;
}

int Median(QList<int> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 == 1 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

} // namespace

RecognitionPage::RecognitionPage(RecognitionPlayer *player, record::Record *record, QWidget *parent)
    : QWidget(parent), player(player), record(record), current(RecognitionSettings::load()),
      random(QRandomGenerator::global()->generate())
{
    if (player)
        player->setParent(this);
    timing.setReactionMs(current.reactionMs);
    build();
    setState(State::Idle);
    setStatus([this] {
        return this->player ? tr("Measure your reaction time once, then press Start.")
                            : tr("Nothing can be played here: no player is available.");
    });
    retranslate();
}

RecognitionPage::~RecognitionPage()
{
    if (pageState != State::Idle && player)
        player->stop();
}

// Created in the order of the tab chain.
void RecognitionPage::build()
{
    speedBox = SpinBox(RecognitionSettings::MinCharWpm, RecognitionSettings::MaxCharWpm, 1, this);
    speedBox->setValue(current.charWpm);
    thresholdBox =
        SpinBox(RecognitionSettings::MinThresholdMs, RecognitionSettings::MaxThresholdMs, 50, this);
    thresholdBox->setValue(current.thresholdMs);
    lengthBox =
        SpinBox(RecognitionSettings::MinRunLength, RecognitionSettings::MaxRunLength, 5, this);
    lengthBox->setValue(current.runLength);
    calibrateButton = Button(this);
    startButton = Button(this);
    stopButton = Button(this);
    pad = new QLabel(this);
    pad->setFocusPolicy(Qt::StrongFocus);
    pad->setAlignment(Qt::AlignCenter);
    pad->setFrameShape(QFrame::StyledPanel);
    pad->setWordWrap(true);
    pad->setMinimumHeight(pad->fontMetrics().height() * 6);
    QFont big = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    big.setPointSizeF(big.pointSizeF() * 2);
    pad->setFont(big);
    pad->installEventFilter(this);
    reactionLabel = new QLabel(this);
    countLabel = new QLabel(this);
    status = new QLabel(this);
    status->setWordWrap(true);

    auto *form = new QFormLayout;
    for (QSpinBox *box : {speedBox, thresholdBox, lengthBox}) {
        auto *label = new QLabel(this);
        label->setBuddy(box);
        form->addRow(label, box);
    }
    auto *reactionRow = new QHBoxLayout;
    reactionRow->addWidget(reactionLabel, 1);
    reactionRow->addWidget(calibrateButton);
    auto *runRow = new QHBoxLayout;
    runRow->addWidget(startButton);
    runRow->addWidget(stopButton);
    runRow->addStretch(1);
    runRow->addWidget(countLabel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(reactionRow);
    layout->addLayout(runRow);
    layout->addWidget(pad, 1);
    layout->addWidget(status);

    connect(speedBox, &QSpinBox::valueChanged, this, [this](int v) {
        current.charWpm = v;
        saveSettings();
    });
    connect(thresholdBox, &QSpinBox::valueChanged, this, [this](int v) {
        current.thresholdMs = v;
        saveSettings();
    });
    connect(lengthBox, &QSpinBox::valueChanged, this, [this](int v) {
        current.runLength = v;
        saveSettings();
    });
    connect(calibrateButton, &QPushButton::clicked, this, &RecognitionPage::calibrate);
    connect(startButton, &QPushButton::clicked, this, &RecognitionPage::start);
    connect(stopButton, &QPushButton::clicked, this, &RecognitionPage::stop);
}

QStringList RecognitionPage::characters() const
{
    const course::CourseSettings course = course::CourseSettings::load();
    QStringList result;
    for (const QString &c : course.order.lessonCharacters(course.lessonOpen))
        if (c.size() == 1)
            result.append(c);
    return result;
}

void RecognitionPage::saveSettings()
{
    ComGuarda(this, [this] { current.save(); });
}

void RecognitionPage::setState(State next)
{
    pageState = next;
    const bool idle = next == State::Idle;
    for (QWidget *w : {static_cast<QWidget *>(speedBox), static_cast<QWidget *>(thresholdBox),
                       static_cast<QWidget *>(lengthBox)})
        w->setEnabled(idle);
    calibrateButton->setEnabled(idle && player);
    startButton->setEnabled(idle && player);
    stopButton->setEnabled(!idle);
    if (!idle)
        pad->setFocus();
    else if (pad->hasFocus())
        startButton->setFocus();
}

void RecognitionPage::setStatus(std::function<QString()> text)
{
    statusText = std::move(text);
    status->setText(statusText());
}

void RecognitionPage::calibrate()
{
    if (pageState != State::Idle || !player)
        return;
    timing.clearReaction();
    beeps = 0;
    padText = [] { return tr("Press a key at each beep."); };
    setStatus([] { return QString(); });
    setState(State::Calibrating);
    retranslate();
    if (!player->playBeep(FirstMs)) {
        stop();
        setStatus([] { return tr("The beep cannot be played."); });
    }
}

void RecognitionPage::start()
{
    if (pageState != State::Idle || !player)
        return;
    const QStringList chars = characters();
    if (chars.size() < 2) {
        setStatus([] { return tr("The course has brought in too few characters yet."); });
        return;
    }
    queue = std::make_unique<progress::RecognitionQueue>(chars, random.generate());
    queue->setThresholdMs(current.thresholdMs);
    timing.setReactionMs(current.reactionMs);
    runAnswers.clear();
    runStarted = QDateTime::currentDateTimeUtc();
    padText = [] { return tr("Press the key of each character you hear."); };
    setStatus([this] {
        return current.calibrated()
                   ? QString()
                   : tr("Your reaction time is not measured yet: the times include it.");
    });
    setState(State::Running);
    retranslate();
    if (!playNext(FirstMs))
        setStatus([this] { return tr("“%1” cannot be played.").arg(playing); });
}

bool RecognitionPage::playNext(int afterMs)
{
    playing = queue->next();
    if (player->playCharacter(playing, current.charWpm, afterMs))
        return true;
    stop();
    return false;
}

void RecognitionPage::stop()
{
    if (pageState == State::Idle)
        return;
    if (player)
        player->stop();
    const State was = pageState;
    // A calibration cut short keeps the reaction time measured before.
    timing.setReactionMs(current.reactionMs);
    padText = {};
    setState(State::Idle);
    setStatus([was] {
        return was == State::Running ? tr("Stopped: the run was not stored.")
                                     : tr("Stopped: the reaction time was not changed.");
    });
    retranslate();
}

bool RecognitionPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pad && event->type() == QEvent::KeyPress && pageState != State::Idle) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text().trimmed();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            if (!key->isAutoRepeat())
                press(text.left(1).toUpper());
            return true;
        }
        if (pageState == State::Calibrating && key->key() == Qt::Key_Space) {
            if (!key->isAutoRepeat())
                press(QString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RecognitionPage::press(const QString &key)
{
    if (pageState == State::Calibrating)
        pressCalibrating();
    else if (pageState == State::Running && !key.isEmpty())
        pressRunning(key);
}

void RecognitionPage::pressCalibrating()
{
    const platform::SteadyTime now = platform::Clock::current().now();
    // A press before the beep sounds answers nothing.
    if (now < player->heardStart()) {
        setStatus([] { return tr("Too soon: wait for the beep."); });
        return;
    }
    timing.addReactionPress(player->heardStart(), now);
    ++beeps;
    setStatus([] { return QString(); });
    if (beeps >= progress::RecognitionTiming::SuggestedPresses && timing.isCalibrated()) {
        current.reactionMs = timing.reactionMs();
        saveSettings();
        padText = {};
        setState(State::Idle);
        setStatus([this] { return tr("Your reaction time is %1 ms.").arg(current.reactionMs); });
        retranslate();
    } else if (beeps >= MostBeeps) {
        timing.setReactionMs(current.reactionMs);
        padText = {};
        setState(State::Idle);
        setStatus([] {
            return tr("Your presses were too uneven to measure a reaction time. Try again.");
        });
        retranslate();
    } else if (!player->playBeep(between(BeepLowMs, BeepHighMs))) {
        stop();
    }
}

void RecognitionPage::pressRunning(const QString &key)
{
    const platform::SteadyTime now = platform::Clock::current().now();
    // Before the character sounds a press is a guess.
    if (now < player->heardStart())
        return;
    record::Answer a;
    a.when = QDateTime::currentDateTimeUtc();
    a.kind = record::Kind::Recognition;
    a.sent = playing;
    a.answered = key;
    a.right = key == playing;
    a.answerMs = timing.answerMs(player->heardEnd(), now);
    a.charWpm = current.charWpm;
    a.effectiveWpm = current.charWpm;
    runAnswers.append(a);
    queue->answer(a.sent, a.right, a.answerMs);
    padText = [a] {
        return a.right ? tr("%1  %2 ms").arg(a.sent).arg(a.answerMs)
                       : tr("%1: you pressed %2").arg(a.sent, a.answered);
    };
    if (runAnswers.size() >= current.runLength) {
        finish();
        return;
    }
    retranslate();
    playNext(between(PauseLowMs, PauseHighMs));
}

void RecognitionPage::finish()
{
    QList<int> times;
    int right = 0;
    QString sent;
    QString typed;
    for (const record::Answer &a : std::as_const(runAnswers)) {
        times.append(a.answerMs);
        right += a.right ? 1 : 0;
        sent += a.sent;
        typed += a.answered;
    }
    record::Run run;
    run.when = runStarted;
    run.kind = record::Kind::Recognition;
    run.charWpm = current.charWpm;
    run.effectiveWpm = current.charWpm;
    run.sent = sent;
    run.typed = typed;
    run.accuracy = 100.0 * right / runAnswers.size();
    run.answers = runAnswers;
    if (record)
        record->store(run);
    const int median = Median(times);
    const double accuracy = run.accuracy;
    setState(State::Idle);
    setStatus([median, accuracy] {
        return tr("Median answer time %1\u00A0ms, accuracy %2\u00A0%.")
            .arg(median)
            .arg(QLocale().toString(accuracy, 'f', 0));
    });
    retranslate();
}

void RecognitionPage::hideEvent(QHideEvent *event)
{
    stop();
    QWidget::hideEvent(event);
}

void RecognitionPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void RecognitionPage::retranslate()
{
    setWindowTitle(tr("Instant recognition"));
    auto *form = findChild<QFormLayout *>();
    auto label = [form](QWidget *field) {
        return qobject_cast<QLabel *>(form->labelForField(field));
    };
    label(speedBox)->setText(tr("Character &speed:"));
    label(thresholdBox)->setText(tr("S&low above:"));
    label(lengthBox)->setText(tr("Characters a &run:"));
    speedBox->setSuffix(tr(" WPM"));
    thresholdBox->setSuffix(tr(" ms"));
    speedBox->setAccessibleName(tr("Character speed"));
    thresholdBox->setAccessibleName(tr("Slow above"));
    thresholdBox->setAccessibleDescription(
        tr("Characters answered slower than this, or wrong, come back sooner."));
    lengthBox->setAccessibleName(tr("Characters a run"));
    reactionLabel->setText(current.calibrated() ? tr("Reaction time: %1 ms").arg(current.reactionMs)
                                                : tr("Reaction time: not measured yet"));
    calibrateButton->setText(tr("&Measure my reaction"));
    calibrateButton->setAccessibleDescription(
        tr("Plays a few beeps at random moments: press a key at each."));
    startButton->setText(tr("S&tart"));
    stopButton->setText(tr("St&op"));
    countLabel->setText(pageState == State::Running
                            ? tr("%1 of %2").arg(runAnswers.size()).arg(current.runLength)
                            : QString());
    pad->setText(padText ? padText() : QString());
    pad->setAccessibleName(tr("Answer keys"));
    pad->setAccessibleDescription(tr("Press the key of the character you hear."));
    status->setText(statusText ? statusText() : QString());
}

} // namespace recognition
