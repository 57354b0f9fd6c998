#pragma once

// Every text of the windows shows whole: where a control's designed font
// does not fit the room its style leaves for text (Textraum.h), the font
// is made smaller until it does. Nothing is ever cut.

#include <QFont>
#include <QStringList>
#include <initializer_list>

#include "ui/common/Textraum.h"

class QComboBox;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace lohnwippe::gestaltung {

// The font `w` was designed with: its font at its first fitting.
QFont Entwurf(const QWidget* w);

// Gives `w` the largest font, from its designed size down in quarter
// points, at which all `texte` pass; never below 5 points.
void Einpassen(QWidget* w, const QStringList& texte);

// Keeps a list's font fitted to all its entries, now and after every
// change of them.
void ListeEinpassen(QComboBox* liste);

// Keeps a box's font fitted to its text, now and whenever it is drawn with
// a new one: for a box whose text is a value that must not lose a digit.
void FeldEinpassen(QLineEdit* feld);

// Keeps a table's font fitted to its captions (the first column and the
// merged cells): now, whenever the table is shown (a refresh hides and
// shows it) and whenever a column changes width.
void TabelleEinpassen(QTableWidget* tabelle);

// Fits every control inside `fenster` as above, except `ausnahmen` (a
// caption cut by design); a label, button or frame whose text changes is
// fitted again before it is next drawn.
void AllesEinpassen(QWidget* fenster, std::initializer_list<const QWidget*> ausnahmen = {});

}  // namespace lohnwippe::gestaltung
