// Undo and redo in the main window: the keys, the context menu that names
// the steps, and the brief notice of what was taken back.
#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>

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
    connect(rueckgaengig_, &QAction::triggered, this, [this] { Zeigen(fall_->Rueckgaengig()); });
    connect(wiederholen_, &QAction::triggered, this, [this] { Zeigen(fall_->Wiederholen()); });

    hinweis_ = new QLabel(this);
    hinweis_->setObjectName(QStringLiteral("Hinweis"));
    hinweis_->setAccessibleName(QStringLiteral("Hinweis"));
    hinweis_->setFrameShape(QFrame::Box);
    hinweis_->setAutoFillBackground(true);
    hinweis_->setBackgroundRole(QPalette::ToolTipBase);
    hinweis_->setForegroundRole(QPalette::ToolTipText);
    hinweis_->setMargin(twips_.Pixel(90));
    hinweis_->hide();
    hinweisZeit_.setSingleShot(true);
    hinweisZeit_.setInterval(5000);
    connect(&hinweisZeit_, &QTimer::timeout, hinweis_, &QWidget::hide);
}

void Hauptfenster::VerlaufZeigen() {
    const auto zurueck = fall_->RueckgaengigText();
    const auto vor = fall_->WiederholenText();
    rueckgaengig_->setText(Eintrag(zurueck, "Rückgängig"));
    rueckgaengig_->setEnabled(zurueck.has_value());
    wiederholen_->setText(Eintrag(vor, "Wiederholen"));
    wiederholen_->setEnabled(vor.has_value());
}

void Hauptfenster::HinweisZeigen(const std::string& text) {
    // Over the lower edge of the window, where it covers no entry, and gone
    // by itself: nothing to click away.
    hinweis_->setText(QString::fromStdString(text));
    hinweis_->setMaximumWidth(width() - twips_.Pixel(240));
    hinweis_->setWordWrap(true);
    hinweis_->adjustSize();
    hinweis_->move((width() - hinweis_->width()) / 2, height() - hinweis_->height() - 8);
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
    // The boxes would take Ctrl+Z for their own text; the window's steps
    // go first.
    const QKeySequence taste(static_cast<const QKeyEvent*>(ereignis)->keyCombination());
    return rueckgaengig_->shortcuts().contains(taste) || wiederholen_->shortcuts().contains(taste);
}

}  // namespace lohnwippe
