<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CharacterStats</name>
    <message>
        <source>space</source>
        <translation>espaço</translation>
    </message>
    <message>
        <source>%1: no answers yet</source>
        <translation>%1: nenhuma resposta ainda</translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>%1 %2 %, heard as %3 x%4</source>
        <extracomment>A character, its accuracy in percent, what it was most often taken for and how often</extracomment>
        <translation>%1 %2 %, ouvido como %3 x%4</translation>
    </message>
    <message>
        <source>median answer time %1 ms</source>
        <translation>tempo mediano de resposta %1 ms</translation>
    </message>
    <message numerus="yes">
        <source>last %n answer(s)</source>
        <translation>
            <numerusform>última resposta</numerusform>
            <numerusform>últimas %n respostas</numerusform>
        </translation>
    </message>
    <message>
        <source>too few to judge</source>
        <translation>poucas para julgar</translation>
    </message>
    <message>
        <source>sending %1 %</source>
        <translation>transmissão %1 %</translation>
    </message>
</context>
<context>
    <name>MorseText</name>
    <message>
        <source>There is nothing to key.</source>
        <translation>Não há nada para transmitir.</translation>
    </message>
    <message>
        <source>The text is too long: at most %1 characters.</source>
        <translation>O texto é longo demais: no máximo %1 caracteres.</translation>
    </message>
    <message>
        <source>Character %1, %2, has no Morse code.</source>
        <translation>O caractere %1, %2, não tem código Morse.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&quot; at character %1 has no &quot;&gt;&quot; in the same word.</source>
        <translation>O &quot;&lt;&quot; no caractere %1 não tem &quot;&gt;&quot; na mesma palavra.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&gt;&quot; at character %1 holds no characters.</source>
        <translation>O &quot;&lt;&gt;&quot; no caractere %1 não contém caracteres.</translation>
    </message>
</context>
<context>
    <name>ProgressChartPainter</name>
    <message>
        <source>No practice yet</source>
        <translation>Nenhuma prática ainda</translation>
    </message>
    <message>
        <source>Accuracy (%)</source>
        <translation>Acerto (%)</translation>
    </message>
    <message>
        <source>Effective speed (WPM)</source>
        <translation>Velocidade efetiva (WPM)</translation>
    </message>
