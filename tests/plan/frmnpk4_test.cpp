// The plan page driven through its controls on a started program: load and relayouts, print road
// with its failures, Back, Cancel, F1, a missing row, the layout at the usual screen sizes.
#include "frame/frmintro.h"
#include "frame/hilfe.h"
#include "frame/seitenwechsel.h"
#include "plan/empfehlungsdokument.h"
#include "plan/frmnpk4.h"
#include "planfaelle.h"
#include "rahmenfixture.h"
#include "services/datenbanken.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kav;
using forms::Tw;

namespace {

class PlanSeite : public test::RahmenTest {
protected:
    void SetUp() override
    {
        RahmenTest::SetUp();
        QFile::copy(qEnvironmentVariable("KAV_PROGRAM_DIR") + "/Bilder/" + kDokumentLogo,
                    dir.filePath("Bilder/") + kDokumentLogo);
        starten();
        app().rahmen.sngArbeitsbereichHoehe = app().rahmen.sngArbeitsbereichBreite = 4000 * 15;
        test::planZeilenSchreiben(app().db->cnDaten());
        ProgrammStarten();
        haupt->show();
        groesse(1024, 768);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        alteWege = setDokumentWege({[this](const QString& d) { geoeffnet << d; return oeffnerGeht; },
                                    [this](QWidget*, const QString&) { return kopie; }});
    }
    void TearDown() override
    {
        setDokumentWege(alteWege);
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
    QString zelle(frmNPK4* p, int r) const
    {
        const QTableWidgetItem* it = p->flgReport()->item(r, 0);
        return it ? it->text() : QString();
    }
    // Answers the next message box with `knopf`, keeping its text.
    void antworten(QMessageBox::StandardButton knopf)
    {
        QTimer::singleShot(0, [this, knopf] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                frage = box->text();
                box->button(knopf)->click();
            }
        });
    }

    DokumentWege alteWege;
    QStringList geoeffnet;
    bool oeffnerGeht = true;
    QString kopie;
    QString frage;
};

