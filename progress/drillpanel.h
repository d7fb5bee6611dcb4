#pragma once

#include "course/runspec.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QWidget>
#include <functional>

class AjustesPrincipais;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace course {
class RunPlayer;
}
namespace record {
class Record;
}

namespace progress {

class WeakDrill;

// "Drill my weak characters": a run of random groups over the characters of
// the lessons reached, drawn by WeakDrill from the record, played at the
// course's speeds, length and group size, typed, scored and stored as a
// drill. The flow is the course's: play, finish typing, Enter scores; Stop
// or leaving the page drops the run.
class DrillPanel : public QWidget
{
    Q_OBJECT

public:
    // Nothing is owned; any may be null: without a player no drill starts,
    // without a record drills are scored but not kept.
    DrillPanel(const AjustesPrincipais *main, course::RunPlayer *player, record::Record *record,
               QWidget *parent = nullptr);
    ~DrillPanel() override;
    Q_DISABLE_COPY_MOVE(DrillPanel)

    enum class State
    {
        Idle,
        Playing,
        Typing
    };
    State state() const { return runState; }

    // Tests: a fixed seed for the groups.
    void setSeed(quint32 seed) { random.seed(seed); }

    // Groups of the given drill lasting about durationMs at effectiveWpm:
    // one run drawn as a whole, so that confused characters come together,
    // then, should the player want more, groups drawn one at a time.
    static std::function<QString()> groupSource(const WeakDrill &drill, int groupSize,
                                                double effectiveWpm, std::int64_t durationMs,
                                                QRandomGenerator *random);

    void start();
    void stop();
    void score();

    QPushButton *drillButton = nullptr;
    QPushButton *stopButton = nullptr;
    QPushButton *scoreButton = nullptr;
    QProgressBar *progress = nullptr;
    QLabel *copyLabel = nullptr;
    QLineEdit *copyEdit = nullptr;
    QLabel *status = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate();
    void setState(State next);
    void setStatus(std::function<QString()> text);
    void played(const QStringList &groups);
    course::RunSpec spec(int charWpm, int effectiveWpm, int minutes) const;

    const AjustesPrincipais *main;
    course::RunPlayer *player;
    record::Record *record;
    QRandomGenerator random;
    State runState = State::Idle;
    std::function<QString()> nextGroup;
    course::RunSpec runSpec;
    QDateTime runStarted;
    QString runSent;
    std::function<QString()> statusText;
};

} // namespace progress
