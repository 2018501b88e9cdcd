// Every window at the keyboard: Tab goes round each control once, in reading order, and the control
// that has the focus shows it on every user colour; Enter, Escape and Space on every dialog and notice.
#include "fertilisers/frmduengereingabe.h"
#include "fertilisers/frmduengerinfo.h"
#include "fertilisers/frmkalkeingabe.h"
#include "fertilisers/frmnpk3.h"
#include "fertilisers/frmverfahren.h"
#include "fertilisers/hornregel.h"
#include "frame/frmbrotkrume.h"
#include "frame/links.h"
#include "platform/farbkontrast.h"
#include "platform/fokusrahmen.h"
#include "platform/tastenlink.h"
#include "plots/frmalteanalyse.h"
#include "plots/frmflaeche.h"
#include "plots/frmflaechegruppe.h"
#include "requirement/frmmkeditor.h"
#include "requirement/npkbaum.h"
#include "settings/farbpalette.h"
#include "tastatur.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QRegularExpression>
#include <QTextEdit>

using namespace kav;
using namespace kav::test;

namespace {

// The sizes of the main window the keyboard is tried at; the last is the size the program starts with.
const QSize kGroessen[] = {{760, 570}, {800, 600}, {1280, 1024}, {1920, 1080}, {1024, 768}};

// The name of a control without the index of its array ("imgOS3" is one of "imgOS").
QString stamm(const QObject* o) { return QString(o->objectName()).remove(QRegularExpression("\\d+$")); }

// A window to go round: how it is opened (it returns the window, the main window for a page), the
// arrays of option pictures that are one tab stop each, the boxes that only show (not visited).
struct Rundfenster {
    const char* name;
    std::function<QWidget*()> oeffnen;
    QStringList gruppen = {};
    QStringList ohne = {};
};

class TastaturTest : public WizardTest {
protected:
    // What a user operates in `fenster`, by name, with its place: each button, box, list, tree, grid,
    // calendar, text view and link in the tab chain that is shown, enabled and not covered by another
    // window, an array of option pictures once, and the breadcrumb strip.
    static QMap<QString, QRect> bedienbar(QWidget* fenster, const Rundfenster& f)
    {
        QMap<QString, QRect> soll;
        const std::function<void(QWidget*)> sammeln = [&](QWidget* w) {
            for (auto* k : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (k->isWindow() || k->isHidden() || forms::istFokusrahmen(k) || f.ohne.contains(stamm(k)))
                    continue;
                const QRect lage(k->mapTo(fenster, QPoint(0, 0)), k->size());
                const QWidget* oben = fenster->childAt(lage.center()); // nothing lies over its middle
                const bool gesehen = k->isEnabled() && oben && (oben == k || k->isAncestorOf(oben));
                if (f.gruppen.contains(stamm(k)) && gesehen)
                    soll[stamm(k)] |= lage;
                else if (qobject_cast<QAbstractButton*>(k) || qobject_cast<QLineEdit*>(k) || qobject_cast<QComboBox*>(k)
                         || qobject_cast<QAbstractItemView*>(k) || qobject_cast<QAbstractSpinBox*>(k)
                         || qobject_cast<QCalendarWidget*>(k) || qobject_cast<QTextEdit*>(k) || qobject_cast<frmBrotkrume*>(k)
                         || (qobject_cast<QLabel*>(k) && (k->focusPolicy() & Qt::TabFocus)))
                    soll[k->objectName()] = gesehen ? lage : QRect();
                else if (!f.gruppen.contains(stamm(k)))
                    sammeln(k);
            }
        };
        sammeln(fenster);
        soll.removeIf([](const auto& e) { return e.value().isNull(); });
        return soll;
    }

    // The control (or option array) the focus is in, by name; empty for none of `soll`.
    static QString wo(const QMap<QString, QRect>& soll, const Rundfenster& f)
    {
        for (const QWidget* w = fokus(); w && !w->isWindow(); w = w->parentWidget())
            if (f.gruppen.contains(stamm(w)) || soll.contains(w->objectName()))
                return f.gruppen.contains(stamm(w)) ? stamm(w) : w->objectName();
        return {};
    }