</context>
<context>
    <name>TfMorse</name>
    <message>
        <source>Practice window: the Koch course (Ctrl+K)</source>
        <translation>Janela de prática: o curso Koch (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window (Ctrl+K)</source>
        <translation>Janela de prática (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window</source>
        <translation>Janela de prática</translation>
    </message>
    <message>
        <source>Opens the practice window with the Koch course.</source>
        <translation>Abre a janela de prática com o curso Koch.</translation>
    </message>
    <message>
        <source>&amp;Practice window…</source>
        <translation>&amp;Janela de prática…</translation>
    </message>
</context>
<context>
    <name>WaveFile</name>
    <message>
        <source>Cannot write %1: %2 minutes of sound, more than a WAV file holds (%3 minutes).</source>
        <translation>Não é possível gravar %1: %2 minutos de som, mais do que cabe num arquivo WAV (%3 minutos).</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Não é possível gravar %1: %2</translation>
    </message>
</context>
<context>
    <name>course::CoursePage</name>
    <message>
        <source>Choose a lesson and press Start.</source>
        <translation>Escolha uma lição e pressione Iniciar.</translation>
    </message>
    <message>
        <source>Runs cannot be played here: no player is available.</source>
        <translation>Não é possível tocar rodadas aqui: nenhum reprodutor disponível.</translation>
    </message>
    <message>
        <source>&amp;Koch course</source>
        <translation>Curso &amp;Koch</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>Plays random groups of the lesson&apos;s characters for the chosen time.</source>
        <translation>Toca grupos aleatórios com os caracteres da lição durante o tempo escolhido.</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>&amp;Parar</translation>
    </message>
    <message>
        <source>Ends the run at once; it is not scored.</source>
        <translation>Encerra a rodada na hora; ela não é avaliada.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compara o que você digitou com o que foi enviado.</translation>
    </message>
    <message>
        <source>Run played</source>
        <translation>Rodada tocada</translation>
    </message>
    <message>
        <source>T&amp;ype what you hear:</source>
        <translation>Digi&amp;te o que ouve:</translation>
    </message>
    <message>
        <source>What you hear</source>
        <translation>O que você ouve</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Digite os grupos enquanto tocam, com um espaço entre os grupos; pressione Enter quando terminar.</translation>
    </message>
    <message>
        <source>E&amp;xport as WAV…</source>
        <translation>E&amp;xportar como WAV…</translation>
    </message>
    <message>
        <source>Writes the last run&apos;s sound to a WAV file.</source>
        <translation>Grava o som da última rodada num arquivo WAV.</translation>
    </message>
    <message>
        <source>Lesson %1 is playing: type what you hear.</source>
        <translation>Tocando a lição %1: digite o que ouve.</translation>
    </message>
    <message>
        <source>Run stopped: nothing was scored.</source>
        <translation>Rodada interrompida: nada foi avaliado.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>Nada foi tocado.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Tocado. Termine de digitar e pressione Enter para avaliar.</translation>
    </message>
    <message>
        <source>This run could not be stored: %1</source>
        <translation>Não foi possível guardar esta rodada: %1</translation>
    </message>
    <message>
        <source>Passed: lesson %1 is open.</source>
        <translation>Aprovado: a lição %1 está aberta.</translation>
    </message>
    <message>
        <source>Passed lesson %1.</source>
        <translation>Aprovado na lição %1.</translation>
    </message>
    <message>
        <source>Below the pass mark of %1 %: lesson %2 again.</source>
        <translation>Abaixo da nota para passar de %1 %: lição %2 de novo.</translation>
    </message>
    <message>
        <source>Export the run as WAV</source>
        <translation>Exportar a rodada como WAV</translation>
    </message>
    <message>
        <source>koch-lesson-%1.wav</source>
        <translation>koch-licao-%1.wav</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>Som WAV (*.wav)</translation>
    </message>
    <message>
        <source>The run could not be written to %1: %2</source>
        <translation>Não foi possível gravar a rodada em %1: %2</translation>
    </message>
    <message>
        <source>Run written to %1.</source>
        <translation>Rodada gravada em %1.</translation>
    </message>
    <message>
        <source>Sco&amp;re</source>
        <translation>&amp;Avaliar</translation>
    </message>
    <message>
        <source>Review due today</source>
        <translation>Revisão para hoje</translation>
    </message>
</context>
<context>
    <name>course::CourseSetup</name>
    <message>
        <source>The characters in the order they are learnt; prosigns in angle brackets, like &lt;AR&gt;.</source>
        <translation>Os caracteres na ordem em que são aprendidos; prosinais entre os sinais &lt; e &gt;, como &lt;AR&gt;.</translation>
    </message>
    <message>
        <source>Lesson</source>
        <translation>Lição</translation>
    </message>
    <message>
        <source>&amp;Lesson:</source>
        <translation>&amp;Lição:</translation>
    </message>
    <message>
        <source>Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen.</source>
        <translation>A lição n usa os primeiros n + 1 caracteres da ordem. Qualquer lição pode ser escolhida.</translation>
    </message>
    <message>
        <source>Koch &amp;order:</source>
        <translation>&amp;Ordem de Koch:</translation>
    </message>
    <message>
        <source>Koch order</source>
        <translation>Ordem de Koch</translation>
    </message>
    <message>
        <source>&amp;Use this order</source>
        <translation>&amp;Usar esta ordem</translation>
    </message>
    <message>
        <source>Stan&amp;dard order</source>
        <translation>Ordem pa&amp;drão</translation>
    </message>
    <message>
        <source>Back to the order most trainers share.</source>
        <translation>Volta à ordem que a maioria dos treinadores usa.</translation>
    </message>
    <message>
        <source>Speeds and groups</source>
        <translation>Velocidades e grupos</translation>
    </message>
    <message>
        <source>&amp;Character speed:</source>
        <translation>Velocidade dos &amp;caracteres:</translation>
    </message>
    <message>
        <source>Character speed in PARIS words per minute</source>
        <translation>Velocidade dos caracteres em palavras por minuto PARIS</translation>
    </message>
    <message>
        <source>&amp;Effective speed:</source>
        <translation>Velocidade &amp;efetiva:</translation>
    </message>
    <message>
        <source>Effective speed in PARIS words per minute</source>
        <translation>Velocidade efetiva em palavras por minuto PARIS</translation>
    </message>
    <message>
        <source>Below the character speed, the gaps between characters and words are longer (Farnsworth); the characters keep their speed.</source>
        <translation>Abaixo da velocidade dos caracteres, os intervalos entre caracteres e entre palavras ficam mais longos (Farnsworth); os caracteres mantêm a sua velocidade.</translation>
    </message>
    <message>
        <source> WPM</source>
        <translation> WPM</translation>
    </message>
    <message>
        <source>&amp;Group size:</source>
        <translation>Tamanho do &amp;grupo:</translation>
    </message>
    <message>
        <source>Group size</source>
        <translation>Tamanho do grupo</translation>
    </message>
    <message>
        <source>Durat&amp;ion:</source>
        <translation>Du&amp;ração:</translation>
    </message>
    <message>
        <source>Duration of a run</source>
        <translation>Duração de uma rodada</translation>
    </message>
    <message>
        <source>&amp;Pass mark:</source>
        <translation>&amp;Nota para passar:</translation>
    </message>
    <message>
        <source>Pass mark</source>
        <translation>Nota para passar</translation>
    </message>
    <message>
        <source>A run at least this accurate opens the next lesson.</source>
        <translation>Uma rodada com pelo menos este acerto abre a lição seguinte.</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Lesson %1 (+%2)</source>
        <translation>Lição %1 (+%2)</translation>
    </message>
    <message>
        <source>%1, passed</source>
        <translation>%1, aprovada</translation>
    </message>
    <message>
        <source>%1, not reached yet</source>
        <translation>%1, ainda não alcançada</translation>
    </message>
    <message numerus="yes">
        <source>%n character(s)</source>
        <translation>
            <numerusform>%n caractere</numerusform>
            <numerusform>%n caracteres</numerusform>
        </translation>
    </message>
    <message>
        <source>Mixed, %1 to %2 characters</source>
        <translation>Misto, de %1 a %2 caracteres</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Characters: %1. New: %2.</source>
        <translation>Caracteres: %1. Novo: %2.</translation>
    </message>
    <message>
        <source>Runs so far: %1.</source>
        <translation>Rodadas até agora: %1.</translation>
    </message>
    <message numerus="yes">
        <source>In the first %n run(s) the new character comes up twice as often as each other.</source>
        <translation>
            <numerusform>Na primeira rodada o caractere novo aparece duas vezes mais que cada um dos outros.</numerusform>
            <numerusform>Nas primeiras %n rodadas o caractere novo aparece duas vezes mais que cada um dos outros.</numerusform>
        </translation>
    </message>
    <message>
        <source>The course counts PARIS words per minute. The main window&apos;s %1 PpM is the trainer&apos;s own scale: %2 WPM by PARIS for its characters, %3 WPM with its longer gaps.</source>
        <translation>O curso conta palavras por minuto PARIS (WPM). Os %1 PpM da janela principal são a escala própria do treinador: %2 WPM PARIS nos caracteres, %3 WPM com os seus intervalos mais longos.</translation>
    </message>
</context>
<context>
    <name>course::KochOrder</name>
    <message>
        <source>“%1” is not a character the course can key.</source>
        <translation>“%1” não é um caractere que o curso saiba transmitir.</translation>
    </message>
    <message>
        <source>“%1” comes twice: each character once.</source>
        <translation>“%1” aparece duas vezes: cada caractere uma só vez.</translation>
    </message>
    <message>
        <source>An order needs at least two characters.</source>
        <translation>Uma ordem precisa de pelo menos dois caracteres.</translation>
    </message>
</context>
<context>
    <name>course::PracticeWindow</name>
    <message>
        <source>Zirvano: practice</source>
        <translation>Zirvano: prática</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Closes the practice window (Escape).</source>
        <translation>Fecha a janela de prática (Esc).</translation>
    </message>
    <message>
        <source>Practice pages</source>
        <translation>Páginas de prática</translation>
    </message>
</context>
<context>
    <name>course::ResultView</name>
    <message>
        <source>nothing</source>
        <translation>nada</translation>
    </message>
    <message>
        <source>Sent and typed text</source>
        <translation>Texto enviado e digitado</translation>
    </message>
    <message>
        <source>Each c&amp;haracter:</source>
        <translation>&amp;Quadro por caractere:</translation>
    </message>
    <message>
        <source>Accuracy of each character</source>
        <translation>Acerto de cada caractere</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>Caractere</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>Acerto</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Certos</translation>
    </message>
    <message>
        <source>Taken for</source>
        <translation>Confundido com</translation>
    </message>
    <message>
        <source>No run scored yet.</source>
        <translation>Nenhuma rodada avaliada ainda.</translation>
    </message>
    <message>
        <source>Accuracy %1 %: %2 of %3 characters right (%4 wrong, %5 skipped, %6 extra).</source>
        <translation>Acerto de %1 %: %2 de %3 caracteres certos (%4 errados, %5 omitidos, %6 a mais).</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Typed</source>
        <translation>Digitado</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, %3 typed</source>
        <translation>Grupo %1: enviado %2, digitado %3</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, nothing typed</source>
        <translation>Grupo %1: enviado %2, nada digitado</translation>
    </message>
    <message>
        <source>Group %1: %2 typed, nothing sent</source>
        <translation>Grupo %1: digitado %2, nada enviado</translation>
    </message>
    <message>
        <source>%1 ×%2</source>
        <translation>%1 ×%2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Se&amp;nt and typed:</source>
        <translation>En&amp;viado e digitado:</translation>
    </message>
    <message>
        <source>&amp;Mistakes:</source>
        <translation>Erro&amp;s:</translation>
    </message>
    <message>
        <source>Mistakes</source>
        <translation>Erros</translation>
    </message>
    <message>
        <source>No mistakes.</source>
        <translation>Nenhum erro.</translation>
    </message>
    <message numerus="yes">
        <source>%n mistake(s); the list of mistakes reads them one by one.</source>
        <translation>
            <numerusform>%n erro; a lista de erros o descreve.</numerusform>
            <numerusform>%n erros; a lista de erros os lê um por um.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>course::ReviewSettings</name>
    <message>
        <source>Nothing is due for review today.</source>
        <translation>Nada a revisar hoje.</translation>
    </message>
    <message>
        <source>Due for review today: %1</source>
        <translation>A revisar hoje: %1</translation>
    </message>
</context>
<context>
    <name>progress::CharacterMap</name>
    <message>
        <source>Character map</source>
        <translation>Mapa dos caracteres</translation>
    </message>
</context>
<context>
    <name>progress::CharactersPage</name>
    <message>
        <source>&amp;My characters</source>
        <translation>&amp;Meus caracteres</translation>
    </message>
    <message>
        <source>Selected character</source>
        <translation>Caractere selecionado</translation>
    </message>
    <message>
        <source>Point at a key or select it with the arrow keys.</source>
        <translation>Aponte para uma tecla ou selecione-a com as setas.</translation>
    </message>
    <message>
        <source>Most &amp;confused:</source>
        <translation>Mais &amp;confundidos:</translation>
    </message>
    <message>
        <source>Most confused characters</source>
        <translation>Caracteres mais confundidos</translation>
    </message>
    <message>
        <source>&amp;Progress per day (accuracy and effective speed):</source>
        <translation>&amp;Progresso por dia (acerto e velocidade efetiva):</translation>
    </message>
    <message>
        <source>E&amp;xport record…</source>
        <translation>E&amp;xportar registro…</translation>
    </message>
    <message>
        <source>Writes every stored answer to a CSV file, one a line.</source>
        <translation>Grava todas as respostas guardadas num arquivo CSV, uma por linha.</translation>
    </message>
    <message>
        <source>Adds the answers of a CSV file written by an export; those already stored are left out.</source>
        <translation>Acrescenta as respostas de um arquivo CSV gravado por uma exportação; as já guardadas ficam de fora.</translation>
    </message>
    <message>
        <source>Record status</source>
        <translation>Situação do registro</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %2: %n time(s)</source>
        <translation>
            <numerusform>%1 e %2: %n vez</numerusform>
            <numerusform>%1 e %2: %n vezes</numerusform>
        </translation>
    </message>
    <message>
        <source>No characters confused yet.</source>
        <translation>Nenhum caractere confundido ainda.</translation>
    </message>
    <message>
        <source>Export the record</source>
        <translation>Exportar o registro</translation>
    </message>
    <message>
        <source>zirvano-record.csv</source>
        <translation>zirvano-registro.csv</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valores separados por vírgula (*.csv)</translation>
    </message>
    <message>
        <source>The record could not be exported: %1</source>
        <translation>Não foi possível exportar o registro: %1</translation>
    </message>
    <message>
        <source>Record written to %1.</source>
        <translation>Registro gravado em %1.</translation>
    </message>
    <message>
        <source>Import a record</source>
        <translation>Importar um registro</translation>
    </message>
    <message>
        <source>The record could not be imported: %1</source>
        <translation>Não foi possível importar o registro: %1</translation>
    </message>
    <message>
        <source>%1: %2 answers read, %3 added, %4 already present.</source>
        <translation>%1: %2 respostas lidas, %3 acrescentadas, %4 já presentes.</translation>
    </message>
    <message>
        <source>K&amp;eys, coloured by your last answers (green 90 % or more, amber 70 to 89 %, red below 70 %, grey fewer than 10 answers):</source>
        <translation>T&amp;eclas, coloridas pelas suas últimas respostas (verde 90 % ou mais, âmbar 70 a 89 %, vermelho abaixo de 70 %, cinza menos de 10 respostas):</translation>
    </message>
    <message>
        <source>&amp;Import record…</source>
        <translation>&amp;Importar registro…</translation>
    </message>
</context>
<context>
    <name>progress::DrillPanel</name>
    <message>
        <source>Groups of the characters you miss most, drawn from your record.</source>
        <translation>Grupos dos caracteres que você mais erra, tirados do seu registro.</translation>
    </message>
    <message>
        <source>Drills cannot be played here: no player is available.</source>
        <translation>Não é possível tocar treinos aqui: nenhum reprodutor disponível.</translation>
    </message>
    <message>
        <source>&amp;Drill my weak characters</source>
        <translation>Treinar meus caracteres &amp;fracos</translation>
    </message>
    <message>
        <source>Plays random groups of the characters you have learned, the ones you miss most more often, at the course&apos;s speeds.</source>
        <translation>Toca grupos aleatórios dos caracteres que você já aprendeu, os que mais erra com mais frequência, nas velocidades do curso.</translation>
    </message>
    <message>
        <source>Ends the drill at once; it is not scored.</source>
        <translation>Encerra o treino na hora; ele não é avaliado.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compara o que você digitou com o que foi enviado.</translation>
    </message>
    <message>
        <source>Drill played</source>
        <translation>Treino tocado</translation>
    </message>
    <message>
        <source>What you hear in the drill</source>
        <translation>O que você ouve no treino</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Digite os grupos enquanto tocam, com um espaço entre os grupos; pressione Enter quando terminar.</translation>
    </message>
    <message>
        <source>Drill status</source>
        <translation>Situação do treino</translation>
    </message>
    <message>
        <source>The drill is playing: type what you hear.</source>
        <translation>Tocando o treino: digite o que ouve.</translation>
    </message>
    <message>
        <source>Drill stopped: nothing was scored.</source>
        <translation>Treino interrompido: nada foi avaliado.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>Nada foi tocado.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Tocado. Termine de digitar e pressione Enter para avaliar.</translation>
    </message>
    <message>
        <source>%1 (%2 of %3 right)</source>
        <translation>%1 (%2 de %3 certos)</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right.</source>
        <translation>Treino avaliado: %1 % de acerto.</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right. Missed: %2.</source>
        <translation>Treino avaliado: %1 % de acerto. Erros: %2.</translation>
    </message>
    <message>
        <source>S&amp;top drill</source>
        <translation>Parar trei&amp;no</translation>
    </message>
    <message>
        <source>Sc&amp;ore drill</source>
        <translation>A&amp;valiar treino</translation>
    </message>
    <message>
        <source>T&amp;ype the drill:</source>
        <translation>Digi&amp;te o treino:</translation>
    </message>
</context>
<context>
    <name>progress::ProgressChart</name>
    <message>
        <source>No practice yet.</source>
        <translation>Nenhuma prática ainda.</translation>
    </message>
    <message numerus="yes">
        <source>Accuracy and effective speed per day from %1 to %2, %n day(s) with practice.</source>
        <translation>
            <numerusform>Acerto e velocidade efetiva por dia de %1 a %2, %n dia com prática.</numerusform>
            <numerusform>Acerto e velocidade efetiva por dia de %1 a %2, %n dias com prática.</numerusform>
        </translation>
    </message>
    <message>
        <source>On the last day: accuracy %1 %, effective speed %2 WPM.</source>
        <translation>No último dia: acerto de %1 %, velocidade efetiva de %2 WPM.</translation>
    </message>
    <message>
        <source>Progress chart</source>
        <translation>Gráfico do progresso</translation>
    </message>
</context>
<context>
    <name>recognition::RecognitionPage</name>
    <message>
        <source>Measure your reaction time once, then press Start.</source>
        <translation>Meça seu tempo de reação uma vez e pressione Iniciar.</translation>
    </message>
    <message>
        <source>Nothing can be played here: no player is available.</source>
        <translation>Nada pode ser tocado aqui: não há reprodutor disponível.</translation>
    </message>
    <message>
        <source>Press a key at each beep.</source>
        <translation>Pressione uma tecla a cada bipe.</translation>
    </message>
    <message>
        <source>The beep cannot be played.</source>
        <translation>O bipe não pode ser tocado.</translation>
    </message>
    <message>
        <source>The course has brought in too few characters yet.</source>
        <translation>O curso ainda introduziu poucos caracteres.</translation>
    </message>
    <message>
        <source>Press the key of each character you hear.</source>
        <translation>Pressione a tecla de cada caractere que ouvir.</translation>
    </message>
    <message>
        <source>Your reaction time is not measured yet: the times include it.</source>
        <translation>Seu tempo de reação ainda não foi medido: os tempos o incluem.</translation>
    </message>
    <message>
        <source>“%1” cannot be played.</source>
        <translation>“%1” não pode ser tocado.</translation>
    </message>
    <message>
        <source>Stopped: the run was not stored.</source>
        <translation>Parado: a sessão não foi guardada.</translation>
    </message>
    <message>
        <source>Stopped: the reaction time was not changed.</source>
        <translation>Parado: o tempo de reação não mudou.</translation>
    </message>
    <message>
        <source>Too soon: wait for the beep.</source>
        <translation>Cedo demais: espere o bipe.</translation>
    </message>
    <message>
        <source>Your reaction time is %1 ms.</source>
        <translation>Seu tempo de reação é %1 ms.</translation>
    </message>
    <message>
        <source>Your presses were too uneven to measure a reaction time. Try again.</source>
        <translation>Seus toques foram irregulares demais para medir um tempo de reação. Tente de novo.</translation>
    </message>
    <message>
        <source>%1  %2 ms</source>
        <translation>%1  %2 ms</translation>
    </message>
    <message>
        <source>%1: you pressed %2</source>
        <translation>%1: você pressionou %2</translation>
    </message>
    <message>
        <source>Median answer time %1&#xa0;ms, accuracy %2&#xa0;%.</source>
        <translation>Tempo mediano de resposta %1&#xa0;ms, acerto %2&#xa0;%.</translation>
    </message>
    <message>
        <source>Instant recognition</source>
        <translation>Reconhecimento instantâneo</translation>
    </message>
    <message>
        <source>Character &amp;speed:</source>
        <translation>&amp;Velocidade dos caracteres:</translation>
    </message>
    <message>
        <source>S&amp;low above:</source>
        <translation>&amp;Lento acima de:</translation>
    </message>
    <message>
        <source>Characters a &amp;run:</source>
        <translation>Caracteres por &amp;sessão:</translation>
    </message>
    <message>
        <source> WPM</source>
        <translation> PPM</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Character speed</source>
        <translation>Velocidade dos caracteres</translation>
    </message>
    <message>
        <source>Slow above</source>
        <translation>Lento acima de</translation>
    </message>
    <message>
        <source>Characters answered slower than this, or wrong, come back sooner.</source>
        <translation>Caracteres respondidos mais devagar que isto, ou errados, voltam mais cedo.</translation>
    </message>
    <message>
        <source>Characters a run</source>
        <translation>Caracteres por sessão</translation>
    </message>
    <message>
        <source>Reaction time: %1 ms</source>
        <translation>Tempo de reação: %1 ms</translation>
    </message>
    <message>
        <source>Reaction time: not measured yet</source>
        <translation>Tempo de reação: ainda não medido</translation>
    </message>
    <message>
        <source>&amp;Measure my reaction</source>
        <translation>&amp;Medir minha reação</translation>
    </message>
    <message>
        <source>Plays a few beeps at random moments: press a key at each.</source>
        <translation>Toca alguns bipes em momentos aleatórios: pressione uma tecla a cada um.</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>&amp;Parar</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Answer keys</source>
        <translation>Teclas de resposta</translation>
    </message>
    <message>
        <source>Press the key of the character you hear.</source>
        <translation>Pressione a tecla do caractere que ouvir.</translation>
    </message>
</context>
<context>
    <name>record::AnswerCsv</name>
    <message>
        <source>%1 fields where there should be %2</source>
        <translation>%1 campos onde deveria haver %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time</source>
        <translation>&quot;%1&quot; não é uma hora</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind</source>
        <translation>&quot;%1&quot; não é um tipo</translation>
    </message>
    <message>
        <source>right is &quot;%1&quot;, not 1 or 0</source>
        <translation>certo é &quot;%1&quot;, não 1 nem 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an answer time in ms</source>
        <translation>&quot;%1&quot; não é um tempo de resposta em ms</translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot; are not speeds</source>
        <translation>&quot;%1&quot; e &quot;%2&quot; não são velocidades</translation>
    </message>
</context>
<context>
    <name>record::Record</name>
    <message>
        <source>the file is damaged (%1)</source>
        <translation>o arquivo está danificado (%1)</translation>
    </message>
    <message>
        <source>the file is no record of this trainer (%1)</source>
        <translation>o arquivo não é um registro deste treinador (%1)</translation>
    </message>
    <message>
        <source>the file cannot be read or written (%1)</source>
        <translation>o arquivo não pode ser lido nem gravado (%1)</translation>
    </message>
    <message>
        <source>something other than a file stands in its place</source>
        <translation>há outra coisa que não um arquivo no seu lugar</translation>
    </message>
    <message>
        <source>another program keeps it locked</source>
        <translation>outro programa o mantém bloqueado</translation>
    </message>
    <message>
        <source>it was written by a newer version of Zirvano (format %1; this version knows formats up to %2) and is left as it is</source>
        <translation>foi gravado por uma versão mais nova do Zirvano (formato %1; esta versão conhece formatos até %2) e fica como está</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite)</source>
        <translation>o driver SQLite do Qt não está instalado (pacote Debian libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>its folder %1 cannot be created</source>
        <translation>a sua pasta %1 não pode ser criada</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. The trainer goes on without keeping a record.</source>
        <translation>O registro do aluno %1 não pode ser usado: %2. O treinador continua sem guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. Nor can it be set aside (%3), so the trainer goes on without keeping a record.</source>
        <translation>O registro do aluno %1 não pode ser usado: %2. Também não pode ser posto de lado (%3), por isso o treinador continua sem guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, but no new record can be started (%4), so the trainer goes on without keeping a record.</source>
        <translation>O registro do aluno %1 não pode ser usado: %2. Foi guardado como %3, mas não é possível começar um registro novo (%4), por isso o treinador continua sem guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, and a new record was started.</source>
        <translation>O registro do aluno %1 não pode ser usado: %2. Foi guardado como %3, e um registro novo foi começado.</translation>
    </message>
    <message>
        <source>Results are not being stored: the trainer is working without a record.</source>
        <translation>Os resultados não estão sendo guardados: o treinador está funcionando sem registro.</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1).</source>
        <translation>Um resultado não pôde ser guardado no registro do aluno (%1).</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1). It is kept, and stored with the next one.</source>
        <translation>Um resultado não pôde ser guardado no registro do aluno (%1). Ele é mantido e será guardado com o próximo.</translation>
    </message>
    <message>
        <source>There is no record to export: the trainer is working without one.</source>
        <translation>Não há registro para exportar: o treinador está funcionando sem um.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Não é possível gravar %1: %2</translation>
    </message>
    <message>
        <source>The record cannot be read: %1</source>
        <translation>O registro não pode ser lido: %1</translation>
    </message>
    <message>
        <source>There is no record to import into: the trainer is working without one.</source>
        <translation>Não há registro para onde importar: o treinador está funcionando sem um.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Não é possível ler %1: %2</translation>
    </message>
    <message>
        <source>%1 is too large to be an exported record.</source>
        <translation>%1 é grande demais para ser um registro exportado.</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, linha %2: %3</translation>
    </message>
    <message>
        <source>%1 is empty: it lacks even the header line.</source>
        <translation>%1 está vazio: falta até a linha de cabeçalho.</translation>
    </message>
    <message>
        <source>the first line must be the header %1</source>
        <translation>a primeira linha deve ser o cabeçalho %1</translation>
    </message>
    <message>
        <source>The record cannot be written: %1</source>
        <translation>O registro não pode ser gravado: %1</translation>
    </message>
