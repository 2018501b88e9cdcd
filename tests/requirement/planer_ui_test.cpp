// The mixed-culture planner driven through its controls: dragging crops from the tree, moving,
// removing and recolouring bars, saving, deleting and printing the plan, the wizard's roads and the
// layout at two screen sizes.
#include "frame/dokumentkopie.h"
#include "frame/links.h"
#include "platform/baumansicht.h"
#include "requirement/frmmkeditor.h"
#include "seitenfixture.h"
#include "services/programmstart.h"

#include <QColorDialog>
#include <QCursor>
#include <QDir>
#include <QScreen>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace kav;
using forms::Tw;

namespace {

class PlanerTest : public test::SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] { flaeche("Fl1001", "Hochbeet", 0, true, 5, 1.2); }));
        w().strAktFlaechenNr = "Fl1001";
        oeffnen("");
    }
    void oeffnen(const QString& id)
    {
        p = MischkulturPlanerOeffnen("Neue Planung am 06.12.2026", id);
        ASSERT_NE(p, nullptr);
        ArbeitsbereichAnordnen();
    }
    // Drags the crop `key` from the tree onto the bed at fractions of its width and height.
    void ziehen(const QString& key, double fx, double fy)
    {
        QTreeWidgetItem* k = p->knoten(key);
        ASSERT_NE(k, nullptr) << key.toStdString();
        if (k->parent())
            k->parent()->setExpanded(true);
        p->trvKulturen()->scrollToItem(k);
        const QPoint start = p->trvKulturen()->visualItemRect(k).center();
        const QPoint ziel(int(fx * p->pcbFeld()->width()), int(fy * p->pcbFeld()->height()));
        QWidget* vp = p->trvKulturen()->viewport();
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
    long long zeilen(const QString& id) { return anzahl("MKEditor", "MKID = ?", {id}); }

    frmMKEditor* p = nullptr;
};

