#include "services/meldungen.h"

#include <array>

namespace kav {

namespace {

struct Eintrag {
    const char16_t* schluessel;
    int nr;
    const char16_t* titel;
    const char16_t* text;
    Meldung::Symbol symbol;
};

constexpr const char16_t* kTitelBerechnung = u"Humavera - Düngeberechnung";

const std::array<Eintrag, 8> kMeldungen = {{
    {u"Flaeche", 101, kTitelBerechnung,
     u"Fehler Nr. 101: Sie haben keine Fläche angegeben, für die die Düngeberechnung durchgeführt werden soll.",
     Meldung::Symbol::Information},
    {u"Flaechenmaße", 104, kTitelBerechnung,
     u"Fehler Nr. 104: Sie haben die Länge bzw. Breite des Beetes, für das die Düngeberechnung durchgeführt "
     u"werden soll, nicht eingegeben.",
     Meldung::Symbol::Information},
    {u"Kultur", 102, kTitelBerechnung,
     u"Fehler Nr. 102: Sie haben keine Kultur angegeben, für die die Düngeberechnung durchgeführt werden soll.",
     Meldung::Symbol::Information},
    {u"Analysenwerte", 103, u"Humavera - Analysenwerte eintragen",
     u"Fehler Nr. 103: Es wurden nicht alle benötigten Analysenwerte eingetragen. Bitte korrigieren Sie Ihre "
     u"Eingaben.",
     Meldung::Symbol::Information},
    {u"Nmin", 105, kTitelBerechnung,
     u"Fehler Nr. 105: Der eingegebene Nmin-Wert ist keine Zahl. Bitte korrigieren Sie Ihre Eingabe.",
     Meldung::Symbol::Information},
    {u"Flaechengroesse", 106, kTitelBerechnung,
     u"Fehler Nr. 106: Sie haben die Größe der Fläche, für die die Düngeberechnung durchgeführt werden soll, "
     u"nicht eingegeben.",
     Meldung::Symbol::Information},
    {u"SQL-DB", 1002, u"Humavera - Datenübertragung",
     u"Fehler Nr. 1002: Der Server konnte nicht kontaktiert werden, die Daten wurden nicht übertragen. Bitte "
     u"versuchen Sie es zu einem späteren Zeitpunkt nochmals.",
     Meldung::Symbol::Warnung},
    {u"SQL-CN", 1005, u"Humavera - Datenbankverbindung",
     u"Fehler Nr. 1005: Der Server konnte nicht kontaktiert werden. Bitte versuchen Sie es zu einem späteren "
     u"Zeitpunkt nochmals.",
     Meldung::Symbol::Warnung},
}};

} // namespace

Meldung fehlerMeldungFuer(const QString& schluessel)
{
    for (const Eintrag& e : kMeldungen) {
        if (schluessel == QString::fromUtf16(e.schluessel))
            return Meldung{e.nr, QString::fromUtf16(e.titel), QString::fromUtf16(e.text), e.symbol};
    }
    return Meldung{};
}

Meldung analysenwerteFehlen(const QStringList& fehlend)
{
    Meldung m = fehlerMeldungFuer(QStringLiteral("Analysenwerte"));
    if (!fehlend.isEmpty())
        m.text += (fehlend.size() == 1 ? QStringLiteral("\n\nEs fehlt: ") : QStringLiteral("\n\nEs fehlen: "))
                  + fehlend.join(QStringLiteral(", ")) + QLatin1Char('.');
    return m;
}

void FehlerMeldung(const QString& schluessel, MeldungsAnzeige& anzeige)
{
    anzeige.zeige(fehlerMeldungFuer(schluessel));
}

} // namespace kav
