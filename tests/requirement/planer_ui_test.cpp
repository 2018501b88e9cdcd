// The mixed-culture planner driven through its controls: dragging crops from the tree, moving,
// removing and recolouring bars, saving, deleting and printing the plan, the wizard's roads and the
// layout at two screen sizes.
#include "frame/mdizentral.h"
#include "requirement/frmmkeditor.h"
#include "seitenfixture.h"

#include <QColorDialog>
#include <QDir>
#include <QScreen>
#include <QTreeWidget>

using namespace kav;
using forms::Tw;

namespace {

class PlanerTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        SeitenTest::SetUp();
        seiteStarten([this] { flaeche("Fl1001", "Hochbeet", 0, true, 5, 1.2); });
        w().strAktFlaechenNr = "Fl1001";
        w().sngBeetLaenge = 5;
        w().sngBeetBreite = 1.2f;
        oeffnen("");
    }
    void TearDown() override
    {
        frmMKEditor::setDokumentOeffner([](const QString&) { return true; });
        SeitenTest::TearDown();
    }
    void oeffnen(const QString& id)
    {
        p = MischkulturPlanerOeffnen("Neue Planung am 06.12.2026", id);
        ASSERT_NE(p, nullptr);
        ArbeitsbereichAnordnen();
    }

    // A point of the bed at fractions of its width and height (pixels of the bed).
    QPoint punkt(double fx, double fy) const
    {
        return QPoint(int(fx * p->pcbFeld()->width()), int(fy * p->pcbFeld()->height()));
    }
    // Drags the crop `key` from the tree onto the bed at `ziel`.
    void ziehen(const QString& key, const QPoint& ziel)
    {
        QTreeWidget* t = p->trvKulturen();
        QTreeWidgetItem* k = p->knoten(key);
        ASSERT_NE(k, nullptr) << key.toStdString();
        if (k->parent())
            k->parent()->setExpanded(true);
        t->scrollToItem(k);
        const QPoint start = t->visualItemRect(k).center();
        QWidget* vp = t->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, start);
        QTest::mouseMove(vp, start + QPoint(6, 2));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, vp->mapFromGlobal(p->pcbFeld()->mapToGlobal(ziel)));
    }
    QLabel* balken(int i) const { return p->txtKulturen()(i); }
    const MischkulturBalken& satz(int i) { return w().arrMischkulturBalken.at(size_t(i)); }
    int anzahlBalken() const { return p->txtKulturen().Count() - 1; }
    void rechtsKlickLoeschen(int i)
    {
        QTest::mouseClick(balken(i), Qt::RightButton, {}, QPoint(2, 2));
        menuePunktKlicken(4, "mnuKulturLoeschen");
    }
    // Answers the colour dialog with `farbe`.
    static void farbeWaehlen(const QColor& farbe, QRect* ort = nullptr)
    {
        QTimer::singleShot(0, [farbe, ort] {
            auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            if (ort)
                *ort = d->frameGeometry();
            d->setCurrentColor(farbe);
            d->accept();
        });
    }

    frmMKEditor* p = nullptr;
};

