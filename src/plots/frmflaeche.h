#pragma once
// The plot dialog: a new plot or changes to one (name, usage, size, compost, current flag).
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"

#include <QLabel>
#include <QLineEdit>

class QComboBox;
class QToolButton;

namespace kav {

class frmFlaeche : public Seite {
    Q_OBJECT
public:
    frmFlaeche();

    QLineEdit* txtBezeichnung() const { return m_txtBezeichnung; }
    QLabel* lblBezeichnung(int i) const { return m_lblBezeichnung(i); }
    QComboBox* comNutzung() const { return m_comNutzung; }
    QLineEdit* txtLaenge() const { return m_txtLaenge; }
    QLineEdit* txtBreite() const { return m_txtBreite; }
    QLineEdit* txtFlaeche() const { return m_txtFlaeche; }
    forms::Bild* imgKompost(int i) const { return m_imgKompost(i); }
    QLabel* lblKompost(int i) const { return m_lblKompost(i); }
    forms::Bild* imgAktuellerDatensatz() const { return m_imgAktuellerDatensatz; }
    QLabel* lblAktuellerDatensatz() const { return m_lblAktuellerDatensatz; }
    QToolButton* cmbSpeichern() const { return m_cmbSpeichern; }
    QToolButton* cmbHilfe() const { return m_cmbHilfe; }
    QToolButton* cmbAbbruch() const { return m_cmbAbbruch; }

    // The mode and the plot this dialog was opened for (fixed when it loads).
    bool neu() const { return m_neu; }
    QString flaechenNr() const { return m_flaechenNr; }

    // Reads its mode once: blnNeuerDatensatz, strAktFlaechenNr and strAktGruppierungNr as they
    // stand when it is loaded.
    void Form_Load() override;
    // Closing: rebuilds the tree, selects the plot and lets the analysis page process it.
    void Form_Unload() override;

    void cmbSpeichern_Click();
    void cmbAbbruch_Click();
    void imgKompost_Click(int index);
    void imgAktuellerDatensatz_Click();
    void lblBezeichnung_Click();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AktuellerDatensatzAnzeigen(int wert);
    void KompostAnzeigen(int index);
    void masseGeaendert(QLineEdit* geaendert, QLineEdit* anderer);
    void flaecheBearbeitet(const QString& text);
    void platzieren();

    QLineEdit* m_txtBezeichnung = nullptr;
    forms::SteuerFeld<QLabel> m_lblBezeichnung{1};
    QLabel* m_lblMax = nullptr;
    QLabel* m_lblNutzung = nullptr;
    QComboBox* m_comNutzung = nullptr;
    QLineEdit* m_txtLaenge = nullptr;
    QLineEdit* m_txtBreite = nullptr;
    QLineEdit* m_txtFlaeche = nullptr;
    forms::SteuerFeld<forms::Bild> m_imgKompost{0};
    forms::SteuerFeld<QLabel> m_lblKompost{0};
    forms::Bild* m_imgAktuellerDatensatz = nullptr;
    QLabel* m_lblAktuellerDatensatz = nullptr;
    QToolButton* m_cmbSpeichern = nullptr;
    QToolButton* m_cmbHilfe = nullptr;
    QToolButton* m_cmbAbbruch = nullptr;
    forms::BildListe m_imlCheck;

    bool m_neu = true;
    QString m_flaechenNr;
    QString m_gruppierungNr;
    QString m_flaecheVorher;
};

// Opens the plot dialog for a new plot (`neu`) under strAktGruppierungNr, or for changing the
// plot strAktFlaechenNr; an open plot dialog is brought forward as it is.
void FlaecheDialogOeffnen(bool neu);

} // namespace kav
