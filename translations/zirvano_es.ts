<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CharacterStats</name>
    <message>
        <source>space</source>
        <translation>espacio</translation>
    </message>
    <message>
        <source>%1: no answers yet</source>
        <translation>%1: ninguna respuesta todavía</translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>%1 %2 %, heard as %3 x%4</source>
        <extracomment>A character, its accuracy in percent, what it was most often taken for and how often</extracomment>
        <translation>%1 %2 %, oído como %3 x%4</translation>
    </message>
    <message>
        <source>median answer time %1 ms</source>
        <translation>tiempo mediano de respuesta %1 ms</translation>
    </message>
    <message numerus="yes">
        <source>last %n answer(s)</source>
        <translation>
            <numerusform>última respuesta</numerusform>
            <numerusform>últimas %n respuestas</numerusform>
        </translation>
    </message>
    <message>
        <source>too few to judge</source>
        <translation>pocas para juzgar</translation>
    </message>
    <message>
        <source>sending %1 %</source>
        <translation>transmisión %1 %</translation>
    </message>
</context>
<context>
    <name>MorseText</name>
    <message>
        <source>There is nothing to key.</source>
        <translation>No hay nada que transmitir.</translation>
    </message>
    <message>
        <source>The text is too long: at most %1 characters.</source>
        <translation>El texto es demasiado largo: como máximo %1 caracteres.</translation>
    </message>
    <message>
        <source>Character %1, %2, has no Morse code.</source>
        <translation>El carácter %1, %2, no tiene código Morse.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&quot; at character %1 has no &quot;&gt;&quot; in the same word.</source>
        <translation>El &quot;&lt;&quot; del carácter %1 no tiene &quot;&gt;&quot; en la misma palabra.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&gt;&quot; at character %1 holds no characters.</source>
        <translation>El &quot;&lt;&gt;&quot; del carácter %1 no contiene caracteres.</translation>
    </message>
</context>
<context>
    <name>ProgressChartPainter</name>
    <message>
        <source>No practice yet</source>
        <translation>Ninguna práctica todavía</translation>
    </message>
    <message>
        <source>Accuracy (%)</source>
        <translation>Acierto (%)</translation>
    </message>
    <message>
        <source>Effective speed (WPM)</source>
        <translation>Velocidad efectiva (WPM)</translation>
    </message>
