#include "services/einstellungen.h"

#include "platform/rounding.h"
#include "platform/settingsstore.h"
#include "services/gebietsschema.h"
#include "services/rahmen.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

const QString kWahr = QStringLiteral("Wahr");
const QString kFalsch = QStringLiteral("Falsch");
constexpr int kFarbeVorgabe = 188;

// Each reader leaves the variable as it was when the text does not convert.
void ladeGanz(const Gebietsschema& g, const QString& text, int& ziel)
{
    if (const auto v = g.zahlLesen(text); v && *v >= -32768.0 && *v <= 32767.0)
        ziel = rundenGanz(*v);
}

void ladeDatum(const Gebietsschema& g, const QString& text, QDate& ziel)
{
    if (const auto v = g.datumLesen(text))
        ziel = v->date();
}

void ladeDatum(const Gebietsschema& g, const QString& text, QDateTime& ziel)
{
    if (const auto v = g.datumLesen(text))
        ziel = QDateTime(v->date(), QTime(0, 0));
}

// A colour part outside 0 to 255, or no number, is read as the default 188.
void ladeFarbe(const Gebietsschema& g, const QString& text, int& ziel)
{
    const auto v = g.zahlLesen(text);
    ziel = v && *v >= 0.0 && *v <= 255.0 ? rundenGanz(*v) : kFarbeVorgabe;
}

// A size or place beyond any screen (or a negative size) is read as the default.
constexpr double kGroesstesMass = 1000000; // twips, more than 60000 pixels

void ladeMass(const Gebietsschema& g, const QString& text, float& ziel, bool groesse, float vorgabe)
{
    const auto v = g.zahlLesen(text);
    if (!v)
        return; // unreadable: the variable stays as it was
    const bool absurd = !std::isfinite(*v) || std::abs(*v) > kGroesstesMass || (groesse && *v < 0);
    ziel = absurd ? vorgabe : static_cast<float>(*v);
}

bool istWahr(const QString& text) { return text == kWahr; }

} // namespace

QColor benutzerFarbe(const Einstellungen& e)
{
    return QColor(std::clamp(e.intRot, 0, 255), std::clamp(e.intGruen, 0, 255), std::clamp(e.intBlau, 0, 255));
}

QColor benutzerFarbeHell(const Einstellungen& e)
{
    return QColor(std::clamp(e.intRotHell, 0, 255), std::clamp(e.intGruenHell, 0, 255),
                  std::clamp(e.intBlauHell, 0, 255));
}

QString startSchrittFuer(const QString& gespeichert)
{
    const QString kopf = gespeichert.left(3);
    if (kopf == QLatin1String("NPK") || kopf == QLatin1String("MKE"))
        return QStringLiteral("NPK");
    if (kopf == QLatin1String("Lex"))
        return QStringLiteral("Analysenwerte");
    // a key that names no page (edited by hand) opens the analysis page
    if (gespeichert != QLatin1String("Kein"))
        return QStringLiteral("Analysenwerte");
    return gespeichert;
}

QDateTime datenstandAuslieferung() { return QDateTime(QDate(2010, 2, 11), QTime(0, 0)); }

