// The analysis page's block of the layout pass: the places the rules give, and at the usual screen
// sizes no control covers another or leaves the page.
#include "frame/frmtoolbar.h"
#include "frame/mdizentral.h"
#include "seitenfixture.h"

#include <QLabel>
#include <QLineEdit>

using namespace kav;
using forms::Tw;

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
    void anordnen(int breite, int hoehe)
    {
        groesse(breite, hoehe);
        ArbeitsbereichAnordnen();
    }
    // What a control shows: a label its text (top left aligned), any other control itself.
    static QRect sichtbar(QWidget* x)
    {
        if (auto* l = qobject_cast<QLabel*>(x)) {
            const QSize t = l->fontMetrics().size(0, QString(l->text()).remove('\r'));
            return QRect(l->pos(), t.boundedTo(l->size()));
        }
        return x->geometry();
    }
    // The longest sentences under every value, the longest soil type chosen.
    void langeSaetze()
    {
        ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
        tippen(seite->txtWert(2), "3");
        tippen(seite->txtWert(3), "33");
        tippen(seite->txtWert(4), "50");
        tippen(seite->txtWert(5), "60");
        tippen(seite->txtWert(6), "5,5");
        seite->cobBodenart()->setFocus();
        QTest::keyClick(seite->cobBodenart(), Qt::Key_Down);
        QTest::keyClick(seite->cobBodenart(), Qt::Key_Down); // "schwach lehmiger Sand (l'S)"
        seite->txtWert(2)->setFocus();
    }
    std::vector<QWidget*> steuerelemente() const
    {
        std::vector<QWidget*> v{seite->trvFlaechen(), seite->dtpProbenahme(), seite->cobBodenart(), seite->cmbWeiter(),
                                seite->cmbSpeichern(), seite->cmbSenden()};
        for (int i = 0; i <= 6; ++i)
            v.push_back(seite->lblWert(i));
        for (int i = 0; i <= 2; ++i) {
            v.push_back(seite->imgBodenart(i));
            v.push_back(seite->lblBodenart(i));
        }
        for (int i = 2; i <= 6; ++i)
            v.push_back(seite->txtWert(i));
        for (int i = 0; i <= 3; ++i)
            v.push_back(seite->lblEinheit(i));
        for (int i = 0; i <= 4; ++i)
            v.push_back(seite->lblEinstufung(i));
        return v;
    }
    void nichtsUeberdecktUndNichtsAbgeschnitten(const char* groesse)
    {
        SCOPED_TRACE(groesse);
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        const QRect seitenFlaeche = seite->rect();
        const auto v = steuerelemente();
        for (size_t i = 0; i < v.size(); ++i) {
            const QRect a = sichtbar(v[i]);
            EXPECT_TRUE(seitenFlaeche.contains(v[i]->geometry())) << v[i]->objectName().toStdString();
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_FALSE(a.intersects(sichtbar(v[j])))
                    << v[i]->objectName().toStdString() << " / " << v[j]->objectName().toStdString();
        }
        // texts have the room they need
        for (QWidget* x : v) {
            if (auto* l = qobject_cast<QLabel*>(x)) {
                const QSize noetig = l->fontMetrics().size(0, QString(l->text()).remove('\r'));
                EXPECT_GE(l->width(), noetig.width()) << l->objectName().toStdString();
                EXPECT_GE(l->height(), noetig.height()) << l->objectName().toStdString();
            }
        }
        for (int i = 2; i <= 6; ++i)
            EXPECT_GE(seite->txtWert(i)->height(), seite->txtWert(i)->fontMetrics().height() + 2) << i;
        EXPECT_GE(seite->cobBodenart()->width(), seite->cobBodenart()->sizeHint().width());
        for (QToolButton* b : {seite->cmbWeiter(), seite->cmbSpeichern(), seite->cmbSenden()})
            EXPECT_LE(b->iconSize().height() + b->fontMetrics().height(), b->height());
        // the heading with a name of 20 characters stays above the tree
        QLabel* k = seite->lblFlaeche();
        EXPECT_LE(k->y() + k->heightForWidth(k->width()), seite->trvFlaechen()->y());
    }
};

} // namespace

TEST_F(SeitenAnordnungTest, NichtsUeberdecktBei1024x768Und1920x1080)
{
    ASSERT_NO_FATAL_FAILURE(langeSaetze());
    ASSERT_EQ(seite->lblFlaeche()->text(), "Geben Sie rechts die Analysenwerte ein für: Gemüsebeet am Zaun 1");
    ASSERT_EQ(seite->lblEinstufung(4)->text(), "Der pH-Wert ihres Bodens ein wenig zu niedrig.\n\rOptimal wäre ein Bereich von 5,8 bis 6,3.");
    anordnen(1024, 768);
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 12);
    nichtsUeberdecktUndNichtsAbgeschnitten("1024x768");
    anordnen(1920, 1080);
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 14);
    nichtsUeberdecktUndNichtsAbgeschnitten("1920x1080");
    anordnen(800, 600);
    EXPECT_EQ(app().rahmen.intSchriftGroesse, 8);
    nichtsUeberdecktUndNichtsAbgeschnitten("800x600");
}

