#pragma once

// What the window tests read from the plays the sound observer reports: a
// tone's length, and the tokens a keyed text should give.

#include "morse/letras.h"
#include "platform/playsound.h"

#include <QStringList>
#include <QtEndian>

namespace tons {

// The length in ms of the PCM WAV image a play was handed (0 without one).
inline int Ms(const platform::SoundCall &c)
{
    if (c.image == nullptr || c.size < 44)
        return 0;
    const auto *h = static_cast<const uchar *>(c.image);
    return int(qFromLittleEndian<quint32>(h + 40) * 1000LL /
               qMax<quint32>(1, qFromLittleEndian<quint32>(h + 28)));
}

// One token per character, its pattern behind it ("A.-"); a word space is
// " ". The tokens are joined by '|'.
inline QString Esperado(const QString &chars)
{
    QStringList t;
    for (QChar c : chars)
        t << (c == u' ' ? QString(c) : c + QLatin1String(Letras::Padrao(uchar(c.unicode()))));
    return t.join(u'|');
}

} // namespace tons
