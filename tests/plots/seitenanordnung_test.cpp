// The analysis page and the navigation bar laid out at the usual screen sizes: with the longest
// texts nothing is covered or cut, with or without the save button.
#include "frame/frmtoolbar.h"
#include "frame/mdizentral.h"
#include "platform/farbkontrast.h"
#include "platform/farbverlauf.h"
#include "seitenfixture.h"
#include "settings/farbpalette.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>

using namespace kav;

namespace {

class SeitenAnordnungTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
            gruppe("Fl1000", "Garten");
            flaeche("Fl1001", "Gemüsebeet am Zaun 1", 1000);
            analyse("An1000", "Fl1001", QDate(2024, 4, 18));
        }));
    }
    frmToolbar* toolbar() { return fenster().fensterAls<frmToolbar>("frmToolbar"); }
};

} // namespace

TEST_F(SeitenAnordnungTest, LaengsteSaetzeMitUndOhneSpeicherknopf)
{
    // a name of 20 characters, the longest sentence under every value, the longest soil type
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    werteTippen({"3", "33", "50", "60", "5,5"});
    seite->cobBodenart()->setFocus();
    QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
    QTest::keyClick(seite->cobBodenart(), Qt::Key_Down); // "schwach lehmiger Sand (l'S)"
    seite->txtWert(2)->setFocus();
    ASSERT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Gemüsebeet am Zaun 1");
    ASSERT_EQ(seite->lblEinstufung(4)->text(),
              "Der pH-Wert Ihres Bodens ist ein wenig zu niedrig.\nOptimal wäre ein Bereich von 5,8 bis 6,3.");
    test::nichtsUeberdecktOderAbgeschnitten(seite);

    // data kept on the server: the send button takes the save button's place
    app().einstellungen.strDatenAufServer = "Wahr";
    test::nichtsUeberdecktOderAbgeschnitten(seite);
    EXPECT_TRUE(seite->cmbSpeichern()->isHidden());
    // Enter in the pH field goes to the send button when saving is hidden
    seite->txtWert(6)->setFocus();
    QTest::keyClick(seite->txtWert(6), Qt::Key_Return);
    EXPECT_TRUE(seite->cmbSenden()->hasFocus());
}

TEST_F(SeitenAnordnungTest, NavigationsknopfPasstSeineSchriftAnStattZuKuerzen)
{
    for (const QSize g : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080), QSize(800, 600)}) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
        const int F = app().rahmen.intSchriftGroesse;
        QList<const QToolButton*> knoepfe;
        for (int i = 1; i <= 7; ++i) {
            knoepfe.append(toolbar()->cmbMenu(i));
            EXPECT_GE(forms::FontSize(toolbar()->cmbMenu(i)), 6) << g.width() << " " << i;
        }
        // a caption whose words fit keeps the bar's size: the layout's, or on a bar too low for
        // picture and captions the smaller size every caption gets there; each the largest that fits
        EXPECT_EQ(forms::FontSize(toolbar()->cmbMenu(7)), forms::FontSize(toolbar()->cmbMenu(4))) << g.width();
        test::beschriftungenAmGroesstenDiePassen(knoepfe, F, std::to_string(g.width()));
    }
    // back at a size where it fits, the button has the pass's size again
    groesse(1920, 1080);
    ArbeitsbereichAnordnen();
    const double gross = forms::FontSize(toolbar()->cmbMenu(2));
    for (const QSize g : {QSize(1024, 768), QSize(1920, 1080)}) {
        groesse(g.width(), g.height());
        ArbeitsbereichAnordnen();
    }
    EXPECT_EQ(forms::FontSize(toolbar()->cmbMenu(2)), gross);
}

