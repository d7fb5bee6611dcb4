#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A text read as what a keyer sends: characters, prosigns written in angle
// brackets (<AR>, <SK>, <BT>, <KN>, any run of characters sent as one) and
// word spaces. Letters may be in either case; any run of white space
// separates two words, and white space at either end is ignored.
class MorseText
{
public:
    // Longer texts are refused: at every speed they key for hours, beyond
    // what a WAV file holds, and their symbols would take a lot of memory.
    static constexpr qsizetype MaxLength = 100000;

    struct Symbol
    {
        QString text;           // upper case, as the learner reads it: "K", "<AR>"
        QByteArray pattern;     // '.' dot, '-' dash; a prosign's characters run together
        qsizetype index = 0;    // where it starts in the text given, in UTF-16 units
        qsizetype length = 0;   // its UTF-16 units there
        bool wordStart = false; // a word space comes before it
    };

    enum class Error
    {
        None,
        Empty,         // nothing to key
        TooLong,       // more than MaxLength UTF-16 units
        Unknown,       // a character without a pattern
        UnclosedAngle, // '<' without its '>' in the same word
        EmptyProsign,  // "<>"
    };

    // Parses text; never fails but through error().
    static MorseText parse(QStringView text);

    bool ok() const { return mError == Error::None; }
    Error error() const { return mError; }
    // The character at fault as written ('<' for an angle left open), and
    // where: its UTF-16 index in the text and its user-visible position
    // (1 for the first character).
    QString errorText() const { return mErrorText; }
    qsizetype errorIndex() const { return mErrorIndex; }
    qsizetype errorColumn() const { return mErrorColumn; }
    // What went wrong, for the learner, translated in the "MorseText" context.
    QString errorMessage() const;

    const QList<Symbol> &symbols() const { return mSymbols; }

private:
    void fail(Error error, QString text, qsizetype index, qsizetype column);

    QList<Symbol> mSymbols;
    Error mError = Error::None;
    QString mErrorText;
    qsizetype mErrorIndex = -1;
    qsizetype mErrorColumn = 0;
};
