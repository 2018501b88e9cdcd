#include "services/schema.h"

#include <future>
#include <gtest/gtest.h>

using namespace kav;

// The columns of both files, asked for from several threads at once (the start works them out
// ahead in a thread of its own): the same for every caller, in the order of the schema.
TEST(Schema, SpaltenAusMehrerenThreadsGleich)
{
    std::vector<std::future<QHash<QString, QStringList>>> auftraege;
    for (int i = 0; i < 4; ++i)
        auftraege.push_back(std::async(std::launch::async, [i] {
            return schemaSpalten(i % 2 ? Datenbankdatei::Daten : Datenbankdatei::Kav);
        }));
    for (int i = 0; i < 4; ++i) {
        const auto datei = i % 2 ? Datenbankdatei::Daten : Datenbankdatei::Kav;
        const QHash<QString, QStringList> s = auftraege[static_cast<size_t>(i)].get();
        EXPECT_EQ(s, schemaSpalten(datei));
        EXPECT_EQ(s.size(), schemaTabellen(datei).size());
    }
    EXPECT_EQ(schemaSpalten(Datenbankdatei::Daten).value("ZOFlaechenAnalysen"),
              QStringList({"FlaechenNr", "AnalysenNr", "Datum", "AktuellerDatensatz", "ID"}));
}
