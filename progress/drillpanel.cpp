#include "progress/drillpanel.h"

#include "app/bordassuaves.h"
#include "app/errorguard.h"
#include "course/alignment.h"
#include "course/coursesettings.h"
#include "course/groupgenerator.h"
#include "course/runplayer.h"
#include "course/runscore.h"
#include "progress/characterstats.h"
#include "progress/weakdrill.h"
#include "record/record.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace progress {
namespace {

QPushButton *Button(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setAutoDefault(false);
    return button;
}

// The first run is planned a little short of the time, so that it is heard
// whole and confused characters in it are not cut apart.
constexpr double Planned = 0.9;

} // namespace

DrillPanel::DrillPanel(const AjustesPrincipais *main, course::RunPlayer *player,
                       record::Record *record, QWidget *parent)
    : QWidget(parent), main(main), player(player), record(record),
      random(QRandomGenerator::global()->generate())
{
    drillButton = Button(this);
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

    auto *row = new QHBoxLayout;
    row->addWidget(drillButton);
    row->addWidget(stopButton);
    row->addWidget(scoreButton);
    row->addWidget(progress, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(copyLabel);
    layout->addWidget(copyEdit);
    layout->addWidget(status);

    connect(drillButton, &QPushButton::clicked, this, &DrillPanel::start);
    connect(stopButton, &QPushButton::clicked, this, &DrillPanel::stop);
    connect(scoreButton, &QPushButton::clicked, this, &DrillPanel::score);
    connect(copyEdit, &QLineEdit::returnPressed, this, &DrillPanel::score);
    if (player) {
        connect(player, &course::RunPlayer::finished, this, &DrillPanel::played);
        connect(player, &course::RunPlayer::progress, this, [this](qint64 ms) {
            if (runState == State::Playing)
                progress->setValue(int(qMin<qint64>(ms / 100, progress->maximum())));
        });
    }
    retranslate();
    setState(State::Idle);
    setStatus([this] {
        return this->player ? tr("Groups of the characters you miss most, drawn from your record.")
                            : tr("Drills cannot be played here: no player is available.");
    });
}

DrillPanel::~DrillPanel()
{
    if (runState == State::Playing && player)
        player->stop();
}

void DrillPanel::retranslate()
{
    drillButton->setText(tr("&Drill my weak characters"));
    drillButton->setAccessibleDescription(
        tr("Plays random groups of the characters you have learned, the ones you miss most "
           "more often, at the course's speeds."));
    stopButton->setText(tr("S&top drill"));
    stopButton->setAccessibleDescription(tr("Ends the drill at once; it is not scored."));
    scoreButton->setText(tr("Sc&ore drill"));
    scoreButton->setAccessibleDescription(tr("Compares what you typed with what was sent."));
    progress->setAccessibleName(tr("Drill played"));
    copyLabel->setText(tr("T&ype the drill:"));
    copyEdit->setAccessibleName(tr("What you hear in the drill"));
    copyEdit->setAccessibleDescription(
        tr("Type the groups as they play, a space between groups; press Enter when it is over."));
    status->setAccessibleName(tr("Drill status"));
    if (statusText)
        status->setText(statusText());
}

void DrillPanel::setState(State next)
{
    runState = next;
    const bool idle = next == State::Idle;
    drillButton->setEnabled(idle && player);
    stopButton->setEnabled(!idle);
    scoreButton->setEnabled(next == State::Typing);
    copyEdit->setEnabled(!idle);
}

void DrillPanel::setStatus(std::function<QString()> text)
{
    statusText = std::move(text);
    status->setText(statusText());
}

course::RunSpec DrillPanel::spec(int charWpm, int effectiveWpm, int minutes) const
{
    course::RunSpec s;
    s.charWpm = charWpm;
    s.effectiveWpm = effectiveWpm;
    s.durationMs = std::int64_t(minutes) * 60'000;
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

std::function<QString()> DrillPanel::groupSource(const WeakDrill &drill, int groupSize,
                                                 double effectiveWpm, std::int64_t durationMs,
                                                 QRandomGenerator *random)
{
    using course::GroupGenerator;
    const bool mixed = groupSize < 1 || groupSize > GroupGenerator::MaxSize;
    auto length = [mixed, groupSize, random] {
        return mixed ? int(random->bounded(GroupGenerator::MinMixed, GroupGenerator::MaxMixed + 1))
                     : groupSize;
    };
    // "PARIS " is five characters and a word space: a group of n takes about
    // n / 5 of a word's time at the effective speed.
    const double meanLength =
        mixed ? (GroupGenerator::MinMixed + GroupGenerator::MaxMixed) / 2.0 : groupSize;
    const double groupMs = meanLength / 5 * 60'000 / std::max(1.0, effectiveWpm);
    const int planned = std::max(1, int(Planned * double(durationMs) / groupMs));
    QList<int> lengths;
    for (int i = 0; i < planned; ++i)
        lengths.append(length());
    auto queue = std::make_shared<QList<QStringList>>(drill.run(lengths, *random));
    return [drill, queue, length, random]() -> QString {
        // A group drawn alone keeps its confused characters together too.
        if (queue->isEmpty())
            *queue = drill.run(QList<int>{length()}, *random);
        return queue->isEmpty() ? QString() : queue->takeFirst().join(QString());
    };
}

void DrillPanel::start()
{
    if (runState != State::Idle || !player)
        return;
    const course::CourseSettings course = course::CourseSettings::load();
    const QStringList learned = course.order.lessonCharacters(course.lessonOpen);
    const CharacterStats stats(record ? record->answers() : QList<record::Answer>());
    const WeakDrill drill(learned, stats);
    runSpec = spec(course.charWpm, course.effectiveWpm, course.minutes);
    nextGroup =
        groupSource(drill, course.groupSize, runSpec.effectiveWpm, runSpec.durationMs, &random);
    runSent.clear();
    runStarted = QDateTime::currentDateTimeUtc();
    copyEdit->clear();
    progress->setRange(0, int(runSpec.durationMs / 100));
    progress->setValue(0);
    setState(State::Playing);
    copyEdit->setFocus();
    setStatus([] { return tr("The drill is playing: type what you hear."); });
    player->start(runSpec, [this] { return nextGroup ? nextGroup() : QString(); });
}

void DrillPanel::stop()
{
    if (runState == State::Idle)
        return;
    if (runState == State::Playing && player)
        player->stop();
    runSent.clear();
    setState(State::Idle);
    setStatus([] { return tr("Drill stopped: nothing was scored."); });
    drillButton->setFocus();
}

void DrillPanel::played(const QStringList &groups)
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

void DrillPanel::score()
{
    if (runState != State::Typing)
        return;
    const QString typed = copyEdit->text();
    const course::RunScore result(course::Alignment::align(runSent, typed));
    if (record) {
        record::Run run;
        run.when = runStarted;
        run.kind = record::Kind::Drill;
        run.charWpm = runSpec.charWpm;
        run.effectiveWpm = runSpec.effectiveWpm;
        run.sent = runSent;
        run.typed = typed;
        run.accuracy = 100 * result.accuracy();
        run.answers =
            result.answers(QDateTime::currentDateTimeUtc(), run.charWpm, run.effectiveWpm);
        // The record tells its own faults.
        record->store(run);
    }
    QStringList missed;
    const auto &perCharacter = result.perCharacter();
    for (auto it = perCharacter.cbegin(); it != perCharacter.cend(); ++it)
        if (it->right < it->sent)
            missed.append(tr("%1 (%2 of %3 right)").arg(it.key()).arg(it->right).arg(it->sent));
    setState(State::Idle);
    const int percent = qRound(100 * result.accuracy());
    setStatus([percent, missed] {
        return missed.isEmpty() ? tr("Drill scored: %1 % right.").arg(percent)
                                : tr("Drill scored: %1 % right. Missed: %2.")
                                      .arg(percent)
                                      .arg(missed.join(QStringLiteral(", ")));
    });
    drillButton->setFocus();
}

void DrillPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

// Leaving the page, or closing the window, ends a drill: nothing plays unseen.
void DrillPanel::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        stop();
}

} // namespace progress