    // The focus is seen: against the window without any focus, as many pixels as the control's outline
    // has change at a contrast of at least 3:1, and they lie around the control. Only the control and
    // what lies near it is drawn again (a ring further away is none of its ring), by lines, the contrast
    // of a pair of colours worked out once: a window at 1920 × 1080 has two million pixels.
    static void fokusZuSehen(QWidget* fenster, const QImage& ohneFokus, const std::string& was)
    {
        const QRect r = QRect(fokus()->mapTo(fenster, QPoint(0, 0)), fokus()->size()) & fenster->rect();
        const QRect um = r.adjusted(-12, -12, 12, 12) & fenster->rect();
        const QImage mit = fenster->grab(um).toImage().convertToFormat(ohneFokus.format());
        int anders = 0;
        QRect wo;
        std::pair<QRgb, QRgb> paar{};
        bool stark = false;
        for (int y = 0; y < um.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(ohneFokus.constScanLine(um.y() + y)) + um.x();
            const auto* b = reinterpret_cast<const QRgb*>(mit.constScanLine(y));
            for (int x = 0; x < um.width(); ++x) {
                if (a[x] == b[x])
                    continue;
                if (std::pair(a[x], b[x]) != paar) {
                    paar = {a[x], b[x]};
                    stark = kontrastVerhaeltnis(QColor(a[x]), QColor(b[x])) >= 3.0;
                }
                if (stark) {
                    ++anders;
                    wo |= QRect(um.x() + x, um.y() + y, 1, 1);
                }
            }
        }
        EXPECT_GE(anders, 2 * (r.width() + r.height())) << was << ": der Fokus ist nicht zu sehen";
        EXPECT_TRUE(wo.adjusted(-4, -4, 4, 4).contains(r)) << was << ": der Fokus liegt nicht um das Steuerelement";
    }
    static QImage ohneFokus(QWidget* fenster)
    {
        QWidget* f = fokus();
        f->clearFocus();
        const QImage bild = fenster->grab().toImage().convertToFormat(QImage::Format_RGB32);
        f->setFocus(Qt::OtherFocusReason);
        return bild;
    }

    // Tab round the window once from the control that has the focus: each control once, each with the
    // focus seen, in reading order: from the control at the top, nothing comes after a control it stands
    // above in the same column, or left of in the same row; the links of a page or dialog after its
    // other controls.
    static void rundeGehen(QWidget* fenster, const Rundfenster& f)
    {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(fokus() && fokus()->window() == fenster);
        const QMap<QString, QRect> soll = bedienbar(fenster, f);
        if (soll.isEmpty()) { // a notice without controls keeps the focus
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
            EXPECT_TRUE(fokus() && fokus()->window() == fenster);
            return;
        }
        if (wo(soll, f).isEmpty()) {
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab)); // from the window itself on to its first control
        }
        const QImage ohne = ohneFokus(fenster);
        QStringList runde{wo(soll, f)};
        for (int i = 0; i < 3 * soll.size(); ++i) {
            fokusZuSehen(fenster, ohne, (f.name + (" " + runde.last())).toStdString());
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
            if (const QString jetzt = wo(soll, f); jetzt == runde.first())
                break;
            else if (jetzt != runde.last()) // from link to link in a text: the same control
                runde << jetzt;
        }
        QStringList gesehen = runde, erwartet = soll.keys();
        gesehen.sort();
        EXPECT_EQ(gesehen, erwartet) << "Runde: " << runde.join(" > ").toStdString();
        const auto istLink = [fenster](const QString& n) { return forms::Tastenlink::ist(fenster->findChild<QWidget*>(n)); };
        const auto fensterVon = [fenster](const QString& n) {
            QWidget* w = fenster->findChildren<QWidget*>(QRegularExpression("^" + n + "\\d*$")).value(0);
            while (w && w != fenster && !qobject_cast<forms::Formular*>(w))
                w = w->parentWidget();
            return w;
        };
        std::rotate(runde.begin(), std::min_element(runde.begin(), runde.end(), [&](const QString& a, const QString& b) {
                        return std::tuple(istLink(a), soll[a].top(), soll[a].left())
                               < std::tuple(istLink(b), soll[b].top(), soll[b].left());
                    }), runde.end());
        for (int i = 0; i + 1 < runde.size(); ++i)
            EXPECT_TRUE(!istLink(runde[i]) || istLink(runde[i + 1]) || fensterVon(runde[i + 1]) != fensterVon(runde[i]))
                << runde[i + 1].toStdString() << " nach " << runde[i].toStdString();
        for (int i = 0; i < runde.size(); ++i)
            for (int j = i + 1; j < runde.size() && !istLink(runde[i]); ++j) {
                if (istLink(runde[j]))
                    continue;
                const QRect a = soll.value(runde[i]), b = soll.value(runde[j]);
                EXPECT_FALSE(a.left() <= b.right() && b.left() <= a.right() && b.bottom() < a.top())
                    << runde[j].toStdString() << " über " << runde[i].toStdString();
                EXPECT_FALSE(a.top() <= b.bottom() && b.top() <= a.bottom() && b.right() < a.left())
                    << runde[j].toStdString() << " links von " << runde[i].toStdString();
            }
    }

    QWidget* zeigen(const char* name)
    {
        QWidget* d = fenster().zeigen(QLatin1String(name))->widget();
        aktivieren(d->window());
        return d;
    }
    void katalogWaehlen(const QString& key)
    {
        Duengerbaum* t = duengerSeite()->trvDuenger(1);
        QTreeWidgetItem* it = key == "Gruen" ? t->itemVon(key)->child(0) : t->itemVon(key);
        t->scrollToItem(it);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(it).center());
        fenster().entladen("frmDuengerInfo"); // a notice on a horn fertiliser
        aktivieren(haupt.get());
    }
};

