// What the first two wizard steps read and write in the database files: the plot tree, the crop tree
// with the plot's plans, the latest analysis of a plot, and the Nmin values kept locally and sent to
// the data collection on the server.
#include "platform/clock.h"
#include "requirement/nmindaten.h"
#include "requirement/npkauswahl.h"
#include "requirement/npkbaum.h"
#include "services/gebietsschema.h"
#include "services/server.h"
#include "speicherquellen.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

class NPKDaten : public ::testing::Test {
protected:
    QSqlDatabase daten() const { return dateien.daten.db(); }
    QSqlDatabase kav() const { return dateien.kav.db(); }
    void eintrag(const QString& nr, bool gruppe, qint64 eltern, const QString& name) const
    {
        sql::exec(daten(), "INSERT INTO FlaechenID (FlaechenNr, Gliederungspunkt, GruppierungNr, Bezeichnung, Flaeche, "
                           "Kompost, Nutzung) VALUES (?, ?, ?, ?, 12, 1, 2)",
                  {nr, gruppe ? 1 : 0, eltern, name});
    }
    void analyse(const QString& flaeche, const QString& nr, const QString& datum) const
    {
        sql::exec(daten(), "INSERT INTO AnalysenID (AnalysenNr, Datum, Bodenart, GesamtN, P2O5, K2O, Mg, pH) "
                           "VALUES (?, ?, 1, 3, 8, 15, 6, 6)",
                  {nr, datum});
        sql::exec(daten(), "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum) VALUES (?, ?, ?)",
                  {flaeche, nr, datum});
    }
    void kultur(const QString& nr, const QString& name, qint64 eltern, bool gruppe, bool aktuell = true) const
    {
        sql::exec(kav(), "INSERT INTO KulturID (KulturNr, Bezeichnung, GruppierungNr, Gliederungspunkt, AktuellerDatensatz) "
                         "VALUES (?, ?, ?, ?, ?)",
                  {nr, name, eltern, gruppe ? 1 : 0, aktuell ? 1 : 0});
    }
    // "key:parent" of every node, in display order
    static QStringList abbild(const NPKBaumDaten& b)
    {
        QStringList l;
        for (size_t i = 0; i < b.knoten.size(); ++i)
            l << b.knoten[i].key + ":" + b.elternKey(int(i));
        return l;
    }

    test::Dateien dateien{"npkdaten"};
    Gebietsschema gebiet = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
};

TEST_F(NPKDaten, FlaechenbaumZeigtNurFlaechenMitAnalyse)
{
    EXPECT_TRUE(FlaechenBaumLesen(daten()).knoten.empty()); // nothing to calculate with yet
    eintrag("Fl1000", true, 0, "Zgarten");
    eintrag("Fl1001", true, 1000, "Agarten"); // nested: shown flat below the root
    eintrag("Fl1002", true, 0, "Leer");       // no plot with an analysis: left out
    eintrag("Fl1003", false, 1000, "Beet B");
    eintrag("Fl1004", false, 1000, "Beet A");
    eintrag("Fl1005", false, 1001, "Hochbeet");
    eintrag("Fl1006", false, 1002, "Ohne");    // no analysis
    eintrag("Fl1007", false, 1999, "Verwaist"); // its group is gone: below the root
    for (const char* f : {"Fl1003", "Fl1004", "Fl1005", "Fl1007", "Fl1099"}) // Fl1099 has no row
        analyse(f, QStringLiteral("An") + QString(f).mid(2), "2024-04-01");
    sql::exec(daten(), "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr) VALUES ('Fl1006', 'An404')");
    const NPKBaumDaten b = FlaechenBaumLesen(daten());
    EXPECT_EQ(abbild(b), QStringList({"Fl0:", "Fl1001:Fl0", "Fl1005:Fl1001", "Fl1000:Fl0", "Fl1004:Fl1000",
                                      "Fl1003:Fl1000", "Fl1007:Fl0"}));
    EXPECT_EQ(b.knoten[2].tag + b.knoten[1].tag + b.knoten[0].bild, "FlaecheGrpGrp");
}