</context>
<context>
    <name>TfMorse</name>
    <message>
        <source>Practice window: the Koch course (Ctrl+K)</source>
        <translation>Ventana de práctica: el curso Koch (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window (Ctrl+K)</source>
        <translation>Ventana de práctica (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window</source>
        <translation>Ventana de práctica</translation>
    </message>
    <message>
        <source>Opens the practice window with the Koch course.</source>
        <translation>Abre la ventana de práctica con el curso Koch.</translation>
    </message>
    <message>
        <source>&amp;Practice window…</source>
        <translation>&amp;Ventana de práctica…</translation>
    </message>
</context>
<context>
    <name>WaveFile</name>
    <message>
        <source>Cannot write %1: %2 minutes of sound, more than a WAV file holds (%3 minutes).</source>
        <translation>No se puede escribir %1: %2 minutos de sonido, más de lo que cabe en un archivo WAV (%3 minutos).</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>course::CoursePage</name>
    <message>
        <source>Choose a lesson and press Start.</source>
        <translation>Elija una lección y pulse Iniciar.</translation>
    </message>
    <message>
        <source>Runs cannot be played here: no player is available.</source>
        <translation>No se pueden reproducir rondas aquí: no hay ningún reproductor disponible.</translation>
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
        <translation>Reproduce grupos aleatorios de los caracteres de la lección durante el tiempo elegido.</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>De&amp;tener</translation>
    </message>
    <message>
        <source>Ends the run at once; it is not scored.</source>
        <translation>Termina la ronda en el acto; no se califica.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compara lo que escribió con lo que se envió.</translation>
    </message>
    <message>
        <source>Run played</source>
        <translation>Ronda reproducida</translation>
    </message>
    <message>
        <source>T&amp;ype what you hear:</source>
        <translation>Escri&amp;ba lo que oye:</translation>
    </message>
    <message>
        <source>What you hear</source>
        <translation>Lo que oye</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Escriba los grupos mientras suenan, con un espacio entre grupos; pulse Intro al terminar.</translation>
    </message>
    <message>
        <source>E&amp;xport as WAV…</source>
        <translation>E&amp;xportar como WAV…</translation>
    </message>
    <message>
        <source>Writes the last run&apos;s sound to a WAV file.</source>
        <translation>Graba el sonido de la última ronda en un archivo WAV.</translation>
    </message>
    <message>
        <source>Lesson %1 is playing: type what you hear.</source>
        <translation>Reproduciendo la lección %1: escriba lo que oye.</translation>
    </message>
    <message>
        <source>Run stopped: nothing was scored.</source>
        <translation>Ronda detenida: no se calificó nada.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>No se reprodujo nada.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Reproducida. Termine de escribir y pulse Intro para calificar.</translation>
    </message>
    <message>
        <source>This run could not be stored: %1</source>
        <translation>No se pudo guardar esta ronda: %1</translation>
    </message>
    <message>
        <source>Passed: lesson %1 is open.</source>
        <translation>Aprobada: la lección %1 está abierta.</translation>
    </message>
    <message>
        <source>Passed lesson %1.</source>
        <translation>Lección %1 aprobada.</translation>
    </message>
    <message>
        <source>Below the pass mark of %1 %: lesson %2 again.</source>
        <translation>Por debajo de la nota mínima de %1 %: otra vez la lección %2.</translation>
    </message>
    <message>
        <source>Export the run as WAV</source>
        <translation>Exportar la ronda como WAV</translation>
    </message>
    <message>
        <source>koch-lesson-%1.wav</source>
        <translation>koch-leccion-%1.wav</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>Sonido WAV (*.wav)</translation>
    </message>
    <message>
        <source>The run could not be written to %1: %2</source>
        <translation>No se pudo escribir la ronda en %1: %2</translation>
    </message>
    <message>
        <source>Run written to %1.</source>
        <translation>Ronda escrita en %1.</translation>
    </message>
    <message>
        <source>Sco&amp;re</source>
        <translation>C&amp;alificar</translation>
    </message>
    <message>
        <source>Review due today</source>
        <translation>Repaso para hoy</translation>
    </message>
</context>
<context>
    <name>course::CourseSetup</name>
    <message>
        <source>The characters in the order they are learnt; prosigns in angle brackets, like &lt;AR&gt;.</source>
        <translation>Los caracteres en el orden en que se aprenden; los prosignos entre los signos &lt; y &gt;, como &lt;AR&gt;.</translation>
    </message>
    <message>
        <source>Lesson</source>
        <translation>Lección</translation>
    </message>
    <message>
        <source>&amp;Lesson:</source>
        <translation>&amp;Lección:</translation>
    </message>
    <message>
        <source>Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen.</source>
        <translation>La lección n usa los primeros n + 1 caracteres del orden. Se puede elegir cualquier lección.</translation>
    </message>
    <message>
        <source>Koch &amp;order:</source>
        <translation>&amp;Orden de Koch:</translation>
    </message>
    <message>
        <source>Koch order</source>
        <translation>Orden de Koch</translation>
    </message>
    <message>
        <source>&amp;Use this order</source>
        <translation>&amp;Usar este orden</translation>
    </message>
    <message>
        <source>Stan&amp;dard order</source>
        <translation>Orden pre&amp;determinado</translation>
    </message>
    <message>
        <source>Back to the order most trainers share.</source>
        <translation>Vuelve al orden que comparten la mayoría de los entrenadores.</translation>
    </message>
    <message>
        <source>Speeds and groups</source>
        <translation>Velocidades y grupos</translation>
    </message>
    <message>
        <source>&amp;Character speed:</source>
        <translation>Velocidad de los &amp;caracteres:</translation>
    </message>
    <message>
        <source>Character speed in PARIS words per minute</source>
        <translation>Velocidad de los caracteres en palabras por minuto PARIS</translation>
    </message>
    <message>
        <source>&amp;Effective speed:</source>
        <translation>Velocidad &amp;efectiva:</translation>
    </message>
    <message>
        <source>Effective speed in PARIS words per minute</source>
        <translation>Velocidad efectiva en palabras por minuto PARIS</translation>
    </message>
    <message>
        <source>Below the character speed, the gaps between characters and words are longer (Farnsworth); the characters keep their speed.</source>
        <translation>Por debajo de la velocidad de los caracteres, las pausas entre caracteres y entre palabras son más largas (Farnsworth); los caracteres conservan su velocidad.</translation>
    </message>
    <message>
        <source> WPM</source>
        <translation> WPM</translation>
    </message>
    <message>
        <source>&amp;Group size:</source>
        <translation>Tamaño del &amp;grupo:</translation>
    </message>
    <message>
        <source>Group size</source>
        <translation>Tamaño del grupo</translation>
    </message>
    <message>
        <source>Durat&amp;ion:</source>
        <translation>Du&amp;ración:</translation>
    </message>
    <message>
        <source>Duration of a run</source>
        <translation>Duración de una ronda</translation>
    </message>
    <message>
        <source>&amp;Pass mark:</source>
        <translation>&amp;Nota mínima:</translation>
    </message>
    <message>
        <source>Pass mark</source>
        <translation>Nota mínima</translation>
    </message>
    <message>
        <source>A run at least this accurate opens the next lesson.</source>
        <translation>Una ronda con al menos este acierto abre la lección siguiente.</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Lesson %1 (+%2)</source>
        <translation>Lección %1 (+%2)</translation>
    </message>
    <message>
        <source>%1, passed</source>
        <translation>%1, aprobada</translation>
    </message>
    <message>
        <source>%1, not reached yet</source>
        <translation>%1, aún no alcanzada</translation>
    </message>
    <message numerus="yes">
        <source>%n character(s)</source>
        <translation>
            <numerusform>%n carácter</numerusform>
            <numerusform>%n caracteres</numerusform>
        </translation>
    </message>
    <message>
        <source>Mixed, %1 to %2 characters</source>
        <translation>Mixto, de %1 a %2 caracteres</translation>
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
        <translation>Caracteres: %1. Nuevo: %2.</translation>
    </message>
    <message>
        <source>Runs so far: %1.</source>
        <translation>Rondas hasta ahora: %1.</translation>
    </message>
    <message numerus="yes">
        <source>In the first %n run(s) the new character comes up twice as often as each other.</source>
        <translation>
            <numerusform>En la primera ronda el carácter nuevo sale el doble que cada uno de los demás.</numerusform>
            <numerusform>En las primeras %n rondas el carácter nuevo sale el doble que cada uno de los demás.</numerusform>
        </translation>
    </message>
    <message>
        <source>The course counts PARIS words per minute. The main window&apos;s %1 PpM is the trainer&apos;s own scale: %2 WPM by PARIS for its characters, %3 WPM with its longer gaps.</source>
        <translation>El curso cuenta palabras por minuto PARIS (WPM). Los %1 PpM de la ventana principal son la escala propia del entrenador: %2 WPM PARIS en sus caracteres, %3 WPM con sus pausas más largas.</translation>
    </message>
</context>
<context>
    <name>course::KochOrder</name>
    <message>
        <source>“%1” is not a character the course can key.</source>
        <translation>«%1» no es un carácter que el curso sepa transmitir.</translation>
    </message>
    <message>
        <source>“%1” comes twice: each character once.</source>
        <translation>«%1» aparece dos veces: cada carácter una sola vez.</translation>
    </message>
    <message>
        <source>An order needs at least two characters.</source>
        <translation>Un orden necesita al menos dos caracteres.</translation>
    </message>
</context>
<context>
    <name>course::PracticeWindow</name>
    <message>
        <source>Zirvano: practice</source>
        <translation>Zirvano: práctica</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Closes the practice window (Escape).</source>
        <translation>Cierra la ventana de práctica (Esc).</translation>
    </message>
    <message>
        <source>Practice pages</source>
        <translation>Páginas de práctica</translation>
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
        <translation>Texto enviado y escrito</translation>
    </message>
    <message>
        <source>Each c&amp;haracter:</source>
        <translation>&amp;Por carácter:</translation>
    </message>
    <message>
        <source>Accuracy of each character</source>
        <translation>Acierto de cada carácter</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>Carácter</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>Acierto</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Bien</translation>
    </message>
    <message>
        <source>Taken for</source>
        <translation>Confundido con</translation>
    </message>
    <message>
        <source>No run scored yet.</source>
        <translation>Ninguna ronda calificada todavía.</translation>
    </message>
    <message>
        <source>Accuracy %1 %: %2 of %3 characters right (%4 wrong, %5 skipped, %6 extra).</source>
        <translation>Acierto del %1 %: %2 de %3 caracteres bien (%4 mal, %5 omitidos, %6 de más).</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Typed</source>
        <translation>Escrito</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, %3 typed</source>
        <translation>Grupo %1: enviado %2, escrito %3</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, nothing typed</source>
        <translation>Grupo %1: enviado %2, nada escrito</translation>
    </message>
    <message>
        <source>Group %1: %2 typed, nothing sent</source>
        <translation>Grupo %1: escrito %2, nada enviado</translation>
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
        <translation>En&amp;viado y escrito:</translation>
    </message>
    <message>
        <source>&amp;Mistakes:</source>
        <translation>&amp;Fallos:</translation>
    </message>
    <message>
        <source>Mistakes</source>
        <translation>Fallos</translation>
    </message>
    <message>
        <source>No mistakes.</source>
        <translation>Ningún fallo.</translation>
    </message>
    <message numerus="yes">
        <source>%n mistake(s); the list of mistakes reads them one by one.</source>
        <translation>
            <numerusform>%n fallo; la lista de fallos lo describe.</numerusform>
            <numerusform>%n fallos; la lista de fallos los lee uno a uno.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>course::ReviewSettings</name>
    <message>
        <source>Nothing is due for review today.</source>
        <translation>Nada que repasar hoy.</translation>
    </message>
    <message>
        <source>Due for review today: %1</source>
        <translation>Para repasar hoy: %1</translation>
    </message>
</context>
<context>
    <name>progress::CharacterMap</name>
    <message>
        <source>Character map</source>
        <translation>Mapa de caracteres</translation>
    </message>
</context>
<context>
    <name>progress::CharactersPage</name>
    <message>
        <source>&amp;My characters</source>
        <translation>&amp;Mis caracteres</translation>
    </message>
    <message>
        <source>Selected character</source>
        <translation>Carácter seleccionado</translation>
    </message>
    <message>
        <source>Point at a key or select it with the arrow keys.</source>
        <translation>Señale una tecla o selecciónela con las flechas.</translation>
    </message>
    <message>
        <source>Most &amp;confused:</source>
        <translation>Más &amp;confundidos:</translation>
    </message>
    <message>
        <source>Most confused characters</source>
        <translation>Caracteres más confundidos</translation>
    </message>
    <message>
        <source>&amp;Progress per day (accuracy and effective speed):</source>
        <translation>&amp;Progreso por día (acierto y velocidad efectiva):</translation>
    </message>
    <message>
        <source>E&amp;xport record…</source>
        <translation>E&amp;xportar registro…</translation>
    </message>
    <message>
        <source>Writes every stored answer to a CSV file, one a line.</source>
        <translation>Escribe todas las respuestas guardadas en un archivo CSV, una por línea.</translation>
    </message>
    <message>
        <source>Adds the answers of a CSV file written by an export; those already stored are left out.</source>
        <translation>Añade las respuestas de un archivo CSV escrito por una exportación; las ya guardadas se omiten.</translation>
    </message>
    <message>
        <source>Record status</source>
        <translation>Estado del registro</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %2: %n time(s)</source>
        <translation>
            <numerusform>%1 y %2: %n vez</numerusform>
            <numerusform>%1 y %2: %n veces</numerusform>
        </translation>
    </message>
    <message>
        <source>No characters confused yet.</source>
        <translation>Ningún carácter confundido todavía.</translation>
    </message>
    <message>
        <source>Export the record</source>
        <translation>Exportar el registro</translation>
    </message>
    <message>
        <source>zirvano-record.csv</source>
        <translation>zirvano-registro.csv</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valores separados por comas (*.csv)</translation>
    </message>
    <message>
        <source>The record could not be exported: %1</source>
        <translation>No se pudo exportar el registro: %1</translation>
    </message>
    <message>
        <source>Record written to %1.</source>
        <translation>Registro escrito en %1.</translation>
    </message>
    <message>
        <source>Import a record</source>
        <translation>Importar un registro</translation>
    </message>
    <message>
        <source>The record could not be imported: %1</source>
        <translation>No se pudo importar el registro: %1</translation>
    </message>
    <message>
        <source>%1: %2 answers read, %3 added, %4 already present.</source>
        <translation>%1: %2 respuestas leídas, %3 añadidas, %4 ya presentes.</translation>
    </message>
    <message>
        <source>K&amp;eys, coloured by your last answers (green 90 % or more, amber 70 to 89 %, red below 70 %, grey fewer than 10 answers):</source>
        <translation>T&amp;eclas, coloreadas por sus últimas respuestas (verde 90 % o más, ámbar 70 a 89 %, rojo por debajo de 70 %, gris menos de 10 respuestas):</translation>
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
        <translation>Grupos de los caracteres que más falla, sacados de su registro.</translation>
    </message>
    <message>
        <source>Drills cannot be played here: no player is available.</source>
        <translation>No se pueden reproducir ejercicios aquí: no hay reproductor disponible.</translation>
    </message>
    <message>
        <source>&amp;Drill my weak characters</source>
        <translation>Practicar mis caracteres &amp;débiles</translation>
    </message>
    <message>
        <source>Plays random groups of the characters you have learned, the ones you miss most more often, at the course&apos;s speeds.</source>
        <translation>Reproduce grupos aleatorios de los caracteres que ya aprendió, los que más falla con más frecuencia, a las velocidades del curso.</translation>
    </message>
    <message>
        <source>Ends the drill at once; it is not scored.</source>
        <translation>Termina la práctica en el acto; no se evalúa.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compara lo que escribió con lo que se envió.</translation>
    </message>
    <message>
        <source>Drill played</source>
        <translation>Práctica reproducida</translation>
    </message>
    <message>
        <source>What you hear in the drill</source>
        <translation>Lo que oye en la práctica</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Escriba los grupos mientras suenan, con un espacio entre grupos; pulse Intro cuando termine.</translation>
    </message>
    <message>
        <source>Drill status</source>
        <translation>Estado de la práctica</translation>
    </message>
    <message>
        <source>The drill is playing: type what you hear.</source>
        <translation>Sonando la práctica: escriba lo que oye.</translation>
    </message>
    <message>
        <source>Drill stopped: nothing was scored.</source>
        <translation>Práctica detenida: no se evaluó nada.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>No se reprodujo nada.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Reproducido. Termine de escribir y pulse Intro para evaluar.</translation>
    </message>
    <message>
        <source>%1 (%2 of %3 right)</source>
        <translation>%1 (%2 de %3 correctos)</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right.</source>
        <translation>Práctica evaluada: %1 % de acierto.</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right. Missed: %2.</source>
        <translation>Práctica evaluada: %1 % de acierto. Fallos: %2.</translation>
    </message>
    <message>
        <source>S&amp;top drill</source>
        <translation>De&amp;tener práctica</translation>
    </message>
    <message>
        <source>Sc&amp;ore drill</source>
        <translation>E&amp;valuar práctica</translation>
    </message>
    <message>
        <source>T&amp;ype the drill:</source>
        <translation>Escri&amp;ba la práctica:</translation>
    </message>
</context>
<context>
    <name>progress::ProgressChart</name>
    <message>
        <source>No practice yet.</source>
        <translation>Ninguna práctica todavía.</translation>
    </message>
    <message numerus="yes">
        <source>Accuracy and effective speed per day from %1 to %2, %n day(s) with practice.</source>
        <translation>
            <numerusform>Acierto y velocidad efectiva por día del %1 al %2, %n día con práctica.</numerusform>
            <numerusform>Acierto y velocidad efectiva por día del %1 al %2, %n días con práctica.</numerusform>
        </translation>
    </message>
    <message>
        <source>On the last day: accuracy %1 %, effective speed %2 WPM.</source>
        <translation>El último día: acierto del %1 %, velocidad efectiva de %2 WPM.</translation>
    </message>
    <message>
        <source>Progress chart</source>
        <translation>Gráfico del progreso</translation>
    </message>
</context>
<context>
    <name>recognition::RecognitionPage</name>
    <message>
        <source>Measure your reaction time once, then press Start.</source>
        <translation>Mida su tiempo de reacción una vez y pulse Iniciar.</translation>
    </message>
    <message>
        <source>Nothing can be played here: no player is available.</source>
        <translation>Aquí no se puede reproducir nada: no hay reproductor disponible.</translation>
    </message>
    <message>
        <source>Press a key at each beep.</source>
        <translation>Pulse una tecla en cada pitido.</translation>
    </message>
    <message>
        <source>The beep cannot be played.</source>
        <translation>El pitido no se puede reproducir.</translation>
    </message>
    <message>
        <source>The course has brought in too few characters yet.</source>
        <translation>El curso aún ha introducido pocos caracteres.</translation>
    </message>
    <message>
        <source>Press the key of each character you hear.</source>
        <translation>Pulse la tecla de cada carácter que oiga.</translation>
    </message>
    <message>
        <source>Your reaction time is not measured yet: the times include it.</source>
        <translation>Su tiempo de reacción aún no se ha medido: los tiempos lo incluyen.</translation>
    </message>
    <message>
        <source>“%1” cannot be played.</source>
        <translation>“%1” no se puede reproducir.</translation>
    </message>
    <message>
        <source>Stopped: the run was not stored.</source>
        <translation>Detenido: la sesión no se guardó.</translation>
    </message>
    <message>
        <source>Stopped: the reaction time was not changed.</source>
        <translation>Detenido: el tiempo de reacción no cambió.</translation>
    </message>
    <message>
        <source>Too soon: wait for the beep.</source>
        <translation>Demasiado pronto: espere el pitido.</translation>
    </message>
    <message>
        <source>Your reaction time is %1 ms.</source>
        <translation>Su tiempo de reacción es %1 ms.</translation>
    </message>
    <message>
        <source>Your presses were too uneven to measure a reaction time. Try again.</source>
        <translation>Sus pulsaciones fueron demasiado irregulares para medir un tiempo de reacción. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>%1  %2 ms</source>
        <translation>%1  %2 ms</translation>
    </message>
    <message>
        <source>%1: you pressed %2</source>
        <translation>%1: usted pulsó %2</translation>
    </message>
    <message>
        <source>Median answer time %1&#xa0;ms, accuracy %2&#xa0;%.</source>
        <translation>Tiempo mediano de respuesta %1&#xa0;ms, acierto %2&#xa0;%.</translation>
    </message>
    <message>
        <source>Instant recognition</source>
        <translation>Reconocimiento instantáneo</translation>
    </message>
    <message>
        <source>Character &amp;speed:</source>
        <translation>&amp;Velocidad de los caracteres:</translation>
    </message>
    <message>
        <source>S&amp;low above:</source>
        <translation>&amp;Lento por encima de:</translation>
    </message>
    <message>
        <source>Characters a &amp;run:</source>
        <translation>Caracteres por &amp;sesión:</translation>
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
        <translation>Velocidad de los caracteres</translation>
    </message>
    <message>
        <source>Slow above</source>
        <translation>Lento por encima de</translation>
    </message>
    <message>
        <source>Characters answered slower than this, or wrong, come back sooner.</source>
        <translation>Los caracteres respondidos más despacio que esto, o mal, vuelven antes.</translation>
    </message>
    <message>
        <source>Characters a run</source>
        <translation>Caracteres por sesión</translation>
    </message>
    <message>
        <source>Reaction time: %1 ms</source>
        <translation>Tiempo de reacción: %1 ms</translation>
    </message>
    <message>
        <source>Reaction time: not measured yet</source>
        <translation>Tiempo de reacción: aún no medido</translation>
    </message>
    <message>
        <source>&amp;Measure my reaction</source>
        <translation>&amp;Medir mi reacción</translation>
    </message>
    <message>
        <source>Plays a few beeps at random moments: press a key at each.</source>
        <translation>Reproduce unos pitidos en momentos aleatorios: pulse una tecla en cada uno.</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Answer keys</source>
        <translation>Teclas de respuesta</translation>
    </message>
    <message>
        <source>Press the key of the character you hear.</source>
        <translation>Pulse la tecla del carácter que oiga.</translation>
    </message>
</context>
<context>
    <name>record::AnswerCsv</name>
    <message>
        <source>%1 fields where there should be %2</source>
        <translation>%1 campos donde debería haber %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time</source>
        <translation>&quot;%1&quot; no es una hora</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind</source>
        <translation>&quot;%1&quot; no es un tipo</translation>
    </message>
    <message>
        <source>right is &quot;%1&quot;, not 1 or 0</source>
        <translation>bien es &quot;%1&quot;, no 1 ni 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an answer time in ms</source>
        <translation>&quot;%1&quot; no es un tiempo de respuesta en ms</translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot; are not speeds</source>
        <translation>&quot;%1&quot; y &quot;%2&quot; no son velocidades</translation>
    </message>
</context>
<context>
    <name>record::Record</name>
    <message>
        <source>the file is damaged (%1)</source>
        <translation>el archivo está dañado (%1)</translation>
    </message>
    <message>
        <source>the file is no record of this trainer (%1)</source>
        <translation>el archivo no es un registro de este entrenador (%1)</translation>
    </message>
    <message>
        <source>the file cannot be read or written (%1)</source>
        <translation>el archivo no se puede leer ni escribir (%1)</translation>
    </message>
    <message>
        <source>something other than a file stands in its place</source>
        <translation>hay otra cosa que no es un archivo en su lugar</translation>
    </message>
    <message>
        <source>another program keeps it locked</source>
        <translation>otro programa lo mantiene bloqueado</translation>
    </message>
    <message>
        <source>it was written by a newer version of Zirvano (format %1; this version knows formats up to %2) and is left as it is</source>
        <translation>lo escribió una versión más nueva de Zirvano (formato %1; esta versión conoce formatos hasta el %2) y se deja como está</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite)</source>
        <translation>el controlador SQLite de Qt no está instalado (paquete Debian libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>its folder %1 cannot be created</source>
        <translation>no se puede crear su carpeta %1</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. The trainer goes on without keeping a record.</source>
        <translation>El registro del alumno %1 no se puede usar: %2. El entrenador sigue sin guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. Nor can it be set aside (%3), so the trainer goes on without keeping a record.</source>
        <translation>El registro del alumno %1 no se puede usar: %2. Tampoco se puede apartar (%3), así que el entrenador sigue sin guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, but no new record can be started (%4), so the trainer goes on without keeping a record.</source>
        <translation>El registro del alumno %1 no se puede usar: %2. Se guardó como %3, pero no se puede empezar un registro nuevo (%4), así que el entrenador sigue sin guardar registro.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, and a new record was started.</source>
        <translation>El registro del alumno %1 no se puede usar: %2. Se guardó como %3 y se empezó un registro nuevo.</translation>
    </message>
    <message>
        <source>Results are not being stored: the trainer is working without a record.</source>
        <translation>Los resultados no se están guardando: el entrenador funciona sin registro.</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1).</source>
        <translation>Un resultado no se pudo guardar en el registro del alumno (%1).</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1). It is kept, and stored with the next one.</source>
        <translation>Un resultado no se pudo guardar en el registro del alumno (%1). Se conserva y se guardará con el siguiente.</translation>
    </message>
    <message>
        <source>There is no record to export: the trainer is working without one.</source>
        <translation>No hay registro que exportar: el entrenador funciona sin él.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>The record cannot be read: %1</source>
        <translation>No se puede leer el registro: %1</translation>
    </message>
    <message>
        <source>There is no record to import into: the trainer is working without one.</source>
        <translation>No hay registro al que importar: el entrenador funciona sin él.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is too large to be an exported record.</source>
        <translation>%1 es demasiado grande para ser un registro exportado.</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, línea %2: %3</translation>
    </message>
    <message>
        <source>%1 is empty: it lacks even the header line.</source>
        <translation>%1 está vacío: le falta incluso la línea de cabecera.</translation>
    </message>
    <message>
        <source>the first line must be the header %1</source>
        <translation>la primera línea debe ser la cabecera %1</translation>
    </message>
    <message>
        <source>The record cannot be written: %1</source>
        <translation>No se puede escribir el registro: %1</translation>
    </message>
