#include "plots/frmanalysenwerte.h"

#include "frame/seitenwechsel.h"
#include "services/appcontext.h"

namespace kav {

frmAnalysenWerte::frmAnalysenWerte() : Seite(QStringLiteral("frmAnalysenWerte"), QStringLiteral("Analysenwerte"), Platz::UnterBrotkrume) {}

void frmAnalysenWerte::Form_Load()
{
    Rahmen& r = app().rahmen;
    r.strFensterZeigen = QStringLiteral("Analysenwerte");
    r.strLexikonAnzeige = QStringLiteral("Einleitung");
    BrotkrumeAktualisieren(QStringLiteral("Analysenwerte"));
    ArbeitsbereichAnordnen(name());
}

void frmAnalysenWerte::anordnen(Anordnung& a)
{
    // the page's place; its controls follow
    platzSetzen(a);
    a.tu([&] { a.farbverlauf(this); });
}

} // namespace kav