TEST_F(NPKDaten, KulturbaumInJederSchluesselfolgeMitDenPlaenenDerFlaeche)
{
    // a lower group whose key sorts before its parent's still hangs below it
    kultur("Ku1001", "Gemüse", 0, true);
    kultur("Ku1000", "Pflanzung", 1001, true);
    kultur("Ku1089", "Mischkultur", 1001, true);
    kultur("Ku1003", "Alt", 0, true, false); // not current: left out with its crops
    kultur("Ku1004", "Verwaist", 1500, true);
    kultur("Ku1010", "Salate", 1000, false);
    kultur("Ku1091", "Rucola", 1010, false);
    kultur("Ku1092", "Pflücksalat", 1010, false);
    kultur("Ku1011", "Kohlrabi", 1000, false);
    kultur("Ku1012", "Rose", 1003, false);
    kultur("Ku1090", "Neue Mischkultur", 1089, false);
    sql::exec(daten(), "INSERT INTO MischkulturID VALUES ('ID2', '2026-05-02 10:00:00', 'Fl1001'), "
                       "('ID1', '2026-03-01 08:00:00', 'Fl1001'), ('ID3', '2026-01-01 08:00:00', 'Fl1002')");
    NPKBaumDaten b = KulturBaumLesen(kav(), daten(), "Fl1001", gebiet);
    EXPECT_EQ(abbild(b), QStringList({"Ku1001:", "Ku1000:Ku1001", "Ku1011:Ku1000", "Ku1010:Ku1000", "Ku1092:Ku1010",
                                      "Ku1091:Ku1010", "Ku1089:Ku1001", "Ku1090:Ku1089", "Fl1001:Ku1089",
                                      "ID1:Fl1001", "ID2:Fl1001"}));
    const NPKKnoten& plan = b.knoten[size_t(b.finde("ID1"))];
    EXPECT_EQ(plan.text + "|" + plan.tag + "|" + plan.bild, "Planung vom 01.03.2026|ID1|Ku1001");
    EXPECT_EQ(b.knoten[size_t(b.finde("Fl1001"))].tag + b.knoten[size_t(b.finde("Ku1092"))].tag, "MKEinzel");

    // without plans, or with a plans table that cannot be read: the crops alone
    EXPECT_EQ(KulturBaumLesen(kav(), daten(), "Fl1009", gebiet).finde("Fl1009"), -1);
    sql::exec(daten(), "DROP TABLE MischkulturID");
    b = KulturBaumLesen(kav(), daten(), "Fl1001", gebiet);
    EXPECT_TRUE(b.finde("Fl1001") < 0 && b.finde("Ku1090") >= 0);
}

TEST_F(NPKDaten, NeuesteAnalyseUndFlaechenwerte)
{
    eintrag("Fl1001", false, 0, "Beet");
    analyse("Fl1001", "An1000", "2019-03-01");
    analyse("Fl1001", "An1001", "2024-03-01");
    sql::exec(daten(), "INSERT INTO ZOFlaechenAnalysen (FlaechenNr, AnalysenNr, Datum) VALUES ('Fl1001', 'An404', '2025-01-01')");
    EXPECT_EQ(NeuesteAnalyseLesen(daten(), "Fl1001")->AnalysenNr, "An1001"); // the newest whose row exists
    EXPECT_FALSE(NeuesteAnalyseLesen(daten(), "Fl1002"));
    WizardState s;
    s.strAktFlaechenNr = "Fl1001";
    ASSERT_TRUE(FlaechenWerteLesen(daten(), s));
    EXPECT_TRUE(s.sngFlaecheGroesse == 12 && s.intFlaecheKompost == 1 && s.intFlaecheNutzung == 2);
}

