// Exports text through the program's command line at five pairs of speeds,
// with soft and with raw edges, reads each WAV file back, measures every mark
// and space in it (marktiming) and compares them with the PARIS/Farnsworth
// timing worked out here on its own; then asks an independent decoder,
// multimon-ng's MORSE_CW fed through sox, what it reads in each file.
//
//   bench_export [--program PATH] [--text TEXT] [--tone HZ] [--dir DIR] [--keep]
//                [--no-decoder] [--verbose]
//
// Errors are in samples at 96000 Hz; the target is 2 at most.

#include "bench/marktiming.h"
#include "morse/morsetext.h"
#include "sound/tonewave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <optional>

namespace {

constexpr int Rate = 96000;
const QString DefaultText = QStringLiteral(
    "PARIS QUICK ZEPHYR JAVELIN WOMBAT FOX GLYPH 0123456789 .,?/=+- \u00C7\u00C9\u00C3 <AR> "
    "<SK> <BT> <KN>");

struct Speeds
{
    int c;
    int s;
};
constexpr Speeds Pairs[] = {{20, 5}, {20, 10}, {25, 4}, {30, 30}, {40, 15}};

// The samples of a 16-bit mono WAV file at 96000 Hz as floats, as a player
// converts them; nothing for any other file.
std::optional<std::vector<float>> readWave(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = f.readAll();
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 8) != "WAVEfmt " || u16(20) != 1 ||
        u16(22) != 1 || u32(24) != Rate || u16(34) != 16 || b.mid(36, 4) != "data" ||
        qint64(u32(40)) != b.size() - 44)
        return std::nullopt;
    std::vector<float> samples(std::size_t(u32(40) / 2));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(qFromLittleEndian<qint16>(b.constData() + 44 + 2 * i)) / 32768.0f;
    return samples;
}

// What multimon-ng reads in the file, its dot length told.
QString decode(const QString &path, int c)
{
    QProcess sox, multimon;
    sox.setStandardOutputProcess(&multimon);
    sox.start(QStringLiteral("sox"), {path, "-t", "raw", "-r", "22050", "-e", "signed", "-b", "16",
                                      "-c", "1", "-", "vol", "0.5", "pad", "0", "1"});
    multimon.start(QStringLiteral("multimon-ng"),
                   {"-t", "raw", "-a", "MORSE_CW", "-d", QString::number(1200 / c), "-"});
    sox.waitForFinished(120000);
    multimon.waitForFinished(120000);
    QString text;
    for (const QString &line : QString::fromUtf8(multimon.readAllStandardOutput()).split(u'\n'))
        if (!line.startsWith(QLatin1String("Enabled demodulators")))
            text += line;
    return text.simplified();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto option = [&](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const QString program = option("--program", QStringLiteral(ZIRVANO_PROGRAM));
    const QString text = option("--text", DefaultText);
    const int tone = option("--tone", QStringLiteral("700")).toInt();
    const bool keep = args.contains(QLatin1String("--keep"));
    const bool verbose = args.contains(QLatin1String("--verbose"));
    const bool decoder = !args.contains(QLatin1String("--no-decoder")) &&
                         !QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty() &&
                         !QStandardPaths::findExecutable(QStringLiteral("multimon-ng")).isEmpty();
    QTemporaryDir temporary;
    const QString dir = option("--dir", temporary.path());
    temporary.setAutoRemove(!keep);
    const MorseText parsed = MorseText::parse(text);
    if (!parsed.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(parsed.errorMessage()));
        return 2;
    }

    std::printf("%s, %d Hz sine, %lld characters; errors in samples at 96000 Hz (max)\n\n",
                qPrintable(text), tone, static_cast<long long>(parsed.symbols().size()));
    std::printf("%-7s %-5s %6s %9s %10s %10s %8s\n", "c/s", "edges", "marks", "mark err",
                "space err", "start err", "within 2");
    bool all = true;
    QStringList decoded;
    for (const Speeds &p : Pairs) {
        const std::vector<marktiming::Nominal> marks = marktiming::standard(parsed, p.c, p.s, Rate);
        for (const bool soft : {true, false}) {
            const QString path = QDir(dir).filePath(
                QStringLiteral("export-%1-%2-%3.wav").arg(p.c).arg(p.s).arg(soft ? "soft" : "raw"));
            QStringList arguments{"--export",        path,
                                  "--wpm",           QString::number(p.c),
                                  "--effective-wpm", QString::number(p.s),
                                  "--tone",          QString::number(tone)};
            if (!soft)
                arguments << QStringLiteral("--raw-edges");
            arguments << text;
            QProcess zirvano;
            zirvano.start(program, arguments);
            zirvano.waitForFinished(600000);
            const std::optional<std::vector<float>> samples = readWave(path);
            const QString label = QStringLiteral("%1/%2").arg(p.c).arg(p.s);
            if (zirvano.exitCode() != 0 || !samples) {
                std::printf("%-7s %-5s export failed: %s\n", qPrintable(label),
                            soft ? "soft" : "raw", zirvano.readAllStandardError().constData());
                all = false;
                continue;
            }
            const std::vector<std::int16_t> carrier =
                ToneWave::Samples(tgSine, std::int16_t(tone), std::size_t(3.6 / p.c * Rate + 6000));
            const std::vector<marktiming::Mark> found = marktiming::measure(
                {samples->data(), std::int64_t(samples->size()), 1}, carrier, 1.0 / 32768);
            const marktiming::Comparison m = marktiming::compare(found, marks);
            all = all && m.within(2);
            std::printf("%-7s %-5s %3d/%-3d %9.3f %10.3f %10.3f %8s %s\n", qPrintable(label),
                        soft ? "soft" : "raw", m.aligned, m.expected, m.maxMarkError,
                        m.maxSpaceError, m.maxStartError, m.within(2) ? "yes" : "NO",
                        qPrintable(m.error));
            if (verbose)
                for (std::size_t i = 0; i < std::min(found.size(), marks.size()); ++i)
                    std::printf("    %4zu %12.3f %12.3f  nominal %14.3f %14.3f\n", i,
                                found[i].start, found[i].end, marks[i].start, marks[i].end);
            if (decoder && soft)
                decoded << QStringLiteral("%1  %2").arg(label, -6).arg(decode(path, p.c));
        }
    }
    if (decoder) {
        std::printf("\nmultimon-ng -a MORSE_CW -d <dot ms> reads (soft edges):\n");
        for (const QString &line : decoded)
            std::printf("%s\n", qPrintable(line));
    } else {
        std::printf("\n(sox or multimon-ng missing, or --no-decoder: no second opinion)\n");
    }
    if (keep)
        std::printf("\nfiles kept in %s\n", qPrintable(dir));
    std::printf("\n%s\n",
                all ? "every mark and space within 2 samples" : "NOT all within 2 samples");
    return all ? 0 : 1;
}
