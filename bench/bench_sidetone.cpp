// How soon the sidetone answers the key: from a key event's time to the first
// sample of its tone in the sidetone's stream, for key-downs and key-ups.
//
//   bench_sidetone [--presses N] [--dir DIR] [--pulse SINK]
//
// Presses the key N times (default 200) at random moments, each held 30 to
// 90 ms, the way a hand keys, and records the stream: on SDL's disk driver
// (DIR/sidetone.raw), or with --pulse through PulseAudio's SINK recorded by
// parec (see pulse-sink.sh, which supplies --pulse and --dir).
//
// A key-down's latency is what the audio thread measured from the event to
// its edge's middle on the stream's clock, less the half edge before it; a
// key-up's is that of its press plus how much longer its mark is in the
// recording than on the key.

#include "bench/marktiming.h"
#include "bench/parec.h"
#include "bench/stream.h"
#include "platform/continuedtone.h"
#include "platform/sidetone.h"
#include "platform/sounddevice.h"
#include "sound/tgerasom.h"
#include "sound/tonewave.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using platform::SoundDevice;
constexpr int Hertz = 800;

QByteArray toneImage()
{
    const std::uint32_t length = 2 * SoundDevice::Rate;
    TWaveHeader header;
    BuildWaveHeader(false, true, true, length, header);
    QByteArray image(reinterpret_cast<const char *>(header.bytes), sizeof header.bytes);
    image.resize(qsizetype(sizeof header.bytes + length));
    ToneWave::Fill(tgSine, Hertz, tg16Bit, tgHiQ,
                   reinterpret_cast<std::uint8_t *>(image.data()) + sizeof header.bytes, length);
    return image;
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void report(const char *what, std::vector<double> v)
{
    if (v.empty()) {
        std::printf("%-9s no figures\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("%-9s median %5.2f ms  worst %5.2f ms  (best %5.2f, n = %zu)\n", what,
                v[v.size() / 2], v.back(), v.front(), v.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int presses = 200;
    QString dir;
    QString pulse;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--presses"))
            presses = qBound(1, args[i + 1].toInt(), int(platform::Mixer::MaxLatencies));
        else if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
        else if (args[i] == QLatin1String("--pulse"))
            pulse = args[i + 1];
    }
    QTemporaryDir temporary;
    if (dir.isEmpty())
        dir = temporary.path();
    const QString path = QDir(dir).filePath(QStringLiteral("sidetone.raw"));
    std::optional<Parec> parec;
    if (pulse.isEmpty()) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", path.toLocal8Bit());
    } else {
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        parec.emplace(pulse, path);
    }

    SoundDevice &device = SoundDevice::instance();
    device.setSoftEdges(true);
    platform::Sidetone sidetone;
    const QByteArray image = toneImage();
    if (!sidetone.setTone(image.constData(), std::size_t(image.size()), 0xFFFFFFFFu)) {
        std::fprintf(stderr, "no tone\n");
        return 1;
    }
    // Let the stream open and its clock settle.
    for (int i = 0; i < 300 && device.sidetoneStats().callbacks < 100; ++i)
        sleepMs(10);
    if (!device.sidetoneStats().open) {
        std::fprintf(stderr, "the sidetone's stream did not open\n");
        return 1;
    }
    sleepMs(300);
    device.resetStats();

    QRandomGenerator random(1);
    std::vector<std::int64_t> lengths; // frames from each key-down's edge to its key-up's
    for (int i = 0; i < presses; ++i) {
        sleepMs(random.bounded(30, 90));
        const std::int64_t down = sidetone.keyDown(Clock::now());
        sleepMs(random.bounded(30, 90));
        const std::int64_t up = sidetone.keyUp(Clock::now());
        lengths.push_back(up - down);
    }
    sleepMs(300);
    const SoundDevice::Stats stats = device.sidetoneStats();
    device.shutdown();
    if (parec)
        parec->finish();

    const double halfEdgeMs = 1000.0 * platform::ContinuedTone::edgeFrames() / SoundDevice::Rate;
    std::vector<double> downs;
    const int counted = std::min(stats.keyDowns, presses);
    for (int i = 0; i < counted; ++i)
        downs.push_back(double(stats.keyDownLatencyMs[std::size_t(i)]) - halfEdgeMs);

    const std::vector<float> samples = stream::read(path);
    const marktiming::Channel left{samples.data(), std::int64_t(samples.size() / 2), 2};
    // A dropout of the device (an underrun) splits a mark: spaces far shorter
    // than any keyed (30 ms) are none.
    std::vector<marktiming::Mark> marks;
    for (const marktiming::Mark &m : marktiming::measure(
             left, ToneWave::Samples(tgSine, Hertz, SoundDevice::Rate), 1 / 32768.0)) {
        if (!marks.empty() && m.start - marks.back().end < 15.0 * SoundDevice::Rate / 1000)
            marks.back().end = m.end;
        else
            marks.push_back(m);
    }
    std::vector<double> ups;
    if (marks.size() == lengths.size() && std::size_t(counted) == lengths.size()) {
        for (std::size_t i = 0; i < marks.size(); ++i) {
            const double longer = (marks[i].end - marks[i].start) - double(lengths[i]);
            ups.push_back(downs[i] + 1000 * longer / SoundDevice::Rate);
        }
    } else {
        std::printf("marks in the recording: %zu, presses: %zu, key-downs seen: %d\n", marks.size(),
                    lengths.size(), stats.keyDowns);
    }
    std::printf("sidetone latency, key event to its first sample in the stream (%s, %d "
                "presses, %d underruns, real-time %s):\n",
                pulse.isEmpty() ? "disk driver" : "PulseAudio", presses, stats.underruns,
                stats.realtime ? "yes" : "no");
    report("key-down", downs);
    report("key-up", ups);
    return 0;
}
