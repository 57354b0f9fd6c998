#pragma once

namespace lohnwippe::gestaltung {

// Qt's own texts (the edit menu of a text box, the buttons of its dialogs)
// in German, from Qt's translations as the system installs them. Without
// the translations installed they stay English; calling it again does
// nothing.
void StandardtexteDeutsch();

}  // namespace lohnwippe::gestaltung
