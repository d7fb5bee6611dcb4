#pragma once

#include "course/coursesettings.h"
#include "course/runspec.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QWidget>
#include <functional>
#include <memory>

class AjustesPrincipais;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace course {

class AudioExporter;
class CourseSetup;
class GroupGenerator;
class ResultView;
class RunPlayer;
class RunStore;

// The Koch course: the learner picks a lesson, order, speeds and group size,
// starts a run, types what he hears while it plays, and sees it scored. A
// run that reaches the pass mark opens the next lesson. The choices and the
// progress persist in the settings store; each run goes to the record.
//
// A run: Start pulls random groups of the lesson into the player; when the
// player is done the learner finishes typing and presses Enter (or Score).
// Stop, closing the window or leaving the page drops a run unscored.
class CoursePage : public QWidget
{
    Q_OBJECT

public:
    // None of the pointers is owned; any may be null: without a player no
    // run starts, without a store runs are scored but not kept, without an
    // exporter there is no export. main gives the tone and the main window's
    // speed.
    CoursePage(const AjustesPrincipais *main, RunPlayer *player, RunStore *store,
               AudioExporter *exporter, QWidget *parent = nullptr);
    ~CoursePage() override;
    Q_DISABLE_COPY_MOVE(CoursePage)

    enum class State
    {
        Idle,
        Playing,
        Typing // played, waiting for the learner to finish and score
    };
    State state() const { return runState; }
    const CourseSettings &settings() const { return current; }

    // Tests: a fixed seed for the groups, and a stand-in for the file dialog.
    void setSeed(quint32 seed) { random.seed(seed); }
    std::function<QString()> chooseExportFile;

    QSize sizeHint() const override;

    void start();
    void stop();
    void score();
    void exportRun();

    CourseSetup *setup = nullptr;
    QPushButton *startButton = nullptr;
    QPushButton *stopButton = nullptr;
    QPushButton *scoreButton = nullptr;
    QProgressBar *progress = nullptr;
    QLabel *copyLabel = nullptr;
    QLineEdit *copyEdit = nullptr;
    QLabel *status = nullptr;
    // The characters of the lessons reached that the spaced review has due.
    QLabel *dueLabel = nullptr;
    ResultView *results = nullptr;
    QPushButton *exportButton = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void build();
    void retranslate();
    void setState(State next);
    void setStatus(std::function<QString()> text);
    void played(const QStringList &groups);
    void saveSettings();
    void showDue();
    RunSpec spec() const;

    QWidget *contents = nullptr; // inside the scroll area
    const AjustesPrincipais *main;
    RunPlayer *player;
    RunStore *store;
    AudioExporter *exporter;

    CourseSettings current;
    QRandomGenerator random;
    State runState = State::Idle;

    // The run under way or the last one.
    std::unique_ptr<GroupGenerator> generator;
    RunSpec runSpec;
    int runLesson = 1;
    QDateTime runStarted;
    QString runSent;
    // What status shows, kept to be said again in another language.
    std::function<QString()> statusText;
};

} // namespace course