</context>
<context>
    <name>sending::SerialKey</name>
    <message>
        <source>The two paddles need two different lines.</source>
        <translation>As duas pás precisam de duas linhas diferentes.</translation>
    </message>
    <message>
        <source>No serial port is chosen for the key.</source>
        <translation>Nenhuma porta serial foi escolhida para o manipulador.</translation>
    </message>
    <message>
        <source>There is no serial port %1. Is the key&apos;s interface plugged in?</source>
        <translation>Não existe a porta serial %1. A interface do manipulador está conectada?</translation>
    </message>
    <message>
        <source>You may not open the serial port %1: another program has it open, or you are not in the dialout group (sudo usermod -aG dialout $USER, then log out and in again).</source>
        <translation>Você não pode abrir a porta serial %1: outro programa a está usando, ou você não está no grupo dialout (sudo usermod -aG dialout $USER, depois saia da sessão e entre de novo).</translation>
    </message>
    <message>
        <source>The serial port %1 has gone away. The serial key has stopped; the keyboard keys still work.</source>
        <translation>A porta serial %1 desapareceu. O manipulador serial parou; as teclas do teclado continuam funcionando.</translation>
    </message>
    <message>
        <source>The serial port %1 does not report its modem lines (CTS, DSR, DCD), so no key can be read from it.</source>
        <translation>A porta serial %1 não informa as suas linhas de modem (CTS, DSR, DCD), por isso nenhum manipulador pode ser lido nela.</translation>
    </message>
    <message>
        <source>The serial port %1 could not be used: %2</source>
        <translation>A porta serial %1 não pôde ser usada: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>erro desconhecido</translation>
    </message>
</context>
</TS>
