#include "sound/tgerasom.h"

#include "platform/playsound.h"
#include "sound/tonewave.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

int instanceCount = 0;
int failingAllocations = 0;

// Reals of the envelope, as of the synthesis (see ToneWave).
using Real = double;

void putU16(std::uint8_t *p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void putU32(std::uint8_t *p, std::uint32_t v)
{
    putU16(p, static_cast<std::uint16_t>(v));
    putU16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint8_t *allocateImage(std::size_t size)
{
    if (failingAllocations > 0) {
        --failingAllocations;
        return nullptr;
    }
    return new (std::nothrow) std::uint8_t[size]();
}

} // namespace

void BuildWaveHeader(bool stereo, bool bits16, bool highRate, std::uint32_t dataLength,
                     TWaveHeader &header)
{
    const std::uint16_t channels = stereo ? 2 : 1;
    const std::uint16_t bits = bits16 ? 16 : 8;
    const std::uint32_t rate = highRate ? 96000 : 44100;
    std::uint8_t *h = header.bytes;
    std::memcpy(h, "RIFF", 4);
    putU32(h + 4, dataLength + 36);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    putU32(h + 16, 16);
    putU16(h + 20, 1);
    putU16(h + 22, channels);
    putU32(h + 24, rate);
    putU32(h + 28, channels * rate * (bits / 8));
    putU16(h + 32, static_cast<std::uint16_t>(channels * (bits / 8)));
    putU16(h + 34, bits);
    std::memcpy(h + 36, "data", 4);
    putU32(h + 40, dataLength);
}

TGeraSom::TGeraSom(QObject *owner) : QObject(owner)
{
    if (instanceCount == 0)
        ApplyVolume();
    ++instanceCount;
}

TGeraSom::~TGeraSom()
{
    Stop();
    FData.reset();
    --instanceCount;
    if (instanceCount == 0)
        platform::waveOutSetVolume(FDevice, 0xFF00u | (0xFF00u << 16));
}

int TGeraSom::InstanceCount()
{
    return instanceCount;
}

void TGeraSom::FailAllocationsForTesting(int n)
{
    failingAllocations = n;
}

std::int16_t TGeraSom::CheckRange(std::int16_t min, std::int16_t max, std::int16_t value)
{
    // No designer here: out-of-range values are clamped silently.
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

void TGeraSom::SetFrequency(std::int16_t value)
{
    FFrequency = CheckRange(20, 20000, value);
    FToneChanged = true;
}

void TGeraSom::SetDuration(std::int16_t value)
{
    FDuration = CheckRange(10, 32767, value);
    FToneChanged = true;
}

void TGeraSom::SetWaveform(TTGWave value)
{
    FWaveform = value;
    FToneChanged = true;
}

void TGeraSom::SetAttack(std::int16_t value)
{
    FAttack = CheckRange(0, 100, value);
    FEnvelopeChanged = true;
}

void TGeraSom::SetDecay(std::int16_t value)
{
    FDecay = CheckRange(0, 100, value);
    FEnvelopeChanged = true;
}

void TGeraSom::SetSustain(std::int16_t value)
{
    FSustain = CheckRange(0, 100, value);
    FEnvelopeChanged = true;
}

void TGeraSom::SetRelease(std::int16_t value)
{
    FRelease = CheckRange(0, 100, value);
    FEnvelopeChanged = true;
}

void TGeraSom::SetResolution(TTGResolution value)
{
    FResolution = value;
    FToneChanged = true;
}

void TGeraSom::SetQuality(TTGQuality value)
{
    FQuality = value;
    FToneChanged = true;
}

void TGeraSom::SetLeftVolume(std::int16_t value)
{
    FLeftVolume = CheckRange(0, 100, value);
    // While an asynchronous play may be sounding the new volume waits for the
    // next play, so a running tone does not jump.
    if (FStopped)
        ApplyVolume();
}

void TGeraSom::SetRightVolume(std::int16_t value)
{
    FRightVolume = CheckRange(0, 100, value);
    if (FStopped)
        ApplyVolume();
}

void TGeraSom::Play()
{
    if (FToneChanged || FEnveloped)
        Synthesize(false);
    FStopped = false;
    StartSound();
    FStopped = !FAsync && !FLoop;
}

void TGeraSom::PlayADSR()
{
    if (FToneChanged || FEnvelopeChanged)
        Synthesize(true);
    FStopped = false;
    StartSound();
    FStopped = !FAsync && !FLoop;
}

void TGeraSom::Stop()
{
    platform::PlaySoundA(nullptr, 0, 0);
    FStopped = true;
}

void TGeraSom::PresetVolume()
{
    ApplyVolume();
}

bool TGeraSom::Prepare()
{
    ApplyVolume();
    return Synthesize(false);
}

bool TGeraSom::PrepareADSR()
{
    ApplyVolume();
    return Synthesize(true);
}

void TGeraSom::StartSound()
{
    Stop();
    ApplyVolume();
    unsigned flags = platform::SND_MEMORY;
    if (FLoop)
        flags |= platform::SND_ASYNC | platform::SND_LOOP;
    else if (FAsync)
        flags |= platform::SND_ASYNC;
    if (FData)
        platform::PlaySoundA(FData.get(), FDataSize, flags);
}

void TGeraSom::ApplyVolume()
{
    const std::uint32_t left = static_cast<std::uint32_t>(FLeftVolume) * 65535 / 100;
    const std::uint32_t right = static_cast<std::uint32_t>(FRightVolume) * 65535 / 100;
    platform::waveOutSetVolume(FDevice, left + right * 65536);
}

bool TGeraSom::Synthesize(bool envelope)
{
    const int b = ToneWave::BytesPerSample(FResolution);
    const int c = FQuality == tgHiQ ? 960 : 441;
    const std::uint32_t dataLength = static_cast<std::uint32_t>(FDuration) * b * c / 10;

    TWaveHeader header;
    BuildWaveHeader(false, b == 2, FQuality == tgHiQ, dataLength, header);

    // The player may still be reading the old image.
    platform::PlaySoundA(nullptr, 0, 0);
    FData.reset();
    FDataSize = 0;

    const std::size_t size = std::size_t(dataLength) + 48;
    std::uint8_t *image = allocateImage(size);
    if (image == nullptr)
        return false;
    FData.reset(image);
    FDataSize = size;
    std::memcpy(image, header.bytes, sizeof header.bytes);
    std::uint8_t *data = image + 44;

    ToneWave::Fill(FWaveform, FFrequency, FResolution, FQuality, data, dataLength);

    FToneChanged = false;
    FEnveloped = false;
    FEnvelopeChanged = true;
    if (envelope)
        ApplyEnvelope(data, dataLength);
    return true;
}

void TGeraSom::ApplyEnvelope(std::uint8_t *samples, std::uint32_t dataLength)
{
    int A = FAttack, D = FDecay, S = FSustain, R = FRelease;
    if (A + D + R > 100) {
        const int sum = A + D + R;
        A = A * 100 / sum;
        D = D * 100 / sum;
        R = 100 - A - D;
    }
    const int SS = 100 - A - D - R;
    const int b = ToneWave::BytesPerSample(FResolution);
    const auto share = [&](int x) {
        return std::int64_t(x) * dataLength / (std::int64_t(b) * 100);
    };
    const std::int64_t total = dataLength / b;
    const std::int64_t nA = share(A), nD = share(D), nS = share(SS);
    if (nS < 1)
        S = 0;
    const Real level = Real(S) * 0.01;

    const auto get = [&](std::int64_t i) -> Real {
        if (b == 2)
            return Real(static_cast<std::int16_t>(samples[2 * i] | (samples[2 * i + 1] << 8)));
        return Real(int(samples[i]) - 128);
    };
    const auto set = [&](std::int64_t i, Real value) {
        const auto r = static_cast<std::int32_t>(std::trunc(value));
        if (b == 2)
            putU16(samples + 2 * i, static_cast<std::uint16_t>(r));
        else
            samples[i] = static_cast<std::uint8_t>(r + 128);
    };

    std::int64_t i = 0;
    for (std::int64_t m = 0; m < nA && i < total; ++m, ++i)
        set(i, (Real(m) * get(i)) * (1.0 / Real(nA)));
    for (std::int64_t m = 0; m < nD && i < total; ++m, ++i)
        set(i, get(i) - (Real(m) * get(i)) * (Real(100 - S) / Real(nD) * 0.01));
    for (std::int64_t m = 0; m < nS && i < total; ++m, ++i)
        set(i, get(i) * level);
    // The release takes every sample left, so the tone always ends in silence;
    // without a release the rest stays at the sustain level.
    const std::int64_t nR = total - i;
    if (R > 0) {
        for (std::int64_t m = 0; m < nR; ++m, ++i)
            set(i, (Real(nR - m) * get(i)) * (level / Real(nR)));
    } else {
        for (; i < total; ++i)
            set(i, get(i) * level);
    }

    FToneChanged = false;
    FEnvelopeChanged = false;
    FEnveloped = true;
}