TEST_F(PlanerTest, KulturenAusDemBaumWerdenBalken)
{
    const double PW = Tw(p->pcbFeld()).Width();
    ziehen("Ku1025", 0.4, 0.5); // Kohlrabi, 63 days
    ASSERT_EQ(anzahlBalken(), 1);
    EXPECT_EQ(balken(1)->text() + satz(1).KulturID, "KohlrabiKu1025");
    EXPECT_NEAR(Tw(balken(1)).Width(), PW * 63 / 365, 1e-6);
    EXPECT_EQ(satz(1).Dauer, 63);
    EXPECT_TRUE(p->cmdNext()->isEnabled() && p->cmdSpeichern()->isEnabled() && p->blnGeaendert());
    ziehen("Ku1025", 0.99, 0.2); // near the right edge: ends flush
    EXPECT_NEAR(Tw(balken(2)).Left() + Tw(balken(2)).Width(), PW, 1e-6);
    ziehen("Ku1105", 0.6, 0.7); // Spargel: the whole year from 0
    EXPECT_TRUE(Tw(balken(3)).Left() == 0 && satz(3).Dauer == 365 && satz(3).start == 1);
    ziehen("Ku1007", 0.5, 0.5); // a group never drags
    EXPECT_EQ(anzahlBalken(), 3);
    ziehen("Ku1025", 0, 0.5); // at the left edge: week 1
    EXPECT_TRUE(satz(4).Left == 0 && satz(4).start == 1);
    rechtsKlickLoeschen(4);
    ziehen("Ku1010", 0.5, 0); // a drop may lie in the top band; a click on the bar puts it one bar height down
    EXPECT_EQ(Tw(balken(5)).Top(), 0);
    QTest::mouseClick(balken(5), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_NEAR(Tw(balken(5)).Top(), Tw(balken(5)).Height(), 1e-6);

    // a crop of three days: its week changes at 51/52 of the width
    sql::exec(app().db->cnKav(), "UPDATE KulturID SET Tage = 3 WHERE KulturNr = 'Ku1026'");
    ziehen("Ku1026", 50.8 / 52, 0.5);
    ziehen("Ku1026", 51.2 / 52, 0.6);
    EXPECT_TRUE(satz(6).start == 51 && satz(7).start == 52) << satz(6).Left << " " << satz(7).Left;

    // a crop without days, or with none above 0, is refused; one without a colour of its own is grey
    // with black text
    sql::exec(app().db->cnKav(), "DELETE FROM MKFarben WHERE KulturID = 'Ku1010'");
    for (const QVariant& tage : {QVariant(), QVariant(0)}) {
        sql::exec(app().db->cnKav(), "UPDATE KulturID SET Tage = ? WHERE KulturNr = 'Ku1025'", {tage});
        oeffnen("");
        ziehen("Ku1025", 0.4, 0.5);
        EXPECT_EQ(anzahlBalken(), 0);
        EXPECT_EQ(protokoll.texte().last(), "Für „Kohlrabi“ ist keine Kulturdauer gespeichert. Die Kultur kann "
                                            "deshalb nicht eingeplant werden.");
    }
    ziehen("Ku1010", 0.4, 0.5);
    EXPECT_EQ(forms::BackColor(balken(1)), QColor(192, 192, 192));
    EXPECT_EQ(balken(1)->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(PlanerTest, VerschiebenEinfaerbenUndLoeschen)
{
    ziehen("Ku1025", 0.2, 0.5);
    ziehen("Ku1010", 0.5, 0.3);
    ziehen("Ku1025", 0.6, 0.8);
    const long paesse = ui().anordnungen;
    // moved by the mouse into the top band: one bar height down, without a layout pass
    QTest::mousePress(balken(1), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(balken(1), QPoint(43, -1000));
    QTest::mouseRelease(balken(1), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(ui().anordnungen, paesse);
    EXPECT_NEAR(satz(1).Top * Tw(p->pcbFeld()).Height(), Tw(balken(1)).Height(), 1e-3);

    // double-click: every bar of that crop takes the colour; 425 gives white text, 426 black
    // the dialog opens at the pointer; near the screen's corner it is moved inside
    const QRect schirm = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& [farbe, schrift, zeiger] :
         {std::tuple{QColor(200, 200, 25), QColor(Qt::white), schirm.topLeft() + QPoint(7, 5)},
          std::tuple{QColor(200, 200, 26), QColor(Qt::black), schirm.bottomRight() - QPoint(3, 3)}}) {
        QCursor::setPos(zeiger);
        QRect ort;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ort = d ? d->frameGeometry() : QRect();
            if (d)
                d->setCurrentColor(farbe), d->accept();
        });
        QTest::mouseDClick(balken(3), Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_TRUE(schirm.contains(ort) && (ort.topLeft() == zeiger || ort.bottomRight() == schirm.bottomRight()))
            << ort.x() << "," << ort.y() << " " << ort.width() << "x" << ort.height();
        for (int i : {1, 3})
            EXPECT_TRUE(forms::BackColor(balken(i)) == farbe && balken(i)->palette().color(QPalette::WindowText) == schrift
                        && satz(i).Farbe == farbe.red() + 256 * farbe.green() + 65536 * farbe.blue());
        EXPECT_NE(forms::BackColor(balken(2)), farbe);
    }
    ziehen("Ku1025", 0.1, 0.1); // the next Kohlrabi gets the chosen colour
    EXPECT_EQ(forms::BackColor(balken(4)), QColor(200, 200, 26));

    // right click → "Kultur löschen"; the last visible bar gone disables Next and Save
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(p->cmdNext()->isEnabled());
        rechtsKlickLoeschen(i);
        EXPECT_TRUE(balken(i)->isHidden() && satz(i).Dauer == 0);
    }
    EXPECT_FALSE(p->cmdNext()->isEnabled() || p->cmdSpeichern()->isEnabled() || p->cmdDrucken()->isEnabled());
}

TEST_F(PlanerTest, SpeichernLadenWeiterUndLoeschen)
{
    for (const char* k : {"Ku1025", "Ku1010", "Ku1026", "Ku1105"})
        ziehen(k, 0.3, 0.5);
    rechtsKlickLoeschen(2);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    const QString id = forms::Tag(p->lblName());
    ASSERT_EQ(id.size(), 20);
    EXPECT_EQ(w().strAktKulturNr, id);
    EXPECT_EQ(zeilen(id), 3);

    // "Nein": a second plan of the same plot; the page works on it
    test::Frage f;
    antworten(QMessageBox::No, &f);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    EXPECT_EQ(f.text, "Sollen die Neue Planung am 06.12.2026 geändert werden?\nBei 'Ja' wird die geänderte Planung "
                      "gespeichert.\nBei 'Nein' wird die Mischkultur als neue Planung gespeichert.");
    const QString kopie = forms::Tag(p->lblName());
    EXPECT_NE(kopie, id);
    EXPECT_EQ(anzahl("MischkulturID", "FlaechenNr = 'Fl1001'"), 2);

    // loaded again (Spargel, week 1, last); Next with a change updates that plan
    oeffnen(kopie);
    ASSERT_EQ(anzahlBalken(), 3);
    EXPECT_FALSE(p->blnGeaendert());
    EXPECT_EQ(balken(3)->text(), "Spargel");
    QTest::mouseClick(balken(3), Qt::LeftButton, {}, QPoint(2, 2)); // a click counts as a move
    EXPECT_TRUE(p->blnGeaendert());
    rechtsKlickLoeschen(1);
    const qsizetype meldungen = protokoll.texte().size();
    QTest::mouseClick(p->cmdNext(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmNPK2"));
    EXPECT_EQ(protokoll.texte().size(), meldungen); // the green-manure step calculates, not this one
    EXPECT_EQ(w().strAktKulturNr, kopie);
    EXPECT_EQ(zeilen(kopie), 2);
    EXPECT_EQ(anzahl("MischkulturID"), 2);

    // the waste bin asks, "Nein" the default; "Ja" deletes and goes to the crop step (level 1)
    oeffnen(kopie);
    w().sngPBedarf = 7;
    antworten(QMessageBox::No, &f);
    QTest::mouseClick(p->cmdLoeschen(), Qt::LeftButton);
    EXPECT_TRUE(f.standard == QMessageBox::No && zeilen(kopie) == 2);
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdLoeschen(), Qt::LeftButton);
    EXPECT_EQ(zeilen(kopie) + anzahl("MischkulturID", "MKID = ?", {kopie}), 0);
    EXPECT_TRUE(fenster().istGeladen("frmNPK1") && app().rahmen.strFensterZeigen == "NPK1");
    EXPECT_TRUE(w().sngPBedarf == 0 && w().strAktFlaechenNr == "Fl1001");
}

TEST_F(PlanerTest, FehlerLassenPlanUndSeiteWieSieSind)
{
    ziehen("Ku1025", 0.3, 0.5);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    const QString id = forms::Tag(p->lblName());
    ziehen("Ku1010", 0.5, 0.5);
    sql::exec(db(), "CREATE TRIGGER kaputt BEFORE INSERT ON MKEditor WHEN NEW.KulturID = 'Ku1010' "
                    "BEGIN SELECT RAISE(ABORT, 'voll'); END");
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdSpeichern(), Qt::LeftButton);
    EXPECT_EQ(anzahl("MKEditor", "MKID = ? AND KulturID = 'Ku1025'", {id}), 1);
    EXPECT_TRUE(protokoll.texte().last().startsWith("Die Planung konnte nicht gespeichert werden."));
    EXPECT_TRUE(anzahlBalken() == 2 && p->blnGeaendert());

    // a plan that cannot be read adds no bar; unsaved changes are not dropped without a question
    sql::exec(db(), "ALTER TABLE MKEditor RENAME TO MKEditorAlt");
    oeffnen(id);
    EXPECT_EQ(anzahlBalken(), 0);
    EXPECT_TRUE(protokoll.texte().last().startsWith("Die Mischkulturplanung konnte nicht geladen werden."));
    ziehen("Ku1025", 0.3, 0.5);
    antworten(QMessageBox::No);
    QTest::mouseClick(p->cmdBack(), Qt::LeftButton);
    EXPECT_EQ(mkEditor(), p);
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdAbbruch(), Qt::LeftButton);
    EXPECT_TRUE(fenster().istGeladen("frmNPK") && w().strAktFlaechenNr.isEmpty()); // level 0
}

TEST_F(PlanerTest, DruckknopfSpeichertUndOeffnetDasDokument)
{
    QStringList geoeffnet;
    bool oeffnerGeht = true;
    QString kopie = dir.path() + "/Kopie.pdf";
    const auto alt = setDokumentOeffner([&](const QString& pfad) { return geoeffnet << pfad, oeffnerGeht; });
    const auto alteWege = setDokumentWege({[&](QWidget*, const QString&) { return kopie; }});
    ziehen("Ku1025", 0.3, 0.5);
    QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
    EXPECT_EQ(geoeffnet, QStringList{dir.path() + "/Daten/tmpDokument_06122026090000.pdf"});
    EXPECT_EQ(app().rahmen.strPDFDatei, geoeffnet.value(0)); // the document written last
    EXPECT_EQ(anzahl("MischkulturID"), 1);
    QFile dokument(geoeffnet.value(0));
    ASSERT_TRUE(dokument.open(QIODevice::ReadOnly));
    const QByteArray inhalt = dokument.readAll();
    EXPECT_TRUE(inhalt.contains(("Kav - Humavera Version " + programmVersion() + "; Mischkultur gedruckt am 06.12.2026")
                                    .toLatin1()));

    // no viewer: the document is said to go at the end, and a copy is offered ("Ja" the default)
    oeffnerGeht = false;
    for (const auto antwort : {QMessageBox::Yes, QMessageBox::No}) {
        std::static_pointer_cast<FixedClock>(app().uhr)->advanceSeconds(60);
        test::Frage f;
        antworten(antwort, &f);
        QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
        ASSERT_TRUE(f.gesehen);
        EXPECT_TRUE(f.titel == "Kav - Planung von Mischkulturen" && f.standard == QMessageBox::Yes);
        EXPECT_TRUE(f.text.startsWith("Die Mischkulturplanung wurde als „" + QDir::toNativeSeparators(geoeffnet.last())
                                      + "“ gespeichert")
                    && f.text.contains("beim Beenden von Kav gelöscht") && f.text.contains("Kopie"))
            << f.text.toStdString();
        EXPECT_EQ(QFile::exists(kopie), antwort == QMessageBox::Yes);
        if (QFile::exists(kopie)) {
            QFile k(kopie);
            QFile d(geoeffnet.last());
            EXPECT_TRUE(k.open(QIODevice::ReadOnly) && d.open(QIODevice::ReadOnly) && k.readAll() == d.readAll());
            QFile::remove(kopie);
        }
    }
    // the document itself chosen as the place of the copy (the same second: the same file name): it
    // stays, and the user is told
    kopie = geoeffnet.last();
    antworten(QMessageBox::Yes);
    QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(geoeffnet.last()));
    EXPECT_TRUE(protokoll.texte().last().contains("ist das Dokument selbst")) << protokoll.texte().last().toStdString();
    // a data folder that cannot be written: the user is told which file, nothing is opened
    const qsizetype offen = geoeffnet.size();
    const QString basis = app().ordner.basis;
    app().ordner.basis = dir.path() + "/fehlt";
    QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
    app().ordner.basis = basis;
    EXPECT_EQ(geoeffnet.size(), offen);
    EXPECT_TRUE(protokoll.texte().last().contains(dir.path() + "/fehlt/Daten/tmpDokument_"))
        << protokoll.texte().last().toStdString();
    setDokumentWege(alteWege);
    setDokumentOeffner(alt);

    // without its plot or its plan row nothing is printed, and the user is told
    const qsizetype dateien = QDir(dir.path() + "/Daten").entryList({"tmpDokument_*"}).size();
    const struct {
        const char *tabelle, *meldung;
    } faelle[] = {{"MischkulturID", "Die Mischkulturplanung ist nicht mehr gespeichert. Es wurde nichts gedruckt."},
                  {"FlaechenID", "Die Fläche der Mischkultur ist nicht mehr gespeichert. Es wurde nichts gedruckt."}};
    for (const auto& f : faelle) {
        sql::exec(db(), QString("DELETE FROM ") + f.tabelle);
        std::static_pointer_cast<FixedClock>(app().uhr)->advanceSeconds(60);
        QTest::mouseClick(p->cmdDrucken(), Qt::LeftButton);
        EXPECT_EQ(protokoll.texte().last(), f.meldung);
        EXPECT_EQ(QDir(dir.path() + "/Daten").entryList({"tmpDokument_*"}).size(), dateien);
    }
}

