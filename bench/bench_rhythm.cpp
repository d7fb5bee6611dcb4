// Keys the whole alphabet through the real player and through the plain one,
// records the output stream (SDL's disk driver, or a PulseAudio null sink read
// with parec), finds every mark and space in it and compares them with the
// nominal durations.
//
//   bench_rhythm [--units 5,25] [--players precise,plain] [--dir DIR] [--keep]
//                [--pulse SINK] [--verbose]
//
// The streams go to DIR (default: the temporary folder) and are removed after
// the analysis unless --keep. --verbose lists every space.
//
// With --pulse the device is PulseAudio's default sink (PULSE_SERVER names the
// server); SINK, a null sink at 96000 Hz float32, is recorded from its monitor.

#include "bench/nominal.h"
#include "bench/parec.h"
#include "bench/plainplayer.h"
#include "bench/stream.h"
#include "morse/letras.h"
#include "platform/playsound.h"
#include "platform/sleep.h"
#include "platform/sounddevice.h"
#include "sound/tgerasom.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using platform::SteadyTime;
using Operation = void (*)(int, TGeraSom *);

struct Character
{
    unsigned char c;
    Operation key;
};

const Character Alphabet[] = {
    {'A', Letras::Letra_A},
    {'B', Letras::Letra_B},
    {'C', Letras::Letra_C},
    {'D', Letras::Letra_D},
    {'E', Letras::Letra_E},
    {'F', Letras::Letra_F},
    {'G', Letras::Letra_G},
    {'H', Letras::Letra_H},
    {'I', Letras::Letra_I},
    {'J', Letras::Letra_J},
    {'K', Letras::Letra_K},
    {'L', Letras::Letra_L},
    {'M', Letras::Letra_M},
    {'N', Letras::Letra_N},
    {'O', Letras::Letra_O},
    {'P', Letras::Letra_P},
    {'Q', Letras::Letra_Q},
    {'R', Letras::Letra_R},
    {'S', Letras::Letra_S},
    {'T', Letras::Letra_T},
    {'U', Letras::Letra_U},
    {'V', Letras::Letra_V},
    {'W', Letras::Letra_W},
    {'X', Letras::Letra_X},
    {'Y', Letras::Letra_Y},
    {'Z', Letras::Letra_Z},
    {'1', Letras::Letra_1},
    {'2', Letras::Letra_2},
    {'3', Letras::Letra_3},
    {'4', Letras::Letra_4},
    {'5', Letras::Letra_5},
    {'6', Letras::Letra_6},
    {'7', Letras::Letra_7},
    {'8', Letras::Letra_8},
    {'9', Letras::Letra_9},
    {'0', Letras::Letra_0},
    {0xC7, Letras::Letra_Cedilha},
    {0xC9, Letras::Letra_EAcento},
    {0xC3, Letras::Letra_ATil},
    {'?', Letras::Letra_Interrog},
    {'.', Letras::Letra_Ponto},
    {':', Letras::Letra_DoisP},
    {';', Letras::Letra_Pontovirgula},
    {',', Letras::Letra_Virgula},
    {'(', Letras::Letra_AbreParen},
    {')', Letras::Letra_FechaParen},
};

using stream::FramesPerMs;
using stream::Rate;

struct Options
{
    std::vector<int> units{5, 25};
    QStringList players{QStringLiteral("precise"), QStringLiteral("plain")};
    QString dir = QDir::tempPath();
    QString pulseSink;
    bool keep = false;
    bool verbose = false;
};

// The nominal rhythm of the alphabet.
std::vector<nominal::Element> alphabetRhythm(int u)
{
    QByteArray text;
    for (const Character &ch : Alphabet)
        text.append(char(ch.c));
    return nominal::rhythm(text, u);
}

struct Run
{
    QString player;
    int unit = 0;
    double streamRate = 0; // frames per second of the steady clock
    double seconds = 0;    // from opening the device to closing it
    double meanLatencyMs = 0;
    double maxLatencyMs = 0;
    int lateTones = -1;
    std::vector<SteadyTime> calls; // when each tone was handed to the player
    // The device's frame count at its last callback, seen at each call: the
    // disk driver's clock wanders by a fraction of a percent from second to
    // second, so long intervals are read at the rate of their surroundings.
    std::vector<platform::SoundDevice::Stats> clock;
};

double rateBetween(const platform::SoundDevice::Stats &a, const platform::SoundDevice::Stats &b)
{
    return double(b.frames - a.frames) /
           std::chrono::duration<double>(b.lastCallback - a.lastCallback).count();
}

// Frames per second around the interval from call i to call i + 1.
double localRate(const Run &run, std::size_t i)
{
    if (run.clock.size() != run.calls.size() || i + 1 >= run.clock.size())
        return run.streamRate;
    std::size_t a = i;
    std::size_t b = i + 1;
    const auto window = std::chrono::seconds(1);
    while (a > 0 && run.calls[i] - run.calls[a] < window)
        --a;
    while (b + 1 < run.calls.size() && run.calls[b] - run.calls[i + 1] < window)
        ++b;
    return rateBetween(run.clock[a], run.clock[b]);
}

