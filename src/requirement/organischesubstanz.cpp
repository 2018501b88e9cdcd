#include "requirement/organischesubstanz.h"

#include "services/gebietsschema.h"
#include "services/sql.h"

#include <QSqlQuery>
#include <QVariant>

namespace kav {

namespace {

std::optional<double> zahl(const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (v.isNull() || !ok)
        return std::nullopt;
    return d;
}

OrgSubZeile zeileAus(const QSqlQuery& q)
{
    return {q.value(0).toString(), q.value(1).toString(), zahl(q.value(2)), zahl(q.value(3)), zahl(q.value(4)),
            zahl(q.value(5))};
}

const QString kSpalten = QStringLiteral("SELECT OrgSubNr, Bezeichnung, menge, N, K2O, Mg FROM OrgSubID");

} // namespace

QStringList OrgSubZeile::luecken() const
{
    QStringList l;
    const std::pair<const std::optional<double>&, const char*> werte[] = {{menge, "menge"}, {N, "N"}, {K2O, "K2O"}, {Mg, "Mg"}};
    for (const auto& [wert, name] : werte)
        if (!wert)
            l << QLatin1String(name);
    return l;
}

QString OrgSubNummer(int i) { return QStringLiteral("OS100") + QString::number(i); }

std::optional<OrgSubZeile> OrgSubLesen(const QSqlDatabase& cnKav, const QString& orgSubNr)
{
    QSqlQuery q = sql::exec(cnKav, kSpalten + QStringLiteral(" WHERE OrgSubNr = ?"), {orgSubNr});
    if (!q.next())
        return std::nullopt;
    return zeileAus(q);
}

std::vector<OrgSubZeile> OrgSubAlleLesen(const QSqlDatabase& cnKav)
{
    QSqlQuery q = sql::exec(cnKav, kSpalten + QStringLiteral(" ORDER BY rowid"));
    std::vector<OrgSubZeile> v;
    while (q.next())
        v.push_back(zeileAus(q));
    return v;
}

int OrgSubAnzahl(int antwort, float sngPFaktor) { return antwort == kAntwortNein && sngPFaktor == 0.0f ? 1 : 6; }

QString OrgSubHinweis(int antwort, float sngPFaktor)
{
    if (antwort == kAntwortJa)
        return QStringLiteral("Geben Sie an, was Sie ausgebracht haben.");
    if (sngPFaktor == 0.0f)
        return QStringLiteral("Auf Grund der hohen Phosphatgehalte des Bodens sollten Sie außer Kompost kein "
                              "Bodenverbesserungsmittel (z.B. Stallmist) einsetzen. Wenn Sie keinen Kompost "
                              "ausbringen möchten, klicken Sie einfach auf 'Weiter', um mit der Berechnung fortzufahren.");
    return QStringLiteral("Wenn Sie noch Kompost oder eine der Mistarten ausbringen wollen, geben Sie an, welche. "
                          "Ansonsten klicken Sie einfach auf 'Weiter', um mit der Berechnung fortzufahren.");
}

QString OrgSubMengeText(const QString& menge, bool kompost, const QString& name)
{
    const QChar fest(0x00A0);
    return menge + fest + (kompost ? QStringLiteral("l") : QStringLiteral("kg")) + fest + name + QStringLiteral(" je")
        + fest + QStringLiteral("m²");
}

int OrgSubTeiler(int intKulturTage)
{
    if (intKulturTage <= 60)
        return 3;
    if (intKulturTage <= 90)
        return 2;
    return 1;
}

float OrgSubFaktor(float sngPFaktor) { return sngPFaktor != 0.0f ? sngPFaktor : 1.0f; }

QString OrgSubLueckenMeldung(const OrgSubZeile& z)
{
    return QStringLiteral("Für „%1“ fehlen Werte (%2). Dieses Bodenverbesserungsmittel kann deshalb nicht "
                          "berechnet werden.")
        .arg(z.Bezeichnung, z.luecken().join(QStringLiteral(", ")));
}

std::optional<QString> AufwandmengeBerechnen(WizardState& s, const OrgSubZeile& z, int antwort, const Gebietsschema& g)
{
    if (!z.luecken().isEmpty())
        return std::nullopt;
    const float teiler = static_cast<float>(OrgSubTeiler(s.intKulturTage));
    const float menge = static_cast<float>(*z.menge) * OrgSubFaktor(s.sngPFaktor);
    s.strAktOrgSubNr = z.OrgSubNr;
    s.sngOrgSubMenge = menge;
    s.sngNWD = static_cast<float>(*z.N) * menge;
    s.sngPWD = s.sngPBedarf;
    s.sngKWD = static_cast<float>(*z.K2O) * menge / teiler;
    s.sngMgWD = static_cast<float>(*z.Mg) * menge / teiler;

    const bool kompost = z.OrgSubNr.compare(kKompost, Qt::CaseInsensitive) == 0;
    const QString aufwand = g.zahlText(menge);
    const QString einhalten = QStringLiteral(" Bitte halten Sie diese Aufwandmenge ein.");
    if (antwort == kAntwortJa) {
        if (s.sngPFaktor == 0.0f)
            return kompost ? QStringLiteral("Auf Grund der sonstigen Vorteile der Eigenkompostierung können Sie einmal "
                                            "jährlich ")
                    + OrgSubMengeText(QStringLiteral("3"), true, QStringLiteral("Kompost"))
                    + QStringLiteral(" ausbringen. Auch wenn auf Grund des hohen Phosphatgehaltes des Bodens eine "
                                     "weitere Zufuhr von Phosphat eigentlich nicht notwendig ist.")
                           : QStringLiteral("Auf Grund des hohen Phosphatgehaltes des Bodens sollte zukünftig kein "
                                            "Stallmist o.ä. mehr ausgebracht werden.");
        return QStringLiteral("Die empfohlene jährliche Aufwandmenge beträgt ")
            + OrgSubMengeText(aufwand, kompost, kompost ? QStringLiteral("Kompost") : z.Bezeichnung)
            + QLatin1Char('.') + einhalten;
    }
    return QStringLiteral("Sie können auf der Fläche einmal jährlich ")
        + OrgSubMengeText(aufwand, kompost, z.Bezeichnung) + QStringLiteral(" ausbringen.") + einhalten;
}

void OrgSubOhneMaterial(WizardState& s)
{
    s.sngOrgSubMenge = 0;
    s.sngNWD = s.sngPWD = s.sngKWD = s.sngMgWD = 0;
}

} // namespace kav
