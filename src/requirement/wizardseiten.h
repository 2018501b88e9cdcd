#pragma once
// What the pages of the requirement wizard share: showing a page or the lexicon by name, the Cancel
// of every step, the wizard trees, messages, and the look of their picture buttons.
#include "services/meldungen.h"

#include <QString>

class QToolButton;
class QWidget;

namespace kav {

// Loads and shows the window `name`; false when it cannot be loaded (the work area stays as it is).
bool SeiteZeigen(const QString& name);
// Opens the lexicon over the page at the chapter `kapitel`.
void LexikonZeigen(const QString& kapitel);
// Cancel of a wizard step: unloads the task pages, resets the wizard state with level 0 and shows a
// fresh plot step.
void BerechnungAbbrechen();
// Rebuilds the tree of the plot step (1) or of the crop step (2) when that page is loaded; any other
// value does nothing.
void NPKBaumFuellen(int intSeite);
// Shows a message through the program's message sink (nothing for an empty one).
void WizardMelden(const Meldung& m);

// A picture button of a wizard page (icon only, following the mouse, reachable by Tab).
QToolButton* WizardKnopf(QWidget* seite, const QString& name, const QString& hinweis);
// A highlighted button (Hervorheben) gets the user colour back (true when it did).
bool ZurueckFaerben(QToolButton* b);
// The picture as large as the button leaves room for.
void KnopfBildEinpassen(QToolButton* b);

} // namespace kav
