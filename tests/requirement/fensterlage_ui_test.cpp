// Where the program's own windows open: whole on the screen of the main window, frame included, and
// over the main window's middle as far as the screen allows, also with the main window in a corner.
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/hornregel.h"
#include "frame/hilfe.h"
#include "plots/frmalteanalyse.h"
#include "wizardfixture.h"

#include <QScreen>

#include <algorithm>

using namespace kav;
using namespace kav::test;

namespace {

using Fensterlage = WizardTest;

TEST_F(Fensterlage, JedesFensterGanzAufDemBildschirmUeberDerMitte)
{
    const QRect frei = haupt->screen()->availableGeometry();
    const auto zeigen = [this](const char* name) { return fenster().zeigen(QLatin1String(name))->widget(); };
    const std::pair<const char*, std::function<QWidget*()>> faelle[] = {
        {"Hilfe", [&]() -> QWidget* {
             QTest::keyClick(npk()->trvNPK(), Qt::Key_F1); // on the plot step
             return hilfeFenster();
         }},
        {"Hinweis", [&] { DuengerHinweisZeigen(*HornHinweis("Du1004", false, 20)); return zeigen("frmDuengerInfo"); }},
        {"Verfahren", [&] { return zeigen("frmVerfahren"); }},
        {"Kompostberatung", [&] { QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton); return zeigen("frmKompost"); }},
        {"Alte Analyse", [&] { AlteAnalyseMelden(QDate(2019, 1, 1)); return zeigen("frmAlteAnalyse"); }},
        {"Datenbank-Update", [&] { return zeigen("frmUpdate"); }},
        {"Einstellungen", [&] { return zeigen("frmEinstellungen"); }},
    };
    ASSERT_NO_FATAL_FAILURE(navigationsknopf2()); // the plot step
    // the main window at its smallest, in the screen's bottom right corner
    groesse(760, 570);
    haupt->move(frei.right() + 1 - 760, frei.bottom() + 1 - 570);
    ArbeitsbereichAnordnen();
    QCoreApplication::processEvents();
    const QRect m = haupt->frameGeometry();
    ASSERT_TRUE(frei.contains(m));
    // centred on the main window, moved only as far as the screen's edge needs
    const auto soll = [](int mitte, int laenge, int von, int bis) { return std::clamp(mitte - laenge / 2, von, bis + 1 - laenge); };
    for (const auto& [name, oeffnen] : faelle) {
        SCOPED_TRACE(name);
        QWidget* w = oeffnen();
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        const QRect r = w->frameGeometry();
        EXPECT_NE(r, w->geometry()); // a window with a frame
        EXPECT_TRUE(frei.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_NEAR(r.x(), soll(m.center().x(), r.width(), frei.left(), frei.right()), 1) << r.width();
        EXPECT_NEAR(r.y(), soll(m.center().y(), r.height(), frei.top(), frei.bottom()), 1) << r.height();
        if (w == hilfeFenster())
            HilfeSchliessen();
        else
            fenster().entladen(w->objectName());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
