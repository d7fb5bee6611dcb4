#include "sending/promptgenerator.h"

#include "sending/sendingalphabet.h"

#include <QSet>

namespace sending {

PromptGenerator::PromptGenerator() : m_random(QRandomGenerator::system()->generate()) {}

PromptGenerator::PromptGenerator(quint32 seed) : m_random(seed) {}

QStringList PromptGenerator::usable(const QStringList &characters)
{
    QStringList out;
    for (const QString &entry : characters) {
        for (const QString &token : SendingAlphabet::tokens(entry)) {
            if (!SendingAlphabet::pattern(token).isEmpty() && !out.contains(token))
                out << token;
        }
    }
    return out;
}

QString PromptGenerator::characters(const QStringList &characters, int count, int groupLength)
{
    const QStringList set = usable(characters);
    if (set.isEmpty() || count <= 0 || groupLength <= 0)
        return {};
    QStringList groups;
    for (int g = 0; g < count; ++g) {
        QString group;
        for (int i = 0; i < groupLength; ++i)
            group += set.at(m_random.bounded(int(set.size())));
        groups << group;
    }
    return groups.join(u' ');
}

QString PromptGenerator::words(const QStringList &characters, int count, const QStringList &words)
{
    const QStringList set = usable(characters);
    if (set.isEmpty() || count <= 0)
        return {};
    const QSet<QString> allowed(set.cbegin(), set.cend());
    QStringList fit;
    for (const QString &word : words.isEmpty() ? builtInWords() : words) {
        const QStringList tokens = SendingAlphabet::tokens(word.trimmed());
        if (tokens.isEmpty())
            continue;
        bool ok = true;
        for (const QString &t : tokens)
            ok = ok && allowed.contains(t);
        if (ok)
            fit << tokens.join(QString());
    }
    QStringList out;
    for (int w = 0; w < count; ++w) {
        if (!fit.isEmpty()) {
            out << fit.at(m_random.bounded(int(fit.size())));
            continue;
        }
        QString group;
        const int length = 2 + int(m_random.bounded(4));
        for (int i = 0; i < length; ++i)
            group += set.at(m_random.bounded(int(set.size())));
        out << group;
    }
    return out.join(u' ');
}

QString PromptGenerator::callsign(const QString &call, int repeats) const
{
    const QStringList tokens = SendingAlphabet::tokens(call.trimmed());
    if (tokens.isEmpty() || repeats <= 0)
        return {};
    for (const QString &t : tokens) {
        if (SendingAlphabet::pattern(t).isEmpty())
            return {};
    }
    QStringList out;
    for (int i = 0; i < repeats; ++i)
        out << tokens.join(QString());
    return out.join(u' ');
}

QStringList PromptGenerator::builtInWords()
{
    return {
        QStringLiteral("A"),    QStringLiteral("AM"),    QStringLiteral("AN"),
        QStringLiteral("ANT"),  QStringLiteral("AS"),    QStringLiteral("AT"),
        QStringLiteral("BK"),   QStringLiteral("CQ"),    QStringLiteral("CU"),
        QStringLiteral("DE"),   QStringLiteral("DX"),    QStringLiteral("ES"),
        QStringLiteral("FB"),   QStringLiteral("FER"),   QStringLiteral("GA"),
        QStringLiteral("GE"),   QStringLiteral("GM"),    QStringLiteral("GN"),
        QStringLiteral("GUD"),  QStringLiteral("HI"),    QStringLiteral("HR"),
        QStringLiteral("HW"),   QStringLiteral("IS"),    QStringLiteral("IT"),
        QStringLiteral("KEY"),  QStringLiteral("MNI"),   QStringLiteral("NAME"),
        QStringLiteral("NO"),   QStringLiteral("NR"),    QStringLiteral("OK"),
        QStringLiteral("OM"),   QStringLiteral("ON"),    QStringLiteral("OP"),
        QStringLiteral("PSE"),  QStringLiteral("PWR"),   QStringLiteral("QRL"),
        QStringLiteral("QRM"),  QStringLiteral("QRS"),   QStringLiteral("QRZ"),
        QStringLiteral("QSL"),  QStringLiteral("QSO"),   QStringLiteral("QTH"),
        QStringLiteral("R"),    QStringLiteral("RIG"),   QStringLiteral("RST"),
        QStringLiteral("SIG"),  QStringLiteral("SO"),    QStringLiteral("SRI"),
        QStringLiteral("TEST"), QStringLiteral("TNX"),   QStringLiteral("TO"),
        QStringLiteral("TU"),   QStringLiteral("UR"),    QStringLiteral("WX"),
        QStringLiteral("73"),   QStringLiteral("599"),   QStringLiteral("5NN"),
        QStringLiteral("EAT"),  QStringLiteral("TEA"),   QStringLiteral("SEA"),
        QStringLiteral("SET"),  QStringLiteral("SIT"),   QStringLiteral("TEN"),
        QStringLiteral("NET"),  QStringLiteral("MAN"),   QStringLiteral("RAIN"),
        QStringLiteral("STAR"), QStringLiteral("MORSE"), QStringLiteral("RADIO"),
        QStringLiteral("WAVE"), QStringLiteral("TONE"),  QStringLiteral("SEND"),
    };
}

} // namespace sending
