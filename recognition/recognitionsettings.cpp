#include "recognition/recognitionsettings.h"

#include "app/escolhaidioma.h"
#include "platform/settingsstore.h"

namespace recognition {
namespace {

const QString CharWpm = QStringLiteral("ReconhecimentoVelocidade");
const QString Threshold = QStringLiteral("ReconhecimentoLimiar");
const QString RunLength = QStringLiteral("ReconhecimentoCaracteres");
const QString Reaction = QStringLiteral("ReconhecimentoReacao");

bool Read(const platform::SettingsStore &store, const QString &name, int low, int high, int &value)
{
    try {
        if (!store.ValueExists(name))
            return false;
        const int read = store.ReadInteger(name);
        if (read < low || read > high)
            return false;
        value = read;
        return true;
    } catch (const platform::SettingsError &) {
        return false;
    }
}

} // namespace

RecognitionSettings RecognitionSettings::load()
{
    RecognitionSettings s;
    platform::SettingsStore store;
    if (!store.OpenKey(EscolhaIdioma::ChaveRegistro, false))
        return s;
    Read(store, CharWpm, MinCharWpm, MaxCharWpm, s.charWpm);
    Read(store, Threshold, MinThresholdMs, MaxThresholdMs, s.thresholdMs);
    Read(store, RunLength, MinRunLength, MaxRunLength, s.runLength);
    Read(store, Reaction, -1, MaxReactionMs, s.reactionMs);
    return s;
}

void RecognitionSettings::save() const
{
    platform::SettingsStore store;
    store.OpenKey(EscolhaIdioma::ChaveRegistro, true);
    // Each write saves the file: only what changed is written.
    auto write = [&store](const QString &name, int value) {
        int stored = 0;
        if (!Read(store, name, value, value, stored))
            store.WriteInteger(name, value);
    };
    write(CharWpm, charWpm);
    write(Threshold, thresholdMs);
    write(RunLength, runLength);
    write(Reaction, reactionMs);
    store.CloseKey();
}

} // namespace recognition
