#include "translations/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

namespace Translations {
namespace {

const QStringList &Codes()
{
    static const QStringList codes = QStringLiteral(ZIRVANO_LANGUAGES).split(QLatin1Char(','));
    return codes;
}

struct Installed
{
    int language = -1;
    QPointer<QTranslator> own;
    QPointer<QTranslator> qt;
};

Installed &Now()
{
    static Installed installed;
    return installed;
}

void Remove(QPointer<QTranslator> &translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

} // namespace

QString code(int language)
{
    const QStringList &codes = Codes();
    return codes.value(language >= 0 && language < codes.size() ? language : 0);
}

int current()
{
    return Now().language;
}

bool apply(int language)
{
    if (language < 0 || language >= Codes().size())
        language = 0;
    Installed &now = Now();
    if (now.language == language)
        return now.own != nullptr;

    Remove(now.own);
    Remove(now.qt);
    now.language = language;
    const QLocale locale(code(language));
    // Parented to the application, so none outlives it.
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
        now.qt = qt;
    } else {
        delete qt;
    }
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(locale, QStringLiteral("zirvano"), QStringLiteral("_"),
                   QStringLiteral(":/i18n"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    now.own = own;
    return true;
}

} // namespace Translations
