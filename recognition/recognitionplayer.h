#pragma once

#include "platform/clock.h"

#include <QObject>
#include <QString>

namespace recognition {

// What sounds instant recognition's characters and the calibration's beeps:
// the integrator's adapter over the stream, or a test's stand-in.
//
// A sound is placed about afterMs from the call (never sooner than the
// stream can take it), so that the learner cannot foresee it from his own
// press. The page times presses against heardStart() and heardEnd(), asked
// at the press: where the sound last placed stands then, which may be later
// than where it was placed if the stream had to wait.
class RecognitionPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~RecognitionPlayer() override;
    Q_DISABLE_COPY_MOVE(RecognitionPlayer)

    // One character (as KochOrder writes it) at charWpm; false, with nothing
    // placed, for one that cannot be keyed.
    virtual bool playCharacter(const QString &character, double charWpm, int afterMs) = 0;
    // A short beep for the reaction calibration.
    virtual bool playBeep(int afterMs) = 0;

    // On platform::Clock's time: the start of the first element and the end
    // of the last one of the sound last placed, as the learner hears them.
    virtual platform::SteadyTime heardStart() const = 0;
    virtual platform::SteadyTime heardEnd() const = 0;

    // Takes back whatever has not sounded yet.
    virtual void stop() = 0;
};

} // namespace recognition
