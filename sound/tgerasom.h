#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <memory>

// Waveforms, sample widths and rates of a synthesized tone. Plain enums on
// purpose: stored values outside the named ones are accepted (a Waveform of 4
// or more is noise).
enum TTGWave : std::uint8_t
{
    tgSine,
    tgSquare,
    tgTriangle,
    tgSawtooth,
    tgNoise
};
enum TTGResolution : std::uint8_t
{
    tg16Bit,
    tg8Bit
};
enum TTGQuality : std::uint8_t
{
    tgHiQ,
    tgLoQ
};

// The 44-byte header of a PCM RIFF/WAVE image, little-endian on disk.
struct TWaveHeader
{
    std::uint8_t bytes[44];
};

// Fills header for a PCM image of dataLength sample bytes.
void BuildWaveHeader(bool stereo, bool bits16, bool highRate, std::uint32_t dataLength,
                     TWaveHeader &header);

// The tone generator: synthesizes a tone as a WAV image in memory when its
// properties have changed, sets the device volume and plays the image.
class TGeraSom : public QObject
{
public:
    explicit TGeraSom(QObject *owner = nullptr);
    ~TGeraSom() override;
    Q_DISABLE_COPY_MOVE(TGeraSom)

    // Number of live generators in the process.
    static int InstanceCount();

    std::int16_t Frequency() const { return FFrequency; }
    void SetFrequency(std::int16_t value);
    std::int16_t Duration() const { return FDuration; }
    void SetDuration(std::int16_t value);
    TTGWave Waveform() const { return FWaveform; }
    void SetWaveform(TTGWave value);
    std::int16_t Attack() const { return FAttack; }
    void SetAttack(std::int16_t value);
    std::int16_t Decay() const { return FDecay; }
    void SetDecay(std::int16_t value);
    std::int16_t Sustain() const { return FSustain; }
    void SetSustain(std::int16_t value);
    std::int16_t Release() const { return FRelease; }
    void SetRelease(std::int16_t value);
    bool Async() const { return FAsync; }
    void SetAsync(bool value) { FAsync = value; }
    bool Loop() const { return FLoop; }
    void SetLoop(bool value) { FLoop = value; }
    TTGResolution Resolution() const { return FResolution; }
    void SetResolution(TTGResolution value);
    TTGQuality Quality() const { return FQuality; }
    void SetQuality(TTGQuality value);
    std::int16_t LeftVolume() const { return FLeftVolume; }
    void SetLeftVolume(std::int16_t value);
    std::int16_t RightVolume() const { return FRightVolume; }
    void SetRightVolume(std::int16_t value);

    void Play();
    void PlayADSR();
    void Stop();
    void PresetVolume();
    // Both return true when an image was built.
    bool Prepare();
    bool PrepareADSR();

    // Read-only views for tests and tools; the component itself never needs them.
    bool ToneChanged() const { return FToneChanged; }
    bool EnvelopeChanged() const { return FEnvelopeChanged; }
    bool Enveloped() const { return FEnveloped; }
    bool Stopped() const { return FStopped; }
    const std::uint8_t *Data() const { return FData.get(); }
    // Bytes of the image including the 4 spare bytes; 0 without an image.
    std::size_t DataSize() const { return FDataSize; }

    // Makes the next n image allocations fail, as if memory had run out.
    static void FailAllocationsForTesting(int n);

private:
    bool Synthesize(bool envelope);
    void ApplyEnvelope(std::uint8_t *samples, std::uint32_t dataLength);
    void StartSound();
    void ApplyVolume();
    static std::int16_t CheckRange(std::int16_t min, std::int16_t max, std::int16_t value);

    bool FToneChanged = true;
    bool FEnvelopeChanged = true;
    bool FEnveloped = true;
    bool FStopped = true;
    std::unique_ptr<std::uint8_t[]> FData;
    std::size_t FDataSize = 0;
    std::int16_t FFrequency = 440;
    std::int16_t FDuration = 100;
    TTGWave FWaveform = tgSine;
    std::int16_t FAttack = 10;
    std::int16_t FDecay = 20;
    std::int16_t FSustain = 50;
    std::int16_t FRelease = 30;
    bool FAsync = true;
    bool FLoop = false;
    TTGResolution FResolution = tg16Bit;
    TTGQuality FQuality = tgHiQ;
    std::int16_t FLeftVolume = 100;
    std::int16_t FRightVolume = 100;
    unsigned FDevice = 0;
};