TEST_F(PlanSeite, LadenUndZehnNeueAnordnungenGebenDenselbenPlan)
{
    frmNPK4* p = laden(test::kohlrabi());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK4");
    EXPECT_TRUE(haupt->windowTitle().endsWith("Düngeempfehlung"));
    EXPECT_EQ(p->flgReport()->rowCount(), 18);
    EXPECT_EQ(zelle(p, 7), "460 g Hornspäne auf 10 m²");
    EXPECT_EQ(p->flgReport()->columnSpan(7, 0), 3);
    EXPECT_EQ(p->flgReport()->item(16, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(p->cmbDrucken()->isEnabled());
    const Empfehlungsraster erster = p->raster();
    const float n = app().bedarf.sngDuengerN;
    EXPECT_NEAR(n, 0.4f, 1e-4);
    for (int i = 0; i < 10; ++i) {
        groesse(800 + 100 * i, 600 + 45 * i);
        ArbeitsbereichAnordnen();
    }
    EXPECT_TRUE(p->raster() == erster);
    EXPECT_EQ(p->flgReport()->rowCount(), 18);
    EXPECT_EQ(app().bedarf.sngDuengerN, n);
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(PlanSeite, DruckenSchreibtDasDokumentUndOeffnetEs)
{
    frmNPK4* p = laden(test::kohlrabi());
    QTest::mouseClick(p->cmbDrucken(), Qt::LeftButton);
    const QString datei = dir.filePath("Daten/tmpDokument_06122026090000.pdf");
    EXPECT_EQ(geoeffnet, QStringList{datei});
    EXPECT_EQ(app().rahmen.strPDFDatei, datei);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF-1.1"));
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(protokoll.meldungen.isEmpty());

    // no viewer: a copy is offered and saved where the user says
    oeffnerGeht = false;
    kopie = dir.filePath("Kopie.pdf");
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmbDrucken(), Qt::LeftButton);
    EXPECT_TRUE(frage.contains(QDir::toNativeSeparators(datei))) << frage.toStdString();
    EXPECT_TRUE(QFile::exists(kopie));
    EXPECT_FALSE(p->testAttribute(Qt::WA_SetCursor));
    QFile::remove(kopie);
    antworten(QMessageBox::No);
    QTest::mouseClick(p->cmbDrucken(), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(kopie));

    // a data folder that cannot be written: a message naming it, nothing opened
    geoeffnet.clear();
    app().ordner.basis = dir.filePath("fehlt");
    QTest::mouseClick(p->cmbDrucken(), Qt::LeftButton);
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
    HilfeSchliessen();

    QStringList kalk;
    ui().kalkDuengerEintragen = [&kalk](const QString& nr) { kalk << nr + (ui().fenster.istGeladen("frmNPK3") ? "+" : "-"); };
    QTest::mouseClick(p->cmbZurueck(), Qt::LeftButton);
    EXPECT_EQ(kalk, QStringList{"Ka1003+"});
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK3");
    EXPECT_TRUE(fenster().istGeladen("frmTitel"));
    EXPECT_FALSE(fenster().istGeladen("frmNPK4"));
    EXPECT_FLOAT_EQ(app().bedarf.sngDuengerN, 10.4f); // the choice as it led to the plan
    EXPECT_EQ(app().bedarf.rsDuengerAuswahl->size(), 2u);

    p = laden(test::kohlrabi());
    QTest::mouseClick(p->cmbAbbruch(), Qt::LeftButton);
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK");
    EXPECT_TRUE(fenster().istGeladen("frmNPK"));
    EXPECT_FALSE(fenster().istGeladen("frmNPK4"));
    EXPECT_TRUE(app().bedarf.strAktFlaechenNr.isEmpty());
    EXPECT_FALSE(app().bedarf.rsDuengerAuswahl.has_value());
    EXPECT_TRUE(haupt->windowTitle().endsWith("Flächenauswahl"));
}

TEST_F(PlanSeite, FehlenderDuengerGibtEineRoteZeileOhneDruck)
{
    WizardState s = test::kohlrabi();
    s.rsDuengerAuswahl->push_back({"Du9999", 10, 3});
    frmNPK4* p = laden(s);
    EXPECT_EQ(p->flgReport()->rowCount(), 1);
    EXPECT_TRUE(zelle(p, 0).contains("der Dünger „Du9999“"));
    EXPECT_EQ(p->flgReport()->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_FALSE(p->cmbDrucken()->isEnabled());
    EXPECT_TRUE(protokoll.meldungen.isEmpty());
}

TEST_F(PlanSeite, KnoepfeLeuchtenUnterDerMaus)
{
    frmNPK4* p = laden(test::kohlrabi());
    groesse(800, 600); // within the test platform's screen
    ArbeitsbereichAnordnen();
    const QColor farbe = benutzerFarbe(app().einstellungen), hell = benutzerFarbeHell(app().einstellungen);
    EXPECT_EQ(forms::BackColor(p->cmbDrucken()), farbe);
    QTest::mouseMove(p->cmbDrucken());
    EXPECT_EQ(forms::BackColor(p->cmbDrucken()), hell);
    QTest::mouseMove(p, QPoint(5, 5));
    EXPECT_EQ(forms::BackColor(p->cmbDrucken()), farbe);
}

TEST_F(PlanSeite, NichtsUeberdecktOderAbgeschnitten)
{
    const QString fotos = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS");
    frmNPK4* p = laden(test::mischkultur());
    for (const QSize g : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)}) {
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
        // three equal columns that fill the visible width of the grid; a button's picture within the button
        const QTableWidget* t = p->flgReport();
        EXPECT_NEAR(t->columnWidth(0), t->columnWidth(2), 1);
        EXPECT_NEAR(t->columnWidth(1), t->columnWidth(2), 1);
        EXPECT_EQ(t->columnWidth(0) + t->columnWidth(1) + t->columnWidth(2), t->viewport()->width());
        EXPECT_LE(p->cmbDrucken()->iconSize().height(), p->cmbDrucken()->height());
        EXPECT_EQ(p->flgReport()->font().pointSize(), app().rahmen.intSchriftGroesse);
        if (!fotos.isEmpty()) {
            haupt->grab().save(QString("%1/frmNPK4_%2x%3.png").arg(fotos).arg(g.width()).arg(g.height()));
            p->flgReport()->scrollToBottom();
            haupt->grab().save(QString("%1/frmNPK4_%2x%3_Ende.png").arg(fotos).arg(g.width()).arg(g.height()));
            p->flgReport()->scrollToTop();
        }
    }
}

} // namespace
