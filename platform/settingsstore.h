#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

class QSettings;

namespace platform {

// Raised by the settings store; what() is the UTF-8 text shown to the user.
class SettingsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The per-user settings store, shaped like a registry key. A key path
// "Org\App" is the INI file <XDG_CONFIG_HOME>/Org/App.ini (QSettings'
// IniFormat, user scope), and the file is the key: it exists or it does not.
// Values are 32-bit integers. Every write is saved at once through Qt's atomic
// save, so a crash never leaves half a file and a failed save is reported.
class SettingsStore
{
public:
    SettingsStore();
    ~SettingsStore(); // closes the key
    Q_DISABLE_COPY_MOVE(SettingsStore)

    // Opens the key. Without canCreate a missing or unreadable key (or a folder
    // where the file should be) returns false. With canCreate the folder and an
    // empty file are created when absent; false when that is impossible. After
    // false no key is open: ValueExists gives false and WriteInteger raises.
    // Opening closes a key opened before. Never raises.
    bool OpenKey(const QString &key, bool canCreate);

    // True when the open key holds a value of that name.
    bool ValueExists(const QString &name) const;

    // Reads a 32-bit integer. Raises SettingsError "Tipo de dado inválido para
    // '<name>'" for a value that is not an integer (or is missing), and "Falha
    // ao puxar dados para '<name>'" for an integer that does not fit in 32 bits.
    qint32 ReadInteger(const QString &name) const;

    // Writes a 32-bit integer and saves the file. Raises SettingsError "Falha
    // ao fixar dados para '<name>'" when no key is open or the save fails; the
    // file then keeps its previous contents.
    void WriteInteger(const QString &name, qint32 value);

    // Closes the key (nothing when none is open).
    void CloseKey();

    // The file that holds key (the key need not exist).
    static QString FileOfKey(const QString &key);

private:
    std::unique_ptr<QSettings> settings;
};

} // namespace platform
