#include "bench/stream.h"

#include "sound/tgerasom.h"

#include <QFile>
#include <cstring>

namespace stream {

std::vector<float> read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    std::vector<float> s(std::size_t(bytes.size()) / (2 * sizeof(float)) * 2);
    std::memcpy(s.data(), bytes.constData(), s.size() * sizeof(float));
    return s;
}

std::vector<Region> regions(const std::vector<float> &s)
{
    std::vector<Region> found;
    const std::int64_t frames = std::int64_t(s.size() / 2);
    for (std::int64_t f = 0; f < frames; ++f) {
        if (s[std::size_t(2 * f)] == 0 && s[std::size_t(2 * f + 1)] == 0)
            continue;
        if (!found.empty() && f - found.back().last <= MergeFrames)
            found.back().last = f;
        else
            found.push_back({f, f});
    }
    return found;
}

Tone tone(TGeraSom &g, int ms)
{
    Tone t;
    if (g.Resolution() != tg16Bit || g.Quality() != tgHiQ)
        return t;
    g.SetDuration(static_cast<std::int16_t>(ms));
    if (!g.Prepare())
        return t;
    const std::size_t n = (g.DataSize() - 48) / 2;
    for (std::size_t i = 0; i < n; ++i) {
        std::int16_t s;
        std::memcpy(&s, g.Data() + 44 + 2 * i, 2);
        t.samples.push_back(float(s) / 32768.0f);
    }
    while (t.leadingZeros < int(n) && t.samples[std::size_t(t.leadingZeros)] == 0)
        ++t.leadingZeros;
    while (t.trailingZeros < int(n) && t.samples[n - 1 - std::size_t(t.trailingZeros)] == 0)
        ++t.trailingZeros;
    return t;
}

} // namespace stream
