#pragma once
// The group dialog: a new group of plots or changes to one (name and current flag).
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace kav {

class frmFlaecheGruppe : public Seite {
    Q_OBJECT
public:
    frmFlaecheGruppe();

    QLineEdit* txtBezeichnung() const { return m_txtBezeichnung; }
    forms::Bild* imgAktuellerDatensatz() const { return m_imgAktuellerDatensatz; }
    QLabel* lblAktuellerDatensatz() const { return m_lblAktuellerDatensatz; }
    QToolButton* cmbSpeichern() const { return m_cmbSpeichern; }
    QToolButton* cmbAbbruch() const { return m_cmbAbbruch; }
    QToolButton* cmbHilfe() const { return m_cmbHilfe; }

    bool neu() const { return m_neu; }
    QString flaechenNr() const { return m_flaechenNr; }

    // Reads its mode once, when it is loaded (blnNeuerDatensatz, strAktFlaechenNr,
    // strAktGruppierungNr).
    void Form_Load() override;
    // Closing: rebuilds the tree keeping the expanded groups and selects the group.
    void Form_Unload() override;

    void cmbSpeichern_Click();
    void cmbAbbruch_Click();
    void imgAktuellerDatensatz_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void AktuellerDatensatzAnzeigen(int wert);
    void platzieren();

    QLabel* m_lblBezeichnung = nullptr;
    QLineEdit* m_txtBezeichnung = nullptr;
    QLabel* m_lblMax = nullptr;
    forms::Bild* m_imgAktuellerDatensatz = nullptr;
    QLabel* m_lblAktuellerDatensatz = nullptr;
    QToolButton* m_cmbSpeichern = nullptr;
    QToolButton* m_cmbAbbruch = nullptr;
    QToolButton* m_cmbHilfe = nullptr;
    forms::BildListe m_imlcheck;

    bool m_neu = true;
    QString m_flaechenNr;
    QString m_gruppierungNr;
};

// Opens the group dialog for a new group (`neu`) under strAktGruppierungNr, or for changing the
// group strAktFlaechenNr; an open group dialog is brought forward as it is.
void GruppeDialogOeffnen(bool neu);

} // namespace kav
