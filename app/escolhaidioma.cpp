#include "app/escolhaidioma.h"

#include "app/fimporsinal.h"
#include "app/tfidioma.h"
#include "platform/settingsstore.h"
#include "text/idioma.h"

namespace EscolhaIdioma {

namespace {

// -1 (no choice) and hand-edited values select no texts: take Portuguese.
void normaliza(int &NumIdioma)
{
    if (!Idioma::Valido(NumIdioma))
        NumIdioma = Idioma::Portugues;
}

// Runs passo and leaves NumIdioma usable whether it returns or raises.
template <class F> void comIdiomaValido(int &NumIdioma, F &&passo)
{
    try {
        passo();
    } catch (...) {
        normaliza(NumIdioma);
        throw;
    }
    normaliza(NumIdioma);
}

} // namespace

int MostraIdioma(QWidget *parent)
{
    TFIdioma janela(parent);
    janela.exec();
    return janela.ItemIndex();
}

void IdiomaInicial(int &NumIdioma)
{
    comIdiomaValido(NumIdioma, [&NumIdioma] {
        platform::SettingsStore chave;
        // A key that cannot be opened counts as missing: this is a first start.
        if (!chave.OpenKey(ChaveRegistro, false)) {
            NumIdioma = MostraIdioma(nullptr);
            // A window ended by SIGINT or SIGTERM made no choice: the next
            // start asks again.
            if (FimPorSinal::Sinal() != 0)
                return;
            chave.OpenKey(ChaveRegistro, true);
            if (Idioma::Valido(NumIdioma))
                chave.WriteInteger(ValorIdioma, NumIdioma);
        }
        if (chave.ValueExists(ValorIdioma)) {
            // An unreadable value must not leave a language half taken over.
            NumIdioma = Idioma::Portugues;
            NumIdioma = chave.ReadInteger(ValorIdioma);
        }
        chave.CloseKey();
    });
}

void EscolheIdioma(int &NumIdioma, QWidget *parent)
{
    NumIdioma = MostraIdioma(parent);
    comIdiomaValido(NumIdioma, [&NumIdioma] {
        if (FimPorSinal::Sinal() != 0)
            return;
        platform::SettingsStore chave;
        chave.OpenKey(ChaveRegistro, true);
        if (Idioma::Valido(NumIdioma))
            chave.WriteInteger(ValorIdioma, NumIdioma);
        chave.CloseKey();
    });
}

} // namespace EscolhaIdioma
