#pragma once
#include <QString>

#include "game/view.h"

class QWidget;

namespace dovrel {

// The game's message boxes. The text is always plain (a player's name is shown
// exactly as typed), and CR LF breaks lines as everywhere in the game.
Answer showMessageBox(QWidget* parent, const QString& text, MsgStyle style, const QString& title);

// Text as a label or box shows it: CR LF and lone CRs become line feeds.
QString displayText(QString text);

// Text as a caption shows it literally: "&" marks no access key.
QString literalCaption(QString text);

}  // namespace dovrel
