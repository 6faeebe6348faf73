<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Game</name>
    <message>
        <location filename="../game/game.cpp" line="+31"/>
        <source>ULTIMATE PENALTY</source>
        <extracomment>The penalty display&apos;s first line, in capitals; the display is 276 pixels wide.</extracomment>
        <translation>HÖCHSTSTRAFE</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Immediate Loss of Game.</source>
        <translation>Spiel sofort verloren.</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Quit this game of &apos;&apos;Dovrel&apos;&apos; ?</source>
        <extracomment>Asked when the main window is closed. The doubled apostrophes are the game&apos;s own way of quoting its name.</extracomment>
        <translation>Dieses Spiel „Dovrel“ beenden?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Exit Check...</source>
        <extracomment>Title of the message box that asks before the game closes.</extracomment>
        <translation>Beenden...</translation>
    </message>
    <message numerus="yes">
        <location filename="../game/handover.cpp" line="+27"/>
        <source>%n Wins</source>
        <extracomment>A player&apos;s games won in this match, under the score: 60 pixels wide.</extracomment>
        <translation>
            <numerusform>%n Sieg</numerusform>
            <numerusform>%n Siege</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+62"/>
        <source>%1: %2 points this round. </source>
        <extracomment>A line of the score message at a game&apos;s end: %1 is a player&apos;s name, %2 the player&apos;s points in the game that ended, which may be negative.</extracomment>
        <translation>
            <numerusform>%1: %2 Punkt in diesem Spiel. </numerusform>
            <numerusform>%1: %2 Punkte in diesem Spiel. </numerusform>
        </translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 wins this game. %2 will start the next game.</source>
        <extracomment>%1 won the game that ended; %2, who lost it, begins the next one.</extracomment>
        <translation>%1 gewinnt dieses Spiel. %2 beginnt das nächste Spiel.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Tie score.</source>
        <translation>Unentschieden.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No winner this game. Prepare to start the next game.</source>
        <translation>Dieses Spiel hat keinen Sieger. Mach dich bereit für das nächste Spiel.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Score For This Game</source>
        <extracomment>Title of the message box at the end of each game.</extracomment>
        <translation>Punktestand dieses Spiels</translation>
    </message>
    <message numerus="yes">
        <location filename="../game/scoring.cpp" line="+27"/>
        <source>- %n Points</source>
        <extracomment>What a penalty token cost, in a point box 90 pixels wide, in bold. %n is 5, 20, 25 or 40.</extracomment>
        <translation>
            <numerusform>- %n Punkt</numerusform>
            <numerusform>- %n Punkte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>+ %n Points</source>
        <extracomment>What a bonus token scored, in a point box 90 pixels wide, in bold. %n is 20, 25, 35 or 50.</extracomment>
        <translation>
            <numerusform>+ %n Punkt</numerusform>
            <numerusform>+ %n Punkte</numerusform>
        </translation>
    </message>
    <message>
        <location line="+61"/>
        <source>%1 wins the game. </source>
        <extracomment>On the penalty display, after its two lines: %1 takes the game.</extracomment>
        <translation>%1 gewinnt das Spiel. </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 will start the next game.</source>
        <extracomment>On the penalty display, after the winner&apos;s line: %1 begins the next game.</extracomment>
        <translation>%1 beginnt das nächste Spiel.</translation>
    </message>
    <message>
        <location filename="../game/speed_sound.cpp" line="+23"/>
        <source>Turn &amp;Sound On</source>
        <extracomment>Options menu item; S is also the Speed submenu&apos;s key in English.</extracomment>
        <translation>&amp;Ton einschalten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Turn &amp;Sound Off</source>
        <extracomment>Options menu item, in place of &quot;Turn &amp;Sound On&quot; while the sound is on.</extracomment>
        <translation>&amp;Ton ausschalten</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>10 Points</source>
        <extracomment>What a neutral token scores: in a point box 90 pixels wide, in bold, and under its picture in the key (bold, 9 pixels high), where a word wider than 42 pixels is drawn smaller.</extracomment>
        <translation>10 Punkte</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <location filename="../ui/help_file.cpp" line="+30"/>
        <source>No help file has been named.</source>
        <translation>Es wurde keine Hilfedatei angegeben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The help file %1 could not be opened: it is not a file.</source>
        <translation>Die Hilfedatei %1 konnte nicht geöffnet werden: Das ist keine Datei.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The help file %1 could not be opened: %2</source>
        <translation>Die Hilfedatei %1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The help file %1 could not be read: %2</source>
        <translation>Die Hilfedatei %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The help file %1 could not be read: it is too large to be a help file.</source>
        <translation>Die Hilfedatei %1 konnte nicht gelesen werden: Die Datei ist zu groß für eine Hilfedatei.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The help file %1 has no topic %2.</source>
        <translation>Die Hilfedatei %1 enthält kein Thema %2.</translation>
    </message>
