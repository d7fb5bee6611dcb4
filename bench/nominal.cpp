#include "bench/nominal.h"

#include "morse/letras.h"

namespace nominal {

std::vector<Element> rhythm(const QByteArray &text, int u)
{
    std::vector<Element> r;
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == ' ') {
            if (!r.empty())
                r.back().spaceMs += 25 * u;
            continue;
        }
        const char *pattern = Letras::Padrao(c);
        if (pattern == nullptr)
            continue;
        for (const char *e = pattern; *e != '\0'; ++e)
            r.push_back({c, *e == '-', *e == '-' ? 15 * u : 5 * u, e[1] != '\0' ? 5 * u : 25 * u});
    }
    return r;
}

} // namespace nominal
