#include "app/bordassuaves.h"

#include "app/escolhaidioma.h"
#include "platform/settingsstore.h"
#include "platform/sounddevice.h"

namespace BordasSuaves {

bool Le()
{
    try {
        platform::SettingsStore chave;
        if (!chave.OpenKey(EscolhaIdioma::ChaveRegistro, false) || !chave.ValueExists(ValorBordas))
            return true;
        return chave.ReadInteger(ValorBordas) != 0;
    } catch (const platform::SettingsError &) {
        return true;
    }
}

void Grava(bool ligadas)
{
    platform::SettingsStore chave;
    chave.OpenKey(EscolhaIdioma::ChaveRegistro, true);
    chave.WriteInteger(ValorBordas, ligadas ? 1 : 0);
    chave.CloseKey();
}

void Aplica(bool ligadas)
{
    platform::SoundDevice::instance().setSoftEdges(ligadas);
}

} // namespace BordasSuaves
