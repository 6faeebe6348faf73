<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Game</name>
    <message numerus="yes">
        <source>%n Wins</source>
        <extracomment>A player&apos;s games won in this match, under the score: 60 pixels wide.</extracomment>
        <translation>
            <numerusform>%n Win</numerusform>
            <numerusform>%n Wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>- %n Points</source>
        <extracomment>What a penalty token cost, in a point box 90 pixels wide, in bold. %n is 5, 20, 25 or 40.</extracomment>
        <translation>
            <numerusform>- %n Points</numerusform>
            <numerusform>- %n Points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+ %n Points</source>
        <extracomment>What a bonus token scored, in a point box 90 pixels wide, in bold. %n is 20, 25, 35 or 50.</extracomment>
        <translation>
            <numerusform>+ %n Points</numerusform>
            <numerusform>+ %n Points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 points this round. </source>
        <extracomment>A line of the score message at a game&apos;s end: %1 is a player&apos;s name, %2 the player&apos;s points in the game that ended, which may be negative.</extracomment>
        <translation>
            <numerusform>%1: %2 points this round. </numerusform>
            <numerusform>%1: %2 points this round. </numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Reading</name>
    <message numerus="yes">
        <source>%n tokens left.</source>
        <extracomment>Spoken at each turn&apos;s start.</extracomment>
        <translation>
            <numerusform>%n token left.</numerusform>
            <numerusform>%n tokens left.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 points</source>
        <extracomment>A player&apos;s score as a screen reader names it: %1 is the player&apos;s name, %2 the score, which may be negative.</extracomment>
        <translation>
            <numerusform>%1: %2 points</numerusform>
            <numerusform>%1: %2 points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 points, %3.</source>
        <extracomment>Spoken at each turn&apos;s start: %1 a player&apos;s name, %2 the points (may be negative), %3 the games won as the board shows them (&quot;2 Wins&quot;).</extracomment>
        <translation>
            <numerusform>%1: %2 points, %3.</numerusform>
            <numerusform>%1: %2 points, %3.</numerusform>
        </translation>
    </message>
</context>
</TS>
