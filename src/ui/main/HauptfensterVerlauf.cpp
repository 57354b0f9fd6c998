// Undo and redo in the main window: the keys, the context menu that names
// the steps, and the brief notice of what was taken back.
#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "ui/main/Ergebnistabelle.h"
#include "ui/main/Hauptfenster.h"

namespace lohnwippe {

namespace {

// A step's text as a menu entry: an "&" in an employer's name is no
// keyboard mnemonic.
QString Eintrag(const std::optional<std::string>& text, const char* sonst) {
    return text ? QString::fromStdString(*text).replace('&', QStringLiteral("&&"))
                : QString::fromUtf8(sonst);
}

}  // namespace

void Hauptfenster::VerlaufEinrichten() {
    rueckgaengig_ = new QAction(this);
    wiederholen_ = new QAction(this);
    rueckgaengig_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    wiederholen_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* aktion : {rueckgaengig_, wiederholen_}) {
        aktion->setShortcutContext(Qt::WindowShortcut);
        addAction(aktion);
    }
    // Without changing the window's layout: a right click on it.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(rueckgaengig_, &QAction::triggered, this,
            [this] { SchrittZeigen(fall_->Rueckgaengig()); });
    connect(wiederholen_, &QAction::triggered, this,
            [this] { SchrittZeigen(fall_->Wiederholen()); });

    hinweis_ = new QLabel(this);
    hinweis_->setObjectName(QStringLiteral("Hinweis"));
    hinweis_->setAccessibleName(QStringLiteral("Hinweis"));
    hinweis_->setFrameShape(QFrame::Box);
    hinweis_->setAutoFillBackground(true);
    hinweis_->setBackgroundRole(QPalette::ToolTipBase);
    hinweis_->setForegroundRole(QPalette::ToolTipText);
    hinweis_->setIndent(twips_.Pixel(90));
    hinweis_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hinweis_->hide();
    hinweisZeit_.setSingleShot(true);
    hinweisZeit_.setInterval(5000);
    connect(&hinweisZeit_, &QTimer::timeout, hinweis_, &QWidget::hide);
}

void Hauptfenster::VerlaufZeigen() {
    const auto zurueck = fall_->Schritte().Menuetext(true);
    const auto vor = fall_->Schritte().Menuetext(false);
    rueckgaengig_->setText(Eintrag(zurueck, "Rückgängig"));
    rueckgaengig_->setEnabled(zurueck.has_value());
    wiederholen_->setText(Eintrag(vor, "Wiederholen"));
    wiederholen_->setEnabled(vor.has_value());
}

void Hauptfenster::SchrittZeigen(const Aenderung& aenderung) {
    Zeigen(aenderung);
    // Only a step that went through says so; its edits there would store
    // the state from before it again.
    if (aenderung.Hinweis && stammdaten_ != nullptr) {
        stammdaten_->Auffrischen();
    }
}

void Hauptfenster::HinweisZeigen(const std::string& text) {
    // In its line below the table, where it covers nothing, and gone by
    // itself: nothing to click away. A step that names a long text is cut
    // at the end; the whole of it is in the tooltip and for screen readers.
    const int oben = e_.MSFlexGrid1->geometry().bottom() + 1;
    hinweis_->setGeometry(0, oben, width(), std::max(0, height() - oben));
    const QString voll = QString::fromStdString(text);
    const int platz = hinweis_->contentsRect().width() - 2 * hinweis_->indent();
    const QString gezeigt = hinweis_->fontMetrics().elidedText(voll, Qt::ElideRight, platz);
    hinweis_->setText(gezeigt);
    hinweis_->setToolTip(gezeigt == voll ? QString() : voll);
    hinweis_->setAccessibleDescription(voll);
    hinweis_->show();
    hinweis_->raise();
    hinweisZeit_.start();
    QAccessibleEvent meldung(hinweis_, QAccessible::Alert);
    QAccessible::updateAccessibility(&meldung);
}

bool Hauptfenster::VerlaufTaste(const QEvent* ereignis) const {
    if (ereignis->type() != QEvent::ShortcutOverride) {
        return false;
    }
    // The boxes and the lists' edit fields would take Ctrl+Z for their own
    // text; the window's steps go first.
    const QKeySequence taste(static_cast<const QKeyEvent*>(ereignis)->keyCombination());
    return rueckgaengig_->shortcuts().contains(taste) || wiederholen_->shortcuts().contains(taste);
}

}  // namespace lohnwippe
