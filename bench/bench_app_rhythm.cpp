// The rhythm the learner hears from the trainer's own windows. Every run starts
// the program afresh (offscreen, English stored in a private settings folder,
// the real windows), keys characters through its buttons and keys as a learner
// would, and records the output stream from the first tone on, the sound
// device opened by that tone. Every mark is found by exact alignment on the
// tone it should be and every mark and space compared with the nominal rhythm
// of what was keyed.
//
//   bench_app_rhythm [--scenarios lesson-u5,lesson-u25,keyboard,phrase,test]
//                    [--devices disk,pulse] [--pulse SINK] [--unit U]
//                    [--characters N] [--runs N] [--edges soft,raw] [--plot PNG]
//                    [--load N] [--dir DIR] [--keep] [--verbose]
//
// Scenarios: the first lesson once each from the Play button with the speed
// slider at its top (u = 5) and at its bottom (u = 25); "PARIS" typed into the
// virtual keyboard; "PARIS PARIS PARIS" played by the phrase player; N
// reception-test characters (6), each answered at once. The last three run at
// unit U (5).
//
// Devices: SDL's disk driver, and with --pulse SINK a PulseAudio null sink at
// 96000 Hz float32 recorded from its monitor (PULSE_SERVER names the server;
// bench/app-rhythm-pulse.sh starts a private one). Without --devices, the disk
// driver, and PulseAudio too when a sink is named.
//
// Edges: the trainer's soft edges (stored on, as a learner has them) or raw,
// each stored before its runs as the context menu would. Every run also
// measures key clicks: the share of the stream's power farther than 150 Hz
// from the carrier. --plot draws the first dot of the lesson at u = 5 as each
// edge setting played it.
//
// Load: --load N keeps N busy loops (sh -c 'while :; do :; done') running at
// the benchmark's own priority, the learner's, through every run: 2 fill the
// 2 cores of the build machine. A reception-test character follows the
// answer to the one before it, a pause of the learner's: its marks and spaces
// are measured within each character, and the silence before it only for
// being no shorter than nominal.
//
// With --runs N every scenario runs N times and the table shows the worst of
// each figure. Recordings and reports go to DIR (the temporary folder) and
// are removed unless --keep. --verbose lists every mark and space.

#include "app/bordassuaves.h"
#include "app/escolhaidioma.h"
#include "bench/appscenario.h"
#include "bench/edgeplot.h"
#include "bench/parec.h"
#include "bench/rhythmanalysis.h"
#include "bench/scenarioreport.h"
#include "bench/splatter.h"
#include "bench/stream.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using stream::FramesPerMs;

// The targets: every mark and space within 2 samples, jitter under 0.05 ms,
// no underrun.
constexpr double MaxErrorFrames = 2;
constexpr double MaxJitterFrames = 0.05 * FramesPerMs;

struct Options
{
    QStringList scenarios = AppScenario::names();
    QStringList devices;
    QString pulseSink;
    int unit = 5;
    int characters = 6;
    int runs = 1;
    int load = 0;
    QStringList edges{QStringLiteral("soft")};
    QString plot;
    QString dir = QDir::tempPath();
    bool keep = false;
    bool verbose = false;
};

// The figures of one run, errors in samples.
struct Figures
{
    bool measured = false;
    bool met = false;
    double markMax = 0;
    double markJitter = 0;
    double spaceMax = 0;
    double spaceJitter = 0;
    double firstMark = 0;
    double firstSpace = 0;
    double latencyMean = 0;
    double latencyMin = 0;
    double latencyMax = 0;
    double splatterDb = 0; // power beyond 150 Hz of the carrier
    int underruns = 0;
};

// Half the width of a narrow CW filter: what lies beyond it is heard as clicks.
constexpr double SplatterHalfWidthHz = 150;

double maxAbs(const std::vector<double> &v)
{
    double m = 0;
    for (const double x : v)
        m = std::max(m, std::abs(x));
    return m;
}

