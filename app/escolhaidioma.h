#pragma once

#include <QString>

class QWidget;

// The program's language: chosen in the language window, kept in the settings
// store under ChaveRegistro as the 32-bit integer ValorIdioma.
namespace EscolhaIdioma {

inline const QString ChaveRegistro = QStringLiteral("Brevanto\\Zirvano");
inline const QString ValorIdioma = QStringLiteral("Idioma");

// Creates a fresh language window (TFIdioma) over parent, shows it modally and
// destroys it. Returns the item chosen (0, 1, 2), or -1 when it was closed
// without a choice. Never raises.
int MostraIdioma(QWidget *parent = nullptr);

// Start-up: determines the program's language into NumIdioma. When the key
// is missing (first start) shows the language window modally (no parent),
// creates the key and stores the choice (nothing is stored for -1, nor when
// SIGINT or SIGTERM ended the window); then reads the stored value when there
// is one.
// On return, and also when it raises, NumIdioma is 0, 1 or 2: -1 and stored
// values other than 0..2 become 0 (the stored value is left as it is); a choice
// that could not be saved is kept for this run; an unreadable stored value
// gives 0.
// Raises platform::SettingsError (unreadable value: wrong type, too large;
// save failed). The caller (TfMorse::FormCreate) runs it inside ComGuarda, so
// the text is shown, and then goes on with the rest of its creation steps.
void IdiomaInicial(int &NumIdioma);

// Language button, first steps: shows the language window modally over
// parent, takes the choice into NumIdioma, creates the key if absent and
// stores the choice (nothing for -1, so the next start uses the stored value
// again, nor when a signal ended the window), and turns -1 into 0.
// On return, and also when it raises, NumIdioma is 0, 1 or 2, the language
// just chosen (or 0 without a choice).
// Raises platform::SettingsError when the choice cannot be saved. The caller
// (TfMorse::Btn_ABCClick) runs it inside ComGuarda and then, raised or not,
// empties RdGp_Onda, ListBox_Licao and ListBox_Vezes and runs its show steps,
// so the window's texts always follow NumIdioma.
void EscolheIdioma(int &NumIdioma, QWidget *parent);

} // namespace EscolhaIdioma
