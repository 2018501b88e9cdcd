// The plan page driven through its controls on a started program: load and relayouts, a missing
// row, the print road with its failures, Back, Cancel, F1, the buttons' colours, the layout.
#include "frame/dokumentkopie.h"
#include "frame/frmintro.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "frame/seitenwechsel.h"
#include "plan/empfehlungsdokument.h"
#include "plan/frmnpk4.h"
#include "pdf_testhilfe.h"
#include "planfaelle.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"
#include "services/programmstart.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kav;

namespace {

class PlanSeite : public test::RahmenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RahmenTest::SetUp());
        QFile::copy(test::programmOrdner() + "/Bilder/" + kDokumentLogo, dir.filePath("Bilder/") + kDokumentLogo);
        starten();
        app().rahmen.sngArbeitsbereichHoehe = app().rahmen.sngArbeitsbereichBreite = 4000 * 15;
        test::planZeilenSchreiben(app().db->cnDaten());
        ProgrammStarten();
        haupt->show();
        groesse(1024, 768);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        alterOeffner = setDokumentOeffner([this](const QString& d) { geoeffnet << d; return oeffnerGeht; });
        alteWege = setDokumentWege({[this](QWidget*, const QString&) { return kopie; }});
    }
    void TearDown() override
    {
        setDokumentWege(alteWege);
        setDokumentOeffner(alterOeffner);
        RahmenTest::TearDown();
    }
    // The page entered from the fertiliser page with the state `s`.
    frmNPK4* laden(const WizardState& s)
    {
        app().bedarf = s;
        FormulareEntladen();
        fenster().zeigen("frmNPK4");
        return fenster().fensterAls<frmNPK4>("frmNPK4");
    }
    // Clicks `knopf` and answers the message box it opens with `antwort`, keeping its text.
    void klicken(QToolButton* knopf, QMessageBox::StandardButton antwort = QMessageBox::NoButton)
    {
        if (antwort != QMessageBox::NoButton)
            QTimer::singleShot(0, [this, antwort] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    frage = box->text(), box->button(antwort)->click();
            });
        QTest::mouseClick(knopf, Qt::LeftButton);
    }

    DokumentWege alteWege;
    DokumentOeffner alterOeffner;
    QStringList geoeffnet;
    bool oeffnerGeht = true;
    QString kopie, frage;
};

TEST_F(PlanSeite, LadenUndZehnNeueAnordnungenGebenDenselbenPlan)
{
    frmNPK4* p = laden(test::kohlrabi());
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(haupt->windowTitle().endsWith("Düngeempfehlung"));
    EXPECT_EQ(p->flgReport()->item(7, 0)->text(), "460 g Hornspäne auf 10 m²");
    EXPECT_EQ(p->flgReport()->columnSpan(7, 0), 3);
    EXPECT_TRUE(p->cmbDrucken()->isEnabled());
    const Empfehlungsraster erster = p->raster();
    const float n = app().bedarf.sngDuengerN;
    // the plan is built when the page is entered; a layout pass lays it out and reads nothing again
    sql::exec(app().db->cnKav(), "UPDATE DuengerID SET Bezeichnung = 'Hornspäne fein' WHERE DuengerNr = 'Du1004'");
    for (int i = 0; i < 10; ++i) {
        groesse(800 + 100 * i, 600 + 45 * i);
        ArbeitsbereichAnordnen();
    }
    EXPECT_TRUE(p->raster() == erster);
    EXPECT_EQ(p->flgReport()->rowCount(), 18);
    EXPECT_EQ(p->flgReport()->item(7, 0)->text(), "460 g Hornspäne auf 10 m²");
    EXPECT_EQ(app().bedarf.sngDuengerN, n);
    EXPECT_EQ(laden(test::kohlrabi())->flgReport()->item(7, 0)->text(), "460 g Hornspäne fein auf 10 m²");

    // a fertiliser without its row: one red row, no printing, no message box
    WizardState s = test::kohlrabi();
    s.rsDuengerAuswahl->push_back({"Du9999", 10, 3});
    p = laden(s);
    ASSERT_EQ(p->flgReport()->rowCount(), 1);
    EXPECT_TRUE(p->flgReport()->item(0, 0)->text().contains("der Dünger „Du9999“"));
    EXPECT_EQ(p->flgReport()->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_FALSE(p->cmbDrucken()->isEnabled());
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(PlanSeite, DruckenSchreibtDasDokumentUndOeffnetEs)
{
    frmNPK4* p = laden(test::kohlrabi());
    klicken(p->cmbDrucken());
    const QString datei = dir.filePath("Daten/tmpDokument_06122026090000.pdf");
    EXPECT_EQ(geoeffnet, QStringList{datei});
    EXPECT_EQ(app().rahmen.strPDFDatei, datei);
    EXPECT_TRUE(QFile::exists(datei));
    EXPECT_LT(QFileInfo(datei).size(), 80000); // the head's logo from its small copy
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));

    // no viewer: a copy is offered and saved where the user says
    oeffnerGeht = false;
    kopie = dir.filePath("Kopie.pdf");
    klicken(p->cmbDrucken(), QMessageBox::Yes);
    EXPECT_TRUE(frage.contains(datei)) << frage.toStdString();
    EXPECT_TRUE(QFile::remove(kopie));
    klicken(p->cmbDrucken(), QMessageBox::No);
    EXPECT_FALSE(QFile::exists(kopie));

    // a data folder that cannot be written: a message naming the file, nothing opened
    geoeffnet.clear();
    app().ordner.basis = dir.filePath("fehlt");
    klicken(p->cmbDrucken());
    EXPECT_TRUE(geoeffnet.isEmpty());
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_TRUE(protokoll.meldungen[0].text.contains(dir.filePath("fehlt/Daten/tmpDokument_06122026090000.pdf")));
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));
}