TEST_F(SeitenAnordnungTest, ZeilenAbstaendeUndSchriftgroessen)
{
    anordnen(800, 600); // font size 8: units at 6, everything else at 8
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(forms::FontSize(seite->lblEinheit(i)), 6) << i;
    for (QWidget* x : std::initializer_list<QWidget*>{seite->lblFlaeche(), seite->lblWert(0), seite->lblWert(6),
                                                      seite->txtWert(4), seite->lblEinstufung(2), seite->trvFlaechen(),
                                                      seite->dtpProbenahme(), seite->lblBodenart(1)})
        EXPECT_EQ(forms::FontSize(x), 8) << x->objectName().toStdString();
    EXPECT_TRUE(forms::FontBold(seite->lblFlaeche()));

    const double SH = Tw(seite).ScaleHeight();
    for (int i = 2; i < 6; ++i)
        EXPECT_NEAR(Tw(seite->lblWert(i + 1)).Top() - Tw(seite->lblWert(i)).Top(), 2 * SH / 14, 1e-6) << i;
    // captions column SW / 50 left of the fourth navigation button, tree under the first buttons
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    const double SW = Tw(seite).ScaleWidth();
    EXPECT_NEAR(Tw(seite->lblWert(3)).Left(), Tw(tb->cmbMenu(4)).Left() - SW / 50, 1e-6);
    EXPECT_NEAR(Tw(seite->lblEinstufung(1)).Left(), Tw(seite->lblWert(3)).Left(), 1e-6);
    EXPECT_NEAR(Tw(seite->lblEinstufung(1)).Top(), Tw(seite->lblWert(3)).Top() + SH / 14, 1e-6);
    EXPECT_NEAR(Tw(seite->trvFlaechen()).Width(), Tw(tb->cmbMenu(1)).Width() * 2.25, 1e-6);
    EXPECT_NEAR(Tw(seite->trvFlaechen()).Height(), 5 * SH / 6, 1e-6);
    // values, list and date share one left edge
    EXPECT_EQ(seite->txtWert(6)->x(), seite->cobBodenart()->x());
    EXPECT_EQ(seite->dtpProbenahme()->x(), seite->cobBodenart()->x());
    EXPECT_EQ(seite->lblWert(5)->text(), "Magnesium-Gehalt:\n\r(optional)");
}

TEST_F(SeitenAnordnungTest, SendeknopfNimmtDenPlatzDesSpeicherknopfs)
{
    anordnen(1024, 768);
    const auto oben = [](QWidget* x) { return Tw(x).Top(); };
    EXPECT_FALSE(seite->cmbSpeichern()->isHidden());
    EXPECT_NEAR(oben(seite->cmbSenden()), oben(seite->cmbWeiter()) - 2.3 * Tw(seite->cmbSenden()).Height(), 1e-6);
    EXPECT_NEAR(oben(seite->cmbWeiter()) + Tw(seite->cmbWeiter()).Height(),
                oben(seite->trvFlaechen()) + Tw(seite->trvFlaechen()).Height(), 1e-6);

    app().einstellungen.strDatenAufServer = "Wahr";
    ArbeitsbereichAnordnen();
    EXPECT_TRUE(seite->cmbSpeichern()->isHidden());
    EXPECT_NEAR(oben(seite->cmbSenden()), oben(seite->cmbWeiter()) - 1.15 * Tw(seite->cmbSenden()).Height(), 1e-6);
    // Enter in the pH field goes to the send button when saving is hidden
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    seite->txtWert(6)->setFocus();
    QTest::keyClick(seite->txtWert(6), Qt::Key_Return);
    EXPECT_TRUE(seite->cmbSenden()->hasFocus());
}

TEST_F(SeitenAnordnungTest, NavigationsknopfPasstSeineSchriftAnStattZuKuerzen)
{
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    for (const QSize g : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080), QSize(800, 600)}) {
        anordnen(g.width(), g.height());
        const int F = app().rahmen.intSchriftGroesse;
        for (int i = 1; i <= 7; ++i) {
            QToolButton* b = tb->cmbMenu(i);
            int breite = 0;
            for (const QString& zeile : b->text().split('\n'))
                breite = std::max(breite, b->fontMetrics().horizontalAdvance(zeile));
            EXPECT_LE(breite, b->width() - 12) << g.width() << " " << i;
            EXPECT_LE(forms::FontSize(b), F) << g.width() << " " << i;
            EXPECT_GE(forms::FontSize(b), 6) << g.width() << " " << i;
        }
        EXPECT_EQ(forms::FontSize(tb->cmbMenu(7)), F) << g.width();
    }
    // back at a size where it fits, the button has the pass's size again
    anordnen(1920, 1080);
    const double gross = forms::FontSize(tb->cmbMenu(2));
    anordnen(1024, 768);
    anordnen(1920, 1080);
    EXPECT_EQ(forms::FontSize(tb->cmbMenu(2)), gross);
}

TEST_F(SeitenAnordnungTest, OhneFlaechenHeisstEsNeueFlaecheEingeben)
{
    ASSERT_NO_FATAL_FAILURE(seiteStarten([this] {
        for (const char* t : {"FlaechenID", "AnalysenID", "ZOFlaechenAnalysen"})
            sql::exec(db(), QString("DELETE FROM ") + t);
    }));
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
    auto* tb = fenster().fensterAls<frmToolbar>("frmToolbar");
    EXPECT_FALSE(tb->cmbMenu(2)->isEnabled());
    EXPECT_EQ(trv->topLevelItemCount(), 1);
    EXPECT_EQ(trv->topLevelItem(0)->text(0), "Flächen");
    EXPECT_FALSE(trv->topLevelItem(0)->isExpanded());
    ASSERT_NO_FATAL_FAILURE(klicken("Fl0"));
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
    // a rebuild leaves its own prompt; the next layout pass writes the prompt of the navigation bar
    seite->FlaechenBaumFuellen();
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein:");
    ArbeitsbereichAnordnen();
    EXPECT_EQ(seite->lblFlaeche()->text(), "Geben Sie eine neue Fläche ein.");
}