TEST_F(SeitenAnordnungTest, OhneFlaechenHeisstEsNeueFlaecheEingeben)
{
    ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
        for (const char* t : {"FlaechenID", "AnalysenID", "ZOFlaechenAnalysen"})
            sql::exec(db(), QString("DELETE FROM ") + t);
    }));
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
    EXPECT_FALSE(toolbar()->cmbMenu(2)->isEnabled());
    EXPECT_EQ(trv->topLevelItemCount(), 1);
    EXPECT_EQ(trv->topLevelItem(0)->text(0), "Flächen");
    EXPECT_FALSE(trv->topLevelItem(0)->isExpanded());
    ASSERT_NO_FATAL_FAILURE(klicken("Fl0"));
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
    // a rebuild and the next layout pass write the same prompt
    seite->FlaechenBaumFuellen();
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
    ArbeitsbereichAnordnen();
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
}

// With every colour of the colour chooser, the disabled parts of the page read at a contrast of at
// least 3:1: the soil group captions and the units on every band of the gradient, the date and the
// soil type list on their own background, the buttons' captions on the buttons.
TEST_F(SeitenAnordnungTest, AusgeschalteteSchriftAufJederFarbeLesbar)
{
    ASSERT_FALSE(seite->dtpProbenahme()->isEnabled());
    Einstellungen& e = app().einstellungen;
    const auto mindestens = [](const QColor& schrift, const QList<QColor>& hinten) {
        double kleinster = 21;
        for (const QColor& h : hinten)
            kleinster = std::min(kleinster, kontrastVerhaeltnis(schrift, h));
        return kleinster;
    };
    for (const FarbAnteile& f : farbPalette()) {
        SCOPED_TRACE(QString("%1,%2,%3").arg(f.rot).arg(f.gruen).arg(f.blau).toStdString());
        FarbeZerlegen(farbWert(f), e);
        ArbeitsbereichAnordnen();
        QList<QColor> verlauf;
        for (const FarbBand& b :
             farbverlaufBaender(seite->height(), e.intRot, e.intGruen, e.intBlau, e.intRotHell, e.intGruenHell, e.intBlauHell))
            verlauf << b.farbe;
        QList<QWidget*> beschriftungen;
        for (int i = 0; i <= 2; ++i)
            beschriftungen << seite->lblBodenart(i);
        for (int i = 0; i <= 3; ++i)
            beschriftungen << seite->lblEinheit(i);
        for (QWidget* l : beschriftungen) {
            ASSERT_FALSE(l->isEnabled());
            EXPECT_GE(mindestens(l->palette().color(QPalette::Disabled, QPalette::WindowText), verlauf), 3.0)
                << l->objectName().toStdString();
        }
        const QPalette datum = seite->dtpProbenahme()->palette();
        EXPECT_GE(kontrastVerhaeltnis(datum.color(QPalette::Disabled, QPalette::Text), datum.color(QPalette::Disabled, QPalette::Base)), 3.0);
        const QPalette liste = seite->cobBodenart()->palette();
        EXPECT_GE(kontrastVerhaeltnis(liste.color(QPalette::Disabled, QPalette::ButtonText),
                                      liste.color(QPalette::Disabled, QPalette::Button)), 3.0);
        for (QToolButton* b : {seite->cmbWeiter(), seite->cmbSpeichern()})
            EXPECT_GE(kontrastVerhaeltnis(b->palette().color(QPalette::Disabled, QPalette::ButtonText), forms::BackColor(b)), 3.0);
    }
}

// The calendar that drops down from the sampling date shows its German day names whole at every size
// of the window (its font grows with the window).
TEST_F(SeitenAnordnungTest, KalenderZeigtDieTagesnamenGanz)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QDateEdit* d = seite->dtpProbenahme();
    d->setLocale(QLocale(QLocale::German, QLocale::Germany)); // as the program sets it when it starts
    for (const auto& [b, h] : {std::pair{800, 600}, {1024, 768}, {1920, 1080}}) {
        groesse(b, h);
        ArbeitsbereichAnordnen();
        QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(d->width() - 6, d->height() / 2));
        auto* v = d->calendarWidget()->findChild<QAbstractItemView*>("qt_calendar_calendarview");
        ASSERT_NE(v, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([v] { return v->isVisible(); }, 10000));
        test::tagesnamenGanz(d->calendarWidget(), std::to_string(b));
        d->calendarWidget()->window()->hide();
    }
}
