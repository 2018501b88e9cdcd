// The wizard's pages on a started program: the Nmin value sent from the crop step, the plot step without
// any plot to show, and every page laid out in its longest texts at the usual screen sizes.
#include "frame/sendeknoepfe.h"
#include "services/server.h"
#include "wizardfixture.h"

#include <QTcpServer>

using namespace kav;

namespace {

using test::WizardTest;

TEST_F(WizardTest, NminSendenUndWeiterOhneZweiteZeile)
{
    ServerConfig zu;
    zu.host = "127.0.0.1", zu.port = test::geschlossenerPort(), zu.reachTimeoutMs = 500;
    app().server = std::make_unique<Server>(zu);
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "12,5"));
    // no server: the user is told, the value is kept on this computer
    QTest::mouseClick(npk1()->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(protokoll.texte().last(), "Um die Daten zu übertragen, benötigen Sie eine aktive Internetverbindung.");
    EXPECT_EQ(anzahl("Nmin", "Nmin = 12.5"), 1);
    EXPECT_FALSE(npk1()->blnNminGesendet());

    KAV_SERVER_ODER_UEBERSPRINGEN(cfg);
    app().server = std::make_unique<Server>(cfg);
    const QString id = test::zufallsProgrammId();
    app().einstellungen.strProgrammID = id;
    const auto entfernt = [&] {
        return sql::scalar(app().server->cnServer(kDatenerfassung),
                           "SELECT GROUP_CONCAT(Nmin) FROM nmin WHERE Programmid = ?", {id}).toString();
    };
    QTest::mouseClick(npk1()->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(entfernt(), "12");
    EXPECT_TRUE(npk1()->blnNminGesendet() && npk1()->cmbSenden()->isEnabled());
    tippen(npk1()->txtNmin(), "13,5");
    QTest::mouseClick(npk1()->cmbSenden(), Qt::LeftButton);
    EXPECT_EQ(entfernt(), "14");
    // sent and unchanged: Next stores nothing again; uploading switched on sends by itself
    sql::exec(db(), "DELETE FROM Nmin");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(anzahl("Nmin"), 0);
    EXPECT_EQ(w().sngNminWert, 13.5f);
    QTest::mouseClick(npk2()->cmbBack(), Qt::LeftButton);
    app().einstellungen.strDatenAufServer = "Wahr";
    ArbeitsbereichAnordnen();
    EXPECT_TRUE(npk1()->cmbSenden()->isHidden());
    // beyond what a laboratory reports: neither stored nor sent, the page stays
    tippen(npk1()->txtNmin(), "40000");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(anzahl("Nmin"), 0);
    EXPECT_EQ(entfernt(), "14");
    EXPECT_TRUE(protokoll.texte().last().startsWith("Der Nmin-Wert 40000 mg NO3/l liegt außerhalb"));
    EXPECT_EQ(npk2(), nullptr);
    tippen(npk1()->txtNmin(), "450");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    EXPECT_EQ(anzahl("Nmin", "Nmin = 450"), 1);
    EXPECT_EQ(entfernt(), "450");
    EXPECT_NE(npk2(), nullptr);
}

TEST_F(WizardTest, OhneFlaecheMitAnalyseUebernimmtDieAnalysenseite)
{
    sql::exec(db(), "DELETE FROM ZOFlaechenAnalysen");
    FormulareEntladen();
    ui().fenster.zeigen("frmNPK");
    EXPECT_TRUE(fenster().istGeladen("frmNPK")); // switched once the load is done
    QCoreApplication::processEvents();
    EXPECT_FALSE(fenster().istGeladen("frmNPK"));
    EXPECT_TRUE(fenster().istGeladen("frmAnalysenWerte"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "Analysenwerte");
    EXPECT_EQ(protokoll.texte().last(), "Es gibt noch keine Fläche mit einer Bodenuntersuchung.");
}

TEST_F(WizardTest, JedeSeiteMitIhrenLaengstenTextenOhneUeberdeckung)
{
    sql::exec(db(), "UPDATE FlaechenID SET Bezeichnung = 'Mittelbeet am Wegrand' WHERE FlaechenNr = 'Fl1002'");
    navigationsknopf2();
    ASSERT_NO_FATAL_FAILURE(baumKlick(npk()->trvNPK(), "Fl1002")); // "nicht bestimmt"
    ui().fenster.entladen("frmAlteAnalyse");
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk()));
    // the captions in the order of the values, the units beside organic matter, P2O5, K2O and Mg
    EXPECT_EQ(npk()->lblWert(2)->text() + npk()->lblEinheit(1)->text(), "Phosphat-Gehalt:mg P2O5/ 100g");
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(npk()->lblEinheit(i)->y(), npk()->lblWert(i + 1)->y()) << i;
    QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);

    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1052", QDate(2027, 4, 19), "30")); // four members
    EXPECT_EQ(npk1()->txtNPK()->text(), "Küchenkräuter, einjährig (Basilikum, Dill, Kerbel & Koriander)");
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk1()));
    if (const QString ordner = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS"); !ordner.isEmpty())
        haupt->grab().save(QDir(ordner).filePath("kultur.png"));
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1090", {}, "30")); // the bed view
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk1()));
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", {}, ""));
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk2()));
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    // the longest hint (a soil rich in phosphate) and the longest advice
    w().sngPFaktor = 0;
    QTest::mouseClick(npk2b()->lblJaNein(1), Qt::LeftButton);
    EXPECT_TRUE(npk2b()->lblOS(1)->isVisible() && npk2b()->lblOS(2)->isHidden());
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk2b()));
    QTest::mouseClick(npk2b()->lblJaNein(0), Qt::LeftButton);
    QTest::mouseClick(npk2b()->lblOS(1), Qt::LeftButton);
    EXPECT_TRUE(npk2b()->lblMeldung()->text().startsWith("Auf Grund der sonstigen Vorteile"));
    ASSERT_NO_FATAL_FAILURE(test::nichtsUeberdecktOderAbgeschnitten(npk2b()));
    if (const QString ordner = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS"); !ordner.isEmpty())
        haupt->grab().save(QDir(ordner).filePath("kompost_mist.png"));
}

