#include "sending/sendingalphabet.h"

#include "morse/morsealphabet.h"

#include <QHash>

namespace sending::SendingAlphabet {

namespace {

// The prosigns a learner may send, each keyed as its letters run together.
// They come after the signs that share their patterns, so a pattern finds the
// sign first.
constexpr const char16_t *Prosigns[] = {u"<AR>", u"<SK>", u"<BT>", u"<KN>"};

QString prosignPattern(const QString &prosign)
{
    QString pattern;
    for (const QChar c : prosign.mid(1, prosign.size() - 2))
        pattern += QString::fromLatin1(MorseAlphabet::Pattern(c));
    return pattern;
}

struct Tables
{
    QHash<QString, QString> patternOf;
    QHash<QString, QString> signOf;
    QHash<QString, QString> prosignOf;
    QStringList all;
    Tables()
    {
        for (const QChar c : MorseAlphabet::Characters()) {
            const QString pattern = QString::fromLatin1(MorseAlphabet::Pattern(c));
            patternOf.insert(QString(c), pattern);
            signOf.insert(pattern, QString(c));
            all << QString(c);
        }
        for (const char16_t *p : Prosigns) {
            const QString prosign = QString::fromUtf16(p);
            patternOf.insert(prosign, prosignPattern(prosign));
            prosignOf.insert(prosignPattern(prosign), prosign);
            all << prosign;
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

QString pattern(const QString &token)
{
    return tables().patternOf.value(token.toUpper());
}

QString token(const QString &pattern, bool preferProsigns)
{
    const Tables &t = tables();
    if (preferProsigns) {
        if (const auto it = t.prosignOf.constFind(pattern); it != t.prosignOf.cend())
            return *it;
    }
    if (const auto it = t.signOf.constFind(pattern); it != t.signOf.cend())
        return *it;
    return t.prosignOf.value(pattern, Unknown);
}

QStringList tokens(const QString &text)
{
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            if (out.isEmpty() || out.constLast() != u" ")
                out << QStringLiteral(" ");
            ++i;
            continue;
        }
        if (c == u'<') {
            const qsizetype close = text.indexOf(u'>', i + 1);
            if (close > i + 1 && close - i <= 5) {
                const QString candidate = text.mid(i, close - i + 1).toUpper();
                if (tables().patternOf.contains(candidate)) {
                    out << candidate;
                    i = close + 1;
                    continue;
                }
            }
        }
        out << QString(c).toUpper();
        ++i;
    }
    return out;
}

bool sameKeying(const QString &a, const QString &b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    const QString pa = pattern(a);
    return !pa.isEmpty() && pa == pattern(b);
}

QStringList all()
{
    return tables().all;
}

} // namespace sending::SendingAlphabet
