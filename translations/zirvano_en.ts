<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CharacterStats</name>
    <message>
        <source>space</source>
        <translation>space</translation>
    </message>
    <message>
        <source>%1: no answers yet</source>
        <translation>%1: no answers yet</translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>%1 %2 %, heard as %3 x%4</source>
        <extracomment>A character, its accuracy in percent, what it was most often taken for and how often</extracomment>
        <translation>%1 %2 %, heard as %3 x%4</translation>
    </message>
    <message>
        <source>median answer time %1 ms</source>
        <translation>median answer time %1 ms</translation>
    </message>
    <message numerus="yes">
        <source>last %n answer(s)</source>
        <translation>
            <numerusform>last answer</numerusform>
            <numerusform>last %n answers</numerusform>
        </translation>
    </message>
    <message>
        <source>too few to judge</source>
        <translation>too few to judge</translation>
    </message>
    <message>
        <source>sending %1 %</source>
        <translation>sending %1 %</translation>
    </message>
</context>
<context>
    <name>MorseText</name>
    <message>
        <source>There is nothing to key.</source>
        <translation>There is nothing to key.</translation>
    </message>
    <message>
        <source>The text is too long: at most %1 characters.</source>
        <translation>The text is too long: at most %1 characters.</translation>
    </message>
    <message>
        <source>Character %1, %2, has no Morse code.</source>
        <translation>Character %1, %2, has no Morse code.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&quot; at character %1 has no &quot;&gt;&quot; in the same word.</source>
        <translation>The &quot;&lt;&quot; at character %1 has no &quot;&gt;&quot; in the same word.</translation>
    </message>
    <message>
        <source>The &quot;&lt;&gt;&quot; at character %1 holds no characters.</source>
        <translation>The &quot;&lt;&gt;&quot; at character %1 holds no characters.</translation>
    </message>
</context>
<context>
    <name>ProgressChartPainter</name>
    <message>
        <source>No practice yet</source>
        <translation>No practice yet</translation>
    </message>
    <message>
        <source>Accuracy (%)</source>
        <translation>Accuracy (%)</translation>
    </message>
    <message>
        <source>Effective speed (WPM)</source>
        <translation>Effective speed (WPM)</translation>
    </message>
