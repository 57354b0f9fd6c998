#pragma once

namespace lohnwippe::gestaltung {

// Maps each face the windows and the report name to an installed face of
// the same widths, before any of them is drawn. Calling it again does
// nothing.
void SchriftenZuordnen();

}  // namespace lohnwippe::gestaltung
