#include "sending/sendingresult.h"

namespace sending {

QList<record::Answer> SendingResult::answers(const QDateTime &when) const
{
    QList<record::Answer> out;
    for (const Character &c : characters) {
        if (c.prompted.isEmpty())
            continue;
        record::Answer a;
        a.when = when.toUTC();
        a.kind = record::Kind::Sending;
        a.sent = c.prompted;
        a.answered = c.decoded;
        a.right = c.right;
        a.charWpm = c.wpm > 0 ? c.wpm : wpm;
        a.effectiveWpm = wpm;
        out << a;
    }
    return out;
}

} // namespace sending