double deviation(const std::vector<double> &v)
{
    if (v.size() < 2)
        return 0;
    double mean = 0;
    for (const double x : v)
        mean += x;
    mean /= double(v.size());
    double sum = 0;
    for (const double x : v)
        sum += (x - mean) * (x - mean);
    return std::sqrt(sum / double(v.size()));
}

Figures figuresOf(const ScenarioReport &report, const RhythmAnalysis &a, double splatterDb)
{
    Figures f;
    f.splatterDb = splatterDb;
    f.latencyMean = report.meanLatencyMs;
    f.latencyMin = report.minLatencyMs;
    f.latencyMax = report.maxLatencyMs;
    f.underruns = report.underruns;
    if (!a.paired())
        return f;
    f.measured = true;
    f.markMax = maxAbs(a.markErrors);
    f.markJitter = deviation(a.markErrors);
    f.spaceMax = maxAbs(a.spaceErrors);
    f.spaceJitter = deviation(a.spaceErrors);
    f.firstMark = a.markErrors.front();
    f.firstSpace = a.spaceErrors.empty() ? 0 : a.spaceErrors.front();
    f.met = a.whole == a.expected && f.markMax <= MaxErrorFrames && f.spaceMax <= MaxErrorFrames &&
            f.markJitter < MaxJitterFrames && f.spaceJitter < MaxJitterFrames &&
            a.shortPauses == 0 && f.underruns == 0;
    return f;
}

// The least and the most of a count over the runs.
struct Range
{
    int least = -1;
    int most = -1;

    void add(int n)
    {
        least = least < 0 ? n : std::min(least, n);
        most = std::max(most, n);
    }
    std::string text() const
    {
        return least == most ? std::to_string(least)
                             : std::to_string(least) + '-' + std::to_string(most);
    }
};

// The worst of each figure over the runs of one scenario on one device.
struct Summary
{
    QString scenario;
    QString device;
    QString edges;
    int unit = 0;
    int runs = 0;
    int measured = 0;
    int met = 0;
    // The reception test draws its characters: each run keys others.
    Range expected;
    Range found;
    Range whole;
    Figures worst;
    double latencySum = 0;
    QString error;

    void add(const ScenarioReport &report, const RhythmAnalysis &a, const Figures &f)
    {
        ++runs;
        unit = report.unit;
        expected.add(a.expected);
        found.add(a.found);
        latencySum += f.latencyMean;
        worst.latencyMin = runs == 1 ? f.latencyMin : std::min(worst.latencyMin, f.latencyMin);
        worst.latencyMax = std::max(worst.latencyMax, f.latencyMax);
        worst.latencyMean = latencySum / runs;
        worst.splatterDb = runs == 1 ? f.splatterDb : std::max(worst.splatterDb, f.splatterDb);
        worst.underruns = std::max(worst.underruns, f.underruns);
        if (!f.measured) {
            if (error.isEmpty())
                error = a.error;
            return;
        }
        ++measured;
        met += f.met ? 1 : 0;
        whole.add(a.whole);
        worst.markMax = std::max(worst.markMax, f.markMax);
        worst.markJitter = std::max(worst.markJitter, f.markJitter);
        worst.spaceMax = std::max(worst.spaceMax, f.spaceMax);
        worst.spaceJitter = std::max(worst.spaceJitter, f.spaceJitter);
        if (std::abs(f.firstMark) >= std::abs(worst.firstMark))
            worst.firstMark = f.firstMark;
        if (std::abs(f.firstSpace) >= std::abs(worst.firstSpace))
            worst.firstSpace = f.firstSpace;
    }
};

// An error in samples, and in ms beside it.
std::string samples(double frames, int decimals = 0, bool sign = false)
{
    char text[64];
    std::snprintf(text, sizeof text, sign ? "%+.*f (%+.3f ms)" : "%.*f (%.3f ms)", decimals, frames,
                  frames / FramesPerMs);
    return text;
}

// One run measured, and the first mark as the stream holds it.
struct Run
{
    ScenarioReport report;
    RhythmAnalysis analysis;
    double splatterDb = 0;
    edgeplot::Trace firstMark;
};

constexpr std::int64_t PlotMargin = 4 * FramesPerMs;

