#pragma once

#include "platform/sidetone.h"
#include "sendpage/keysound.h"

#include <QByteArray>

namespace sending {

// The sidetone on the sound device's own short stream, with a tone of the
// trainer's synthesizer: one second of the main window's frequency and
// waveform, looped, at its volumes, with the device's soft edges.
class PlatformKeySound final : public KeySound
{
public:
    bool prepare(const AjustesPrincipais *main) override;
    void key(const KeyEdge &edge) override;

private:
    platform::Sidetone m_sidetone;
    QByteArray m_image;
};

} // namespace sending