void EinstellungenLaden(const SettingsStore& s, const Gebietsschema& g, Einstellungen& e, Rahmen& r)
{
    // read and not used: the program folder is always the folder of the executable
    (void)s.RegistryLesen(schluessel::pfade, QStringLiteral("Kav-Verz"), QString());
    e.strVersion = s.RegistryLesen(schluessel::version, QStringLiteral("Version"), QString());
    e.strProgrammID = s.RegistryLesen(schluessel::version, QStringLiteral("ProgrammID"), QString());
    ladeGanz(g, s.RegistryLesen(schluessel::datenbank, QStringLiteral("intDS"), QStringLiteral("14")), e.intDS);
    ladeDatum(g, s.RegistryLesen(schluessel::datenbank, QStringLiteral("datLetzteDS"), QString()), e.datLetzteDS);
    e.strDatenAufServer = s.RegistryLesen(schluessel::datenbank, QStringLiteral("DatenAufServer"), kFalsch);
    ladeDatum(g,
              s.RegistryLesen(schluessel::datenbank, QStringLiteral("datLetztesUpdate"),
                              datenstandAuslieferung().toString(QStringLiteral("dd.MM.yyyy"))),
              e.datLetztesUpdate);
    e.strUpdatebeiStart = s.RegistryLesen(schluessel::datenbank, QStringLiteral("UpdatebeiStart"), kFalsch);
    ladeMass(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Kav-Hoehe"), g.zahlText(r.sngHoehe)), r.sngHoehe,
             true, r.sngHoehe);
    ladeMass(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Kav-Breite"), g.zahlText(r.sngBreite)), r.sngBreite,
             true, r.sngBreite);
    r.strAnsicht = s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Kav-Ansicht"), QStringLiteral("2"));
    r.sngHoeheStart = r.sngHoehe;
    r.sngBreiteStart = r.sngBreite;
    ladeFarbe(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Rot"), QStringLiteral("188")), e.intRot);
    ladeFarbe(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Gruen"), QStringLiteral("188")), e.intGruen);
    ladeFarbe(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Blau"), QStringLiteral("188")), e.intBlau);
    e.intRotHell = e.intRot + 32;
    e.intGruenHell = e.intGruen + 32;
    e.intBlauHell = e.intBlau + 32;
    ladeMass(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Kav-Top"), QStringLiteral("0")), r.sngTop, false, 0);
    ladeMass(g, s.RegistryLesen(schluessel::einstellungen, QStringLiteral("Kav-Left"), QStringLiteral("0")), r.sngLeft, false, 0);
    r.strFensterZeigen =
        startSchrittFuer(s.RegistryLesen(schluessel::fenster, QStringLiteral("strFensterZeigen"), QStringLiteral("Analysenwerte")));
    r.strLexikonAnzeige =
        s.RegistryLesen(schluessel::variablen, QStringLiteral("strLexikonAnzeige"), QStringLiteral("Bodenuntersuchung"));
    e.blnAnzeigeAktuellFl = istWahr(s.RegistryLesen(schluessel::variablen, QStringLiteral("blnAnzeigeAktuellFl"), kWahr));
    e.blnImmerOptimal = istWahr(s.RegistryLesen(schluessel::variablen, QStringLiteral("blnImmerOptimal"), kFalsch));
}

void EinstellungenSpeichern(SettingsStore& s, const Gebietsschema& g, const Einstellungen& e, const Rahmen& r)
{
    const auto ganz = [](int v) { return QString::number(v); };
    s.RegistrySchreiben(schluessel::pfade, QStringLiteral("Kav-Verz"), e.strProgrammVerz);
    s.RegistrySchreiben(schluessel::version, QStringLiteral("Version"), e.strVersion);
    s.RegistrySchreiben(schluessel::version, QStringLiteral("ProgrammID"), e.strProgrammID);
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Kav-Hoehe"), g.zahlText(r.sngHoehe));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Kav-Breite"), g.zahlText(r.sngBreite));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Kav-Ansicht"), r.strAnsicht);
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Rot"), ganz(e.intRot));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Gruen"), ganz(e.intGruen));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Blau"), ganz(e.intBlau));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Kav-Top"), g.zahlText(r.sngTop));
    s.RegistrySchreiben(schluessel::einstellungen, QStringLiteral("Kav-Left"), g.zahlText(r.sngLeft));
    s.RegistrySchreiben(schluessel::datenbank, QStringLiteral("intDS"), ganz(e.intDS));
    s.RegistrySchreiben(schluessel::datenbank, QStringLiteral("datLetzteDS"), g.datumText(e.datLetzteDS));
    s.RegistrySchreiben(schluessel::datenbank, QStringLiteral("DatenAufServer"), e.strDatenAufServer);
    LetztesUpdateSpeichern(s, g, e);
    s.RegistrySchreiben(schluessel::datenbank, QStringLiteral("UpdatebeiStart"), e.strUpdatebeiStart);
    s.RegistrySchreiben(schluessel::fenster, QStringLiteral("strFensterZeigen"), r.strFensterZeigen);
    s.RegistrySchreiben(schluessel::variablen, QStringLiteral("strLexikonAnzeige"), r.strLexikonAnzeige);
    s.RegistrySchreiben(schluessel::variablen, QStringLiteral("blnAnzeigeAktuellFl"), e.blnAnzeigeAktuellFl ? kWahr : kFalsch);
    s.RegistrySchreiben(schluessel::variablen, QStringLiteral("blnImmerOptimal"), e.blnImmerOptimal ? kWahr : kFalsch);
}

void LetztesUpdateSpeichern(SettingsStore& s, const Gebietsschema& g, const Einstellungen& e)
{
    s.RegistrySchreiben(schluessel::datenbank, QStringLiteral("datLetztesUpdate"), g.datumText(e.datLetztesUpdate.date()));
}

} // namespace kav