</context>
<context>
    <name>TfMorse</name>
    <message>
        <source>Practice window: the Koch course (Ctrl+K)</source>
        <translation>Practice window: the Koch course (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window (Ctrl+K)</source>
        <translation>Practice window (Ctrl+K)</translation>
    </message>
    <message>
        <source>Practice window</source>
        <translation>Practice window</translation>
    </message>
    <message>
        <source>Opens the practice window with the Koch course.</source>
        <translation>Opens the practice window with the Koch course.</translation>
    </message>
    <message>
        <source>&amp;Practice window…</source>
        <translation>&amp;Practice window…</translation>
    </message>
</context>
<context>
    <name>WaveFile</name>
    <message>
        <source>Cannot write %1: %2 minutes of sound, more than a WAV file holds (%3 minutes).</source>
        <translation>Cannot write %1: %2 minutes of sound, more than a WAV file holds (%3 minutes).</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>course::CoursePage</name>
    <message>
        <source>Choose a lesson and press Start.</source>
        <translation>Choose a lesson and press Start.</translation>
    </message>
    <message>
        <source>Runs cannot be played here: no player is available.</source>
        <translation>Runs cannot be played here: no player is available.</translation>
    </message>
    <message>
        <source>&amp;Koch course</source>
        <translation>&amp;Koch course</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Plays random groups of the lesson&apos;s characters for the chosen time.</source>
        <translation>Plays random groups of the lesson&apos;s characters for the chosen time.</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>Ends the run at once; it is not scored.</source>
        <translation>Ends the run at once; it is not scored.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compares what you typed with what was sent.</translation>
    </message>
    <message>
        <source>Run played</source>
        <translation>Run played</translation>
    </message>
    <message>
        <source>T&amp;ype what you hear:</source>
        <translation>T&amp;ype what you hear:</translation>
    </message>
    <message>
        <source>What you hear</source>
        <translation>What you hear</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Type the groups as they play, a space between groups; press Enter when it is over.</translation>
    </message>
    <message>
        <source>E&amp;xport as WAV…</source>
        <translation>E&amp;xport as WAV…</translation>
    </message>
    <message>
        <source>Writes the last run&apos;s sound to a WAV file.</source>
        <translation>Writes the last run&apos;s sound to a WAV file.</translation>
    </message>
    <message>
        <source>Lesson %1 is playing: type what you hear.</source>
        <translation>Lesson %1 is playing: type what you hear.</translation>
    </message>
    <message>
        <source>Run stopped: nothing was scored.</source>
        <translation>Run stopped: nothing was scored.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>Nothing was played.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Played. Finish typing, then press Enter to score.</translation>
    </message>
    <message>
        <source>This run could not be stored: %1</source>
        <translation>This run could not be stored: %1</translation>
    </message>
    <message>
        <source>Passed: lesson %1 is open.</source>
        <translation>Passed: lesson %1 is open.</translation>
    </message>
    <message>
        <source>Passed lesson %1.</source>
        <translation>Passed lesson %1.</translation>
    </message>
    <message>
        <source>Below the pass mark of %1 %: lesson %2 again.</source>
        <translation>Below the pass mark of %1 %: lesson %2 again.</translation>
    </message>
    <message>
        <source>Export the run as WAV</source>
        <translation>Export the run as WAV</translation>
    </message>
    <message>
        <source>koch-lesson-%1.wav</source>
        <translation>koch-lesson-%1.wav</translation>
    </message>
    <message>
        <source>WAV sound (*.wav)</source>
        <translation>WAV sound (*.wav)</translation>
    </message>
    <message>
        <source>The run could not be written to %1: %2</source>
        <translation>The run could not be written to %1: %2</translation>
    </message>
    <message>
        <source>Run written to %1.</source>
        <translation>Run written to %1.</translation>
    </message>
    <message>
        <source>Sco&amp;re</source>
        <translation>Sco&amp;re</translation>
    </message>
    <message>
        <source>Review due today</source>
        <translation>Review due today</translation>
    </message>
</context>
<context>
    <name>course::CourseSetup</name>
    <message>
        <source>The characters in the order they are learnt; prosigns in angle brackets, like &lt;AR&gt;.</source>
        <translation>The characters in the order they are learnt; prosigns in angle brackets, like &lt;AR&gt;.</translation>
    </message>
    <message>
        <source>Lesson</source>
        <translation>Lesson</translation>
    </message>
    <message>
        <source>&amp;Lesson:</source>
        <translation>&amp;Lesson:</translation>
    </message>
    <message>
        <source>Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen.</source>
        <translation>Lesson n uses the first n + 1 characters of the order. Any lesson can be chosen.</translation>
    </message>
    <message>
        <source>Koch &amp;order:</source>
        <translation>Koch &amp;order:</translation>
    </message>
    <message>
        <source>Koch order</source>
        <translation>Koch order</translation>
    </message>
    <message>
        <source>&amp;Use this order</source>
        <translation>&amp;Use this order</translation>
    </message>
    <message>
        <source>Stan&amp;dard order</source>
        <translation>Stan&amp;dard order</translation>
    </message>
    <message>
        <source>Back to the order most trainers share.</source>
        <translation>Back to the order most trainers share.</translation>
    </message>
    <message>
        <source>Speeds and groups</source>
        <translation>Speeds and groups</translation>
    </message>
    <message>
        <source>&amp;Character speed:</source>
        <translation>&amp;Character speed:</translation>
    </message>
    <message>
        <source>Character speed in PARIS words per minute</source>
        <translation>Character speed in PARIS words per minute</translation>
    </message>
    <message>
        <source>&amp;Effective speed:</source>
        <translation>&amp;Effective speed:</translation>
    </message>
    <message>
        <source>Effective speed in PARIS words per minute</source>
        <translation>Effective speed in PARIS words per minute</translation>
    </message>
    <message>
        <source>Below the character speed, the gaps between characters and words are longer (Farnsworth); the characters keep their speed.</source>
        <translation>Below the character speed, the gaps between characters and words are longer (Farnsworth); the characters keep their speed.</translation>
    </message>
    <message>
        <source> WPM</source>
        <translation> WPM</translation>
    </message>
    <message>
        <source>&amp;Group size:</source>
        <translation>&amp;Group size:</translation>
    </message>
    <message>
        <source>Group size</source>
        <translation>Group size</translation>
    </message>
    <message>
        <source>Durat&amp;ion:</source>
        <translation>Durat&amp;ion:</translation>
    </message>
    <message>
        <source>Duration of a run</source>
        <translation>Duration of a run</translation>
    </message>
    <message>
        <source>&amp;Pass mark:</source>
        <translation>&amp;Pass mark:</translation>
    </message>
    <message>
        <source>Pass mark</source>
        <translation>Pass mark</translation>
    </message>
    <message>
        <source>A run at least this accurate opens the next lesson.</source>
        <translation>A run at least this accurate opens the next lesson.</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Lesson %1 (+%2)</source>
        <translation>Lesson %1 (+%2)</translation>
    </message>
    <message>
        <source>%1, passed</source>
        <translation>%1, passed</translation>
    </message>
    <message>
        <source>%1, not reached yet</source>
        <translation>%1, not reached yet</translation>
    </message>
    <message numerus="yes">
        <source>%n character(s)</source>
        <translation>
            <numerusform>%n character</numerusform>
            <numerusform>%n characters</numerusform>
        </translation>
    </message>
    <message>
        <source>Mixed, %1 to %2 characters</source>
        <translation>Mixed, %1 to %2 characters</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Characters: %1. New: %2.</source>
        <translation>Characters: %1. New: %2.</translation>
    </message>
    <message>
        <source>Runs so far: %1.</source>
        <translation>Runs so far: %1.</translation>
    </message>
    <message numerus="yes">
        <source>In the first %n run(s) the new character comes up twice as often as each other.</source>
        <translation>
            <numerusform>In the first run the new character comes up twice as often as each other.</numerusform>
            <numerusform>In the first %n runs the new character comes up twice as often as each other.</numerusform>
        </translation>
    </message>
    <message>
        <source>The course counts PARIS words per minute. The main window&apos;s %1 PpM is the trainer&apos;s own scale: %2 WPM by PARIS for its characters, %3 WPM with its longer gaps.</source>
        <translation>The course counts PARIS words per minute. The main window&apos;s %1 PpM is the trainer&apos;s own scale: %2 WPM by PARIS for its characters, %3 WPM with its longer gaps.</translation>
    </message>
</context>
<context>
    <name>course::KochOrder</name>
    <message>
        <source>“%1” is not a character the course can key.</source>
        <translation>“%1” is not a character the course can key.</translation>
    </message>
    <message>
        <source>“%1” comes twice: each character once.</source>
        <translation>“%1” comes twice: each character once.</translation>
    </message>
    <message>
        <source>An order needs at least two characters.</source>
        <translation>An order needs at least two characters.</translation>
    </message>
</context>
<context>
    <name>course::PracticeWindow</name>
    <message>
        <source>Zirvano: practice</source>
        <translation>Zirvano: practice</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Closes the practice window (Escape).</source>
        <translation>Closes the practice window (Escape).</translation>
    </message>
    <message>
        <source>Practice pages</source>
        <translation>Practice pages</translation>
    </message>
</context>
<context>
    <name>course::ResultView</name>
    <message>
        <source>nothing</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>Sent and typed text</source>
        <translation>Sent and typed text</translation>
    </message>
    <message>
        <source>Each c&amp;haracter:</source>
        <translation>Each c&amp;haracter:</translation>
    </message>
    <message>
        <source>Accuracy of each character</source>
        <translation>Accuracy of each character</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>Accuracy</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Taken for</source>
        <translation>Taken for</translation>
    </message>
    <message>
        <source>No run scored yet.</source>
        <translation>No run scored yet.</translation>
    </message>
    <message>
        <source>Accuracy %1 %: %2 of %3 characters right (%4 wrong, %5 skipped, %6 extra).</source>
        <translation>Accuracy %1 %: %2 of %3 characters right (%4 wrong, %5 skipped, %6 extra).</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Typed</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, %3 typed</source>
        <translation>Group %1: %2 sent, %3 typed</translation>
    </message>
    <message>
        <source>Group %1: %2 sent, nothing typed</source>
        <translation>Group %1: %2 sent, nothing typed</translation>
    </message>
    <message>
        <source>Group %1: %2 typed, nothing sent</source>
        <translation>Group %1: %2 typed, nothing sent</translation>
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
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Se&amp;nt and typed:</source>
        <translation>Se&amp;nt and typed:</translation>
    </message>
    <message>
        <source>&amp;Mistakes:</source>
        <translation>&amp;Mistakes:</translation>
    </message>
    <message>
        <source>Mistakes</source>
        <translation>Mistakes</translation>
    </message>
    <message>
        <source>No mistakes.</source>
        <translation>No mistakes.</translation>
    </message>
    <message numerus="yes">
        <source>%n mistake(s); the list of mistakes reads them one by one.</source>
        <translation>
            <numerusform>%n mistake; the list of mistakes says which.</numerusform>
            <numerusform>%n mistakes; the list of mistakes reads them one by one.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>course::ReviewSettings</name>
    <message>
        <source>Nothing is due for review today.</source>
        <translation>Nothing is due for review today.</translation>
    </message>
    <message>
        <source>Due for review today: %1</source>
        <translation>Due for review today: %1</translation>
    </message>
</context>
<context>
    <name>progress::CharacterMap</name>
    <message>
        <source>Character map</source>
        <translation>Character map</translation>
    </message>
</context>
<context>
    <name>progress::CharactersPage</name>
    <message>
        <source>&amp;My characters</source>
        <translation>&amp;My characters</translation>
    </message>
    <message>
        <source>Selected character</source>
        <translation>Selected character</translation>
    </message>
    <message>
        <source>Point at a key or select it with the arrow keys.</source>
        <translation>Point at a key or select it with the arrow keys.</translation>
    </message>
    <message>
        <source>Most &amp;confused:</source>
        <translation>Most &amp;confused:</translation>
    </message>
    <message>
        <source>Most confused characters</source>
        <translation>Most confused characters</translation>
    </message>
    <message>
        <source>&amp;Progress per day (accuracy and effective speed):</source>
        <translation>&amp;Progress per day (accuracy and effective speed):</translation>
    </message>
    <message>
        <source>E&amp;xport record…</source>
        <translation>E&amp;xport record…</translation>
    </message>
    <message>
        <source>Writes every stored answer to a CSV file, one a line.</source>
        <translation>Writes every stored answer to a CSV file, one a line.</translation>
    </message>
    <message>
        <source>Adds the answers of a CSV file written by an export; those already stored are left out.</source>
        <translation>Adds the answers of a CSV file written by an export; those already stored are left out.</translation>
    </message>
    <message>
        <source>Record status</source>
        <translation>Record status</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %2: %n time(s)</source>
        <translation>
            <numerusform>%1 and %2: %n time</numerusform>
            <numerusform>%1 and %2: %n times</numerusform>
        </translation>
    </message>
    <message>
        <source>No characters confused yet.</source>
        <translation>No characters confused yet.</translation>
    </message>
    <message>
        <source>Export the record</source>
        <translation>Export the record</translation>
    </message>
    <message>
        <source>zirvano-record.csv</source>
        <translation>zirvano-record.csv</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Comma-separated values (*.csv)</translation>
    </message>
    <message>
        <source>The record could not be exported: %1</source>
        <translation>The record could not be exported: %1</translation>
    </message>
    <message>
        <source>Record written to %1.</source>
        <translation>Record written to %1.</translation>
    </message>
    <message>
        <source>Import a record</source>
        <translation>Import a record</translation>
    </message>
    <message>
        <source>The record could not be imported: %1</source>
        <translation>The record could not be imported: %1</translation>
    </message>
    <message>
        <source>%1: %2 answers read, %3 added, %4 already present.</source>
        <translation>%1: %2 answers read, %3 added, %4 already present.</translation>
    </message>
    <message>
        <source>K&amp;eys, coloured by your last answers (green 90 % or more, amber 70 to 89 %, red below 70 %, grey fewer than 10 answers):</source>
        <translation>K&amp;eys, coloured by your last answers (green 90 % or more, amber 70 to 89 %, red below 70 %, grey fewer than 10 answers):</translation>
    </message>
    <message>
        <source>&amp;Import record…</source>
        <translation>&amp;Import record…</translation>
    </message>
</context>
<context>
    <name>progress::DrillPanel</name>
    <message>
        <source>Groups of the characters you miss most, drawn from your record.</source>
        <translation>Groups of the characters you miss most, drawn from your record.</translation>
    </message>
    <message>
        <source>Drills cannot be played here: no player is available.</source>
        <translation>Drills cannot be played here: no player is available.</translation>
    </message>
    <message>
        <source>&amp;Drill my weak characters</source>
        <translation>&amp;Drill my weak characters</translation>
    </message>
    <message>
        <source>Plays random groups of the characters you have learned, the ones you miss most more often, at the course&apos;s speeds.</source>
        <translation>Plays random groups of the characters you have learned, the ones you miss most more often, at the course&apos;s speeds.</translation>
    </message>
    <message>
        <source>Ends the drill at once; it is not scored.</source>
        <translation>Ends the drill at once; it is not scored.</translation>
    </message>
    <message>
        <source>Compares what you typed with what was sent.</source>
        <translation>Compares what you typed with what was sent.</translation>
    </message>
    <message>
        <source>Drill played</source>
        <translation>Drill played</translation>
    </message>
    <message>
        <source>What you hear in the drill</source>
        <translation>What you hear in the drill</translation>
    </message>
    <message>
        <source>Type the groups as they play, a space between groups; press Enter when it is over.</source>
        <translation>Type the groups as they play, a space between groups; press Enter when it is over.</translation>
    </message>
    <message>
        <source>Drill status</source>
        <translation>Drill status</translation>
    </message>
    <message>
        <source>The drill is playing: type what you hear.</source>
        <translation>The drill is playing: type what you hear.</translation>
    </message>
    <message>
        <source>Drill stopped: nothing was scored.</source>
        <translation>Drill stopped: nothing was scored.</translation>
    </message>
    <message>
        <source>Nothing was played.</source>
        <translation>Nothing was played.</translation>
    </message>
    <message>
        <source>Played. Finish typing, then press Enter to score.</source>
        <translation>Played. Finish typing, then press Enter to score.</translation>
    </message>
    <message>
        <source>%1 (%2 of %3 right)</source>
        <translation>%1 (%2 of %3 right)</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right.</source>
        <translation>Drill scored: %1 % right.</translation>
    </message>
    <message>
        <source>Drill scored: %1 % right. Missed: %2.</source>
        <translation>Drill scored: %1 % right. Missed: %2.</translation>
    </message>
    <message>
        <source>S&amp;top drill</source>
        <translation>S&amp;top drill</translation>
    </message>
    <message>
        <source>Sc&amp;ore drill</source>
        <translation>Sc&amp;ore drill</translation>
    </message>
    <message>
        <source>T&amp;ype the drill:</source>
        <translation>T&amp;ype the drill:</translation>
    </message>
</context>
<context>
    <name>progress::ProgressChart</name>
    <message>
        <source>No practice yet.</source>
        <translation>No practice yet.</translation>
    </message>
    <message numerus="yes">
        <source>Accuracy and effective speed per day from %1 to %2, %n day(s) with practice.</source>
        <translation>
            <numerusform>Accuracy and effective speed per day from %1 to %2, %n day with practice.</numerusform>
            <numerusform>Accuracy and effective speed per day from %1 to %2, %n days with practice.</numerusform>
        </translation>
    </message>
    <message>
        <source>On the last day: accuracy %1 %, effective speed %2 WPM.</source>
        <translation>On the last day: accuracy %1 %, effective speed %2 WPM.</translation>
    </message>
    <message>
        <source>Progress chart</source>
        <translation>Progress chart</translation>
    </message>
</context>
<context>
    <name>recognition::RecognitionPage</name>
    <message>
        <source>Measure your reaction time once, then press Start.</source>
        <translation>Measure your reaction time once, then press Start.</translation>
    </message>
    <message>
        <source>Nothing can be played here: no player is available.</source>
        <translation>Nothing can be played here: no player is available.</translation>
    </message>
    <message>
        <source>Press a key at each beep.</source>
        <translation>Press a key at each beep.</translation>
    </message>
    <message>
        <source>The beep cannot be played.</source>
        <translation>The beep cannot be played.</translation>
    </message>
    <message>
        <source>The course has brought in too few characters yet.</source>
        <translation>The course has brought in too few characters yet.</translation>
    </message>
    <message>
        <source>Press the key of each character you hear.</source>
        <translation>Press the key of each character you hear.</translation>
    </message>
    <message>
        <source>Your reaction time is not measured yet: the times include it.</source>
        <translation>Your reaction time is not measured yet: the times include it.</translation>
    </message>
    <message>
        <source>“%1” cannot be played.</source>
        <translation>“%1” cannot be played.</translation>
    </message>
    <message>
        <source>Stopped: the run was not stored.</source>
        <translation>Stopped: the run was not stored.</translation>
    </message>
    <message>
        <source>Stopped: the reaction time was not changed.</source>
        <translation>Stopped: the reaction time was not changed.</translation>
    </message>
    <message>
        <source>Too soon: wait for the beep.</source>
        <translation>Too soon: wait for the beep.</translation>
    </message>
    <message>
        <source>Your reaction time is %1 ms.</source>
        <translation>Your reaction time is %1 ms.</translation>
    </message>
    <message>
        <source>Your presses were too uneven to measure a reaction time. Try again.</source>
        <translation>Your presses were too uneven to measure a reaction time. Try again.</translation>
    </message>
    <message>
        <source>%1  %2 ms</source>
        <translation>%1  %2 ms</translation>
    </message>
    <message>
        <source>%1: you pressed %2</source>
        <translation>%1: you pressed %2</translation>
    </message>
    <message>
        <source>Median answer time %1&#xa0;ms, accuracy %2&#xa0;%.</source>
        <translation>Median answer time %1&#xa0;ms, accuracy %2&#xa0;%.</translation>
    </message>
    <message>
        <source>Instant recognition</source>
        <translation>Instant recognition</translation>
    </message>
    <message>
        <source>Character &amp;speed:</source>
        <translation>Character &amp;speed:</translation>
    </message>
    <message>
        <source>S&amp;low above:</source>
        <translation>S&amp;low above:</translation>
    </message>
    <message>
        <source>Characters a &amp;run:</source>
        <translation>Characters a &amp;run:</translation>
    </message>
    <message>
        <source> WPM</source>
        <translation> WPM</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Character speed</source>
        <translation>Character speed</translation>
    </message>
    <message>
        <source>Slow above</source>
        <translation>Slow above</translation>
    </message>
    <message>
        <source>Characters answered slower than this, or wrong, come back sooner.</source>
        <translation>Characters answered slower than this, or wrong, come back sooner.</translation>
    </message>
    <message>
        <source>Characters a run</source>
        <translation>Characters a run</translation>
    </message>
    <message>
        <source>Reaction time: %1 ms</source>
        <translation>Reaction time: %1 ms</translation>
    </message>
    <message>
        <source>Reaction time: not measured yet</source>
        <translation>Reaction time: not measured yet</translation>
    </message>
    <message>
        <source>&amp;Measure my reaction</source>
        <translation>&amp;Measure my reaction</translation>
    </message>
    <message>
        <source>Plays a few beeps at random moments: press a key at each.</source>
        <translation>Plays a few beeps at random moments: press a key at each.</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>S&amp;tart</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>St&amp;op</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Answer keys</source>
        <translation>Answer keys</translation>
    </message>
    <message>
        <source>Press the key of the character you hear.</source>
        <translation>Press the key of the character you hear.</translation>
    </message>
</context>
<context>
    <name>record::AnswerCsv</name>
    <message>
        <source>%1 fields where there should be %2</source>
        <translation>%1 fields where there should be %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time</source>
        <translation>&quot;%1&quot; is not a time</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind</source>
        <translation>&quot;%1&quot; is not a kind</translation>
    </message>
    <message>
        <source>right is &quot;%1&quot;, not 1 or 0</source>
        <translation>right is &quot;%1&quot;, not 1 or 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an answer time in ms</source>
        <translation>&quot;%1&quot; is not an answer time in ms</translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot; are not speeds</source>
        <translation>&quot;%1&quot; and &quot;%2&quot; are not speeds</translation>
    </message>
</context>
<context>
    <name>record::Record</name>
    <message>
        <source>the file is damaged (%1)</source>
        <translation>the file is damaged (%1)</translation>
    </message>
    <message>
        <source>the file is no record of this trainer (%1)</source>
        <translation>the file is no record of this trainer (%1)</translation>
    </message>
    <message>
        <source>the file cannot be read or written (%1)</source>
        <translation>the file cannot be read or written (%1)</translation>
    </message>
    <message>
        <source>something other than a file stands in its place</source>
        <translation>something other than a file stands in its place</translation>
    </message>
    <message>
        <source>another program keeps it locked</source>
        <translation>another program keeps it locked</translation>
    </message>
    <message>
        <source>it was written by a newer version of Zirvano (format %1; this version knows formats up to %2) and is left as it is</source>
        <translation>it was written by a newer version of Zirvano (format %1; this version knows formats up to %2) and is left as it is</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite)</source>
        <translation>Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>its folder %1 cannot be created</source>
        <translation>its folder %1 cannot be created</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. The trainer goes on without keeping a record.</source>
        <translation>The learner&apos;s record %1 cannot be used: %2. The trainer goes on without keeping a record.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. Nor can it be set aside (%3), so the trainer goes on without keeping a record.</source>
        <translation>The learner&apos;s record %1 cannot be used: %2. Nor can it be set aside (%3), so the trainer goes on without keeping a record.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, but no new record can be started (%4), so the trainer goes on without keeping a record.</source>
        <translation>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, but no new record can be started (%4), so the trainer goes on without keeping a record.</translation>
    </message>
    <message>
        <source>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, and a new record was started.</source>
        <translation>The learner&apos;s record %1 cannot be used: %2. It was kept as %3, and a new record was started.</translation>
    </message>
    <message>
        <source>Results are not being stored: the trainer is working without a record.</source>
        <translation>Results are not being stored: the trainer is working without a record.</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1).</source>
        <translation>A result could not be stored in the learner&apos;s record (%1).</translation>
    </message>
    <message>
        <source>A result could not be stored in the learner&apos;s record (%1). It is kept, and stored with the next one.</source>
        <translation>A result could not be stored in the learner&apos;s record (%1). It is kept, and stored with the next one.</translation>
    </message>
    <message>
        <source>There is no record to export: the trainer is working without one.</source>
        <translation>There is no record to export: the trainer is working without one.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>The record cannot be read: %1</source>
        <translation>The record cannot be read: %1</translation>
    </message>
    <message>
        <source>There is no record to import into: the trainer is working without one.</source>
        <translation>There is no record to import into: the trainer is working without one.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 is too large to be an exported record.</source>
        <translation>%1 is too large to be an exported record.</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, line %2: %3</translation>
    </message>
    <message>
        <source>%1 is empty: it lacks even the header line.</source>
        <translation>%1 is empty: it lacks even the header line.</translation>
    </message>
    <message>
        <source>the first line must be the header %1</source>
        <translation>the first line must be the header %1</translation>
    </message>
    <message>
        <source>The record cannot be written: %1</source>
        <translation>The record cannot be written: %1</translation>
    </message>
