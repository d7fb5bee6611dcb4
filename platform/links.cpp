#include "platform/links.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void HlinkNavigateString(const QString &target)
{
    QDesktopServices::openUrl(QUrl(target));
}

void ShellExecuteOpen(const QByteArray &file)
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(file)));
}

} // namespace platform
