#pragma once
// What a screen reader is told beyond what Qt's widgets say by themselves:
// the roles of the program's windows and pictures, and the words of the game.
#include <QAccessible>
#include <QString>

#include "game/view.h"

class QWidget;

namespace dovrel::accessibility {

// Gives the program's windows and pictures their roles. Call once the
// application exists; later calls do nothing.
void install();

// A plain widget read in the given role (a group of controls, a list and its
// items, a status line and its notifications) rather than as an anonymous one.
void readAs(QWidget* w, QAccessible::Role role, const QString& name = QString());

// Answers what a screen reader has asked meanwhile, and handles no other
// pending event. For pauses that handle no window events, so that the reader
// is never kept waiting. What it answers includes the rare request to act (a
// button's action, a text set from outside), as any event handling would.
// False when no screen reader's bus is connected.
bool answerScreenReader();

// The words the game uses for a kind ("positive"), and the key legend's
// caption for it ("Bonus").
QString kindWord(Kind kind);
QString legendCaption(Kind kind);

// Changes the name or the description, telling a listening screen reader
// only when the words really change.
void setName(QWidget* w, const QString& name);
void setDescription(QWidget* w, const QString& description);

}  // namespace dovrel::accessibility