</context>
<context>
    <name>sending::SerialKey</name>
    <message>
        <source>The two paddles need two different lines.</source>
        <translation>The two paddles need two different lines.</translation>
    </message>
    <message>
        <source>No serial port is chosen for the key.</source>
        <translation>No serial port is chosen for the key.</translation>
    </message>
    <message>
        <source>There is no serial port %1. Is the key&apos;s interface plugged in?</source>
        <translation>There is no serial port %1. Is the key&apos;s interface plugged in?</translation>
    </message>
    <message>
        <source>You may not open the serial port %1: another program has it open, or you are not in the dialout group (sudo usermod -aG dialout $USER, then log out and in again).</source>
        <translation>You may not open the serial port %1: another program has it open, or you are not in the dialout group (sudo usermod -aG dialout $USER, then log out and in again).</translation>
    </message>
    <message>
        <source>The serial port %1 has gone away. The serial key has stopped; the keyboard keys still work.</source>
        <translation>The serial port %1 has gone away. The serial key has stopped; the keyboard keys still work.</translation>
    </message>
    <message>
        <source>The serial port %1 does not report its modem lines (CTS, DSR, DCD), so no key can be read from it.</source>
        <translation>The serial port %1 does not report its modem lines (CTS, DSR, DCD), so no key can be read from it.</translation>
    </message>
    <message>
        <source>The serial port %1 could not be used: %2</source>
        <translation>The serial port %1 could not be used: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
</context>
</TS>
