#pragma once

#include "sound/tgerasom.h"

#include <QString>
#include <QStringList>

class QTextStream;

// The program's command line: what to start, or what to do without a window.
//
//   zirvano                     the main window
//   zirvano --course            the practice window at its course page
//   zirvano --send              the practice window at its Send page
//   zirvano --export FILE.wav [--wpm C] [--effective-wpm S] [--tone HZ]
//           [--extra-word-gap SECONDS] [--waveform NAME] [--raw-edges] TEXT...
//                               TEXT keyed into a WAV file, no window, no display
//   zirvano --export-record FILE.csv
//                               the learner's record as CSV, no window
//   zirvano --help | --version
//
// Qt's own options for the windows (-platform, -style, ...) pass through.
// Bad arguments give a message and status 2.
class CommandLine
{
public:
    enum class Action
    {
        Window,       // the main window
        Course,       // the practice window, course page
        Send,         // the practice window, Send page
        Export,       // text to a WAV file
        ExportRecord, // the record to a CSV file
        Help,
        Version,
        Error,
    };

    // The ranges the export accepts. Character speeds are PARIS words per
    // minute; below about 5 the characters themselves drag, above 60 few
    // ears follow. Effective speeds stretch the gaps down to 4.
    static constexpr int MinWpm = 5;
    static constexpr int MaxWpm = 60;
    static constexpr int DefaultWpm = 20;
    static constexpr int MinEffectiveWpm = 4;
    static constexpr int MinTone = 20;
    static constexpr int MaxTone = 3000;
    static constexpr int DefaultTone = 700;
    static constexpr double MaxExtraWordGap = 2; // seconds

    static constexpr int Success = 0;
    static constexpr int Failure = 1;  // a file that could not be written
    static constexpr int BadUsage = 2; // bad options or text

    struct ExportRequest
    {
        QString file;
        int wpm = DefaultWpm;
        int effectiveWpm = DefaultWpm;
        int tone = DefaultTone;  // Hz
        double extraWordGap = 0; // seconds added to every word gap
        TTGWave waveform = tgSine;
        bool softEdges = true;
        QString text; // the positional arguments joined by single spaces
    };

    // Reads arguments as QCoreApplication::arguments() gives them, the
    // program's name first.
    explicit CommandLine(const QStringList &arguments);

    Action action() const { return mAction; }
    const ExportRequest &exportRequest() const { return mExport; }
    QString recordFile() const { return mRecordFile; } // --export-record
    QString error() const { return mError; }           // for Action::Error
    QString helpText() const { return mHelp; }

    // Does what needs no window: Help and Version (to out), Error (to err,
    // status 2), Export (a write that fails: to err, status 1). Returns the
    // exit status; for the other actions, which main() dispatches, nothing
    // and 0.
    int run(QTextStream &out, QTextStream &err) const;

private:
    void read(const QStringList &arguments);
    void fail(const QString &message);
    int runExport(QTextStream &err) const;

    Action mAction = Action::Window;
    ExportRequest mExport;
    QString mRecordFile;
    QString mError;
    QString mHelp;
    QString mVersion;
};
