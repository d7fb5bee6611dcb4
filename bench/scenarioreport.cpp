#include "bench/scenarioreport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

bool ScenarioReport::save(const QString &path) const
{
    QJsonArray volumeWords;
    for (const std::uint32_t v : volumes)
        volumeWords.append(qint64(v));
    QJsonArray calls;
    for (const double t : callsMs)
        calls.append(t);
    QJsonArray chainBreaks;
    for (const int b : breaks)
        chainBreaks.append(b);
    const QJsonObject o{
        {QStringLiteral("scenario"), scenario},
        {QStringLiteral("unit"), unit},
        {QStringLiteral("text"), QString::fromLatin1(text)},
        {QStringLiteral("frequency"), frequency},
        {QStringLiteral("waveform"), waveform},
        {QStringLiteral("resolution"), resolution},
        {QStringLiteral("quality"), quality},
        {QStringLiteral("volumes"), volumeWords},
        {QStringLiteral("callsMs"), calls},
        {QStringLiteral("breaks"), chainBreaks},
        {QStringLiteral("rate"), rate},
        {QStringLiteral("bufferFrames"), bufferFrames},
        {QStringLiteral("tones"), tones},
        {QStringLiteral("lateTones"), lateTones},
        {QStringLiteral("meanLatencyMs"), meanLatencyMs},
        {QStringLiteral("minLatencyMs"), minLatencyMs},
        {QStringLiteral("maxLatencyMs"), maxLatencyMs},
        {QStringLiteral("maxCallbackGapMs"), maxCallbackGapMs},
        {QStringLiteral("underruns"), underruns},
        {QStringLiteral("realtime"), realtime},
        {QStringLiteral("error"), error},
    };
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(QJsonDocument(o).toJson()) > 0;
}

ScenarioReport ScenarioReport::load(const QString &path)
{
    ScenarioReport r;
    QFile f(path);
    const QJsonDocument d =
        f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()) : QJsonDocument();
    if (!d.isObject()) {
        r.error = QStringLiteral("no report in %1").arg(path);
        return r;
    }
    const QJsonObject o = d.object();
    r.scenario = o.value(QStringLiteral("scenario")).toString();
    r.unit = o.value(QStringLiteral("unit")).toInt();
    r.text = o.value(QStringLiteral("text")).toString().toLatin1();
    r.frequency = o.value(QStringLiteral("frequency")).toInt();
    r.waveform = o.value(QStringLiteral("waveform")).toInt();
    r.resolution = o.value(QStringLiteral("resolution")).toInt();
    r.quality = o.value(QStringLiteral("quality")).toInt();
    for (const QJsonValue v : o.value(QStringLiteral("volumes")).toArray())
        r.volumes.push_back(std::uint32_t(v.toInteger()));
    for (const QJsonValue v : o.value(QStringLiteral("callsMs")).toArray())
        r.callsMs.push_back(v.toDouble());
    for (const QJsonValue v : o.value(QStringLiteral("breaks")).toArray())
        r.breaks.push_back(v.toInt());
    r.rate = o.value(QStringLiteral("rate")).toInt();
    r.bufferFrames = o.value(QStringLiteral("bufferFrames")).toInt();
    r.tones = o.value(QStringLiteral("tones")).toInt();
    r.lateTones = o.value(QStringLiteral("lateTones")).toInt();
    r.meanLatencyMs = o.value(QStringLiteral("meanLatencyMs")).toDouble();
    r.minLatencyMs = o.value(QStringLiteral("minLatencyMs")).toDouble();
    r.maxLatencyMs = o.value(QStringLiteral("maxLatencyMs")).toDouble();
    r.maxCallbackGapMs = o.value(QStringLiteral("maxCallbackGapMs")).toDouble();
    r.underruns = o.value(QStringLiteral("underruns")).toInt();
    r.realtime = o.value(QStringLiteral("realtime")).toBool();
    r.error = o.value(QStringLiteral("error")).toString();
    return r;
}
