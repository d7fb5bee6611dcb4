#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <limits>

namespace platform {

namespace {

[[noreturn]] void raise(const QString &format, const QString &name)
{
    throw SettingsError(format.arg(name).toStdString());
}

[[noreturn]] void invalidType(const QString &name)
{
    raise(QStringLiteral("Tipo de dado inválido para '%1'"), name);
}

[[noreturn]] void readFailed(const QString &name)
{
    raise(QStringLiteral("Falha ao puxar dados para '%1'"), name);
}

[[noreturn]] void writeFailed(const QString &name)
{
    raise(QStringLiteral("Falha ao fixar dados para '%1'"), name);
}

qint32 checkedInt32(qlonglong value, const QString &name)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        readFailed(name);
    return static_cast<qint32>(value);
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FileOfKey(const QString &key)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return base + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QStringLiteral(".ini");
}

bool SettingsStore::OpenKey(const QString &key, bool canCreate)
{
    CloseKey();
    if (key.split(QLatin1Char('\\'), Qt::SkipEmptyParts).isEmpty())
        return false;
    const QString path = FileOfKey(key);
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!canCreate || !QDir().mkpath(info.absolutePath()))
            return false;
        // A key may exist without values, so the empty file is the key.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        file.close();
    } else if (!info.isFile()) {
        return false;
    }
    auto opened = std::make_unique<QSettings>(path, QSettings::IniFormat);
    // An unreadable file is not taken over: a later save would replace what
    // could not be read.
    if (opened->status() == QSettings::AccessError)
        return false;
    settings = std::move(opened);
    return true;
}

bool SettingsStore::ValueExists(const QString &name) const
{
    return settings && settings->contains(name);
}

qint32 SettingsStore::ReadInteger(const QString &name) const
{
    if (!settings)
        invalidType(name);
    const QVariant value = settings->value(name);
    switch (value.metaType().id()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return checkedInt32(value.toLongLong(), name);
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qint32>::max()))
            readFailed(name);
        return static_cast<qint32>(value.toULongLong());
    case QMetaType::QString:
        break;
    default:
        invalidType(name);
    }
    // The INI file holds text: a decimal integer is the 32-bit value; any
    // other text is of the wrong type.
    static const QRegularExpression decimal(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    const QString text = value.toString();
    if (!decimal.match(text).hasMatch())
        invalidType(name);
    bool ok = false;
    const qint32 result = text.trimmed().toInt(&ok, 10);
    if (!ok)
        readFailed(name);
    return result;
}

void SettingsStore::WriteInteger(const QString &name, qint32 value)
{
    if (!settings)
        writeFailed(name);
    // QSettings keeps unsaved changes in a per-process cache that later stores
    // on the same file would read and save, so a save bound to fail (the
    // atomic save needs the folder and the file writable) is not attempted.
    const QFileInfo file(settings->fileName());
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        writeFailed(name);
    const bool existed = settings->contains(name);
    const QVariant before = settings->value(name);
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        // Any other failure: put back what the file holds, so the cached
        // change cannot be read or saved later.
        if (existed)
            settings->setValue(name, before);
        else
            settings->remove(name);
        CloseKey();
        writeFailed(name);
    }
}

void SettingsStore::CloseKey()
{
    settings.reset();
}

} // namespace platform