struct Result
{
    int marksFound = 0;
    int marksExpected = 0;
    int exactMarks = 0;
    int maxMarkError = 0; // samples
    double maxSpaceError = 0;
    double rmsSpaceError = 0;
    double maxSpaceErrorNominal = 0;
    double rmsSpaceErrorNominal = 0;
    // Start-to-start in the stream against call-to-call on the wall clock:
    // the player's own share of the space error, without the keyer's sleeps.
    double maxPlacementError = 0;
    double rmsPlacementError = 0;
};

Result analyse(const QString &path, int u, const Run &run, TGeraSom &g, bool verbose)
{
    const std::vector<nominal::Element> r = alphabetRhythm(u);
    const stream::Tone dot = stream::tone(g, 5 * u);
    const stream::Tone dash = stream::tone(g, 15 * u);
    const std::vector<float> s = stream::read(path);
    const std::vector<stream::Region> marks = stream::regions(s);

    Result res;
    res.marksFound = int(marks.size());
    res.marksExpected = int(r.size());
    const std::size_t n = std::min(marks.size(), r.size());
    std::vector<std::int64_t> start(n), end(n);
    for (std::size_t i = 0; i < n; ++i) {
        const stream::Tone &t = r[i].dash ? dash : dot;
        start[i] = marks[i].first - t.leadingZeros;
        end[i] = marks[i].last + 1 + t.trailingZeros;
        const std::int64_t error = (end[i] - start[i]) - std::int64_t(t.samples.size());
        res.maxMarkError = std::max(res.maxMarkError, int(std::abs(error)));
        bool exact = error == 0;
        for (std::size_t k = 0; exact && k < t.samples.size(); ++k)
            exact = s[std::size_t(2 * (start[i] + std::int64_t(k)))] == t.samples[k] &&
                    s[std::size_t(2 * (start[i] + std::int64_t(k)) + 1)] == t.samples[k];
        res.exactMarks += exact ? 1 : 0;
    }
    double sum = 0;
    double sumNominal = 0;
    double sumPlacement = 0;
    const bool timed = run.calls.size() == n;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double frames = double(start[i + 1] - end[i]);
        const double rate = timed ? localRate(run, i) : run.streamRate;
        const double error = frames * 1000 / rate - r[i].spaceMs;
        const double errorNominal = frames / FramesPerMs - r[i].spaceMs;
        res.maxSpaceError = std::max(res.maxSpaceError, std::abs(error));
        res.maxSpaceErrorNominal = std::max(res.maxSpaceErrorNominal, std::abs(errorNominal));
        sum += error * error;
        sumNominal += errorNominal * errorNominal;
        double placement = 0;
        if (timed) {
            placement =
                double(start[i + 1] - start[i]) * 1000 / rate -
                std::chrono::duration<double, std::milli>(run.calls[i + 1] - run.calls[i]).count();
            res.maxPlacementError = std::max(res.maxPlacementError, std::abs(placement));
            sumPlacement += placement * placement;
        }
        if (verbose)
            std::printf("  space %3zu nominal %3d ms: error %+7.3f ms, placement %+7.3f ms\n", i,
                        r[i].spaceMs, error, placement);
    }
    if (n > 1) {
        res.rmsSpaceError = std::sqrt(sum / double(n - 1));
        res.rmsSpaceErrorNominal = std::sqrt(sumNominal / double(n - 1));
        res.rmsPlacementError = std::sqrt(sumPlacement / double(n - 1));
    }
    return res;
}

// Starts the recorder of a PulseAudio run; nothing to do for the disk driver,
// which the device itself writes.
class Recorder
{
public:
    Recorder(const Options &o, const QString &path)
    {
        if (o.pulseSink.isEmpty()) {
            qputenv("SDL_AUDIODRIVER", "disk");
            qputenv("SDL_DISKAUDIOFILE", path.toLocal8Bit());
            return;
        }
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        m_parec.emplace(o.pulseSink, path);
    }
    Q_DISABLE_COPY_MOVE(Recorder)
    ~Recorder() = default;

    void finish()
    {
        if (m_parec)
            m_parec->finish();
    }

private:
    std::optional<Parec> m_parec;
};

Run keyPrecise(int u, TGeraSom &g)
{
    platform::SoundDevice &device = platform::SoundDevice::instance();
    device.shutdown();
    // Open the device with an inaudible tone and let its clock settle.
    {
        TGeraSom warm;
        warm.SetLeftVolume(0);
        warm.SetRightVolume(0);
        warm.SetDuration(10);
        warm.Play();
        platform::sleepMs(2000);
    }
    Run run;
    platform::setSoundObserver([&run, &device](const platform::SoundCall &c) {
        if (c.kind == platform::SoundCall::Kind::Play) {
            run.calls.push_back(Clock::now());
            run.clock.push_back(device.stats());
        }
    });
    device.resetStats();
    const auto before = device.stats();
    for (const Character &ch : Alphabet)
        ch.key(u, &g);
    const auto after = device.stats();
    platform::setSoundObserver({});
    device.shutdown();

    run.player = QStringLiteral("precise");
    run.unit = u;
    run.streamRate = rateBetween(before, after);
    run.meanLatencyMs = after.tones > 0 ? after.sumLatencyMs / after.tones : 0;
    run.maxLatencyMs = after.maxLatencyMs;
    run.lateTones = after.lateTones;
    return run;
}