TEST_F(TastaturTest, TabErreichtJedesSteuerelementEinmalInLesefolgeMitSichtbaremFokus)
{
    QWidget* h = haupt.get();
    const Rundfenster runden[] = {
        {"Analysenseite", [&] { klicken("Fl1001"); return h; }, {"imgBodenart"}},
        {"Flächendialog", [&] { app().rahmen.blnNeuerDatensatz = false; return zeigen("frmFlaeche"); },
         {"imgKompost", "imgAktuellerDatensatz"}},
        {"Gruppendialog", [&] { klicken("Fl1000"); return zeigen("frmFlaecheGruppe"); }, {"imgAktuellerDatensatz"}},
        {"Einstellungen Programm", [&] { return zeigen("frmEinstellungen"); }, {"txtStrip", "imgOptimal"}},
        {"Einstellungen Datenbank", [&] {
             QWidget* e = zeigen("frmEinstellungen");
             taste(Qt::Key_Right); // the second page, chosen on its header
             return e;
         }, {"txtStrip", "imgUpdate", "imgSQL"}},
        {"Farbwahl", [&] { return zeigen("frmFarbWahl"); }, {"lblFarbe"}},
        {"Über", [&] { return zeigen("frmUeberKav"); }},
        {"Alte Analyse", [&] { AlteAnalyseMelden(QDate(2019, 1, 1)); return zeigen("frmAlteAnalyse"); }},
        {"Lexikon", [&] { QTest::mouseClick(seiteVon<frmToolbar>("frmToolbar")->cmbMenu(3), Qt::LeftButton); return h; },
         {}, {"lstBegriff"}}, // its terms are gone through with the arrow keys of the search box
        {"Flächenschritt", [&] { navigationsknopf2(); baumKlick(npk()->trvNPK(), "Fl1001"); return h; }, {}, {"txtWert"}},
        {"Kompostberatung", [&] { QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton); return zeigen("frmKompost"); }},
        {"Kulturschritt", [&] {
             QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
             kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30");
             return h;
         }},
        {"Gründüngung", [&] { QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton); return h; }, {"imbGruenduengung"}},
        {"Kompost, Mist", [&] {
             QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
             QTest::mouseClick(npk2b()->imgJaNein(1), Qt::LeftButton);
             return h;
         }, {"imgJaNein", "imgOS"}},
        {"Verfahren", [&] { QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton); return zeigen("frmVerfahren"); }},
        {"Düngerauswahl", [&] { aktivieren(h); katalogWaehlen("Gruen"); return h; }},
        {"Düngereditor", [&] { DuengerEingabeOeffnen({}); return zeigen("frmDuengerEingabe"); }, {"imgNorg"}},
        {"Kalkeditor", [&] { KalkEingabeOeffnen({}); return zeigen("frmKalkEingabe"); }},
        {"Hinweis", [&] { DuengerUngeeignetMelden(); return zeigen("frmDuengerInfo"); }},
        {"Empfehlung", [&] {
             for (int i = 0; i < 8 && duengerSeite()->katalogstand() == Katalogstand::Klassen; ++i)
                 katalogWaehlen("Gruen");
             katalogWaehlen("Ka1002");
             QTest::mouseClick(duengerSeite()->cmbWeiter(), Qt::LeftButton);
             return h;
         }},
        {"Mischkulturplaner", [&] { w().strAktFlaechenNr = "Fl1001"; MischkulturPlanerOeffnen("Neue Planung", ""); return h; }},
    };
    for (const Rundfenster& f : runden) {
        QWidget* w = f.oeffnen();
        // a page at every size of the main window (the last the size the program starts with), a dialog
        // at the size its contents give it
        const std::vector<QSize> groessen =
            w == h ? std::vector<QSize>(std::begin(kGroessen), std::end(kGroessen)) : std::vector<QSize>{QSize()};
        for (const QSize& g : groessen) {
            SCOPED_TRACE(QStringLiteral("%1 × %2").arg(g.width()).arg(g.height()).toStdString());
            const QWidget* vorher = fokus();
            if (g.isValid())
                groesse(g.width(), g.height());
            ArbeitsbereichAnordnen();
            QCoreApplication::processEvents();
            EXPECT_TRUE(!g.isValid() || fokus() == vorher) << "das Anordnen hat den Fokus versetzt";
            ASSERT_NO_FATAL_FAILURE(rundeGehen(w, f)) << f.name;
        }
        if (w != h) { // a dialog closes, the main window is active again
            fenster().entladen(w->objectName());
            ASSERT_NO_FATAL_FAILURE(aktivieren(h));
        }
    }
}

