#include "app/desenvolvedor.h"

#include "platform/links.h"

namespace Desenvolvedor {

namespace {
constexpr char Endereco[] = "kaltor@example.org";
} // namespace

QString Pagina()
{
    return QStringLiteral("https://kaltor.example.org/");
}

QByteArray EMail()
{
    return QByteArray("mailto:") + Endereco;
}

QString LegendaEMail()
{
    return QStringLiteral("EMail - ") + QLatin1String(Endereco);
}

void AbrePagina()
{
    platform::HlinkNavigateString(Pagina());
}

void EnviaEMail()
{
    platform::ShellExecuteOpen(EMail());
}

} // namespace Desenvolvedor
