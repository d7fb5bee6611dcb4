#include "sendpage/sendsettings.h"

#include "app/escolhaidioma.h"
#include "platform/settingsstore.h"

#include <functional>

namespace sending {
namespace {

const QString KeyName = QStringLiteral("EnvioChave");
const QString Paddles = QStringLiteral("EnvioPalhetas");
const QString ModeB = QStringLiteral("EnvioModoB");
const QString KeyerWpm = QStringLiteral("EnvioVelocidade");
const QString StraightLine = QStringLiteral("EnvioLinha");
const QString DotLine = QStringLiteral("EnvioLinhaPonto");
const QString DashLine = QStringLiteral("EnvioLinhaTraco");
const QString PromptName = QStringLiteral("EnvioTexto");
const QString LastWpm = QStringLiteral("EnvioUltimaVelocidade");
// The store keeps integers only: a text is its length under the name, then
// each UTF-16 unit under the name + its place from 1.
const QString Port = QStringLiteral("EnvioPorta");
const QString Callsign = QStringLiteral("EnvioIndicativo");

int Read(const platform::SettingsStore &store, const QString &name, int fallback,
         const std::function<bool(int)> &ok)
{
    try {
        if (!store.ValueExists(name))
            return fallback;
        const int value = store.ReadInteger(name);
        return ok(value) ? value : fallback;
    } catch (const platform::SettingsError &) {
        return fallback;
    }
}

std::function<bool(int)> Between(int low, int high)
{
    return [low, high](int v) { return v >= low && v <= high; };
}

bool IsLine(int v)
{
    return v == SerialLines::Cts || v == SerialLines::Dsr || v == SerialLines::Dcd;
}

QString ReadText(const platform::SettingsStore &store, const QString &name)
{
    const int length = Read(store, name, 0, Between(0, SendSettings::MaxText));
    QString text;
    for (int i = 1; i <= length; ++i) {
        const int unit = Read(store, name + QString::number(i), -1, Between(1, 0xFFFF));
        if (unit < 0)
            return {};
        text.append(QChar(char16_t(unit)));
    }
    return text;
}

} // namespace

SendSettings SendSettings::load()
{
    SendSettings s;
    const SendSettings d;
    platform::SettingsStore store;
    if (!store.OpenKey(EscolhaIdioma::ChaveRegistro, false))
        return s;
    s.key = Key(Read(store, KeyName, int(d.key), Between(0, int(Key::SerialPaddles))));
    s.paddles = PaddlePair(Read(store, Paddles, int(d.paddles), Between(0, 1)));
    s.modeB = Read(store, ModeB, d.modeB, Between(0, 1)) != 0;
    s.keyerWpm = Read(store, KeyerWpm, d.keyerWpm, Between(MinWpm, MaxWpm));
    s.straightLine = SerialLines::Line(Read(store, StraightLine, d.straightLine, IsLine));
    s.dotLine = SerialLines::Line(Read(store, DotLine, d.dotLine, IsLine));
    s.dashLine = SerialLines::Line(Read(store, DashLine, d.dashLine, IsLine));
    s.prompt = SendSettings::Prompt(Read(store, PromptName, int(d.prompt), Between(0, 2)));
    s.lastWpm = Read(store, LastWpm, d.lastWpm, Between(5, 60));
    s.port = ReadText(store, Port);
    s.callsign = ReadText(store, Callsign);
    return s;
}

void SendSettings::save() const
{
    platform::SettingsStore store;
    store.OpenKey(EscolhaIdioma::ChaveRegistro, true);
    // Each write saves the file: only what changed is written.
    auto write = [&store](const QString &name, int value) {
        if (Read(store, name, value + 1, [](int) { return true; }) != value)
            store.WriteInteger(name, value);
    };
    auto writeText = [&write](const QString &name, const QString &text) {
        const QString kept = text.left(MaxText);
        for (qsizetype i = 0; i < kept.size(); ++i)
            write(name + QString::number(i + 1), kept.at(i).unicode());
        write(name, int(kept.size()));
    };
    write(KeyName, int(key));
    write(Paddles, int(paddles));
    write(ModeB, modeB ? 1 : 0);
    write(KeyerWpm, keyerWpm);
    write(StraightLine, int(straightLine));
    write(DotLine, int(dotLine));
    write(DashLine, int(dashLine));
    write(PromptName, int(prompt));
    write(LastWpm, lastWpm);
    writeText(Port, port);
    writeText(Callsign, callsign);
    store.CloseKey();
}

} // namespace sending
