#pragma once

#include <QString>
#include <utility>

// One field of a string table. Without a default constructor, a table that
// leaves a field out, or gives an array too few texts, does not compile:
// a missing translation cannot shift the others or show up empty.
class Texto
{
public:
    // Implicit, so a table reads `.Campo = QStringLiteral("...")`.
    Texto(QString texto) : valor(std::move(texto)) {}

    // Implicit, so a window hands the field to Qt as it would a QString.
    operator const QString &() const { return valor; }

private:
    QString valor;
};
