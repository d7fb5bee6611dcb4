#pragma once

#include "sending/keyedge.h"

class AjustesPrincipais;

namespace sending {

// What the learner hears of his key: the seam between the Send page and the
// sound device, so tests can see each edge with its time.
class KeySound
{
public:
    KeySound() = default;
    virtual ~KeySound();
    KeySound(const KeySound &) = delete;
    KeySound &operator=(const KeySound &) = delete;

    // Takes the main window's tone, waveform and volumes (main may be null:
    // the defaults). False when no tone can be made.
    virtual bool prepare(const AjustesPrincipais *main) = 0;
    // The key went down or up at edge.at; a key-down from the keyer knows
    // its end (edge.until).
    virtual void key(const KeyEdge &edge) = 0;
};

} // namespace sending