TEST_F(NPKDaten, NminJeFlaecheUndTag)
{
    const QDate tag(2027, 4, 19);
    NminSpeichern(daten(), "Fl1001", tag, {30, 0}, "ID1");
    NminSpeichern(daten(), "Fl1001", tag, {2.5, 1}, "ID2"); // same plot and day: one row, value and unit change
    NminSpeichern(daten(), "Fl1001", tag.addMonths(1), {7, 2}, "ID3");
    NminSpeichern(daten(), "Fl1002", tag, {9, 0}, "ID4");
    EXPECT_EQ(sql::scalar(daten(), "SELECT COUNT(*) FROM Nmin").toInt(), 3);
    EXPECT_EQ(sql::scalar(daten(), "SELECT ID || Datum FROM Nmin WHERE Einheit = 1").toString(), "ID12027-04-19");
    const std::optional<NminWert> w = NminLesen(daten(), "Fl1001", tag);
    EXPECT_TRUE(w && w->Nmin == 2.5 && w->Einheit == 1);
    EXPECT_FALSE(NminLesen(daten(), "Fl1001", tag.addDays(1)));

    const std::tuple<const char*, NminEingabe::Art, double> eingaben[] = {
        {"", NminEingabe::Art::Leer, 0}, {"12,5", NminEingabe::Art::Zahl, 12.5}, {",", NminEingabe::Art::KeineZahl, 0}};
    for (const auto& [text, art, wert] : eingaben) {
        const NminEingabe e = NminTextLesen(text, gebiet);
        EXPECT_TRUE(e.art == art && e.wert == wert) << text;
    }
    const std::pair<double, std::optional<qint16>> server[] = {
        {12.5, 12}, {13.5, 14}, {-32768, -32768}, {32767.4, 32767}, {32767.5, std::nullopt}, {40000, std::nullopt}};
    for (const auto& [wert, erwartet] : server)
        EXPECT_EQ(NminServerWert(wert), erwartet) << wert;
}

TEST(NminSenden, EineZeileJeTagZuGrossUndUnerreichbar)
{
    FixedClock uhr(QDateTime(QDate(2027, 4, 20), QTime(9, 0)));
    NminSendung n{"Fl1001", QDate(2027, 4, 19), {12.5, 0}, 2, 1};
    {
        ServerConfig c;
        c.host = "127.0.0.1", c.port = test::geschlossenerPort(), c.reachTimeoutMs = 500;
        Server s(c);
        const NminGesendet r = NminUebertragen(s, test::zufallsProgrammId(), n, uhr);
        EXPECT_EQ(r.status, NminGesendet::Status::NichtErreichbar);
        EXPECT_EQ(r.meldung.text, "Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung.");
    }
    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    Server s(cfg);
    const QString id = test::zufallsProgrammId();
    EXPECT_EQ(NminUebertragen(s, id, n, uhr).status, NminGesendet::Status::Eingefuegt);
    n.wert = {13.5, 2};
    QStringList punkte;
    EXPECT_EQ(NminUebertragen(s, id, n, uhr, [&](QStringView p) { punkte << p.toString(); }).status,
              NminGesendet::Status::Aktualisiert);
    n.wert = {40000, 0};
    EXPECT_EQ(NminUebertragen(s, id, n, uhr).status, NminGesendet::Status::ZuGross);
    const QSqlDatabase cn = s.cnServer(kDatenerfassung);
    QSqlQuery q = sql::exec(cn, "SELECT Nmin, Einheit, Datum, Nutzung, kompost, LetzteAenderung FROM nmin WHERE Programmid = ?",
                            {id});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(QStringList({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                           q.value(4).toString(), q.value(5).toString()}),
              QStringList({"14", "2", "2027-04-19", "2", "1", "2027-04-20"}));
    EXPECT_FALSE(q.next());
    EXPECT_EQ(punkte, QStringList{"Aktualisieren"});

    // a write that fails is reported, adds no second row and gives the connection up
    n.wert = {20, 0};
    const NminGesendet f = NminUebertragen(s, id, n, uhr, [](QStringView p) {
        if (p == u"Aktualisieren")
            throw sql::Error("Verbindung verloren");
    });
    EXPECT_TRUE(f.status == NminGesendet::Status::Fehler && f.meldung.nr == 1002);
    EXPECT_FALSE(test::uploadVerbunden(s, kDatenerfassung));
    EXPECT_EQ(NminUebertragen(s, id, n, uhr).status, NminGesendet::Status::Aktualisiert);
    EXPECT_EQ(sql::scalar(s.cnServer(kDatenerfassung), "SELECT COUNT(*) FROM nmin WHERE Programmid = ?", {id}).toInt(), 1);
}

} // namespace
