#pragma once
// Messages to the user: the numbered error messages and a sink that shows them.
#include <QString>
#include <QStringList>

namespace kav {

struct Meldung {
    enum class Symbol { Keins, Information, Warnung, Fehler, Frage };
    int nr = 0;           // number of a numbered message, 0 for others
    QString titel;
    QString text;
    Symbol symbol = Symbol::Keins;
};

// Shows messages; the windows show a message box, tests record them.
class MeldungsAnzeige {
public:
    virtual ~MeldungsAnzeige() = default;
    virtual void zeige(const Meldung& m) = 0;
};

// The numbered message of a key (compared exactly); an empty message for an unknown key.
Meldung fehlerMeldungFuer(const QString& schluessel);

// Message 103 with a sentence that names the values missing ("Es fehlt: Bodenart." or "Es fehlen:
// Phosphat-Gehalt, pH-Wert."); without names the message as it stands.
Meldung analysenwerteFehlen(const QStringList& fehlend);

// Shows the numbered message of `schluessel`.
void FehlerMeldung(const QString& schluessel, MeldungsAnzeige& anzeige);

} // namespace kav
