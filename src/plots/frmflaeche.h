#pragma once
// The plot dialog: a new plot or changes to one (name, usage, size, compost, current flag).
#include "plots/flaechendialog.h"
#include "platform/steuerfeld.h"

class QComboBox;

namespace kav {

class frmFlaeche : public FlaechenDialog {
    Q_OBJECT
public:
    frmFlaeche();

    QLabel* lblBezeichnung(int i) const { return m_lblBezeichnung(i); }
    QComboBox* comNutzung() const { return m_comNutzung; }
    QLineEdit* txtLaenge() const { return m_txtLaenge; }
    QLineEdit* txtBreite() const { return m_txtBreite; }
    QLineEdit* txtFlaeche() const { return m_txtFlaeche; }
    forms::Bild* imgKompost(int i) const { return m_imgKompost(i); }
    QLabel* lblKompost(int i) const { return m_lblKompost(i); }

    // Reads its mode once: blnNeuerDatensatz, strAktFlaechenNr and strAktGruppierungNr as they
    // stand when it is loaded.
    void Form_Load() override;
    // Closing: rebuilds the tree, selects the plot and lets the analysis page process it.
    void Form_Unload() override;

    // What Speichern hands to the plot data: the boxes as typed, the name as the name rule gives it.
    FlaechenEingabe eingabe() const;
    void cmbSpeichern_Click() override;
    void imgKompost_Click(int index);
    void lblBezeichnung_Click();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void KompostAnzeigen(int index);
    void masseGeaendert(QLineEdit* geaendert, QLineEdit* anderer);
    void flaecheBearbeitet(const QString& text);

    forms::SteuerFeld<QLabel> m_lblBezeichnung{1};
    QLabel* m_lblNutzung = nullptr;
    QComboBox* m_comNutzung = nullptr;
    QLineEdit* m_txtLaenge = nullptr;
    QLineEdit* m_txtBreite = nullptr;
    QLineEdit* m_txtFlaeche = nullptr;
    forms::SteuerFeld<forms::Bild> m_imgKompost{0};
    forms::SteuerFeld<QLabel> m_lblKompost{0};
    QString m_flaecheVorher;
};

// Opens the plot dialog for a new plot (`neu`) under strAktGruppierungNr, or for changing the
// plot strAktFlaechenNr; an open plot dialog is brought forward as it is.
void FlaecheDialogOeffnen(bool neu);

} // namespace kav
