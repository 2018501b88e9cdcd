// Every dialog of the program keeps the size it opens with: its edges cannot be dragged (a window
// manager then draws no resize handle along its foot), and its contents fit that size.
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "plots/frmalteanalyse.h"
#include "wizardfixture.h"

#include <QLayout>

using namespace kav;

namespace {

using test::WizardTest;

TEST_F(WizardTest, JederDialogBehaeltSeineGroesse)
{
    const auto neu = [] { app().rahmen.blnNeuerDatensatz = true; };
    const std::pair<const char*, std::function<void()>> dialoge[] = {
        {"frmFlaeche", neu},
        {"frmFlaecheGruppe", neu},
        {"frmEinstellungen", {}},
        {"frmFarbWahl", {}},
        {"frmUeberKav", {}},
        {"frmAlteAnalyse", [] { AlteAnalyseMelden(QDate(2019, 1, 1)); }},
        {"frmVerfahren", {}},
        {"frmDuengerEingabe", [] { DuengerEingabeOeffnen({}); }},
        {"frmKalkEingabe", [] { KalkEingabeOeffnen({}); }},
        {"frmDuengerInfo", [] { DuengerUngeeignetMelden(); }},
        {"frmKompost", [this] {
             navigationsknopf2();
             baumKlick(npk()->trvNPK(), "Fl1001");
         }},
    };
    for (const auto& [name, davor] : dialoge) {
        SCOPED_TRACE(name);
        if (davor)
            davor();
        QWidget* d = fenster().zeigen(QLatin1String(name))->widget();
        QCoreApplication::processEvents();
        EXPECT_EQ(d->minimumSize(), d->size());
        EXPECT_EQ(d->maximumSize(), d->size());
        if (const QLayout* l = d->layout()) {
            EXPECT_LE(l->totalMinimumSize().width(), d->width());
            EXPECT_LE(l->hasHeightForWidth() ? l->totalHeightForWidth(d->width()) : l->totalMinimumSize().height(), d->height());
        }
        fenster().entladen(QLatin1String(name));
    }
}

} // namespace