// The focus mark on each of the 21 user colours: a tree, option pictures, a box, a picture button and
// a navigation button of the analysis page.
TEST_F(TastaturTest, FokusAufJederBenutzerfarbe)
{
    ASSERT_NO_FATAL_FAILURE(klicken("Fl1001"));
    QWidget* const steuerelemente[] = {trv, seite->imgBodenart(1), seite->txtWert(2), seite->cmbSpeichern(),
                                       seiteVon<frmToolbar>("frmToolbar")->cmbMenu(1)};
    for (const FarbAnteile& farbe : farbPalette()) {
        FarbeZerlegen(farbWert(farbe), app().einstellungen);
        ArbeitsbereichAnordnen();
        trv->setFocus();
        const QImage ohne = ohneFokus(haupt.get());
        for (QWidget* s : steuerelemente) {
            s->setFocus(Qt::OtherFocusReason);
            fokusZuSehen(haupt.get(), ohne, s->objectName().toStdString() + " auf " + QColor(farbe.rot, farbe.gruen, farbe.blau).name().toStdString());
        }
    }
}

// Enter, Escape and Space on every dialog and notice window, each opened afresh with the focus it
// gives itself: which keys close it, and what each leaves behind.
TEST_F(TastaturTest, EnterEscapeLeertasteInJedemDialogUndHinweis)
{
    const auto dialog = [this](const char* name, std::function<void()> davor = {}) {
        return [this, name, davor] {
            aktivieren(haupt.get());
            if (davor)
                davor();
            return zeigen(name);
        };
    };
    const auto flaeche = [this](bool gruppe) {
        return [this, gruppe] {
            if (!analysenSeite())
                fenster().zeigen("frmAnalysenWerte");
            seite = analysenSeite(), trv = seite->trvFlaechen();
            klicken("Fl0");
            app().rahmen.blnNeuerDatensatz = true; // a new one, as the menu opens it
            QWidget* d = zeigen(gruppe ? "frmFlaecheGruppe" : "frmFlaeche");
            tippenPerTaste("Beet 7");
            return d;
        };
    };
    const auto kalk = [this](bool tippen) {
        return [this, tippen] {
            KalkEingabeOeffnen({});
            QWidget* d = zeigen("frmKalkEingabe");
            if (tippen) { // a name and a content, and back to the name (Enter in a content box goes on)
                tippenPerTaste("Mein Kalk");
                taste(Qt::Key_Tab);
                tippenPerTaste("60");
                taste(Qt::Key_Tab, Qt::ShiftModifier);
            }
            return d;
        };
    };
    const auto horn = [] { DuengerHinweisZeigen(*HornHinweis("Du1004", false, 20)); };
    const auto mischkultur = [this] {
        FormulareEntladen();
        bisZumKulturschritt();
        baumKlick(npk1()->trvNPK(), kNeueMischkultur);
        tippen(npk1()->txtLaenge(), "4");
        tippen(npk1()->txtBreite(), "1,2");
        QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    };
    const auto kompost = [this] { FormulareEntladen(); navigationsknopf2(); baumKlick(npk()->trvNPK(), "Fl1001"); };
    const auto farbeProbieren = [this] {
        FarbeZerlegen(0xBCBCBC, app().einstellungen);
        QWidget* d = zeigen("frmFarbWahl");
        taste(Qt::Key_Right);
        return d;
    };
    const auto eintraege = [this] { return anzahl("FlaechenID"); };
    const auto farbe = [this] { return farbWert(app().einstellungen); };
    const auto leer = [] { FormulareEntladen(); };
    const int alle[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space};
    Frage frage;
    struct Fall {
        const char* fenster;
        std::function<QWidget*()> oeffnen;
        std::vector<int> tasten;
        bool bleibt; // the window is still open afterwards
        std::function<bool()> danach = {};
    };
    const Fall faelle[] = {
        // notices and the intro: each of the three keys closes them (the intro as its double-click)
        {"frmAlteAnalyse", dialog("frmAlteAnalyse"), {std::begin(alle), std::end(alle)}, false},
        {"frmDuengerInfo", dialog("frmDuengerInfo", horn), {std::begin(alle), std::end(alle)}, false},
        {"frmDuengerInfo", dialog("frmDuengerInfo", DuengerUngeeignetMelden), {std::begin(alle), std::end(alle)}, false},
        {"frmDuengerInfo", dialog("frmDuengerInfo", mischkultur), {std::begin(alle), std::end(alle)}, false},
        {"frmUeberKav", dialog("frmUeberKav"), {std::begin(alle), std::end(alle)}, false},
        {"frmIntro", dialog("frmIntro", leer), {std::begin(alle), std::end(alle)}, false},
        // the method: Enter and Space press the choice that has the focus; Escape leaves the method alone
        {"frmVerfahren", dialog("frmVerfahren", [this] { w().blnOptimal = false; }), {Qt::Key_Return, Qt::Key_Space}, false,
         [this] { return w().blnOptimal; }},
        {"frmVerfahren", dialog("frmVerfahren", [this] { w().blnOptimal = false; }), {Qt::Key_Escape}, false,
         [this] { return !w().blnOptimal; }},
        // the colour chooser: Enter keeps the colour the arrow key tried, Escape takes it back
        {"frmFarbWahl", farbeProbieren, {Qt::Key_Return}, false, [&] { return farbe() != 0xBCBCBC; }},
        {"frmFarbWahl", farbeProbieren, {Qt::Key_Escape}, false, [&] { return farbe() == 0xBCBCBC; }},
        {"frmEinstellungen", dialog("frmEinstellungen"), {Qt::Key_Escape}, false},
        {"frmEinstellungen", dialog("frmEinstellungen"), {Qt::Key_Return}, true},
        // the compost advice: Enter and Space act on the tree's node, Escape closes as OK does
        {"frmKompost", dialog("frmKompost", kompost), {Qt::Key_Escape}, false},
        {"frmKompost", dialog("frmKompost", kompost), {Qt::Key_Return, Qt::Key_Space}, true},
        // the plot and group dialogs, a name typed: Enter stores, Escape does not, Space types
        {"frmFlaeche", flaeche(false), {Qt::Key_Escape}, false, [&] { return eintraege() == 3; }},
        {"frmFlaeche", flaeche(false), {Qt::Key_Space}, true},
        {"frmFlaeche", flaeche(false), {Qt::Key_Return}, false, [&] { return eintraege() == 4; }},
        {"frmFlaecheGruppe", flaeche(true), {Qt::Key_Return}, false, [&] { return eintraege() == 5; }},
        // the editors: Escape closes at once when nothing is typed, else asks first; Enter stores
        {"frmDuengerEingabe", dialog("frmDuengerEingabe", [] { DuengerEingabeOeffnen({}); }), {Qt::Key_Escape}, false},
        {"frmKalkEingabe", kalk(false), {Qt::Key_Escape}, false},
        {"frmKalkEingabe", kalk(true), {Qt::Key_Escape}, true, [&] { return frage.gesehen; }},
        {"frmKalkEingabe", kalk(true), {Qt::Key_Return}, false,
         [this] { return sql::scalar(app().db->cnKav(), "SELECT COUNT(*) FROM KalkID WHERE Bezeichnung = 'Mein Kalk'").toInt() == 1; }},
    };
    for (const Fall& f : faelle)
        for (int t : f.tasten) {
            SCOPED_TRACE(std::string(f.fenster) + " " + QKeySequence(t).toString().toStdString());
            frage = {};
            QWidget* d = f.oeffnen();
            ASSERT_TRUE(fokus() && fokus()->window() == d->window()) << "das Fenster hat den Fokus nicht";
            if (f.bleibt && t == Qt::Key_Escape)
                antworten(QMessageBox::Cancel, &frage);
            ASSERT_NO_FATAL_FAILURE(taste(t));
            EXPECT_EQ(fenster().istGeladen(QLatin1String(f.fenster)), f.bleibt);
            EXPECT_TRUE(!f.danach || f.danach());
            fenster().entladen(QLatin1String(f.fenster));
        }
}