// The keyer's rule, around the plain player: play, then sleep the silence.
Run keyPlain(int u, TGeraSom &g)
{
    platform::SoundDevice::instance().shutdown();
    Run run;
    run.player = QStringLiteral("plain");
    run.unit = u;
    run.streamRate = Rate;
    const auto opened = Clock::now();
    {
        PlainPlayer player;
        if (!player.isOpen())
            return run;
        platform::sleepMs(2000);
        for (const Character &ch : Alphabet) {
            for (const char *e = Letras::Padrao(ch.c); *e != '\0'; ++e) {
                g.SetDuration(static_cast<std::int16_t>(*e == '-' ? 15 * u : 5 * u));
                g.Prepare();
                run.calls.push_back(Clock::now());
                player.play(g.Data(), g.DataSize());
                platform::sleepMs(e[1] != '\0' ? 5 * u : 25 * u);
            }
        }
        run.meanLatencyMs = player.meanLatencyMs();
        run.maxLatencyMs = player.maxLatencyMs();
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - opened).count();
    return run;
}

Options parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--units")) {
            o.units.clear();
            for (const QString &v : next.split(QLatin1Char(',')))
                o.units.push_back(v.toInt());
            ++i;
        } else if (a == QLatin1String("--players")) {
            o.players = next.split(QLatin1Char(','));
            ++i;
        } else if (a == QLatin1String("--dir")) {
            o.dir = next;
            ++i;
        } else if (a == QLatin1String("--pulse")) {
            o.pulseSink = next;
            ++i;
        } else if (a == QLatin1String("--keep")) {
            o.keep = true;
        } else if (a == QLatin1String("--verbose")) {
            o.verbose = true;
        }
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options o = parse(app.arguments());
    const char *device = o.pulseSink.isEmpty() ? "disk" : "pulse";

    // Marks are found here by their first and last sounding samples, which
    // only raw edges keep on the nominal frames; bench_app_rhythm aligns the
    // tones exactly and measures both settings.
    platform::SoundDevice::instance().setSoftEdges(false);
    TGeraSom g;
    g.SetAsync(false);
    g.SetWaveform(tgSine);
    g.SetFrequency(800);

    std::vector<std::pair<Run, Result>> table;
    for (int u : o.units) {
        for (const QString &player : o.players) {
            const QString path = QStringLiteral("%1/rhythm-%2-%3-u%4.raw")
                                     .arg(o.dir, QLatin1String(device), player)
                                     .arg(u);
            Run run;
            {
                Recorder recorder(o, path);
                run = player == QLatin1String("plain") ? keyPlain(u, g) : keyPrecise(u, g);
                recorder.finish();
            }
            // The plain player shows no clock; on the disk driver the file's
            // length over the time the device was open tells its rate.
            if (run.seconds > 0 && o.pulseSink.isEmpty())
                run.streamRate = double(QFileInfo(path).size()) / (2 * sizeof(float)) / run.seconds;
            const Result res = analyse(path, u, run, g, o.verbose);
            table.emplace_back(run, res);
            std::printf("%s u=%d: %d/%d marks found, %d exact; space error max %.3f ms, RMS %.3f "
                        "ms (at the nominal rate %.3f / %.3f); placement max %.3f RMS %.3f ms; "
                        "latency %.2f / %.2f ms, %d tones late; stream %.1f Hz\n",
                        qPrintable(player), u, res.marksFound, res.marksExpected, res.exactMarks,
                        res.maxSpaceError, res.rmsSpaceError, res.maxSpaceErrorNominal,
                        res.rmsSpaceErrorNominal, res.maxPlacementError, res.rmsPlacementError,
                        run.meanLatencyMs, run.maxLatencyMs, run.lateTones, run.streamRate);
            std::fflush(stdout);
            if (!o.keep)
                QFile::remove(path);
        }
    }

    std::printf("\n| device | player | u | marks exact | space error max / RMS | of which "
                "placement max / RMS | latency mean / max | stream rate |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const auto &[run, res] : table) {
        std::printf("| %s | %s | %d | %d/%d | ", device, qPrintable(run.player), run.unit,
                    res.exactMarks, res.marksExpected);
        // Extra or missing marks: the stream ran dry (or was cut) somewhere, and
        // pairing the marks with the nominal ones means nothing.
        if (res.marksFound != res.marksExpected)
            std::printf("%d marks found: holes in the stream | | ", res.marksFound);
        else
            std::printf("%.2f / %.2f ms | %.2f / %.2f ms | ", res.maxSpaceError, res.rmsSpaceError,
                        res.maxPlacementError, res.rmsPlacementError);
        std::printf("%.1f / %.1f ms | %.0f Hz (%+.2f %%) |\n", run.meanLatencyMs, run.maxLatencyMs,
                    run.streamRate, 100 * (run.streamRate / Rate - 1));
    }
    return 0;
}