TEST_F(PlanerTest, AnordnungBehaeltDieSaetze)
{
    sql::exec(db(), "INSERT INTO MischkulturID VALUES ('ID1', '2026-12-06 09:00:00', 'Fl1001')");
    const char* kulturen[6] = {"Kohlrabi", "Kopfsalat", "Blumenkohl", "Spargel", "Möhren", "Porree"};
    for (int i = 0; i < 6; ++i) // the first at Left 0.5, Top 0.25, 73 days
        sql::exec(db(), "INSERT INTO MKEditor VALUES (?, 'ID1', 'Ku1025', ?, ?, ?, ?, 73, ?)",
                  {i, kulturen[i], i ? 0.13 * i : 0.5, i ? 0.14 * i + 0.05 : 0.25, 0x3070C0 + 0x1500 * i, 30 - i});
    oeffnen("ID1");
    ASSERT_EQ(balken(1)->text(), "Kohlrabi");
    const std::vector<MischkulturBalken> vorher = w().arrMischkulturBalken;
    for (const QSize g : test::pruefgroessen() + QList<QSize>{QSize(1024, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(g.width());
        groesse(g.width(), g.height());
        for (int n = 0; n < 10; ++n)
            ArbeitsbereichAnordnen();
        EXPECT_EQ(ui().uebersprungeneAnweisungen, 0);
        const Tw feld(p->pcbFeld()), k(balken(1));
        EXPECT_NEAR(k.Left() - feld.Width() / 2 + k.Top() - feld.Height() / 4 + k.Width() - feld.Width() / 5, 0, 1e-6);
        for (size_t i = 1; i < vorher.size(); ++i) {
            const MischkulturBalken &a = vorher[i], &b = w().arrMischkulturBalken.at(i);
            EXPECT_TRUE(a.Left == b.Left && a.Top == b.Top && a.Dauer == b.Dauer && a.start == b.start) << i;
            EXPECT_GE(balken(int(i))->height(), balken(int(i))->fontMetrics().height()) << i;
        }
        // a crop name the tree cuts shows in full when the mouse rests on it; elsewhere the drag hint
        auto* baum = dynamic_cast<forms::Baumansicht*>(p->trvKulturen());
        ASSERT_NE(baum, nullptr);
        for (QTreeWidgetItemIterator it(baum); *it; ++it) {
            QTreeWidgetItem* knoten = *it;
            if (baum->visualItemRect(knoten).isEmpty())
                continue; // under a closed node
            for (QWidget* t : QApplication::topLevelWidgets()) // gone at once: hideText() waits 300 ms
                if (t->inherits("QTipLabel"))
                    delete t;
            ASSERT_FALSE(QToolTip::isVisible());
            ASSERT_TRUE(QToolTip::text().isEmpty());
            const QPoint pt = baum->visualItemRect(knoten).center();
            QHelpEvent e(QEvent::ToolTip, pt, baum->viewport()->mapToGlobal(pt));
            QApplication::sendEvent(baum->viewport(), &e);
            const bool ab = baum->abgeschnitten(knoten);
            EXPECT_EQ(QToolTip::text(), ab ? knoten->text(0) : baum->toolTip()) << knoten->text(0).toStdString();
        }
        // every crop name stands whole, in the groups opened too
        baum->expandAll();
        QCoreApplication::processEvents();
        for (QTreeWidgetItemIterator it(baum); *it; ++it)
            EXPECT_FALSE(baum->abgeschnitten(*it)) << (*it)->text(0).toStdString();
        baum->collapseAll();
        // nothing cut or overlapping: heading, tree, bed, captions and buttons
        std::vector<QWidget*> v{p->lblName(), p->cmdLoeschen(), p->trvKulturen(), p->pcbFeld(), p->cmdAbbruch(),
                                p->cmdSpeichern(), p->cmdDrucken(), p->cmdBack(), p->cmdNext()};
        for (int i = 0; i < 24; ++i)
            v.push_back(p->lblTeil(i)), v.push_back(p->lblMonat(i / 2));
        for (size_t i = 0; i < v.size(); ++i) {
            EXPECT_TRUE(p->rect().contains(v[i]->geometry())) << v[i]->objectName().toStdString();
            if (auto* l = qobject_cast<QLabel*>(v[i]); l && l != p->lblName()) {
                EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << l->objectName().toStdString();
            }
            for (size_t j = i + 1; j < v.size(); ++j)
                EXPECT_TRUE(v[i] == v[j] || !v[i]->geometry().intersects(v[j]->geometry()))
                    << v[i]->objectName().toStdString() << " / " << v[j]->objectName().toStdString();
        }
        if (const QString ordner = qEnvironmentVariable("KAV_BILDSCHIRMFOTOS"); !ordner.isEmpty())
            haupt->grab().save(QDir(ordner).filePath(QString("planer_%1x%2.png").arg(g.width()).arg(g.height())));
    }
}

} // namespace