// Runs one scenario in a process of its own, recording what it plays.
Run runOnce(const Options &o, const QString &scenario, const QString &device, int index)
{
    const QString stem =
        QStringLiteral("%1/app-rhythm-%2-%3-%4").arg(o.dir, scenario, device).arg(index);
    const QString raw = stem + QStringLiteral(".raw");
    const QString reportPath = stem + QStringLiteral(".json");
    QFile::remove(raw);
    QFile::remove(reportPath);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::optional<Parec> parec;
    if (device == QLatin1String("pulse")) {
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("pulseaudio"));
        parec.emplace(o.pulseSink, raw);
        if (!parec->isRecording()) {
            ScenarioReport failed;
            failed.error = QStringLiteral("parec does not record %1's monitor").arg(o.pulseSink);
            return {failed, analyse(failed, {}, false), 0, {}};
        }
    } else {
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), raw);
    }
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--scenario"), scenario, QStringLiteral("--unit"),
                 QString::number(o.unit), QStringLiteral("--characters"),
                 QString::number(o.characters), QStringLiteral("--report"), reportPath});
    const bool finished = child.waitForFinished(120000);
    if (parec)
        parec->finish();
    ScenarioReport report = ScenarioReport::load(reportPath);
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        if (report.error.isEmpty())
            report.error = QStringLiteral("the scenario's process failed");
    }
    const QByteArray output = child.readAll();
    if (o.verbose)
        std::printf("%s on %s, run %d: \"%s\"\n", qPrintable(scenario), qPrintable(device),
                    index + 1, report.text.constData());
    const std::vector<float> samples = stream::read(raw);
    Run run{report, analyse(report, samples, o.verbose), 0, {}};
    const RhythmAnalysis &a = run.analysis;
    // The drivers' and Qt's chatter, worth reading only when something failed.
    if (o.verbose || !a.paired())
        std::fputs(output.constData(), stderr);
    if (!samples.empty() && report.frequency > 0)
        run.splatterDb =
            splatter::outsideDb(samples, stream::Rate, report.frequency, SplatterHalfWidthHz);
    if (!a.markStarts.empty() && a.markStarts.front() >= PlotMargin) {
        const std::int64_t from = a.markStarts.front() - PlotMargin;
        const std::int64_t to = a.markEnds.front() + PlotMargin;
        for (std::int64_t f = from; f < to && 2 * f < std::int64_t(samples.size()); ++f)
            run.firstMark.samples.push_back(samples[std::size_t(2 * f)]);
        run.firstMark.length = a.markEnds.front() - a.markStarts.front();
    }
    if (!o.keep) {
        QFile::remove(raw);
        QFile::remove(reportPath);
    }
    return run;
}

void printRun(const QString &scenario, const QString &device, const QString &edges,
              const RhythmAnalysis &a, const Figures &f)
{
    std::printf("%s on %s, %s edges: ", qPrintable(scenario), qPrintable(device),
                qPrintable(edges));
    if (!f.measured) {
        std::printf("not measured: %s\n", qPrintable(a.error));
    } else {
        std::printf("%d/%d marks, %d aligned, %d whole (edges within %d samples); mark error "
                    "max %s SD %s; space error max %s SD %s; first mark %s, first space %s; "
                    "latency %.3f / %.3f / %.3f ms; splatter %.1f dB; %d underruns%s\n",
                    a.found, a.expected, a.aligned, a.whole, a.maxEdgeDeviation,
                    samples(f.markMax).c_str(), samples(f.markJitter, 1).c_str(),
                    samples(f.spaceMax).c_str(), samples(f.spaceJitter, 1).c_str(),
                    samples(f.firstMark, 0, true).c_str(), samples(f.firstSpace, 0, true).c_str(),
                    f.latencyMean, f.latencyMin, f.latencyMax, f.splatterDb, f.underruns,
                    f.met ? ": targets met" : "");
    }
    std::fflush(stdout);
}

