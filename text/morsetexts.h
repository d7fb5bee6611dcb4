#pragma once

#include <QString>

// The main window's texts in one language.
struct TextosMorse
{
    QString Lb_Vol_Caption;
    QString ContrVolEsq_Hint;
    QString ContrVolDir_Hint;
    QString ContrStereo_Hint;
    QString LB_Veloc_Caption;
    QString Control_Vel_Hint;
    QString Lb_Freq_Caption;
    QString Control_Freq_Hint;
    QString Lb_Onda_Caption;
    QString RdGp_Onda_Hint;
    QString RdGp_Onda_Items[5];
    QString STextPagina_Caption;
    QString STextPagina_Hint;
    QString STextEMail_Hint;
    QString Btn_Iniciar_Caption;
    QString Btn_Iniciar_Hint;
    QString Btn_Parar_Caption;
    QString Btn_Parar_Hint;
    QString Btn_Teclado_Caption;
    QString Btn_Teclado_Hint;
    QString Btn_Teste_Caption;
    QString Btn_Teste_Hint;
    QString Btn_Fechar_Caption;
    QString Btn_Fechar_Hint;
    QString ListBox_Licao_Items[9];
    QString ListBox_Licao_Hint;
    QString ListBox_Vezes_Items[5];
    QString ListBox_Vezes_Hint;
    QString CkBox_Carac_Caption;
    QString CkBox_Carac_Hint;
    // The window's hint and the text its caption types out.
    QString Versao;
    QString Btn_ABC_Hint;
    QString Btn_ABC_Caption;
    // The greeting of the info line at start-up.
    QString Lb_Info_Saudacao;
    // Put before the time in the clock panel.
    QString PrefixoHora;
    // The advice shown at the end of each of the nine lessons.
    QString Conselhos[9];
    // The context menu's entry that turns the soft edges of the tones on and off.
    QString Menu_BordasSuaves;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosMorse *TextosMorse_(int idioma);