TEST_F(PlanSeite, ZurueckAbbruchUndHilfe)
{
    frmNPK4* p = laden(test::kohlrabi());
    QTest::keyClick(p, Qt::Key_F1);
    ASSERT_NE(hilfeFenster(), nullptr);
    EXPECT_EQ(hilfeFenster()->thema(), "Berechnung_6.htm");

    QStringList kalk;
    ui().kalkDuengerEintragen = [&kalk](const QString& nr) { kalk << nr + (ui().fenster.istGeladen("frmNPK3") ? "+" : "-"); };
    klicken(p->cmbZurueck());
    EXPECT_EQ(kalk, QStringList{"Ka1003+"});
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
    EXPECT_TRUE(fenster().istGeladen("frmTitel") && !fenster().istGeladen("frmNPK4"));
    EXPECT_FLOAT_EQ(app().bedarf.sngDuengerN, 10.4f); // the choice as it led to the plan

    klicken(laden(test::kohlrabi())->cmbAbbruch());
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK");
    EXPECT_TRUE(fenster().istGeladen("frmNPK") && !fenster().istGeladen("frmNPK4"));
    EXPECT_TRUE(app().bedarf.strAktFlaechenNr.isEmpty() && !app().bedarf.rsDuengerAuswahl);
    EXPECT_TRUE(haupt->windowTitle().endsWith("Flächenauswahl"));
}

TEST_F(PlanSeite, MischkulturEndetMitDerDiagrammseite)
{
    klicken(laden(test::mischkultur())->cmbDrucken());
    ASSERT_EQ(geoeffnet.size(), 1);
    QFile f(geoeffnet[0]);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const std::string d = f.readAll().toStdString();
    const int seiten = test::pruefeDokument(d);
    ASSERT_GE(seiten, 2);
    EXPECT_EQ(test::inhalt(d, seiten - 1).find("Mischkultur erstellt am"), std::string::npos);
    // the chart's footer names the program's version, as the recommendation's pages do
    const std::string fuss =
        "Kav - Humavera Version " + programmVersion().toStdString() + "; Mischkultur erstellt am 06.12.2026";
    EXPECT_NE(test::inhalt(d, seiten).find(fuss), std::string::npos);
    EXPECT_TRUE(protokoll.meldungen.isEmpty());

    // the plan's row gone: nothing is written, and the message speaks of the plan only
    sql::exec(app().db->cnDaten(), "DELETE FROM MischkulturID");
    std::static_pointer_cast<FixedClock>(app().uhr)->advanceSeconds(60);
    klicken(laden(test::mischkultur())->cmbDrucken());
    ASSERT_EQ(protokoll.meldungen.size(), 1);
    EXPECT_EQ(protokoll.meldungen[0].text, "Die Mischkulturplanung ist nicht mehr gespeichert. Es wurde nichts gedruckt.");
    EXPECT_EQ(QDir(dir.filePath("Daten")).entryList({"tmpDokument_*"}).size(), 1);
}

TEST_F(PlanSeite, NichtsUeberdecktOderAbgeschnitten)
{
    const QString fotos = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS"); // a folder for screenshots
    frmNPK4* p = laden(test::mischkultur());
    for (const QSize g : test::pruefgroessen()) {
        SCOPED_TRACE(g.width());
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        const std::vector<QWidget*> v{p->flgReport(), p->cmbAbbruch(), p->cmbDrucken(), p->cmbZurueck()};
        for (size_t i = 0; i < v.size(); ++i) {
            EXPECT_TRUE(p->rect().contains(v[i]->geometry())) << v[i]->objectName().toStdString();
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_FALSE(v[i]->geometry().intersects(v[j]->geometry()));
        }
        // three equal columns that fill the visible width of the grid
        QTableWidget* t = p->flgReport();
        EXPECT_NEAR(t->columnWidth(0), t->columnWidth(2), 1);
        EXPECT_EQ(t->columnWidth(0) + t->columnWidth(1) + t->columnWidth(2), t->viewport()->width());
        for (int ende = 0; !fotos.isEmpty() && ende < 2; ++ende) {
            ende ? t->scrollToBottom() : t->scrollToTop();
            haupt->grab().save(QString("%1/frmNPK4_%2x%3_%4.png").arg(fotos).arg(g.width()).arg(g.height()).arg(ende));
        }
    }
}

// A scroll bar only when the plan does not fit: the end marker below its last row takes no room.
// From the smallest window upwards, each plan with an analysis of this year (no warning row).
TEST_F(PlanSeite, RollbalkenNurWennDerPlanNichtPasst)
{
    sql::exec(app().db->cnDaten(), "UPDATE AnalysenID SET Datum = '2026-03-15'");
    for (const WizardState& s : {test::kohlrabi(), test::zierrasen(), test::mischkultur()}) {
        QTableWidget* t = laden(s)->flgReport();
        for (int hoehe = 570; hoehe <= 800; hoehe += 5) {
            groesse(760 * hoehe / 570, hoehe);
            ArbeitsbereichAnordnen();
            QCoreApplication::processEvents(); // the grid's delayed layout sets its scroll bar
            int plan = 0;
            for (int r = 0; r + 1 < t->rowCount(); ++r)
                plan += t->rowHeight(r);
            EXPECT_EQ(t->verticalScrollBar()->isVisible(), plan > t->viewport()->height())
                << s.strAktKulturNr.toStdString() << " bei " << hoehe << ": Plan " << plan << " von " << t->viewport()->height();
        }
    }
}

} // namespace