</context>
<context>
    <name>Key</name>
    <message>
        <location filename="../ui/accessibility.cpp" line="+107"/>
        <source>Bonus</source>
        <extracomment>Under the positive token&apos;s picture in the key, where a word wider than 42 pixels is drawn smaller.</extracomment>
        <translation>Bonus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Penalty</source>
        <extracomment>Under the negative token&apos;s picture in the key, where a word wider than 42 pixels is drawn smaller.</extracomment>
        <translation>Strafe</translation>
    </message>
    <message>
        <location filename="../ui/pictures.cpp" line="+18"/>
        <source>START</source>
        <extracomment>The word over the start arrow&apos;s picture, in capitals, as large as fits.</extracomment>
        <translation>START</translation>
    </message>
</context>
<context>
    <name>Reading</name>
    <message>
        <location filename="../ui/accessibility.cpp" line="-16"/>
        <source>positive</source>
        <extracomment>A token&apos;s kind, as a screen reader says it: &quot;Token 3: positive&quot;.</extracomment>
        <translation>positiv</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>negative</source>
        <extracomment>A token&apos;s kind, as a screen reader says it: &quot;Token 3: negative&quot;.</extracomment>
        <translation>negativ</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>neutral</source>
        <extracomment>A token&apos;s kind, as a screen reader says it: &quot;Token 3: neutral&quot;.</extracomment>
        <translation>neutral</translation>
    </message>
    <message numerus="yes">
        <location filename="../ui/board_reading.cpp" line="+36"/>
        <source>%1: %2 points</source>
        <extracomment>A player&apos;s score as a screen reader names it: %1 is the player&apos;s name, %2 the score, which may be negative.</extracomment>
        <translation>
            <numerusform>%1: %2 Punkt</numerusform>
            <numerusform>%1: %2 Punkte</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1: %2</source>
        <extracomment>A player&apos;s games won as a screen reader names it: &quot;Ann: 2 Wins&quot;.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Start</source>
        <extracomment>The name of the start arrow&apos;s picture, for a screen reader.</extracomment>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The row begins at the token next to it.</source>
        <translation>Die Reihe beginnt bei dem Stein daneben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1, %2</source>
        <extracomment>One entry of the key, read out: %1 the token&apos;s kind, %2 its caption in the key.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Key: %1</source>
        <extracomment>The key&apos;s picture, read out: %1 is its three entries.</extracomment>
        <translation>Legende: %1</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>; </source>
        <extracomment>Between the key&apos;s entries, read out.</extracomment>
        <translation>; </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Points of token %1 of the take</source>
        <translation>Punkte für Stein %1 des Griffs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The player to move</source>
        <translation>Der Spieler am Zug</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Speed</source>
        <extracomment>The group of the three speed options, for a screen reader.</extracomment>
        <translation>Tempo</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Row</source>
        <extracomment>The row of tokens, read as a list.</extracomment>
        <translation>Reihe</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Token %1: %2</source>
        <extracomment>A token in the row: %1 its place (1 to 74), %2 its kind.</extracomment>
        <translation>Stein %1: %2</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>%1 takes %2.</source>
        <extracomment>Spoken when the computer takes: %1 is its name, %2 how many tokens.</extracomment>
        <translation>%1 zieht %2.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>New match.</source>
        <translation>Neue Partie.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>New game.</source>
        <translation>Neues Spiel.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 to move.</source>
        <extracomment>Spoken at each turn&apos;s start: %1 is the name of the player to move.</extracomment>
        <translation>%1 ist am Zug.</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%1: %2 points, %3.</source>
        <extracomment>Spoken at each turn&apos;s start: %1 a player&apos;s name, %2 the points (may be negative), %3 the games won as the board shows them (&quot;2 Wins&quot;).</extracomment>
        <translation>
            <numerusform>%1: %2 Punkt, %3.</numerusform>
            <numerusform>%1: %2 Punkte, %3.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Next tokens: %1.</source>
        <extracomment>Spoken at each turn&apos;s start: the kinds of the next six tokens.</extracomment>
        <translation>Nächste Steine: %1.</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>, </source>
        <extracomment>Between the kinds of the next tokens, read out.</extracomment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%n tokens left.</source>
        <extracomment>Spoken at each turn&apos;s start.</extracomment>
        <translation>
            <numerusform>Noch %n Stein übrig.</numerusform>
            <numerusform>Noch %n Steine übrig.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>dovrel::HelpViewer</name>
    <message>
        <location filename="../ui/help_viewer.cpp" line="+47"/>
        <source>The Game &amp;Window</source>
        <extracomment>A help topic&apos;s button: the same words as that topic&apos;s heading in the help file.</extracomment>
        <translation>Das Spiel&amp;fenster</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Starting a Match</source>
        <extracomment>A help topic&apos;s button: the same words as that topic&apos;s heading in the help file.</extracomment>
        <translation>Eine &amp;Partie beginnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Rules of the Game</source>
        <extracomment>A help topic&apos;s button: the same words as that topic&apos;s heading in the help file.</extracomment>
        <translation>Die Spiel&amp;regeln</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Dovrel Help</source>
        <extracomment>The help window&apos;s title.</extracomment>
        <translation>Dovrel-Hilfe</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>&lt; &amp;Back</source>
        <extracomment>Goes back to the page shown before.</extracomment>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Dovrel Help - %1</source>
        <translation>Dovrel-Hilfe - %1</translation>
    </message>
    <message>
        <location line="+112"/>
        <source>The help cannot be shown</source>
        <translation>Die Hilfe kann nicht angezeigt werden</translation>
    </message>
