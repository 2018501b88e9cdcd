#pragma once
// The fertiliser step on a copy of the shipped Kav.KRN and an empty Daten.KRN, with a plot of
// 10 m² (medium soil, 3 % organic matter, pH 6.2), a crop with lime code 1 and one dressing, and a
// remaining need of N 10, P2O5 4, K2O 8, Mg 0.5 g/m².
#include "fertilisers/duengerwahl.h"
#include "platform/clock.h"
#include "platform/localdatabase.h"
#include "requirement/duengerliste.h"
#include "services/einstellungen.h"
#include "services/gebietsschema.h"
#include "services/schema.h"
#include "testhelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kav::test {

// The two files, opened.
struct DuengerDateien {
    DuengerDateien()
    {
        referenzDatei(dir.filePath("Kav.KRN"));
        leereDatei(dir.filePath("Daten.KRN"), Datenbankdatei::Daten);
        offen = kav.open(dir.filePath("Kav.KRN")) && daten.open(dir.filePath("Daten.KRN"));
    }
    QTemporaryDir dir;
    LocalDatabase kav{"duenger_kav", schemaTabellen(Datenbankdatei::Kav)};
    LocalDatabase daten{"duenger_daten", schemaTabellen(Datenbankdatei::Daten)};
    bool offen = false;
};

class DuengerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dateien.offen);
        BedarfVariablenZuruecksetzen(s, 0);
        s.strAktFlaechenNr = "Fl1000";
        s.strAktAnalysenNr = "An1000";
        s.strAktKulturNr = "Ku1025";
        s.sngFlaecheGroesse = 10;
        s.intBodenart = 1, s.sngOS = 3, s.sngPH = 6.2f, s.sngMg = 5;
        s.sngKulturPH = 1;
        s.sngNBedarfGD = 10, s.sngPBedarf = 4, s.sngKBedarf = 8, s.sngMgBedarf = 0.5f;
        s.datKulturbeginn = QDateTime(QDate(2026, 4, 19), QTime(0, 0)); // a Sunday, ISO week 16
        s.blnOptimal = true;
        DuengerlisteAnlegen(s);
    }

    Duengerwahl wahl() { return Duengerwahl(s, e, g, dq); }
    // Children of the class node `klasse` in the catalogue (-1: no such node).
    static int anzahl(const Katalog& k, const QString& klasse)
    {
        for (const Baumknoten& n : k.knoten)
            if (n.key == klasse)
                return static_cast<int>(n.kinder.size());
        return -1;
    }
    // The class node a fertiliser stands under ("" when it is not shown).
    static QString klasseVon(const Katalog& k, const QString& nr)
    {
        for (const Baumknoten& n : k.knoten)
            for (const Baumknoten& kind : n.kinder)
                if (kind.key == nr)
                    return n.key;
        return {};
    }
    Anzeige waehlen(const QString& nr, const Katalog& k) { return wahl().waehlen(nr, klasseVon(k, nr)); }

    DuengerDateien dateien;
    FixedClock uhr{QDateTime(QDate(2026, 3, 2), QTime(14, 5, 9))};
    RandomSource zufall{7};
    Duengerkatalog katalog{dateien.kav.db(), uhr, zufall};
    SqlQuellen quellen{dateien.kav.db(), dateien.daten.db()};
    Duengerquellen dq{katalog, quellen.duenger, quellen.kalkbedarf, quellen.plaene};
    WizardState s;
    Einstellungen e;
    Gebietsschema g = SystemEinstellungenLesen(QLocale(QLocale::German, QLocale::Germany));
};

} // namespace kav::test
