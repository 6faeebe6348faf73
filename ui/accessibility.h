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

// A plain container read as a group of controls rather than as a window.
void readAsGroup(QWidget* container, const QString& name);

// A plain container read as a list, and a widget read as an item of it.
void readAsList(QWidget* container, const QString& name);
void readAsListItem(QWidget* item);

// A status line, and a notification in it, which a screen reader speaks as
// soon as it is shown.
void readAsStatusLine(QWidget* line);
void readAsNotice(QWidget* notice);

// Answers what a screen reader has asked meanwhile, and handles no other
// pending event. For pauses that handle no window events, so that the reader
// is never kept waiting. False when no screen reader's bus is connected.
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
