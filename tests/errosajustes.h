#pragma once

// The settings store's error texts for the language value, as the learner
// reads them in the message box.

#include <QString>

namespace errosajustes {

inline const QString TipoInvalido = QStringLiteral("Tipo de dado inválido para 'Idioma'");
inline const QString FalhaPuxar = QStringLiteral("Falha ao puxar dados para 'Idioma'");
inline const QString FalhaFixar = QStringLiteral("Falha ao fixar dados para 'Idioma'");

} // namespace errosajustes