// Each caption that acts on a click, in each window: Tab reaches it, and Space and Enter on it do what
// its click does (a lexicon chapter, the web page) without pressing the window's default button.
TEST_F(TastaturTest, JedeKlickbareBeschriftungPerTabUndTaste)
{
    QString& getan = app().rahmen.strLexikonAnzeige; // the chapter, or the address opened
    const LinkOeffner alt = setLinkOeffner([&getan](const QUrl& u) { return getan = u.toString(), true; });
    const auto pruefen = [&](std::function<QLabel*()> link, const QString& soll, const char* bleibt = "") {
        for (const Qt::Key t : {Qt::Key_Space, Qt::Key_Return}) {
            fenster().entladen("frmLexikon");
            QLabel* l = link();
            SCOPED_TRACE(l->objectName().toStdString() + " " + QKeySequence(t).toString().toStdString());
            ASSERT_NO_FATAL_FAILURE(aktivieren(l->window()));
            ASSERT_NO_FATAL_FAILURE(tabBis(l));
            getan.clear();
            ASSERT_NO_FATAL_FAILURE(taste(t));
            EXPECT_EQ(getan, soll);
            EXPECT_TRUE(!*bleibt || fenster().istGeladen(QLatin1String(bleibt)));
        }
    };
    const auto im = [this](const char* name, std::function<void()> oeffnen, const char* link) {
        return [=, this] { return oeffnen(), zeigen(name)->findChild<QLabel*>(link); };
    };
    const char* const kapitel[] = {"Bodenart", "organischeSubstanz", "GehaltsklassenPhosphat", "GehaltsklassenKalium",
                                   "GehaltsklassenMagnesium", "pHundKalk"};
    klicken("Fl1001");
    for (int i = 0; i < 6; ++i)
        pruefen([&, i] { return seite->lblWert(i + 1); }, kapitel[i]);
    navigationsknopf2();
    baumKlick(npk()->trvNPK(), "Fl1001");
    for (int i = 0; i < 6; ++i)
        pruefen([&, i] { return npk()->lblWert(i); }, kapitel[i]);
    pruefen(im("frmKompost", [&] { QTest::mouseClick(npk()->cmbKompost(), Qt::LeftButton); }, "lblTitel"), "WirtschaftsduengerAllgemein");
    QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
    kulturWaehlen("Ku1026", QDate(2027, 4, 19), "30");
    pruefen([&] { return npk1()->lblNmin(0); }, "Nitratschnelltest");
    QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
    pruefen([&] { return npk2()->lblFrageGD(); }, "Gruenduengung");
    QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
    pruefen([&] { return npk2b()->lblUeberschrift(); }, "WirtschaftsduengerAllgemein");
    QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
    fenster().entladen("frmVerfahren");
    pruefen([] { return duengerSeite()->lblBedarf(); }, "NaehrstoffbedarfAllgemein");
    const auto duenger = [] { DuengerEingabeOeffnen({}); };
    pruefen(im("frmDuengerEingabe", duenger, "lblVerhaeltnis"), "EinteilungDuengerNaehrstoffe", "frmDuengerEingabe");
    pruefen(im("frmDuengerEingabe", duenger, "lblNorg"), "Horn", "frmDuengerEingabe");
    pruefen(im("frmKalkEingabe", [] { KalkEingabeOeffnen({}); }, "lblVerhaeltnis"), "pHundKalk", "frmKalkEingabe");
    pruefen(im("frmDuengerInfo", DuengerUngeeignetMelden, "lblMehr"), "AuswahlDuenger");
    pruefen(im("frmUeberKav", [] {}, "lblInternet"), "http://www.humavera.example", "frmUeberKav");
    setLinkOeffner(alt);
}

