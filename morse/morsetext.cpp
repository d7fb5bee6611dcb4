#include "morse/morsetext.h"

#include "morse/morsealphabet.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

namespace {

bool isSpace(QStringView grapheme)
{
    for (const QChar c : grapheme)
        if (!c.isSpace())
            return false;
    return true;
}

// The one character a grapheme composes to ("E" and a combining acute are
// "É"), or a null QChar.
QChar composed(QStringView grapheme)
{
    if (grapheme.size() == 1)
        return grapheme.front();
    const QString n = grapheme.toString().normalized(QString::NormalizationForm_C);
    return n.size() == 1 ? n.front() : QChar();
}

// A character as the learner can read it in a message.
QString shown(const QString &grapheme)
{
    const char32_t first = grapheme.isEmpty() ? 0 : grapheme.toUcs4().front();
    if (grapheme.isEmpty() || !QChar::isPrint(first) || QChar::isSpace(first))
        return QStringLiteral("U+%1").arg(uint(first), 4, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('"') + grapheme + QLatin1Char('"');
}

} // namespace

MorseText MorseText::parse(QStringView text)
{
    MorseText r;
    if (text.size() > MaxLength) {
        r.fail(Error::TooLong, {}, MaxLength, MaxLength + 1);
        return r;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    qsizetype column = 0;
    bool space = false;
    bool angle = false; // inside <...>
    Symbol prosign;
    qsizetype angleColumn = 0;
    for (qsizetype end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        const QStringView g = text.mid(start, end - start);
        const qsizetype index = start;
        start = end;
        ++column;
        if (isSpace(g)) {
            if (angle)
                break;
            space = !r.mSymbols.isEmpty();
            continue;
        }
        const QChar c = composed(g);
        if (c == u'<' && !angle) {
            angle = true;
            angleColumn = column;
            prosign = Symbol{QStringLiteral("<"), {}, index, 0, space};
            continue;
        }
        if (c == u'>' && angle) {
            angle = false;
            if (prosign.pattern.isEmpty()) {
                r.fail(Error::EmptyProsign, QStringLiteral("<>"), prosign.index, angleColumn);
                return r;
            }
            prosign.text += u'>';
            prosign.length = end - prosign.index;
            r.mSymbols.append(prosign);
            space = false;
            continue;
        }
        const QByteArray pattern = c.isNull() ? QByteArray() : MorseAlphabet::Pattern(c);
        if (pattern.isEmpty()) {
            if (angle && c == u'<')
                break;
            r.fail(Error::Unknown, g.toString(), index, column);
            return r;
        }
        if (angle) {
            prosign.text += c.toUpper();
            prosign.pattern += pattern;
            continue;
        }
        r.mSymbols.append(Symbol{QString(c.toUpper()), pattern, index, g.size(), space});
        space = false;
    }
    if (angle)
        r.fail(Error::UnclosedAngle, QStringLiteral("<"), prosign.index, angleColumn);
    else if (r.mSymbols.isEmpty())
        r.fail(Error::Empty, {}, -1, 0);
    return r;
}

void MorseText::fail(Error error, QString text, qsizetype index, qsizetype column)
{
    mSymbols.clear();
    mError = error;
    mErrorText = std::move(text);
    mErrorIndex = index;
    mErrorColumn = column;
}

QString MorseText::errorMessage() const
{
    switch (mError) {
    case Error::None:
        return {};
    case Error::Empty:
        return QCoreApplication::translate("MorseText", "There is nothing to key.");
    case Error::TooLong:
        return QCoreApplication::translate("MorseText",
                                           "The text is too long: at most %1 characters.")
            .arg(MaxLength);
    case Error::Unknown:
        return QCoreApplication::translate("MorseText", "Character %1, %2, has no Morse code.")
            .arg(mErrorColumn)
            .arg(shown(mErrorText));
    case Error::UnclosedAngle:
        return QCoreApplication::translate(
                   "MorseText", "The \"<\" at character %1 has no \">\" in the same word.")
            .arg(mErrorColumn);
    case Error::EmptyProsign:
        return QCoreApplication::translate("MorseText",
                                           "The \"<>\" at character %1 holds no characters.")
            .arg(mErrorColumn);
    }
    return {};
}
