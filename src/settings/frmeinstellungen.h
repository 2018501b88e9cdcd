#pragma once
// The settings window: the pages "Programm" (selection method, colour chooser) and "Datenbank"
// (backup interval, restore of the last backup, data update, passing results on, upload).
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"

#include <QLabel>
#include <QSizeF>
#include <QTimer>

#include <vector>

class QFrame;
class QLineEdit;
class QPushButton;

namespace kav {

class frmEinstellungen : public Seite {
    Q_OBJECT
public:
    frmEinstellungen();

    QLabel* txtStrip1() const { return m_txtStrip1; }
    QLabel* txtStrip2() const { return m_txtStrip2; }
    QWidget* pcbStrip1() const { return m_pcbStrip1; }
    QWidget* pcbStrip2() const { return m_pcbStrip2; }
    forms::Bild* imgOptimal(int i) const { return m_imgOptimal(i); }
    QLabel* lblOptimal(int i) const { return m_lblOptimal(i); }
    forms::Bild* imgUpdate() const { return m_imgUpdate; }
    QLabel* lblUpdate() const { return m_lblUpdate; }
    forms::Bild* imgSQL() const { return m_imgSQL; }
    QLabel* lblSQL() const { return m_lblSQL; }
    QLineEdit* txtIntervall() const { return m_txtIntervall; }
    QPushButton* cmbHintergrund() const { return m_cmbHintergrund; }
    QPushButton* cmbRepair() const { return m_cmbRepair; }
    QPushButton* cmbUpdate() const { return m_cmbUpdate; }
    QPushButton* cmdDatenSenden() const { return m_cmdDatenSenden; }
    // Page shown: 1 "Programm", 2 "Datenbank".
    int seite() const { return m_seite; }

    void Form_Load() override;
    void Form_Unload() override;

    // Lays the window out, paints it in the current colours and fills it from the settings; the
    // page "Programm" is shown afterwards.
    void einstellungenAnordnen();
    void frmEinstellungen_SeiteWaehlen(int n);

    // Event handlers
    void txtStrip_Click(int n);
    void imgOptimal_Click(int index);
    void imgUpdate_Click();
    void imgSQL_Click();
    void txtIntervall_Change();
    void cmbHintergrund_Click();
    void cmbRepair_Click();
    void cmbUpdate_Click();
    void cmdDatenSenden_Click();
    void pcbStrip_MouseMove(int n);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Escape closes the window as its close button does (every setting is kept as it is shown).
    bool escapetaste() override;

private:
    // A control's place on its page in twips. A label of a given width wraps and grows downwards when
    // its text needs more lines, a button grows to its text; whatever lies below a grown control
    // moves down by as much, so nothing overlaps and nothing is cut.
    struct Lage {
        enum class Sorte { Fest, Text, Knopf, Linie };
        QWidget* w;
        Sorte sorte;
        double links, oben, breite, hoehe;
    };
    QLabel* beschriftung(QWidget* seite, const char* name, const QString& text, bool fett, bool umbrechen);
    QPushButton* knopf(QWidget* seite, const char* name, const QString& text);
    forms::Bild* optionsBild(QWidget* seite, const char* name);
    QFrame* linie(QWidget* seite);
    void optionZeigen(forms::Bild* bild, const QString& schluessel, const QString& tag = {});
    // Places the controls of a page; the right and bottom edge of what it holds, in twips.
    QSizeF seiteLegen(const std::vector<Lage>& plaetze);
    void sperreNachUpdate();

    QLabel* m_txtStrip1 = nullptr;
    QLabel* m_txtStrip2 = nullptr;
    QWidget* m_pcbStrip1 = nullptr;
    QWidget* m_pcbStrip2 = nullptr;
    QLabel* m_lblVerfahren = nullptr;
    forms::SteuerFeld<forms::Bild> m_imgOptimal{0};
    forms::SteuerFeld<QLabel> m_lblOptimal{0};
    QLabel* m_lblFarbe = nullptr;
    QPushButton* m_cmbHintergrund = nullptr;
    QLabel* m_lblIntervall = nullptr;
    QLineEdit* m_txtIntervall = nullptr;
    QLabel* m_lblTage = nullptr;
    QPushButton* m_cmbRepair = nullptr;
    forms::Bild* m_imgUpdate = nullptr;
    QLabel* m_lblUpdate = nullptr;
    QPushButton* m_cmbUpdate = nullptr;
    forms::Bild* m_imgSQL = nullptr;
    QLabel* m_lblSQL = nullptr;
    QPushButton* m_cmdDatenSenden = nullptr;
    QFrame* m_linie[4] = {};
    forms::BildListe m_imlEinstellungen;
    QTimer m_updateWacht; // cmbRepair waits while a data update runs
    int m_seite = 1;
};

// Lays out, paints and fills the settings window when it is loaded.
void EinstellungenAnordnen();

} // namespace kav