</context>
<context>
    <name>dovrel::frmAbout</name>
    <message>
        <location filename="../ui/frmAbout.cpp" line="+30"/>
        <source>&apos;&apos;Dovrel&apos;&apos; is offered by its author as freeware, with no strings attached. You may copy it and pass it on to others without asking permission.</source>
        <extracomment>The About box&apos;s text, in bold, in a frame of 308 by 234 pixels; what does not fit is cut off. The doubled apostrophes quote the name.</extracomment>
        <translation>„Dovrel“ wird von seinem Autor als Freeware angeboten, ohne jede Verpflichtung. Du darfst es kopieren und an andere weitergeben, ohne um Erlaubnis zu fragen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Conditions of freeware:</source>
        <translation>Freeware-Bedingungen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(1) &apos;&apos;Dovrel&apos;&apos; is offered as is, without warranties of any kind, express or implied, as to its operation, its interaction with other files, or its fitness for any particular purpose.</source>
        <translation>(1) „Dovrel“ wird so angeboten, wie es ist, ohne jede ausdrückliche oder stillschweigende Gewährleistung für seine Funktion, sein Zusammenspiel mit anderen Dateien oder seine Eignung für einen bestimmten Zweck.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>(2) There is no product support.</source>
        <translation>(2) Es gibt keinen Produktsupport.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>I hope you enjoy many good games of &apos;&apos;Dovrel&apos;&apos;!</source>
        <translation>Ich wünsche dir viele schöne Spiele mit „Dovrel“!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>December 2026</source>
        <extracomment>When this version was made.</extracomment>
        <translation>Dezember 2026</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>About &apos;&apos;Dovrel&apos;&apos;</source>
        <translation>Über „Dovrel“</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Close</source>
        <extracomment>Closes the About box: a button 118 pixels wide.</extracomment>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Emblem</source>
        <extracomment>The About box&apos;s picture, for a screen reader.</extracomment>
        <translation>Emblem</translation>
    </message>
</context>
<context>
    <name>dovrel::frmDovrel</name>
    <message>
        <location filename="../ui/frmDovrel_commands.cpp" line="+22"/>
        <source>Starting a new game will clear all scores and accumulated wins.</source>
        <translation>Ein neues Spiel löscht alle Punktestände und alle bisherigen Siege.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Proceed with a new game?</source>
        <translation>Trotzdem ein neues Spiel beginnen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>New Game: Notice</source>
        <extracomment>Title of the message box that asks before a new match.</extracomment>
        <translation>Neues Spiel: Hinweis</translation>
    </message>
    <message>
        <location filename="../ui/frmDovrel_layout.cpp" line="+74"/>
        <source>Dovrel... A Strategy Game by Qelvani</source>
        <extracomment>The main window&apos;s title; Qelvani is the maker&apos;s name and stays as it is.</extracomment>
        <translation>Dovrel... Ein Strategiespiel von Qelvani</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Game</source>
        <extracomment>Menu bar. Its access key must differ from the board&apos;s controls&apos; keys.</extracomment>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;New Game</source>
        <extracomment>Game menu: starts a new match.</extracomment>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Options</source>
        <extracomment>Menu bar. In English its key clashes with OK&apos;s; avoid that if you can.</extracomment>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;View Key</source>
        <extracomment>Options menu: shows or hides the key under the board.</extracomment>
        <translation>&amp;Legende zeigen</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+148"/>
        <source>&amp;Speed</source>
        <extracomment>Options menu: the submenu of speeds. In English its key clashes with &quot;Turn &amp;Sound On&quot;; avoid that if you can.
----------
Beside the three speed options: 44 pixels.</extracomment>
        <translation>Te&amp;mpo</translation>
    </message>
    <message>
        <location line="-146"/>
        <location line="+152"/>
        <source>&amp;Normal</source>
        <extracomment>Speed submenu.
