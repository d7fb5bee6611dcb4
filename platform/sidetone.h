#pragma once

#include "platform/clock.h"

#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace platform {

// The tone a Morse key sounds while it is down, mixed live by the audio thread
// into a stream of the sound device's own for it, with a short buffer (5 ms):
// a key-down opens it along a soft edge, a key-up closes it along another,
// with no click, in the frames the key's events ask for. Its frames count on
// that stream's timeline (Rate a second), not the keying sequences'.
//
// A key event at moment t sounds at frame frameOf(t) = the stream's frame at t
// plus Delay: its rise's half-amplitude point lies there, so every mark and
// space the key makes is exactly as long in the stream as it was on the key.
// Should the event reach the audio thread too late for that frame (a calling
// thread held up by load), it sounds at the first frame still free, and the
// figures (SoundDevice::sidetoneStats().keyDownLatencyMs) show it.
//
// A keyer that times its own elements (iambic paddles) places exact key-downs
// and key-ups at frames of its choosing with keyDownAt() and keyUpAt(), each
// one at least Delay ahead of now (frameOf(now) is the first safe frame): a
// paddle's first element from the frame keyDown() gave, the rest at whole
// dots from it.
//
// One sidetone at a time: the device mixes one. Without a device it is
// silent and gives the frames all the same. UI thread (or any one thread).
class Sidetone
{
public:
    // From a key event to the half-amplitude point of its tone's edge in the
    // stream: a buffer period (5 ms) for the event to reach the audio thread,
    // as much again for the thread to be scheduled and the stream's rate to
    // wander, and the rise's first half (3 ms).
    static constexpr std::chrono::milliseconds Delay{12};

    Sidetone();
    // Closes a tone that sounds, along its edge.
    ~Sidetone();
    Q_DISABLE_COPY_MOVE(Sidetone)

    // The tone: a complete RIFF/WAVE image as the sound device plays (a
    // TGeraSom's, say), looped while the key is down, so it should hold whole
    // periods of its waveform (one second of any whole frequency does); with
    // the left gain in volume's low 16 bits, the right in its high 16 bits.
    // The device's soft edges (SoundDevice::softEdges()) shape it. Meant to be
    // set while the key is up. Returns false for an image it cannot play.
    bool setTone(const void *image, std::size_t size, std::uint32_t volume);

    // The key went down or up at eventTime (on the clock in use): returns the
    // frame the edge is centred on. A key-down while down, or a key-up while
    // up, changes nothing and returns that frame.
    std::int64_t keyDown(SteadyTime eventTime);
    std::int64_t keyUp(SteadyTime eventTime);
    // The same at a frame of the stream; frames go forward only (an earlier
    // one is taken as the last one given).
    void keyDownAt(std::int64_t frame);
    void keyUpAt(std::int64_t frame);

    // Where an event at eventTime sounds.
    std::int64_t frameOf(SteadyTime eventTime) const;
    bool isDown() const { return m_down; }

private:
    void gate(std::int64_t frame, bool down, SteadyTime call);

    bool m_down = false;
    std::int64_t m_last = 0; // the last frame given
};

} // namespace platform