// Values typed with Tab between them land in their boxes, in every window with value boxes and
// captions that are links: Tab goes from control to control in the order of the window (a box that
// holds a value is entered with its text selected), the links come after them.
TEST_F(TastaturTest, MitTabGetippteWerteLandenInIhrenFeldern)
{
    QWidget* h = haupt.get();
    const auto dialog = [this](const char* name, std::function<void()> oeffnen) {
        return [this, name, oeffnen] { return oeffnen(), zeigen(name); };
    };
    const auto bodengruppe = [&] {
        QTest::mouseClick(seite->imgBodenart(1), Qt::LeftButton);
        return h;
    };
    const auto mischkultur = [&] { // the bed, its Nmin value and unit
        FormulareEntladen();
        aktivieren(h), bisZumKulturschritt(), baumKlick(npk1()->trvNPK(), kNeueMischkultur);
        return h;
    };
    const std::vector<std::pair<const char*, QString>> beet = {
        {"trvNPK", ""}, {"txtLaenge", "4"}, {"txtBreite", "2"}, {"txtNmin", "50"}, {"comNmin", ""}, {"cmbAbbruch", ""}};
    struct Fall {
        const char* name;
        std::function<QWidget*()> oeffnen; // the window, its first control with the focus
        std::vector<std::pair<const char*, QString>> schritte; // the controls in Tab order, what is typed there
        std::function<void()> danach = {};
    };
    const Fall faelle[] = {
        {"Neue Fläche", dialog("frmFlaeche", [&] { klicken("Fl0"), app().rahmen.blnNeuerDatensatz = true; }),
         {{"txtBezeichnung", "Kohl"}, {"comNutzung", ""}, {"txtLaenge", "4"}, {"txtBreite", "2,5"}, {"txtFlaeche", ""},
          {"imgKompost", ""}, {"imgAktuellerDatensatz", ""}, {"cmbSpeichern", ""}},
         [&] {
             QTest::mouseClick(zeigen("frmFlaeche")->findChild<QToolButton*>("cmbSpeichern"), Qt::LeftButton);
             aktivieren(h);
         }},
        {"Analysenseite ohne Einstufung", bodengruppe,
         {{"imgBodenart", ""}, {"cobBodenart", ""}, {"txtWert2", "3"}, {"txtWert3", "15"}, {"txtWert4", "12"},
          {"txtWert5", ""}, {"txtWert6", "6,2"}, {"cmbSenden", ""}},
         [&] { QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton); }},
        {"Analysenseite mit Einstufung", bodengruppe,
         {{"imgBodenart", ""}, {"cobBodenart", ""}, {"txtWert2", "4"}, {"txtWert3", "20"}, {"txtWert4", "14"},
          {"txtWert5", "1"}, {"txtWert6", "6,5"}, {"cmbSenden", ""}},
         [&] { QTest::mouseClick(seite->cmbSpeichern(), Qt::LeftButton); }},
        {"Flächenschritt", [&] { navigationsknopf2(), aktivieren(h), baumKlick(npk()->trvNPK(), "Fl1001"); return h; },
         {{"trvNPK", ""}, {"cmbKompost", ""}, {"cmbWeiter", ""}}},
        {"Kulturschritt", [&] {
             QTest::mouseClick(npk()->cmbWeiter(), Qt::LeftButton);
             kulturWaehlen("Ku1026", QDate(2027, 4, 19), "");
             tippen(npk1()->txtNmin(), ""); // the value kept from the size before cleared
             return h;
         }, {{"txtNmin", "30"}, {"comNmin", ""}, {"cmbSenden", ""}}},
        {"Düngerauswahl", [&] {
             QTest::mouseClick(npk1()->cmbNext(), Qt::LeftButton);
             QTest::mouseClick(npk2()->cmbNext(), Qt::LeftButton);
             QTest::mouseClick(npk2b()->cmbNext(), Qt::LeftButton);
             fenster().entladen("frmVerfahren");
             aktivieren(h);
             QTest::mouseClick(duengerSeite()->txtMenge(), Qt::LeftButton);
             return h;
         }, {{"txtMenge", ""}, {"cmbAbbruch", ""}}},
        {"Düngereditor", dialog("frmDuengerEingabe", [] { DuengerEingabeOeffnen({}); }),
         {{"txtName", "Jauche"}, {"txtN", "5"}, {"txtP", "3"}, {"txtK", "8"}, {"txtMg", "1"}, {"imgNorg", ""}},
         [this] { fenster().entladen("frmDuengerEingabe"); }},
        {"Kalkeditor", dialog("frmKalkEingabe", [] { KalkEingabeOeffnen({}); }),
         {{"txtName", "Mein Kalk"}, {"txtCaCO3", "80"}, {"txtMgCO3", "10"}, {"cmdOK", ""}},
         [this] { fenster().entladen("frmKalkEingabe"); }},
        {"Mischkultur", mischkultur, beet},
    };
    const auto gehen = [](const Fall& f, QWidget* fw) {
        const auto bei = [fw](const char* name) { // the focus is in the control or option array `name`
            const QRegularExpression muster(QStringLiteral("^%1\\d*$").arg(QLatin1String(name)));
            for (const QWidget* w = fokus(); w && w != fw; w = w->parentWidget())
                if (muster.match(w->objectName()).hasMatch())
                    return true;
            return false;
        };
        for (size_t i = 0; i < f.schritte.size(); ++i) {
            const auto& [name, text] = f.schritte[i];
            if (i > 0) {
                ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
            }
            ASSERT_TRUE(bei(name)) << "Tab führt nach " << (fokus() ? fokus()->objectName().toStdString() : "-")
                                   << " statt nach " << name;
            if (!text.isEmpty()) {
                ASSERT_NO_FATAL_FAILURE(tippenPerTaste(text));
            }
        }
        for (const auto& [name, text] : f.schritte)
            EXPECT_TRUE(text.isEmpty() || fw->findChild<QLineEdit*>(QLatin1String(name))->text() == text) << name;
    };
    for (const QSize& g : kGroessen) {
        groesse(g.width(), g.height());
        FormulareEntladen();
        QTest::mouseClick(seiteVon<frmToolbar>("frmToolbar")->cmbMenu(1), Qt::LeftButton); // the analysis page
        seite = analysenSeite(), trv = seite->trvFlaechen();
        for (const Fall& f : faelle) {
            SCOPED_TRACE(
                QStringLiteral("%1 bei %2 × %3").arg(QString::fromUtf8(f.name)).arg(g.width()).arg(g.height()).toStdString());
            antworten(QMessageBox::No); // values a case before left unstored are not kept
            EXPECT_NO_FATAL_FAILURE(gehen(f, f.oeffnen()));
            if (f.danach)
                f.danach();
        }
    }
    EXPECT_EQ(wert("SELECT GesamtN || ' ' || P2O5 || ' ' || K2O || ' ' || Mg || ' ' || pH FROM AnalysenID "
                   "WHERE AnalysenNr = 'An1002'").toString(), "4.0 20.0 14.0 1.0 6.5");
}

} // namespace