</context>
<context>
    <name>sending::SerialKey</name>
    <message>
        <source>The two paddles need two different lines.</source>
        <translation>Las dos paletas necesitan dos líneas distintas.</translation>
    </message>
    <message>
        <source>No serial port is chosen for the key.</source>
        <translation>No se ha elegido ningún puerto serie para el manipulador.</translation>
    </message>
    <message>
        <source>There is no serial port %1. Is the key&apos;s interface plugged in?</source>
        <translation>No existe el puerto serie %1. ¿Está conectada la interfaz del manipulador?</translation>
    </message>
    <message>
        <source>You may not open the serial port %1: another program has it open, or you are not in the dialout group (sudo usermod -aG dialout $USER, then log out and in again).</source>
        <translation>No puede abrir el puerto serie %1: otro programa lo tiene abierto, o usted no está en el grupo dialout (sudo usermod -aG dialout $USER, luego cierre la sesión y vuelva a entrar).</translation>
    </message>
    <message>
        <source>The serial port %1 has gone away. The serial key has stopped; the keyboard keys still work.</source>
        <translation>El puerto serie %1 ha desaparecido. El manipulador serie se ha detenido; las teclas del teclado siguen funcionando.</translation>
    </message>
    <message>
        <source>The serial port %1 does not report its modem lines (CTS, DSR, DCD), so no key can be read from it.</source>
        <translation>El puerto serie %1 no informa de sus líneas de módem (CTS, DSR, DCD), así que no se puede leer ningún manipulador en él.</translation>
    </message>
    <message>
        <source>The serial port %1 could not be used: %2</source>
        <translation>No se pudo usar el puerto serie %1: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>error desconocido</translation>
    </message>
</context>
</TS>
