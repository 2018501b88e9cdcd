// Shows the fertiliser step in one of its states, to look at it (not a test):
//   fotos_fertilisers ZUSTAND [BREITE HOEHE] [BILD.png]
// ZUSTAND: gelb (classes with "Gelb"), kalke, gedeckt (Dolomitkalk chosen), zurueck (covered, on to
// the recommendation page and back), verfahren, duenger (fertiliser editor), kalk (lime editor),
// info (notice window). With BILD the window is saved
// with QWidget::grab and the program ends; without it the program stays open for a screenshot.
#include "duengerseite.h"
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "fertilisers/frmverfahren.h"
#include "plan/frmnpk4.h"
#include "requirement/wizardschritte.h"
#include "services/datenbanken.h"

#include <QApplication>
#include <QPushButton>
#include <QToolButton>

using namespace kav;

namespace {

struct Foto : test::DuengerSeiteTest {
    using DuengerSeiteTest::haupt;
    using DuengerSeiteTest::TearDown;
    void TestBody() override {}

    QWidget* zustand(const QString& z, int breite, int hoehe)
    {
        SetUp();
        haupt->move(0, 0);
        groesse(breite, hoehe);
        w().sngPH = 6.1f;
        if (z == "gelb" || z == "verfahren") {
            oeffnen();
            if (z == "verfahren")
                return dialog<frmVerfahren>("frmVerfahren");
            dialog<frmVerfahren>("frmVerfahren")->cmdIgnorant()->click();
            knoten(1, "Gelb")->setExpanded(true);
            return haupt.get();
        }
        app().einstellungen.blnImmerOptimal = true;
        if (z == "zurueck") {
            // the need from the stored analysis, as the crop step and the recommendation page compute it
            const SqlQuellen q(app().db->cnKav(), app().db->cnDaten());
            BedarfNeuBerechnen(w(), q.bedarf(), *app().uhr);
        }
        oeffnen();
        if (z == "duenger") {
            doppelklick("Grau");
            auto* ed = dialog<frmDuengerEingabe>("frmDuengerEingabe");
            ed->txtName()->setText("Mein PK");
            ed->txtP()->setText("8");
            ed->txtK()->setText("16");
            return ed;
        }
        if (z == "info") {
            klick("Du1027", Qt::RightButton);
            menueSchliessen();
            DuengerInfoAnzeigen("Rot", "Du1029")->zeigen();
            return dialog<frmDuengerInfo>("frmDuengerInfo");
        }
        if (z == "zurueck") {
            // the first recommended fertiliser each time, until the lime is asked for
            for (int i = 0; i < 8 && npk3->katalogstand() == Katalogstand::Klassen; ++i)
                if (QTreeWidgetItem* gruen = knoten(1, "Gruen"); gruen && gruen->childCount() > 0)
                    klick(Duengerbaum::key(gruen->child(0)));
        } else {
            for (const char* nr : {"Du1010", "Du1014", "Du1001"})
                klick(nr);
        }
        if (auto* info = dialog<frmDuengerInfo>("frmDuengerInfo"))
            info->entladen();
        if (z == "kalk") {
            doppelklick("Grau");
            return dialog<frmKalkEingabe>("frmKalkEingabe");
        }
        if (z == "gedeckt" || z == "zurueck")
            klick("Ka1002");
        if (z == "zurueck") {
            npk3->cmbWeiter()->click();
            if (auto* plan = dialog<frmNPK4>("frmNPK4"))
                plan->cmbZurueck()->click();
        }
        return haupt.get();
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const QStringList a = QApplication::arguments();
    const QString zustand = a.value(1, "gelb");
    const int breite = a.value(2, "1024").toInt(), hoehe = a.value(3, "768").toInt();
    Foto f;
    QWidget* ziel = f.zustand(zustand, breite, hoehe);
    if (zustand != "zurueck") // the way back is shown as it leaves the page, without a further pass
        ArbeitsbereichAnordnen();
    QCoreApplication::processEvents();
    if (a.size() > 4) {
        const bool ok = ziel && ziel->grab().save(a.value(4));
        f.TearDown();
        return ok ? 0 : 1;
    }
    const int rc = QApplication::exec();
    f.TearDown();
    return rc;
}
