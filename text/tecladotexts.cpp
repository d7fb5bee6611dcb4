#include "text/tecladotexts.h"

#include "text/idioma.h"

namespace {

const TextosTeclado &Portugues()
{
    static const TextosTeclado t{
        .Caption = QStringLiteral("Teclado virtual do Zirvano"),
        .BitBtn_Hint = QStringLiteral("Click no botão para apresentar o caracter"),
        .BitBtn_Espaco_Caption = QStringLiteral("Espaço"),
        .Edit_Letras_Hint = QStringLiteral("Área onde são apresentados os caracteres"),
        .SBtn_Fechar_Caption = QStringLiteral("Fechar"),
        .SBtn_Fechar_Hint = QStringLiteral("Finaliza o teclado virtual e retorna ao Zirvano"),
        .SB_Ini_Frase_Caption = QStringLiteral("Iniciar"),
        .SB_Ini_Frase_Hint = QStringLiteral("Inicia a reprodução da frase"),
        .Edit_Frase_Hint =
            QStringLiteral("Escreva a frase e click em \"Iniciar\" para a reprodução"),
        .Lb_Frase_Caption = QStringLiteral("Escreva sua frase"),
    };
    return t;
}

const TextosTeclado &Espanhol()
{
    static const TextosTeclado t{
        .Caption = QStringLiteral("Teclado virtual de Zirvano"),
        .BitBtn_Hint = QStringLiteral("Click en el botón para representar el caracter"),
        .BitBtn_Espaco_Caption = QStringLiteral("Espacio"),
        .Edit_Letras_Hint = QStringLiteral("Area donde son representados los caracteres"),
        .SBtn_Fechar_Caption = QStringLiteral("Cerrar"),
        .SBtn_Fechar_Hint = QStringLiteral("Finaliza el teclado virtual y vuelve al Zirvano"),
        .SB_Ini_Frase_Caption = QStringLiteral("Iniciar"),
        .SB_Ini_Frase_Hint = QStringLiteral("Inicia la reproducción de la frase"),
        .Edit_Frase_Hint =
            QStringLiteral("Escriba la frase y click en el botón \"Iniciar\" para la reproducción"),
        .Lb_Frase_Caption = QStringLiteral("Escriba su frase"),
    };
    return t;
}

const TextosTeclado &Ingles()
{
    static const TextosTeclado t{
        .Caption = QStringLiteral("Virtual keyboard of Zirvano"),
        .BitBtn_Hint = QStringLiteral("Click in the button to present the caracter"),
        .BitBtn_Espaco_Caption = QStringLiteral("Space"),
        .Edit_Letras_Hint = QStringLiteral("Area where the characterses are presented"),
        .SBtn_Fechar_Caption = QStringLiteral("Close"),
        .SBtn_Fechar_Hint =
            QStringLiteral("The virtual keyboard concludes and it comes back to Zirvano"),
        .SB_Ini_Frase_Caption = QStringLiteral("Play"),
        .SB_Ini_Frase_Hint = QStringLiteral("It begins the reproduction of the sentence"),
        .Edit_Frase_Hint =
            QStringLiteral("Write the sentence and click in \"Play\" for the reproduction"),
        .Lb_Frase_Caption = QStringLiteral("Write its sentence"),
    };
    return t;
}

} // namespace

const TextosTeclado *TextosTeclado_(int idioma)
{
    return Idioma::Escolhe(idioma, Portugues(), Espanhol(), Ingles());
}
