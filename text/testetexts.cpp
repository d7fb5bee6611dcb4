#include "text/testetexts.h"

#include "text/idioma.h"

namespace {

// The bar suffixes begin with a blank: they are drawn right after the number.
const TextosTeste Portugues{
    QStringLiteral("Teste os seus conhecimentos"),
    QStringLiteral(" % de acertos"),
    QStringLiteral("Demonstra gráficamente a porcentagem de acertos"),
    QStringLiteral(" % de erros"),
    QStringLiteral("Demonstra a porcentagem de erros"),
    QStringLiteral("Teste"),
    QStringLiteral("Inicia a apresentação dos caracteres"),
    QStringLiteral("Fechar"),
    QStringLiteral("Finaliza a área de testes e retorna ao Zirvano"),
    QStringLiteral("Parabéns você acertou"),
    QStringLiteral("Errou, tente novamente"),
};

const TextosTeste Espanhol{
    QStringLiteral("Testeo de sus conocimientos"),
    QStringLiteral(" % de éxitos"),
    QStringLiteral("Demuestra el porcentaje de éxitos"),
    QStringLiteral(" % de errores"),
    QStringLiteral("Demuestra el porcentaje de errores"),
    QStringLiteral("Testeo"),
    QStringLiteral("Inicia la presentación de los caracteres"),
    QStringLiteral("Cerrar"),
    QStringLiteral("Finaliza el área de testeos y retorna al Zirvano"),
    QStringLiteral("Felicitaciones usted se puso correcto"),
    QStringLiteral("Vagó, intente de nuevo"),
};

const TextosTeste Ingles{
    QStringLiteral("Test its knowledge"),
    QStringLiteral(" % of successes"),
    QStringLiteral("It demonstrates the percentage of successes"),
    QStringLiteral(" % of mistakes"),
    QStringLiteral("It demonstrates the percentage of mistakes"),
    QStringLiteral("Test"),
    QStringLiteral("It begins the presentation of the characterses"),
    QStringLiteral("Close"),
    QStringLiteral("The area of tests concludes and it comes back to Zirvano"),
    QStringLiteral("Congratulations you got right"),
    QStringLiteral("It wandered, try again"),
};

} // namespace

const TextosTeste *TextosTeste_(int idioma)
{
    return Idioma::Escolhe(idioma, Portugues, Espanhol, Ingles);
}
