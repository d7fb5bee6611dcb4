// Instant recognition's heard ends against a recording of the stream. The
// stream's adapter plays a beep and then single characters at random pauses,
// as a learner's presses would call them; at each "press" the end of the
// character as the page times it is noted: the frame of the stream
// (endOf(span)) and its moment (heardEnd(), that frame on the stream's
// clock). The sound device writes its stream to a file (SDL's disk driver),
// where each character's last element is found by its tone. Its end, counted
// from the beep's start, is set against the frames the page used ("stream"):
// they must agree within a millisecond. The "clock" columns show the same on
// the stream's clock, which follows the device's pace: the disk driver's
// runs about 1 % slow and wavers under load, so those differ from frames
// counted at the nominal 96000 a second, as a sound card's would not.
//
//   bench_recognition [--characters N] [--wpm W] [--dir DIR] [--keep]

#include "bench/marktiming.h"
#include "bench/stream.h"
#include "platform/clock.h"
#include "platform/sounddevice.h"
#include "recognition/sequenceplayer.h"
#include "sound/tonewave.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

double Ms(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void SleepUntil(platform::SteadyTime t)
{
    platform::Clock::current().sleepUntil(t);
    QCoreApplication::processEvents();
}

// Marks split where the silence between them is longer than gap frames.
std::vector<std::vector<marktiming::Mark>> Groups(const std::vector<marktiming::Mark> &marks,
                                                  double gap)
{
    std::vector<std::vector<marktiming::Mark>> groups;
    for (const marktiming::Mark &m : marks) {
        if (groups.empty() || m.start - groups.back().back().end > gap)
            groups.emplace_back();
        groups.back().push_back(m);
    }
    return groups;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    const int count = option("--characters", QStringLiteral("20")).toInt();
    const double wpm = option("--wpm", QStringLiteral("25")).toDouble();
    const bool keep = args.contains(QLatin1String("--keep"));
    QTemporaryDir temporary;
    temporary.setAutoRemove(!keep);
    const QString dir = option("--dir", temporary.path());
    const QString path = QDir(dir).filePath(QStringLiteral("recognition.raw"));
    // Settings of its own: soft edges, as a learner who never chose has them.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(dir).filePath(QStringLiteral("config"))));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path));

    const QStringList characters = {"K", "M", "R", "S", "U", "A", "P", "T", "L", "O",
                                    "W", "I", "N", "J", "E", "F", "0", "Y", "V", "5"};
    QRandomGenerator random(2026);
    QStringList played;
    std::vector<platform::SteadyTime> ends;
    std::vector<std::int64_t> endFrames;
    platform::SteadyTime beep;
    std::int64_t beepFrame = 0;
    {
        recognition::SequencePlayer player(nullptr);
        player.playBeep(1500);
        SleepUntil(player.heardStart() + 400ms);
        beep = player.heardStart();
        beepFrame = player.sequence().startOf(player.lastSpan());
        for (int i = 0; i < count; ++i) {
            const QString c = characters.at(random.bounded(int(characters.size())));
            player.playCharacter(c, wpm, 500 + int(random.bounded(700)));
            // The learner answers 150 to 900 ms after the end; the page asks
            // where the end stands at that moment.
            SleepUntil(player.heardEnd() + std::chrono::milliseconds(150 + random.bounded(750)));
            played << c;
            ends.push_back(player.heardEnd());
            endFrames.push_back(player.sequence().endOf(player.lastSpan()));
        }
        SleepUntil(platform::Clock::current().now() + 300ms);
    }
    platform::SoundDevice::instance().shutdown();

    const std::vector<float> samples = stream::read(path);
    if (samples.empty()) {
        std::fprintf(stderr, "no recording in %s\n", qPrintable(path));
        return 2;
    }
    const std::vector<std::int16_t> carrier =
        ToneWave::Samples(tgSine, 800, std::size_t(stream::Rate / 5 + 6000));
    const std::vector<marktiming::Mark> marks = marktiming::measure(
        {samples.data(), std::int64_t(samples.size() / 2), 2}, carrier, 1.0 / 32768);
    // Characters lie 500 ms or more apart, their elements a dash at most.
    const auto groups = Groups(marks, 0.25 * stream::Rate);
    if (groups.size() != std::size_t(count) + 1) {
        std::fprintf(stderr, "found %zu sounds in the recording, expected %d\n", groups.size(),
                     count + 1);
        return 1;
    }
    std::printf("%d characters at %.0f WPM; the end of each character's last element from the "
                "beep's start, in ms (frames / 96)\n\n",
                count, wpm);
    std::printf("%-4s %12s %12s %9s %12s %9s\n", "char", "stream", "recording", "error", "clock",
                "error");
    const double recordedBeep = groups.front().front().start;
    double worst = 0;
    double worstClock = 0;
    bool aligned = true;
    for (int i = 0; i < count; ++i) {
        const marktiming::Mark &last = groups.at(std::size_t(i) + 1).back();
        aligned = aligned && last.aligned;
        const double recorded = (last.end - recordedBeep) * 1000.0 / stream::Rate;
        const double placed =
            double(endFrames.at(std::size_t(i)) - beepFrame) * 1000.0 / stream::Rate;
        const double clock = Ms(ends.at(std::size_t(i)) - beep);
        worst = std::max(worst, std::abs(recorded - placed));
        worstClock = std::max(worstClock, std::abs(recorded - clock));
        std::printf("%-4s %12.3f %12.3f %9.3f %12.3f %9.3f\n", qPrintable(played.at(i)), placed,
                    recorded, recorded - placed, clock, recorded - clock);
    }
    std::printf("\nlargest error %.3f ms%s: %s\n", worst,
                aligned ? "" : " (some marks not aligned)",
                worst <= 1.0 && aligned ? "within 1 ms" : "NOT within 1 ms");
    if (keep)
        std::printf("recording kept in %s\n", qPrintable(path));
    return worst <= 1.0 && aligned ? 0 : 1;
}
