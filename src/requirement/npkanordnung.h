#pragma once
// What the first two wizard steps share in their look: the prompt across the top, the tree below it
// on the left, the box that heads the column beside the tree, and the room the tree gets where its
// names need it.
#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

namespace kav {

class Anordnung;
class NPKBaumAnsicht;

// The box `txtNPK` that shows the chosen plot or crop: read only, wrapped, framed like an input box.
QLabel* NPKAnzeigefeld(QWidget* eltern);

// Height in twips that a word-wrapped label needs for its text at its width (at least one line).
double NPKTextHoehe(const QLabel* l);
// Width in twips of `text` in the font of `w`, with `zugabe` pixels more.
double NPKTextBreite(const QWidget* w, const QString& text, int zugabe);

// The prompt (bold, two points larger; a line that does not fit wraps and the label grows downward),
// the tree under it down to the foot of the page, and the box `txtNPK` beside the tree, as high as
// `zeilen` lines of its text need at least.
void NPKKopfAnordnen(Anordnung& a, QWidget* seite, QLabel* lblTitel, NPKBaumAnsicht* trvNPK, QLabel* txtNPK,
                     int zeilen);

// Once the column beside the tree is placed: when a name of the tree would be cut, the tree grows into
// the room between it and the column, then the controls of the column move right as far as the room
// before `rechterRand` (twips, the left edge of the page's buttons) allows. Hidden controls count, so
// that the column stands in one place whatever the page shows. The chosen node is then scrolled into view.
void NPKBaumPlatzGeben(Anordnung& a, QWidget* seite, NPKBaumAnsicht* trvNPK, std::initializer_list<QWidget*> spalte,
                       double rechterRand);

} // namespace kav