void printTable(const std::vector<Summary> &table)
{
    std::printf("\n| scenario | device | edges | u | runs meeting the targets | marks found / "
                "whole / expected | mark error max / SD | space error max / SD | first mark / "
                "first space | latency mean / min / max | splatter | underruns |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Summary &s : table) {
        std::printf("| %s | %s | %s | %d | %d of %d | ", qPrintable(s.scenario),
                    qPrintable(s.device), qPrintable(s.edges), s.unit, s.met, s.runs);
        std::printf("%s / %s / %s | ", s.found.text().c_str(),
                    s.measured > 0 ? s.whole.text().c_str() : "-", s.expected.text().c_str());
        if (s.measured > 0)
            std::printf("%s / %s | %s / %s | %s / %s | ", samples(s.worst.markMax).c_str(),
                        samples(s.worst.markJitter, 1).c_str(), samples(s.worst.spaceMax).c_str(),
                        samples(s.worst.spaceJitter, 1).c_str(),
                        samples(s.worst.firstMark, 0, true).c_str(),
                        samples(s.worst.firstSpace, 0, true).c_str());
        else
            std::printf("%s | | | ", qPrintable(s.error));
        std::printf("%.2f / %.2f / %.2f ms | %.1f dB | %d |\n", s.worst.latencyMean,
                    s.worst.latencyMin, s.worst.latencyMax, s.worst.splatterDb, s.worst.underruns);
    }
    if (!table.empty())
        std::printf("\nErrors in samples of the 96 kHz stream. Marks are placed on the nominal "
                    "grid of their run; targets: every mark and space within %.0f samples, SD "
                    "under %.1f samples, no underrun. Latency: a chain's first element, from "
                    "its call to its first frame rendered. Splatter: the stream's power farther "
                    "than %.0f Hz from the carrier (the worst run).\n",
                    MaxErrorFrames, MaxJitterFrames, SplatterHalfWidthHz);
}

QStringList listOf(const QString &value)
{
    return value.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

std::optional<Options> parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        const bool valued = a != QLatin1String("--keep") && a != QLatin1String("--verbose");
        if (valued && next.isEmpty()) {
            std::fprintf(stderr, "bench_app_rhythm: %s wants a value\n", qPrintable(a));
            return {};
        }
        if (a == QLatin1String("--scenarios"))
            o.scenarios = listOf(next);
        else if (a == QLatin1String("--devices"))
            o.devices = listOf(next);
        else if (a == QLatin1String("--pulse"))
            o.pulseSink = next;
        else if (a == QLatin1String("--unit"))
            o.unit = next.toInt();
        else if (a == QLatin1String("--characters"))
            o.characters = next.toInt();
        else if (a == QLatin1String("--runs"))
            o.runs = next.toInt();
        else if (a == QLatin1String("--load"))
            o.load = next.toInt();
        else if (a == QLatin1String("--edges"))
            o.edges = listOf(next);
        else if (a == QLatin1String("--plot"))
            o.plot = next;
        else if (a == QLatin1String("--dir"))
            o.dir = next;
        else if (a == QLatin1String("--keep"))
            o.keep = true;
        else if (a == QLatin1String("--verbose"))
            o.verbose = true;
        else {
            std::fprintf(stderr, "bench_app_rhythm: unknown option %s\n", qPrintable(a));
            return {};
        }
        i += valued ? 1 : 0;
    }
    if (o.devices.isEmpty()) {
        o.devices = {QStringLiteral("disk")};
        if (!o.pulseSink.isEmpty())
            o.devices.append(QStringLiteral("pulse"));
    }
    for (const QString &s : o.scenarios) {
        if (!AppScenario::names().contains(s)) {
            std::fprintf(stderr, "bench_app_rhythm: no scenario %s (%s)\n", qPrintable(s),
                         qPrintable(AppScenario::names().join(QLatin1Char(','))));
            return {};
        }
    }
    for (const QString &d : o.devices) {
        if (d != QLatin1String("disk") && d != QLatin1String("pulse")) {
            std::fprintf(stderr, "bench_app_rhythm: no device %s (disk,pulse)\n", qPrintable(d));
            return {};
        }
        if (d == QLatin1String("pulse") && o.pulseSink.isEmpty()) {
            std::fprintf(stderr, "bench_app_rhythm: the pulse device wants --pulse SINK\n");
            return {};
        }
    }
    for (const QString &e : o.edges) {
        if (e != QLatin1String("soft") && e != QLatin1String("raw")) {
            std::fprintf(stderr, "bench_app_rhythm: no edges %s (soft,raw)\n", qPrintable(e));
            return {};
        }
    }
    if (o.unit < 5 || o.unit > 25 || o.runs < 1 || o.characters < 1 || o.load < 0 || o.load > 64) {
        std::fprintf(stderr, "bench_app_rhythm: --unit 5..25, --runs and --characters 1 or more, "
                             "--load 0..64\n");
        return {};
    }
    return o;
}

