#include "sendpage/platformkeysound.h"

#include "platform/sounddevice.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"
#include "sound/tonewave.h"

namespace sending {

bool PlatformKeySound::prepare(const AjustesPrincipais *main)
{
    // One second of 16-bit samples at 96000 Hz holds whole periods of any
    // whole frequency. Filled here rather than by a generator, which would
    // stop what the device plays and set its volume.
    TTGWave wave = tgSine;
    std::int16_t hertz = 800;
    int left = 100;
    int right = 100;
    if (main != nullptr) {
        hertz = std::int16_t(qBound(20, main->Frequencia(), 20000));
        if (const TGeraSom *shared = main->Gerador())
            wave = shared->Waveform();
        left = main->VolumeEsquerdo();
        right = main->VolumeDireito();
    }
    const std::uint32_t dataLength = 2 * 96000;
    TWaveHeader header;
    BuildWaveHeader(false, true, true, dataLength, header);
    m_image = QByteArray(reinterpret_cast<const char *>(header.bytes), sizeof header.bytes);
    m_image.resize(qsizetype(sizeof header.bytes + dataLength));
    ToneWave::Fill(wave, hertz, tg16Bit, tgHiQ,
                   reinterpret_cast<std::uint8_t *>(m_image.data()) + sizeof header.bytes,
                   dataLength);
    const auto gain = [](int v) { return std::uint32_t(qBound(0, v, 100)) * 65535 / 100; };
    return m_sidetone.setTone(m_image.constData(), std::size_t(m_image.size()),
                              gain(left) + gain(right) * 65536);
}

void PlatformKeySound::key(const KeyEdge &edge)
{
    if (!edge.down) {
        m_sidetone.keyUp(edge.at);
        return;
    }
    const std::int64_t frame = m_sidetone.keyDown(edge.at);
    // The keyer knows the element's end: it is placed at once, exactly as
    // long in the stream as the keyer made it, whatever the timer's lateness
    // on the key-up (which then finds the tone already up).
    if (edge.until != KeyTime::max()) {
        const auto length = std::chrono::duration<double>(edge.until - edge.at).count();
        m_sidetone.keyUpAt(frame + std::llround(length * platform::SoundDevice::Rate));
    }
}

} // namespace sending
