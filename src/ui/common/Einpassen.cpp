#include "ui/common/Einpassen.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QTableWidget>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace lohnwippe::gestaltung {
namespace {

constexpr char EntwurfName[] = "lohnwippe_entwurf";
constexpr double Schritt = 0.25;
constexpr double Kleinste = 5;

// Fits `w` from its designed font down until `allesPasst` holds.
template <typename Pruefung>
void Anpassen(QWidget* w, Pruefung allesPasst) {
    QFont schrift = Entwurf(w);
    while (!allesPasst(schrift) && schrift.pointSizeF() - Schritt >= Kleinste) {
        schrift.setPointSizeF(schrift.pointSizeF() - Schritt);
    }
    if (schrift != w->font()) {
        w->setFont(schrift);
    }
}

void EntwurfMerken(QWidget* w) {
    if (!w->property(EntwurfName).isValid()) {
        w->setProperty(EntwurfName, QVariant::fromValue(w->font()));
    }
}

// The captions of a table as (column, row): every cell of the first column
// and every merged cell.
QList<QPoint> Ueberschriftzellen(const QTableWidget* tabelle) {
    QList<QPoint> zellen;
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
        zellen.append(QPoint(0, zeile));
        for (int spalte = 1; spalte < tabelle->columnCount();) {
            const int breite = std::max(1, tabelle->columnSpan(zeile, spalte));
            if (breite > 1) {
                zellen.append(QPoint(spalte, zeile));
            }
            spalte += breite;
        }
    }
    return zellen;
}

// Captions and values the window writes after it is built: a control is
// fitted again when it is about to be drawn with texts other than those
// it was last fitted to. It is then drawn in the new font at once.
class BeimMalen final : public QObject {
  public:
    explicit BeimMalen(QWidget* w) : QObject(w), gepasst_(Texte(w)) {}

  protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::Paint) {
            auto* w = static_cast<QWidget*>(objekt);
            QStringList texte = Texte(w);
            if (texte != gepasst_) {
                Einpassen(w, texte);
                gepasst_ = std::move(texte);
            }
        }
        return false;
    }

  private:
    QStringList gepasst_;
};

class BeimZeigen final : public QObject {
  public:
    BeimZeigen(QObject* eltern, std::function<void()> tun)
        : QObject(eltern), tun_(std::move(tun)) {}

  protected:
    bool eventFilter(QObject* /*objekt*/, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::Show) {
            tun_();
        }
        return false;
    }

  private:
    std::function<void()> tun_;
};

}  // namespace

QFont Entwurf(const QWidget* w) {
    const QVariant entwurf = w->property(EntwurfName);
    return entwurf.isValid() ? entwurf.value<QFont>() : w->font();
}

void Einpassen(QWidget* w, const QStringList& texte) {
    EntwurfMerken(w);
    Anpassen(w, [&](const QFont& schrift) {
        return std::all_of(texte.begin(), texte.end(),
                           [&](const QString& text) { return Passt(w, text, schrift); });
    });
}

void ListeEinpassen(QComboBox* liste) {
    const auto anpassen = [liste] { Einpassen(liste, Texte(liste)); };
    anpassen();
    const QAbstractItemModel* modell = liste->model();
    // A list is filled entry by entry. More entries can only ask for a
    // smaller font: unless the first ones replace the edit text an empty
    // list was fitted to, only a new entry that does not fit calls for a
    // fitting of all.
    QObject::connect(modell, &QAbstractItemModel::rowsInserted, liste,
                     [liste, anpassen](const QModelIndex& /*eltern*/, int von, int bis) {
                         bool neu = liste->count() == bis - von + 1;
                         for (int i = von; i <= bis && !neu; ++i) {
                             neu = !Passt(liste, liste->itemText(i), liste->font());
                         }
                         if (neu) {
                             anpassen();
                         }
                     });
    QObject::connect(modell, &QAbstractItemModel::rowsRemoved, liste, anpassen);
    QObject::connect(modell, &QAbstractItemModel::dataChanged, liste, anpassen);
    QObject::connect(modell, &QAbstractItemModel::modelReset, liste, anpassen);
}