----------
A speed option, 58 pixels wide with its round button: 39 for the text.</extracomment>
        <translation>No&amp;rmal</translation>
    </message>
    <message>
        <location line="-150"/>
        <source>&amp;Faster</source>
        <extracomment>Speed submenu.</extracomment>
        <translation>Schn&amp;ell</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Fastes&amp;t</source>
        <extracomment>Speed submenu.</extracomment>
        <translation>&amp;Turbo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Topics</source>
        <extracomment>Help menu: opens the help.</extracomment>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Dovrel</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Ultimate Penalty</source>
        <extracomment>The penalty display&apos;s caption before its first use; it is never seen.</extracomment>
        <translation>Höchststrafe</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Player</source>
        <extracomment>The take panel&apos;s caption until the first turn names the player to move.</extracomment>
        <translation>Spieler</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Take...</source>
        <extracomment>Beside the box where the take is typed: 41 pixels, bold.</extracomment>
        <translation>&amp;Zieh...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Take &amp;6</source>
        <extracomment>An option, 55 pixels wide with its round button: 36 for the text, in bold.</extracomment>
        <translation>Zieh &amp;6</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Take &amp;4</source>
        <extracomment>An option, 66 pixels wide with its round button: 47 for the text, in bold.</extracomment>
        <translation>Zieh &amp;4</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Take &amp;2</source>
        <extracomment>An option, 69 pixels wide with its round button: 50 for the text, in bold.</extracomment>
        <translation>Zieh &amp;2</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;OK</source>
        <extracomment>Confirms the take: a button 54 pixels wide.</extracomment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Fastest</source>
        <extracomment>A speed option, 58 pixels wide with its round button: 39 for the text.</extracomment>
        <translation>&amp;Turbo</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Faste&amp;r</source>
        <extracomment>A speed option, 58 pixels wide with its round button: 39 for the text.</extracomment>
        <translation>Schn&amp;ell</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Quit</source>
        <extracomment>Ends the program: a button 68 pixels wide.</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Continue</source>
        <extracomment>Under the penalty display, to go on to the next game: a button 81 pixels wide.</extracomment>
        <translation>&amp;Weiter</translation>
    </message>
</context>
<context>
    <name>dovrel::frmSetup</name>
    <message>
        <location filename="../ui/frmSetup.cpp" line="+65"/>
        <source>&amp;Two Players</source>
        <extracomment>An option, 188 pixels wide with its round button, in bold.</extracomment>
        <translation>&amp;Zwei Spieler</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;One Player vs The Computer</source>
        <extracomment>An option, 194 pixels wide with its round button (about 177 for the text), in bold.</extracomment>
        <translation>&amp;Allein gegen den Computer</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Player &amp;1:</source>
        <extracomment>Before the first name&apos;s box: 60 pixels, in bold.</extracomment>
        <translation>Spieler &amp;1:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Player &amp;2:</source>
        <extracomment>Before the second name&apos;s box: 60 pixels, in bold.</extracomment>
        <translation>Spieler &amp;2:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Done</source>
        <extracomment>Starts the match: a button 102 pixels wide.</extracomment>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;View Game Rules</source>
        <extracomment>Opens the help at the rules: a button 102 pixels wide.</extracomment>
        <translation>&amp;Spielregeln</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Dovrel: new match</source>
        <extracomment>The setup dialog&apos;s name, for a screen reader.</extracomment>
        <translation>Dovrel: neue Partie</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Players</source>
        <extracomment>The frame of the two options who plays, for a screen reader.</extracomment>
        <translation>Spieler</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Names</source>
        <extracomment>The frame of the two name boxes, for a screen reader.</extracomment>
        <translation>Namen</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>Computer</source>
        <extracomment>The computer&apos;s name as a player: at most 10 characters, shown in a box 120 pixels wide and on the scoreboard in 80 pixels, in bold.</extracomment>
        <translation>Computer</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Player 1</source>
        <extracomment>The name of a player who gave none: shown on the scoreboard in 80 pixels, in bold, and on the take panel.</extracomment>
        <translation>Spieler 1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Player 2</source>
        <translation>Spieler 2</translation>
    </message>
</context>
<context>
    <name>dovrel::frmWinner</name>
    <message>
        <location filename="../ui/frmWinner.cpp" line="+65"/>
        <source>&amp;New Game</source>
        <extracomment>Starts a new match: a button 88 pixels wide.</extracomment>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>E&amp;xit</source>
        <extracomment>Ends the program: a button 88 pixels wide.</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>takes the match</source>
        <extracomment>Under the winner&apos;s name, which stands alone on the line above: 232 by 68 pixels, in a large bold font, two lines.</extracomment>
        <translation>gewinnt die Partie</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>with 3 wins.</source>
        <translation>mit 3 Siegen.</translation>
    </message>
</context>
</TS>
