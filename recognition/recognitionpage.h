#pragma once

#include "progress/recognitiontiming.h"
#include "recognition/recognitionsettings.h"
#include "record/answer.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;

namespace progress {
class RecognitionQueue;
}
namespace record {
class Record;
}

namespace recognition {

class RecognitionPlayer;

// Instant recognition: single characters of those the course has brought in,
// fast, each answered with one key press; an answer is timed from the end of
// the character as heard, less the learner's reaction time, which he measures
// first by pressing a key at a few beeps. Characters missed or answered slowly
// come back sooner. A run of settings().runLength characters goes to the
// record and ends with its median answer time and accuracy.
//
// Keys are read by the answer pad, which takes the focus while a run or a
// calibration is under way. Stopping, closing the window or leaving the page
// drops a run unstored.
class RecognitionPage : public QWidget
{
    Q_OBJECT

public:
    enum class State
    {
        Idle,
        Calibrating,
        Running
    };

    // Takes the player (may be null: then nothing plays and the page says so);
    // record (not owned, may be null) keeps the runs.
    RecognitionPage(RecognitionPlayer *player, record::Record *record, QWidget *parent = nullptr);
    ~RecognitionPage() override;
    Q_DISABLE_COPY_MOVE(RecognitionPage)

    State state() const { return pageState; }
    const RecognitionSettings &settings() const { return current; }
    // The characters a run draws from: the course's, up to the highest
    // lesson reached, those a single key answers.
    QStringList characters() const;
    // The answers of the run under way or of the last one.
    const QList<record::Answer> &answers() const { return runAnswers; }

    // Tests: a fixed seed for the characters and the intervals.
    void setSeed(quint32 seed) { random.seed(seed); }

    void calibrate();
    void start();
    void stop();

    QSpinBox *speedBox = nullptr;
    QSpinBox *thresholdBox = nullptr;
    QSpinBox *lengthBox = nullptr;
    QLabel *reactionLabel = nullptr;
    QPushButton *calibrateButton = nullptr;
    QPushButton *startButton = nullptr;
    QPushButton *stopButton = nullptr;
    QLabel *countLabel = nullptr;
    QLabel *pad = nullptr;
    QLabel *status = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void build();
    void retranslate();
    void setState(State next);
    void setStatus(std::function<QString()> text);
    void saveSettings();
    void press(const QString &key);
    void pressCalibrating();
    void pressRunning(const QString &key);
    bool playNext(int afterMs);
    void finish();
    int between(int low, int high) { return low + int(random.bounded(high - low + 1)); }

    RecognitionPlayer *player;
    record::Record *record;
    RecognitionSettings current;
    progress::RecognitionTiming timing;
    QRandomGenerator random;
    State pageState = State::Idle;

    int beeps = 0; // of the calibration under way
    std::unique_ptr<progress::RecognitionQueue> queue;
    QString playing; // the character awaiting its answer
    QDateTime runStarted;
    QList<record::Answer> runAnswers;
    std::function<QString()> statusText;
    std::function<QString()> padText;
};

} // namespace recognition
