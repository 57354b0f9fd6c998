#pragma once

// How much room a control leaves for its text, measured as its style lays
// the control out.

#include <QFont>
#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

namespace lohnwippe::gestaltung {

// Whether `text` shows whole in `w` drawn in `schrift`: within the room the
// control's style leaves for a line of text (beside a check box's box,
// inside the frame of a button, a text box or a list, within a label's
// margins, between a frame title's indents). A word-wrapped label must hold
// all its lines in its height. Blanks after left-aligned text take no room.
bool Passt(const QWidget* w, const QString& text, const QFont& schrift);

// What `w` shows as text: a caption, a frame title, the text of a box, the
// entries of a list (its edit text while it has none). Empty for others.
QStringList Texte(const QWidget* w);

// Whether the text of cell (zeile, spalte) shows whole in its cell, merged
// neighbours included. Cells covered by a merged neighbour pass.
bool ZellePasst(const QTableWidget* tabelle, int zeile, int spalte, const QFont& schrift);

}  // namespace lohnwippe::gestaltung
