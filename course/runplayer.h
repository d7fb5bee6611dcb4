#pragma once

#include "course/runspec.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace course {

// What plays a course run: the integrator's adapter over the standard-timing
// keying engine and the player that chains its blocks. The course page only
// hands over the speeds and a source of groups; the timing is the player's.
//
// start() plays groups one word space apart, pulling each from nextGroup
// when it needs it (ahead of time is fine, always on the thread that called
// start()), until the groups pulled fill spec.durationMs; the last is played
// whole. It returns at once. When the
// last group has been heard it emits finished() with every group played, in
// order, and pulls no more. stop() ends the run at once, silently, with no
// finished(); it is called only while a run plays.
class RunPlayer : public QObject
{
    Q_OBJECT

public:
    using NextGroup = std::function<QString()>;

    using QObject::QObject;
    ~RunPlayer() override;
    Q_DISABLE_COPY_MOVE(RunPlayer)

    virtual void start(const RunSpec &spec, NextGroup nextGroup) = 0;
    virtual void stop() = 0;

signals:
    // How much of the run has been heard, now and then (for a progress bar).
    void progress(qint64 heardMs);
    void finished(const QStringList &played);
};

} // namespace course