TEST_F(PlanerTest, KulturenAusDemBaumWerdenBalken)
{
    const double PW = Tw(p->pcbFeld()).Width();
    ziehen("Ku1025", punkt(0.4, 0.5)); // Kohlrabi, 63 days
    ASSERT_EQ(anzahlBalken(), 1);
    EXPECT_EQ(balken(1)->text(), "Kohlrabi");
    EXPECT_NEAR(Tw(balken(1)).Width(), PW * 63 / 365, 1e-6);
    EXPECT_EQ(satz(1).Dauer, 63);
    EXPECT_EQ(satz(1).KulturID, "Ku1025");
    EXPECT_TRUE(p->cmdNext()->isEnabled() && p->cmdSpeichern()->isEnabled() && p->blnGeaendert());

    ziehen("Ku1025", punkt(0.99, 0.2)); // near the right edge: ends flush
    EXPECT_NEAR(Tw(balken(2)).Left() + Tw(balken(2)).Width(), PW, 1e-6);
    EXPECT_EQ(satz(2).start, 44); // Left 1 - 63/365
    ziehen("Ku1105", punkt(0.6, 0.7)); // Spargel: the whole year from 0
    EXPECT_EQ(Tw(balken(3)).Left(), 0);
    EXPECT_EQ(satz(3).Dauer, 365);
    EXPECT_EQ(satz(3).start, 1);
    ziehen("Ku1007", punkt(0.5, 0.5)); // a group never drags
    EXPECT_EQ(anzahlBalken(), 3);

    // a crop without days is refused; one without a colour of its own is grey with black text
    sql::exec(app().db->cnKav(), "UPDATE KulturID SET Tage = NULL WHERE KulturNr = 'Ku1025'");
    sql::exec(app().db->cnKav(), "DELETE FROM MKFarben WHERE KulturID = 'Ku1010'");
    oeffnen("");
    ziehen("Ku1025", punkt(0.4, 0.5));
    EXPECT_EQ(anzahlBalken(), 0);
    EXPECT_EQ(protokoll.texte().last(), "Für „Kohlrabi“ ist keine Kulturdauer gespeichert. Die Kultur kann deshalb "
                                        "nicht eingeplant werden.");
    ziehen("Ku1010", punkt(0.4, 0.5));
    EXPECT_EQ(forms::BackColor(balken(1)), QColor(192, 192, 192));
    EXPECT_EQ(balken(1)->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(PlanerTest, KnoepfeLeuchtenUnterDerMaus)
{
    const QColor c = benutzerFarbe(app().einstellungen), hell = benutzerFarbeHell(app().einstellungen);
    forms::setBackColor(p->cmdBack(), hell);
    QTest::mouseMove(p->cmdNext(), QPoint(5, 5));
    QEnterEvent hinein(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(p->cmdNext(), &hinein);
    EXPECT_EQ(forms::BackColor(p->cmdNext()), hell);
    EXPECT_EQ(forms::BackColor(p->cmdBack()), c);
    p->Form_MouseMove();
    EXPECT_EQ(forms::BackColor(p->cmdNext()), c);
}

TEST_F(PlanerTest, VerschiebenLoeschenUndEinfaerben)
{
    ziehen("Ku1025", punkt(0.2, 0.5));
    ziehen("Ku1010", punkt(0.5, 0.3));
    ziehen("Ku1025", punkt(0.6, 0.8));
    const long paesse = ui().anordnungen;

    // moved by the mouse into the top band: one bar height down, without a layout pass
    QTest::mousePress(balken(1), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(balken(1), QPoint(3, 3) + QPoint(40, -1000));
    QTest::mouseRelease(balken(1), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(ui().anordnungen, paesse);
    EXPECT_NEAR(Tw(balken(1)).Top(), Tw(balken(1)).Height(), 1e-6);
    EXPECT_NEAR(satz(1).Top, Tw(balken(1)).Height() / Tw(p->pcbFeld()).Height(), 1e-6);

    // double-click: every bar of that crop takes the colour; 425 gives white text, 426 black
    for (const auto& [farbe, schrift] : {std::pair{QColor(200, 200, 25), QColor(Qt::white)},
                                         std::pair{QColor(200, 200, 26), QColor(Qt::black)}}) {
        QRect ort;
        farbeWaehlen(farbe, &ort);
        QTest::mouseDClick(balken(3), Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(ort));
        for (int i : {1, 3}) {
            EXPECT_EQ(forms::BackColor(balken(i)), farbe) << i;
            EXPECT_EQ(balken(i)->palette().color(QPalette::WindowText), schrift) << i;
            EXPECT_EQ(satz(i).Farbe, farbe.red() + 256 * farbe.green() + 65536 * farbe.blue());
        }
        EXPECT_NE(forms::BackColor(balken(2)), farbe);
    }
    ziehen("Ku1025", punkt(0.1, 0.1)); // the next Kohlrabi gets the chosen colour
    EXPECT_EQ(forms::BackColor(balken(4)), QColor(200, 200, 26));

    // right click → "Kultur löschen"; the last visible bar gone disables Next and Save
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(p->cmdNext()->isEnabled());
        rechtsKlickLoeschen(i);
        EXPECT_TRUE(balken(i)->isHidden());
        EXPECT_EQ(satz(i).Dauer, 0);
    }
    EXPECT_FALSE(p->cmdNext()->isEnabled());
    EXPECT_FALSE(p->cmdSpeichern()->isEnabled());
}

TEST_F(PlanerTest, SpeichernLadenWeiterUndLoeschen)
{
    for (const char* k : {"Ku1025", "Ku1010", "Ku1026", "Ku1105"})
        ziehen(k, punkt(0.3, 0.5));
    rechtsKlickLoeschen(2);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    const QString id = forms::Tag(p->lblName());
    ASSERT_EQ(id.size(), 20);
    EXPECT_EQ(w().strAktKulturNr, id);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ?", {id}), 3);

    // "Nein": a second plan of the same plot; the page works on it
    test::Frage f;
    antworten(QMessageBox::No, &f);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    EXPECT_EQ(f.text, "Sollen die Neue Planung am 06.12.2026 geändert werden?\n\rBei 'Ja' wird die geänderte Planung "
                      "gespeichert.\n\rBei 'Nein' wird die Mischkultur als neue Planung gespeichert.");
    const QString kopie = forms::Tag(p->lblName());
    EXPECT_NE(kopie, id);
    EXPECT_EQ(anzahl("MischkulturID", "FlaechenNr = 'Fl1001'"), 2);

    // loaded again: the bars in descending order of their start; Next with a change updates it
    oeffnen(kopie);
    ASSERT_EQ(anzahlBalken(), 3);
    EXPECT_EQ(balken(3)->text(), "Spargel"); // week 1, after the others
    EXPECT_FALSE(p->blnGeaendert());
    rechtsKlickLoeschen(1);
    QTest::mouseClick(p->cmdNext(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmNPK2"));
    EXPECT_EQ(w().strAktKulturNr, kopie);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ?", {kopie}), 2);
    EXPECT_EQ(anzahl("MischkulturID"), 2);

    // the waste bin asks, "Nein" keeps everything; "Ja" deletes and goes to the crop step
    oeffnen(kopie);
    w().sngPBedarf = 7;
    antworten(QMessageBox::No, &f);
    QTest::mouseClick(p->cmdLoeschen(), Qt::LeftButton);
    EXPECT_EQ(f.standard, QMessageBox::No);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ?", {kopie}), 2);
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdLoeschen(), Qt::LeftButton);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ?", {kopie}) + anzahl("MischkulturID", "MKID = ?", {kopie}), 0);
    EXPECT_TRUE(fenster().istGeladen("frmNPK1"));
    EXPECT_EQ(app().rahmen.strFensterZeigen, "NPK1");
    EXPECT_EQ(w().sngPBedarf, 0); // level 1
    EXPECT_EQ(w().strAktFlaechenNr, "Fl1001");
}

TEST_F(PlanerTest, FehlerLassenPlanUndSeiteWieSieSind)
{
    ziehen("Ku1025", punkt(0.3, 0.5));
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    const QString id = forms::Tag(p->lblName());
    ziehen("Ku1010", punkt(0.5, 0.5));
    sql::exec(db(), "CREATE TRIGGER kaputt BEFORE INSERT ON MKEditor WHEN NEW.KulturID = 'Ku1010' "
                    "BEGIN SELECT RAISE(ABORT, 'voll'); END");
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ? AND KulturID = 'Ku1025'", {id}), 1);
    ASSERT_FALSE(protokoll.texte().isEmpty());
    EXPECT_TRUE(protokoll.texte().last().startsWith("Die Planung konnte nicht gespeichert werden."));
    EXPECT_EQ(anzahlBalken(), 2);
    EXPECT_TRUE(p->blnGeaendert());

    // a plan that cannot be read adds no bar; unsaved changes are not dropped without a question
    sql::exec(db(), "ALTER TABLE MKEditor RENAME TO MKEditorAlt");
    oeffnen(id);
    EXPECT_EQ(anzahlBalken(), 0);
    EXPECT_TRUE(protokoll.texte().last().startsWith("Die Mischkulturplanung konnte nicht geladen werden."));
    ziehen("Ku1025", punkt(0.3, 0.5));
    antworten(QMessageBox::No);
    QTest::mouseClick(p->cmdBack(), Qt::LeftButton);
    EXPECT_EQ(mkEditor(), p);
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdAbbruch(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmNPK"));
    EXPECT_EQ(w().strAktFlaechenNr, ""); // level 0
}

TEST_F(PlanerTest, DruckknopfSpeichertUndOeffnetDasDokument)
{
    QStringList geoeffnet;
    frmMKEditor::setDokumentOeffner([&](const QString& pfad) { geoeffnet << pfad; return true; });
    ziehen("Ku1025", punkt(0.3, 0.5));
    QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
    ASSERT_EQ(geoeffnet.size(), 1);
    EXPECT_EQ(geoeffnet[0], dir.path() + "/Daten/tmpDokument_06122026090000.pdf");
    EXPECT_TRUE(QFile::exists(geoeffnet[0]));
    EXPECT_EQ(anzahl("MischkulturID"), 1);
}

TEST_F(PlanerTest, AnordnungBehaeltDieSaetze)
{
    sql::exec(db(), "INSERT INTO MischkulturID VALUES ('ID061220260900001234', '2026-12-06 09:00:00', 'Fl1001')");
    const char* kulturen[6] = {"Kohlrabi", "Kopfsalat", "Blumenkohl", "Spargel", "Möhren", "Porree"};
    for (int i = 0; i < 6; ++i)
        sql::exec(db(), "INSERT INTO MKEditor VALUES (?, 'ID061220260900001234', 'Ku1025', ?, ?, ?, ?, 73, ?)",
                  {QString("ID0612202609000%1").arg(i, 5, 10, QChar('0')), kulturen[i], i == 0 ? 0.5 : 0.13 * i,
                   i == 0 ? 0.25 : 0.14 * i + 0.05, 0x3070C0 + 0x1500 * i, 30 - i});
    oeffnen("ID061220260900001234");
    ASSERT_EQ(anzahlBalken(), 6);
    ASSERT_EQ(balken(1)->text(), "Kohlrabi");
    const std::vector<MischkulturBalken> vorher = w().arrMischkulturBalken;
    for (const QSize g : {QSize(1024, 768), QSize(1920, 1080), QSize(1024, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(g.width());
        groesse(g.width(), g.height());
        for (int n = 0; n < 10; ++n)
            ArbeitsbereichAnordnen();
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        const Tw feld(p->pcbFeld()), k(balken(1));
        EXPECT_NEAR(k.Left(), feld.Width() / 2, 1e-6);
        EXPECT_NEAR(k.Top(), feld.Height() / 4, 1e-6);
        EXPECT_NEAR(k.Width(), feld.Width() / 5, 1e-6);
        for (size_t i = 1; i < vorher.size(); ++i) {
            const MischkulturBalken& a = vorher[i];
            const MischkulturBalken& b = w().arrMischkulturBalken.at(i);
            EXPECT_TRUE(a.Left == b.Left && a.Top == b.Top && a.Dauer == b.Dauer && a.start == b.start
                        && a.Farbe == b.Farbe && a.Kultur == b.Kultur)
                << i;
        }
        // nothing cut or overlapping: heading, tree, bed, captions and buttons
        std::vector<QWidget*> v{p->lblName(), p->cmdLoeschen(), p->trvKulturen(), p->pcbFeld(), p->cmdAbbruch(),
                                p->cmdSpeichern(), p->cmdDrucken(), p->cmdBack(), p->cmdNext()};
        for (int i = 0; i < 12; ++i)
            v.push_back(p->lblMonat(i));
        for (int i = 0; i < 24; ++i)
            v.push_back(p->lblTeil(i));
        for (size_t i = 0; i < v.size(); ++i) {
            EXPECT_TRUE(p->rect().contains(v[i]->geometry())) << v[i]->objectName().toStdString();
            if (auto* l = qobject_cast<QLabel*>(v[i]); l && l != p->lblName()) {
                EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << l->objectName().toStdString();
            }
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_FALSE(v[i]->geometry().intersects(v[j]->geometry()))
                    << v[i]->objectName().toStdString() << " / " << v[j]->objectName().toStdString();
        }
        for (int i = 1; i <= 6; ++i)
            EXPECT_GE(balken(i)->height(), balken(i)->fontMetrics().height()) << i;
        if (const QString ordner = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS"); !ordner.isEmpty())
            haupt->grab().save(QDir(ordner).filePath(QString("planer_%1x%2.png").arg(g.width()).arg(g.height())));
    }
}

} // namespace
