// The fertiliser step's layout: in every state of the catalogue and at the usual screen sizes no
// control covers another, leaves the page or cuts its text; the amount box stands beside its
// sentence.
#include "duengerseite.h"
#include "fertilisers/frmverfahren.h"
#include "fertilisers/mengen.h"
#include "plan/frmnpk4.h"

#include <QPushButton>

using namespace kav;

namespace {

class Anordnung : public test::DuengerSeiteTest {
protected:
    // What a control shows: a label its wrapped text, any other control itself.
    static QRect sichtbar(QWidget* x)
    {
        if (auto* l = qobject_cast<QLabel*>(x))
            return QRect(l->pos(), QSize(l->width(), l->text().isEmpty() ? 0 : l->heightForWidth(l->width())));
        return x->geometry();
    }
    void pruefen(const std::string& wo)
    {
        SCOPED_TRACE(wo);
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        std::vector<QWidget*> v{npk3->lblDuenger(), npk3->trvDuenger(1), npk3->trvDuenger(2), npk3->cmbReset(),
                                npk3->lblMenge(), npk3->txtMenge(), npk3->lblMengeEinheit(), npk3->linTrennung(), npk3->lblBedarf(),
                                npk3->cmbAbbruch(), npk3->cmbZurueck(), npk3->cmbWeiter()};
        for (int i = 1; i <= 4; ++i)
            v.push_back(npk3->lblVersorgung(i));
        for (size_t i = 0; i < v.size(); ++i) {
            const std::string name = v[i]->objectName().toStdString();
            EXPECT_TRUE(npk3->rect().contains(v[i]->geometry())) << name;
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_FALSE(sichtbar(v[i]).intersects(sichtbar(v[j]))) << name << " / " << v[j]->objectName().toStdString();
            if (auto* l = qobject_cast<QLabel*>(v[i])) {
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << name << ": " << l->text().toStdString();
            }
        }
        QLineEdit* t = npk3->txtMenge();
        EXPECT_GE(t->width(), t->fontMetrics().horizontalAdvance(t->text()) + 8);
        QLabel* einheit = npk3->lblMengeEinheit();
        EXPECT_EQ(einheit->geometry().right(), npk3->cmbReset()->geometry().right());
        EXPECT_LT(t->geometry().right(), einheit->x());
        EXPECT_EQ(t->y(), npk3->lblMenge()->y());
        EXPECT_EQ(einheit->y(), t->y());
    }
    void ueberall(const std::string& zustand)
    {
        for (const QSize g : test::pruefgroessen()) {
            groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            pruefen(zustand + " " + std::to_string(g.width()));
        }
    }
};

TEST_F(Anordnung, KlassenKalkeUndGedeckt)
{
    w().sngPH = 6.1f; // lime need 200
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    QTest::mouseClick(dialog<frmVerfahren>("frmVerfahren")->cmdIgnorant(), Qt::LeftButton);
    ASSERT_NE(knoten(1, "Gelb"), nullptr);
    knoten(1, "Gelb")->setExpanded(true);
    ueberall("Klassen mit Gelb");

    // the method fitted to the need, up to the limes and the Dolomitkalk
    w().blnOptimal = true;
    npk3->DuengerBaumFuellen();
    for (const char* nr : {"Du1010", "Du1014", "Du1001"})
        klick(nr);
    ASSERT_EQ(npk3->katalogstand(), Katalogstand::Kalk);
    ueberall("Kalke");
    groesse(1024, 768);
    ArbeitsbereichAnordnen();
    klick("Ka1002");
    EXPECT_EQ(npk3->txtMenge()->text(), "210");
    pruefen("gedeckt ohne neue Anordnung"); // the sentence fits as it comes
    ASSERT_EQ(npk3->lblMenge()->text(), "Es werden 210\u00A0g Kohlensaurer Magnesiumkalk (Dolomitkalk) je\u00A0m² benötigt.");
    ueberall("gedeckt");
}

// The catalogue takes the room the page has: at 1280 × 1024 and larger its long names stand whole.
TEST_F(Anordnung, KatalogNamenGanz)
{
    app().einstellungen.blnImmerOptimal = true;
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    klick("Du1010"); // potash is asked for next
    for (const QSize g : {QSize(1280, 1024), QSize(1920, 1080)}) {
        SCOPED_TRACE(g.width());
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        Duengerbaum* t = npk3->trvDuenger(1);
        QTreeWidgetItem* it = knoten(1, "Du1014");
        ASSERT_NE(it, nullptr);
        ASSERT_EQ(it->text(0), "Kaliumsulfat (schwefelsaures Kali) (0+0+50+0)");
        const int textEnde = t->visualItemRect(it).left() + t->iconSize().width() + 8
                             + t->fontMetrics().horizontalAdvance(it->text(0));
        EXPECT_LE(textEnde, t->viewport()->width());
        pruefen("Kalium");
    }
}

// The amount box holds the largest dose a proposal can give, its unit beside it; from 1280 × 1024 on
// the chosen list shows every name whole, down to the lime.
TEST_F(Anordnung, MengeMitEinheitUndGewaehlteNamenGanz)
{
    app().einstellungen.blnImmerOptimal = true;
    w().sngPH = 6.1f; // lime need 200
    ASSERT_NO_FATAL_FAILURE(oeffnen());
    for (const char* nr : {"Du1010", "Du1014", "Du1001", "Ka1002"})
        klick(nr);
    for (const QSize g : {QSize(800, 600), QSize(1280, 1024), QSize(1920, 1080)}) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        QLineEdit* t = npk3->txtMenge();
        t->setText(QString::number(kGroessteDosis, 'f', 0));
        EXPECT_GE(t->width(), t->fontMetrics().horizontalAdvance(t->text()) + 8) << g.width();
        EXPECT_EQ(npk3->lblMengeEinheit()->text(), "g/m²");
        for (int i = 0; g.width() >= 1280 && i < gewaehlt(); ++i)
            EXPECT_FALSE(npk3->trvDuenger(2)->abgeschnitten(npk3->trvDuenger(2)->topLevelItem(i))) << g.width() << " " << i;
    }
}

// Back from the recommendation page brings the step laid out for the window as it is: where it
// stood before, its buttons in view, nothing cut.
TEST_F(Anordnung, ZurueckVomPlan)
{
    for (const QSize g : {QSize(800, 600), QSize(1280, 1024)}) {
        SCOPED_TRACE(g.width());
        zustand();
        w().sngNBedarfGD = w().sngPBedarf = w().sngKBedarf = 0;
        RestbedarfBerechnen(w());
        groesse(g.width(), g.height());
        ASSERT_NO_FATAL_FAILURE(oeffnen());
        klick("Ka1001");
        const QRect platz = npk3->geometry(), weiter = npk3->cmbWeiter()->geometry();
        const QRect liste = npk3->trvDuenger(2)->geometry();
        QTest::mouseClick(npk3->cmbWeiter(), Qt::LeftButton);
        auto* plan = dialog<frmNPK4>("frmNPK4");
        ASSERT_NE(plan, nullptr);
        QTest::mouseClick(plan->cmbZurueck(), Qt::LeftButton);
        npk3 = duengerSeite();
        ASSERT_NE(npk3, nullptr);
        EXPECT_EQ(npk3->geometry(), platz);
        EXPECT_EQ(npk3->cmbWeiter()->geometry(), weiter);
        EXPECT_EQ(npk3->trvDuenger(2)->geometry(), liste);
        pruefen("nach Zurück");
        QTest::mouseClick(npk3->cmbAbbruch(), Qt::LeftButton);
    }
}

} // namespace