void FeldEinpassen(QLineEdit* feld) {
    // Fitted when it is drawn with a new text, not at every change: an
    // entry sets the box's text and no one sees it before the next frame.
    Einpassen(feld, Texte(feld));
    feld->installEventFilter(new BeimMalen(feld));
}

void TabelleEinpassen(QTableWidget* tabelle) {
    EntwurfMerken(tabelle);
    // Amounts stand in columns made for them; what can outgrow its cell is
    // a caption: those of the first column and the merged ones. They are
    // measured again only when a column width or a text that may be a
    // caption changed since the last fitting; a refresh of every amount
    // costs one comparison per caption cell.
    struct Stand {
        QList<int> Breiten;
        QStringList Texte;
        bool operator==(const Stand&) const = default;
    };
    const auto zuletzt = std::make_shared<Stand>();
    const auto anpassen = [tabelle, zuletzt] {
        Stand stand;
        for (int spalte = 0; spalte < tabelle->columnCount(); ++spalte) {
            stand.Breiten.append(tabelle->columnWidth(spalte));
        }
        // Merged cells only ever join equal texts of a row whose first
        // value cell is empty: the caption rows.
        for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
            const QTableWidgetItem* erste = tabelle->item(zeile, 1);
            const int bis =
                erste != nullptr && erste->text().isEmpty() ? tabelle->columnCount() : 1;
            for (int spalte = 0; spalte < bis; ++spalte) {
                const QTableWidgetItem* inhalt = tabelle->item(zeile, spalte);
                stand.Texte.append(inhalt != nullptr ? inhalt->text() : QString());
            }
        }
        if (stand == *zuletzt) {
            return;
        }
        *zuletzt = std::move(stand);
        const QList<QPoint> zellen = Ueberschriftzellen(tabelle);
        Anpassen(tabelle, [&](const QFont& schrift) {
            return std::all_of(zellen.begin(), zellen.end(), [&](const QPoint& zelle) {
                return ZellePasst(tabelle, zelle.y(), zelle.x(), schrift);
            });
        });
    };
    anpassen();
    // A refresh rewrites the grid while it is hidden and shows it at the
    // end: one fitting per refresh, after all its texts are in.
    tabelle->installEventFilter(new BeimZeigen(tabelle, anpassen));
    QObject::connect(tabelle->horizontalHeader(), &QHeaderView::sectionResized, tabelle, anpassen);
}

void AllesEinpassen(QWidget* fenster, std::initializer_list<const QWidget*> ausnahmen) {
    QList<QWidget*> steuerelemente;
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        const bool ausgenommen =
            std::find(ausnahmen.begin(), ausnahmen.end(), w) != ausnahmen.end();
        // The parts of a list or a table belong to their owner; a text box
        // shows what the user typed.
        bool innen = false;
        for (const QWidget* p = w->parentWidget(); p != nullptr && p != fenster && !innen;
             p = p->parentWidget()) {
            innen = qobject_cast<const QComboBox*>(p) != nullptr ||
                    qobject_cast<const QAbstractItemView*>(p) != nullptr;
        }
        if (!ausgenommen && !innen && qobject_cast<QLineEdit*>(w) == nullptr) {
            steuerelemente.append(w);
        }
    }
    // A frame passes its font on to what it holds; with every designed font
    // noted first, shrinking a frame's title leaves its contents as they were.
    for (QWidget* w : steuerelemente) {
        EntwurfMerken(w);
    }
    for (QWidget* w : steuerelemente) {
        if (auto* tabelle = qobject_cast<QTableWidget*>(w)) {
            TabelleEinpassen(tabelle);
        } else if (auto* liste = qobject_cast<QComboBox*>(w)) {
            ListeEinpassen(liste);
        } else if (!Texte(w).isEmpty() || qobject_cast<QLabel*>(w) != nullptr) {
            Einpassen(w, Texte(w));
            w->installEventFilter(new BeimMalen(w));
        }
    }
}

}  // namespace lohnwippe::gestaltung
