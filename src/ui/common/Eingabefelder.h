#pragma once

// Text boxes and lists that show only what the program will keep.

#include <QValidator>

class QComboBox;
class QLineEdit;

namespace lohnwippe::gestaltung {

// Holds a box's text to what one text field of the data files stores: at
// most 20 characters, each one of Windows-1252; any other character shows
// as "?" as soon as it is typed, pasted or set. Where a text grows past 20
// characters, the characters just typed or pasted (those before the caret)
// give way, so a full box takes nothing more in.
class Textfeldpruefer final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& text, int& position) const override;
};

// Gives `feld` a Textfeldpruefer.
void AufTextfeldBegrenzen(QLineEdit* feld);

// A box shows its text from the beginning again once the focus leaves it:
// tabbing in selects the text, which scrolls a long one to its end.
void AnfangZeigen(QLineEdit* feld);

// An editable list whose text is always one of its entries, so that typing
// never makes an entry of its own: nothing typed is inserted, and when the
// focus leaves the list or Enter is pressed in it, the list shows its
// selected entry again (Enter does nothing more: it chooses no entry).
// Outside the focus the text shows from its beginning.
void AuswahlFesthalten(QComboBox* liste);

}  // namespace lohnwippe::gestaltung
