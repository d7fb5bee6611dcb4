#include "record/answer.h"

#include <array>
#include <utility>

namespace record {

namespace {

constexpr std::array<std::pair<Kind, const char *>, 5> Names{{
    {Kind::Course, "course"},
    {Kind::Reception, "reception"},
    {Kind::Drill, "drill"},
    {Kind::Recognition, "recognition"},
    {Kind::Sending, "sending"},
}};

} // namespace

QString kindName(Kind kind)
{
    for (const auto &[k, name] : Names) {
        if (k == kind)
            return QString::fromLatin1(name);
    }
    return {};
}

std::optional<Kind> kindFromName(QStringView name)
{
    for (const auto &[k, n] : Names) {
        if (name == QLatin1String(n))
            return k;
    }
    return std::nullopt;
}

} // namespace record