// The scenario's own process, told apart before any application exists.
std::optional<AppScenario::Options> scenarioOptions(int argc, char **argv)
{
    AppScenario::Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *name = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (std::strcmp(name, "--scenario") == 0)
            o.scenario = value;
        else if (std::strcmp(name, "--unit") == 0)
            o.unit = value.toInt();
        else if (std::strcmp(name, "--characters") == 0)
            o.characters = value.toInt();
        else if (std::strcmp(name, "--report") == 0)
            o.report = value;
    }
    if (o.scenario.isEmpty() || o.report.isEmpty())
        return {};
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<AppScenario::Options> scenario = scenarioOptions(argc, argv))
        return AppScenario::run(argc, argv, *scenario);

    // The plot's captions need fonts, and so a GUI application, with no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::optional<Options> options = parse(QCoreApplication::arguments());
    if (!options)
        return 2;
    const Options &o = *options;

    // Every run starts as a learner's trainer that has English stored, and
    // the edges as the context menu left them.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(settings.filePath(QStringLiteral("data"))));
    auto store = [](const QString &name, int value) {
        try {
            platform::SettingsStore key;
            key.OpenKey(EscolhaIdioma::ChaveRegistro, true);
            key.WriteInteger(name, value);
            return true;
        } catch (const platform::SettingsError &e) {
            std::fprintf(stderr, "bench_app_rhythm: %s\n", e.what());
            return false;
        }
    };
    if (!store(EscolhaIdioma::ValorIdioma, 2))
        return 1;

    // The learner's other work: busy loops at his priority, for every run.
    std::vector<std::unique_ptr<QProcess>> load;
    for (int i = 0; i < o.load; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        if (!p->waitForStarted()) {
            std::fprintf(stderr, "bench_app_rhythm: cannot start a busy loop\n");
            return 1;
        }
        load.push_back(std::move(p));
    }
    if (o.load > 0)
        std::printf("%d busy loops running\n", o.load);

    std::vector<Summary> table;
    std::vector<edgeplot::Trace> dots;
    for (const QString &edges : o.edges) {
        if (!store(BordasSuaves::ValorBordas, edges == QLatin1String("soft") ? 1 : 0))
            return 1;
        for (const QString &device : o.devices) {
            for (const QString &scenario : o.scenarios) {
                Summary s;
                s.scenario = scenario;
                s.device = device;
                s.edges = edges;
                for (int run = 0; run < o.runs; ++run) {
                    Run r = runOnce(o, scenario, device, run);
                    const Figures f = figuresOf(r.report, r.analysis, r.splatterDb);
                    printRun(scenario, device, edges, r.analysis, f);
                    s.add(r.report, r.analysis, f);
                    if (run == 0 && device == o.devices.front() &&
                        scenario == QLatin1String("lesson-u5") && !r.firstMark.samples.empty()) {
                        r.firstMark.label = QStringLiteral("%1 edges: the first dot at u = 5 "
                                                           "(25 ms), nominal start and end dashed")
                                                .arg(edges);
                        dots.push_back(std::move(r.firstMark));
                    }
                }
                table.push_back(s);
            }
        }
    }
    for (auto &p : load) {
        p->kill();
        p->waitForFinished();
    }
    if (!o.plot.isEmpty() && !edgeplot::write(o.plot, dots, PlotMargin))
        std::fprintf(stderr, "bench_app_rhythm: cannot write %s\n", qPrintable(o.plot));
    printTable(table);
    return 0;
}
