#include "text/testetexts.h"

#include "text/idioma.h"

namespace {

// The bar suffixes begin with a blank: they are drawn right after the number.
const TextosTeste Portugues{
    .Caption = QStringLiteral("Teste os seus conhecimentos"),
    .ALPBar_Suffix = QStringLiteral(" % de acertos"),
    .ALPBar_Hint = QStringLiteral("Demonstra gráficamente a porcentagem de acertos"),
    .ALBar_Erro_Suffix = QStringLiteral(" % de erros"),
    .ALBar_Erro_Hint = QStringLiteral("Demonstra a porcentagem de erros"),
    .Btn_Teste_Caption = QStringLiteral("Teste"),
    .Btn_Teste_Hint = QStringLiteral("Inicia a apresentação dos caracteres"),
    .Btn_Fechar_Caption = QStringLiteral("Fechar"),
    .Btn_Fechar_Hint = QStringLiteral("Finaliza a área de testes e retorna ao Zirvano"),
    .Acertou = QStringLiteral("Parabéns você acertou"),
    .Errou = QStringLiteral("Errou, tente novamente"),
};

const TextosTeste Espanhol{
    .Caption = QStringLiteral("Testeo de sus conocimientos"),
    .ALPBar_Suffix = QStringLiteral(" % de éxitos"),
    .ALPBar_Hint = QStringLiteral("Demuestra el porcentaje de éxitos"),
    .ALBar_Erro_Suffix = QStringLiteral(" % de errores"),
    .ALBar_Erro_Hint = QStringLiteral("Demuestra el porcentaje de errores"),
    .Btn_Teste_Caption = QStringLiteral("Testeo"),
    .Btn_Teste_Hint = QStringLiteral("Inicia la presentación de los caracteres"),
    .Btn_Fechar_Caption = QStringLiteral("Cerrar"),
    .Btn_Fechar_Hint = QStringLiteral("Finaliza el área de testeos y retorna al Zirvano"),
    .Acertou = QStringLiteral("Felicitaciones usted se puso correcto"),
    .Errou = QStringLiteral("Vagó, intente de nuevo"),
};

const TextosTeste Ingles{
    .Caption = QStringLiteral("Test its knowledge"),
    .ALPBar_Suffix = QStringLiteral(" % of successes"),
    .ALPBar_Hint = QStringLiteral("It demonstrates the percentage of successes"),
    .ALBar_Erro_Suffix = QStringLiteral(" % of mistakes"),
    .ALBar_Erro_Hint = QStringLiteral("It demonstrates the percentage of mistakes"),
    .Btn_Teste_Caption = QStringLiteral("Test"),
    .Btn_Teste_Hint = QStringLiteral("It begins the presentation of the characterses"),
    .Btn_Fechar_Caption = QStringLiteral("Close"),
    .Btn_Fechar_Hint = QStringLiteral("The area of tests concludes and it comes back to Zirvano"),
    .Acertou = QStringLiteral("Congratulations you got right"),
    .Errou = QStringLiteral("It wandered, try again"),
};

} // namespace

const TextosTeste *TextosTeste_(int idioma)
{
    return Idioma::Escolhe(idioma, Portugues, Espanhol, Ingles);
}
