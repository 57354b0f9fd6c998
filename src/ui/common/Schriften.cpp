#include "ui/common/Schriften.h"

#include <QFont>
#include <QString>

namespace lohnwippe::gestaltung {

void SchriftenZuordnen() {
    [[maybe_unused]] static const bool zugeordnet = [] {
        // Drawn to the widths of Arial, Times New Roman and Courier New.
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                                  QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        // The small dialog face has no free twin. Over the captions of both
        // windows Liberation Sans runs within 1 to 6 % of its widths (4 % on
        // average); the font system's own pick, DejaVu Sans, runs 13 % wider
        // and cut "Krankengeld" and the frame titles.
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Liberation Sans"));
        return true;
    }();
}

}  // namespace lohnwippe::gestaltung
