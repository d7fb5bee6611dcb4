#include "bench/plainplayer.h"

#include <SDL.h>
#include <algorithm>
#include <memory>
#include <vector>

PlainPlayer::PlainPlayer()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    SDL_AudioSpec want{};
    want.freq = 96000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1920;
    SDL_AudioSpec have{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    m_rate = have.freq;
    SDL_PauseAudioDevice(m_device, 0);
}

PlainPlayer::~PlainPlayer()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool PlainPlayer::play(const void *image, std::size_t size)
{
    using Clock = std::chrono::steady_clock;
    const auto call = Clock::now();
    SDL_AudioSpec spec{};
    Uint8 *samples = nullptr;
    Uint32 bytes = 0;
    if (m_device == 0 ||
        SDL_LoadWAV_RW(SDL_RWFromConstMem(image, int(size)), 1, &spec, &samples, &bytes) == nullptr)
        return false;
    std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(samples, &SDL_FreeWAV);
    SDL_AudioStream *stream =
        SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 2, m_rate);
    if (stream == nullptr)
        return false;
    std::vector<float> out;
    if (SDL_AudioStreamPut(stream, samples, int(bytes)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
        out.resize(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(float));
        out.resize(std::size_t(std::max(0, SDL_AudioStreamGet(stream, out.data(),
                                                              int(out.size() * sizeof(float))))) /
                   sizeof(float));
    }
    SDL_FreeAudioStream(stream);

    const Uint32 queued = Uint32(out.size() * sizeof(float));
    SDL_ClearQueuedAudio(m_device);
    SDL_QueueAudio(m_device, out.data(), queued);
    bool started = false;
    auto note = [&] {
        started = true;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - call).count();
        m_minLatencyMs = m_plays == 0 ? ms : std::min(m_minLatencyMs, ms);
        m_maxLatencyMs = std::max(m_maxLatencyMs, ms);
        m_sumLatencyMs += ms;
        ++m_plays;
    };
    while (SDL_GetQueuedAudioSize(m_device) > 0) {
        if (!started && SDL_GetQueuedAudioSize(m_device) < queued)
            note();
        platform::sleepMs(1);
    }
    if (!started)
        note();
    return true;
}
