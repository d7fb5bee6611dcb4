#pragma once

#include <QByteArray>
#include <QString>

// Opening the developer's links: the two desktop services the windows are
// written against, over QDesktopServices::openUrl. Each call hands the address
// to the desktop once, returns at once and reports nothing: with no browser or
// mail program nothing visible happens.
namespace platform {

// Opens a web address in the user's browser.
void HlinkNavigateString(const QString &target);

// Opens a single-byte (Latin-1) file or "mailto:" text as the desktop's
// "open" verb would: a mailto: text starts a new mail to the address.
void ShellExecuteOpen(const QByteArray &file);

} // namespace platform
