#include "text/tecladotexts.h"

#include "text/idioma.h"

namespace {

const TextosTeclado &Portugues()
{
    static const TextosTeclado t{
        QStringLiteral("Teclado virtual do Zirvano"),
        QString::fromUtf8("Click no botão para apresentar o caracter"),
        QString::fromUtf8("Espaço"),
        QString::fromUtf8("Área onde são apresentados os caracteres"),
        QStringLiteral("Fechar"),
        QStringLiteral("Finaliza o teclado virtual e retorna ao Zirvano"),
        QStringLiteral("Iniciar"),
        QString::fromUtf8("Inicia a reprodução da frase"),
        QString::fromUtf8("Escreva a frase e click em \"Iniciar\" para a reprodução"),
        QStringLiteral("Escreva sua frase"),
    };
    return t;
}

const TextosTeclado &Espanhol()
{
    static const TextosTeclado t{
        QStringLiteral("Teclado virtual de Zirvano"),
        QString::fromUtf8("Click en el botón para representar el caracter"),
        QStringLiteral("Espacio"),
        QStringLiteral("Area donde son representados los caracteres"),
        QStringLiteral("Cerrar"),
        QStringLiteral("Finaliza el teclado virtual y vuelve al Zirvano"),
        QStringLiteral("Iniciar"),
        QString::fromUtf8("Inicia la reproducción de la frase"),
        QString::fromUtf8("Escriba la frase y click en el botón \"Iniciar\" para la reproducción"),
        QStringLiteral("Escriba su frase"),
    };
    return t;
}

const TextosTeclado &Ingles()
{
    static const TextosTeclado t{
        QStringLiteral("Virtual keyboard of Zirvano"),
        QStringLiteral("Click in the button to present the caracter"),
        QStringLiteral("Space"),
        QStringLiteral("Area where the characterses are presented"),
        QStringLiteral("Close"),
        QStringLiteral("The virtual keyboard concludes and it comes back to Zirvano"),
        QStringLiteral("Play"),
        QStringLiteral("It begins the reproduction of the sentence"),
        QStringLiteral("Write the sentence and click in \"Play\" for the reproduction"),
        QStringLiteral("Write its sentence"),
    };
    return t;
}

} // namespace

const TextosTeclado *TextosTeclado_(int idioma)
{
    return Idioma::Escolhe(idioma, Portugues(), Espanhol(), Ingles());
}
