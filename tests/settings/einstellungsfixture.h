#pragma once
// The started program on the analysis page, with helpers for the settings, chooser and about windows.
#include "frame/frmtoolbar.h"
#include "frame/hilfe.h"
#include "frame/links.h"
#include "seitenfixture.h"
#include "services/zahlenfilter.h"
#include "settings/frmeinstellungen.h"
#include "settings/frmfarbwahl.h"
#include "settings/frmueberkav.h"

#include <QPushButton>

namespace kav::test {

class EinstellungsTest : public SeitenTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SeitenTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(seiteStarten([this] { flaeche("Fl1000", "Beet vor der Sicherung"); }));
        ZahlenFilter::setPiepen([this] { ++piepser; });
        alterOeffner = setLinkOeffner([this](const QUrl& u) { return geoeffnet.append(u), true; });
    }
    void TearDown() override
    {
        ZahlenFilter::setPiepen({});
        setLinkOeffner(alterOeffner);
        HilfeSchliessen();
        SeitenTest::TearDown();
    }
    template <class T>
    T* menue(int knopf, const char* name)
    {
        fenster().fensterAls<frmToolbar>("frmToolbar")->cmbMenu(knopf)->click();
        T* f = fenster().fensterAls<T>(name);
        EXPECT_TRUE(f && QTest::qWaitForWindowExposed(f));
        return f;
    }
    frmEinstellungen* einstellungen() { return menue<frmEinstellungen>(5, "frmEinstellungen"); }
    frmFarbWahl* farbWahl()
    {
        einstellungen()->cmbHintergrund()->click();
        return fenster().fensterAls<frmFarbWahl>("frmFarbWahl");
    }
    // The mouse moved over a control of a dialog (through the dialog's own window, which the test
    // platform does not find under the cursor when the main window lies below).
    static void maus(QWidget* w, QPoint p = {})
    {
        QWidget* fenster = w->window();
        QTest::mouseMove(fenster->windowHandle(), w->mapTo(fenster, p.isNull() ? w->rect().center() : p));
    }
    static void klick(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    // Whether the gradient a window is painted with starts at `farbe` (its first band is one step on).
    static bool verlaufAb(const QWidget* w, const QColor& farbe)
    {
        const QColor c = w->palette().brush(QPalette::Window).texture().toImage().pixelColor(0, 0);
        return std::abs(c.red() - farbe.red()) + std::abs(c.green() - farbe.green()) + std::abs(c.blue() - farbe.blue()) <= 6;
    }
    // Whether the middles of two windows lie within two pixels of each other.
    static bool mittig(const QWidget* w, const QWidget* bezug)
    {
        const QPoint d = w->frameGeometry().center() - bezug->frameGeometry().center();
        return std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2;
    }

    int piepser = 0;
    LinkOeffner alterOeffner;
    QList<QUrl> geoeffnet;
};

} // namespace kav::test