// The mouse over a Next button lights it when it is enabled, and not when it is disabled (it takes no
// click then): the analysis page and the plot step without a plot, the crop step before and after a
// crop is chosen.
TEST_F(WizardTest, WeiterLeuchtetNurWennFrei)
{
    const auto schweben = [](QToolButton* b) {
        QWindow* fenster = b->window()->windowHandle(); // from the window's corner onto the button
        QTest::mouseMove(fenster, QPoint(1, 1));
        QTest::mouseMove(fenster, b->mapTo(b->window(), b->rect().center()));
        const Einstellungen& e = app().einstellungen;
        EXPECT_EQ(forms::BackColor(b), b->isEnabled() ? benutzerFarbeHell(e) : benutzerFarbe(e)) << b->isEnabled();
    };
    schweben(seite->cmbWeiter());
    ASSERT_NO_FATAL_FAILURE(navigationsknopf2());
    schweben(npk()->cmbWeiter());
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    schweben(npk1()->cmbNext());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30"));
    schweben(npk1()->cmbNext());
}

// Senden refuses a value beyond what a laboratory reports as Next does, with its range (60 g N/m²):
// nothing is stored on this computer and nothing goes to the server (it is not even asked).
TEST_F(WizardTest, NminSendenWeistEinenWertAusserhalbDesBereichsAb)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    ServerConfig cfg;
    cfg.host = "127.0.0.1", cfg.port = server.serverPort(), cfg.reachTimeoutMs = 500;
    app().server = std::make_unique<Server>(cfg);
    ASSERT_NO_FATAL_FAILURE(bisZumKulturschritt());
    ASSERT_NO_FATAL_FAILURE(kulturWaehlen("Ku1026", QDate(2027, 4, 19), ""));
    npk1()->comNmin()->setFocus();
    QTest::keyClick(npk1()->comNmin(), Qt::Key_Down);
    ASSERT_EQ(npk1()->comNmin()->currentText(), "g N/m²");
    tippen(npk1()->txtNmin(), "60");
    QTest::mouseClick(npk1()->cmbSenden(), Qt::LeftButton);
    ASSERT_FALSE(protokoll.texte().isEmpty());
    EXPECT_TRUE(protokoll.texte().last().startsWith("Der Nmin-Wert 60 g N/m² liegt außerhalb des möglichen Bereichs von 0 bis 50 g N/m²"))
        << protokoll.texte().last().toStdString();
    EXPECT_EQ(anzahl("Nmin"), 0);
    app().server->ausfuehren([] {}); // a job for the server's thread would have ended before this one
    EXPECT_FALSE(server.hasPendingConnections() || server.waitForNewConnection(0));
    EXPECT_FALSE(npk1()->blnNminGesendet());
}

} // namespace
