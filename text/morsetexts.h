#pragma once

#include "text/texto.h"

// The main window's texts in one language.
struct TextosMorse
{
    Texto Lb_Vol_Caption;
    Texto ContrVolEsq_Hint;
    Texto ContrVolDir_Hint;
    Texto ContrStereo_Hint;
    Texto LB_Veloc_Caption;
    Texto Control_Vel_Hint;
    Texto Lb_Freq_Caption;
    Texto Control_Freq_Hint;
    Texto Lb_Onda_Caption;
    Texto RdGp_Onda_Hint;
    Texto RdGp_Onda_Items[5];
    Texto STextPagina_Caption;
    Texto STextPagina_Hint;
    Texto STextEMail_Hint;
    Texto Btn_Iniciar_Caption;
    Texto Btn_Iniciar_Hint;
    Texto Btn_Parar_Caption;
    Texto Btn_Parar_Hint;
    Texto Btn_Teclado_Caption;
    Texto Btn_Teclado_Hint;
    Texto Btn_Teste_Caption;
    Texto Btn_Teste_Hint;
    Texto Btn_Fechar_Caption;
    Texto Btn_Fechar_Hint;
    Texto ListBox_Licao_Items[9];
    Texto ListBox_Licao_Hint;
    Texto ListBox_Vezes_Items[5];
    Texto ListBox_Vezes_Hint;
    Texto CkBox_Carac_Caption;
    Texto CkBox_Carac_Hint;
    // The window's hint and the text its caption types out.
    Texto Versao;
    Texto Btn_ABC_Hint;
    Texto Btn_ABC_Caption;
    // The greeting of the info line at start-up.
    Texto Lb_Info_Saudacao;
    // Put before the time in the clock panel.
    Texto PrefixoHora;
    // The advice shown at the end of each of the nine lessons.
    Texto Conselhos[9];
    // The context menu's entry that turns the soft edges of the tones on and off.
    Texto Menu_BordasSuaves;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosMorse *TextosMorse_(int idioma);
