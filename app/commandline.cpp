#include "app/commandline.h"

#include "morse/morserenderer.h"
#include "morse/morsetext.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

const QString Program = QStringLiteral("zirvano");

QString t(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

struct Waveform
{
    const char *name;
    TTGWave wave;
};
constexpr Waveform Waveforms[] = {
    {"sine", tgSine}, {"square", tgSquare}, {"triangle", tgTriangle}, {"sawtooth", tgSawtooth}};

// Qt's options for windows, with a value and without: the window path hands
// them on to QApplication.
const char *const QtValueOptions[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "style",           "stylesheet",         "display",       "geometry",
    "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "session",
    "qmljsdebugger",   "widgetcount"};
const char *const QtFlagOptions[] = {"reverse", "nograb", "dograb", "sync"};

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    read(arguments);
}

void CommandLine::read(const QStringList &arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(
        t("A Morse code trainer. Without options it opens the main window.\n"
          "Speeds are PARIS words per minute (\"PARIS \" is 50 dots)."));
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = p.addHelpOption();
    const QCommandLineOption version = p.addVersionOption();
    const QCommandLineOption course(QStringLiteral("course"),
                                    t("Open the practice window at its course page."));
    const QCommandLineOption send(QStringLiteral("send"),
                                  t("Open the practice window at its Send page."));
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        t("Key TEXT into FILE.wav (16-bit mono PCM, 96000 Hz) and exit, without a window."),
        QStringLiteral("FILE.wav"));
    const QCommandLineOption wpm(QStringLiteral("wpm"),
                                 t("Character speed of the export: %1 to %2 (default %3).")
                                     .arg(MinWpm)
                                     .arg(MaxWpm)
                                     .arg(DefaultWpm),
                                 QStringLiteral("C"));
    const QCommandLineOption effective(
        QStringLiteral("effective-wpm"),
        t("Effective speed of the export, gaps stretched by Farnsworth timing: %1 up to the "
          "character speed (default: the character speed).")
            .arg(MinEffectiveWpm),
        QStringLiteral("S"));
    const QCommandLineOption tone(QStringLiteral("tone"),
                                  t("Tone of the export in Hz: %1 to %2 (default %3).")
                                      .arg(MinTone)
                                      .arg(MaxTone)
                                      .arg(DefaultTone),
                                  QStringLiteral("HZ"));
    const QCommandLineOption extra(
        QStringLiteral("extra-word-gap"),
        t("Seconds added to every gap between words of the export: 0 to %1 (default 0).")
            .arg(MaxExtraWordGap),
        QStringLiteral("SECONDS"));
    const QCommandLineOption waveform(
        QStringLiteral("waveform"),
        t("Waveform of the export: sine, square, triangle or sawtooth (default sine)."),
        QStringLiteral("NAME"));
    const QCommandLineOption raw(QStringLiteral("raw-edges"),
                                 t("Export tones with raw edges instead of soft 6 ms slopes."));
    const QCommandLineOption record(
        QStringLiteral("export-record"),
        t("Write the learner's record to FILE.csv and exit, without a window."),
        QStringLiteral("FILE.csv"));
    for (const QCommandLineOption &o :
         {course, send, exportTo, wpm, effective, tone, extra, waveform, raw, record})
        p.addOption(o);
    for (const char *name : QtValueOptions) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        p.addOption(o);
    }
    for (const char *name : QtFlagOptions) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        p.addOption(o);
    }
    p.addPositionalArgument(
        QStringLiteral("TEXT"),
        t("The text to export: letters, digits, . , ? / = + - and Ç É Ã; prosigns in angle "
          "brackets (<AR> <SK> <BT> <KN>); spaces separate words."),
        QStringLiteral("[TEXT...]"));

    mHelp = p.helpText();
    mVersion = QCoreApplication::applicationName() + QLatin1Char(' ') +
               QCoreApplication::applicationVersion() + QLatin1Char('\n');
    if (!p.parse(arguments))
        return fail(p.errorText());
    if (p.isSet(help)) {
        mAction = Action::Help;
        return;
    }
    if (p.isSet(version)) {
        mAction = Action::Version;
        return;
    }

    int actions = 0;
    for (const QCommandLineOption &o : {course, send, exportTo, record})
        actions += p.isSet(o) ? 1 : 0;
    if (actions > 1)
        return fail(t("Choose one of --course, --send, --export and --export-record."));
    if (!p.isSet(exportTo)) {
        for (const QCommandLineOption &o : {wpm, effective, tone, extra, waveform, raw})
            if (p.isSet(o))
                return fail(t("--%1 goes with --export.").arg(o.names().constFirst()));
        if (!p.positionalArguments().isEmpty())
            return fail(t("Unexpected argument \"%1\": a text goes with --export.")
                            .arg(p.positionalArguments().constFirst()));
    }
    if (p.isSet(course))
        mAction = Action::Course;
    if (p.isSet(send))
        mAction = Action::Send;
    if (p.isSet(record)) {
        mRecordFile = p.value(record);
        if (mRecordFile.isEmpty())
            return fail(t("--export-record needs a file name."));
        mAction = Action::ExportRecord;
    }
    if (!p.isSet(exportTo))
        return;

    ExportRequest &e = mExport;
    e.file = p.value(exportTo);
    if (e.file.isEmpty())
        return fail(t("--export needs a file name."));
    const auto whole = [&](const QCommandLineOption &o, int lo, int hi, int &value) {
        if (!p.isSet(o))
            return true;
        bool ok = false;
        const int v = p.value(o).toInt(&ok);
        if (!ok || v < lo || v > hi) {
            fail(t("--%1 takes a whole number from %2 to %3, not \"%4\".")
                     .arg(o.names().constFirst())
                     .arg(lo)
                     .arg(hi)
                     .arg(p.value(o)));
            return false;
        }
        value = v;
        return true;
    };
    if (!whole(wpm, MinWpm, MaxWpm, e.wpm))
        return;
    e.effectiveWpm = e.wpm;
    if (!whole(effective, MinEffectiveWpm, e.wpm, e.effectiveWpm) ||
        !whole(tone, MinTone, MaxTone, e.tone))
        return;
    if (p.isSet(extra)) {
        bool ok = false;
        e.extraWordGap = p.value(extra).toDouble(&ok);
        if (!ok || !(e.extraWordGap >= 0 && e.extraWordGap <= MaxExtraWordGap))
            return fail(t("--extra-word-gap takes seconds from 0 to %1, not \"%2\".")
                            .arg(MaxExtraWordGap)
                            .arg(p.value(extra)));
    }
    if (p.isSet(waveform)) {
        const QString name = p.value(waveform).toLower();
        const auto *w =
            std::find_if(std::begin(Waveforms), std::end(Waveforms),
                         [&](const Waveform &k) { return name == QLatin1String(k.name); });
        if (w == std::end(Waveforms))
            return fail(t("--waveform takes sine, square, triangle or sawtooth, not \"%1\".")
                            .arg(p.value(waveform)));
        e.waveform = w->wave;
    }
    e.softEdges = !p.isSet(raw);
    e.text = p.positionalArguments().join(QLatin1Char(' '));
    const MorseText text = MorseText::parse(e.text);
    if (!text.ok())
        return fail(text.error() == MorseText::Error::Empty
                        ? t("--export needs a text to key.")
                        : t("Cannot key the text: %1").arg(text.errorMessage()));
    mAction = Action::Export;
}

void CommandLine::fail(const QString &message)
{
    mAction = Action::Error;
    mError = message;
}

int CommandLine::run(QTextStream &out, QTextStream &err) const
{
    switch (mAction) {
    case Action::Help:
        out << mHelp;
        return Success;
    case Action::Version:
        out << mVersion;
        return Success;
    case Action::Error:
        err << Program << ": " << mError << '\n' << t("Try \"%1 --help\".").arg(Program) << '\n';
        return BadUsage;
    case Action::Export:
        return runExport(err);
    default:
        return Success;
    }
}

int CommandLine::runExport(QTextStream &err) const
{
    const ExportRequest &e = mExport;
    MorseRenderer renderer(MorseTiming(e.wpm, e.effectiveWpm, e.extraWordGap), e.tone, e.waveform,
                           e.softEdges);
    QString error;
    if (renderer.writeWave(MorseText::parse(e.text), e.file, &error))
        return Success;
    err << Program << ": " << error << '\n';
    return Failure;
}
