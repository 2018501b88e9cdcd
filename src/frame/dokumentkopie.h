#pragma once
// A copy of a written document that no viewer could open: the document in Daten/ is deleted when the
// program ends, so the user is offered to keep a copy where they like.
#include <QString>

#include <functional>

class QWidget;

namespace kav {

// Where the user saves a copy of the document when no viewer opens it (the document itself is opened
// by frame/links' DokumentOeffnen). Tests replace it; the previous way is returned.
struct DokumentWege {
    // The path for a copy, empty when the user does not want one.
    std::function<QString(QWidget* eltern, const QString& vorschlag)> speicherort;
};
DokumentWege setDokumentWege(DokumentWege neu);

// Tells that the document `pfad` was written but not opened and will be deleted at the end, and offers
// to save a copy ("Ja" the default). `dokument` names it in the texts and the proposed file name
// ("Düngeempfehlung": "Die Düngeempfehlung wurde …", "Düngeempfehlung.pdf"); `titel` is the title of
// the question and of a message when the copy cannot be written.
void KopieAnbieten(const QString& pfad, const QString& dokument, const QString& titel);

} // namespace kav
