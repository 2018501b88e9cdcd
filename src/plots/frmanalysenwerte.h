#pragma once
// The analysis page: plot tree on the left, the values of one soil analysis on the right.
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"

#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QDate>
#include <QString>

#include <vector>

class QComboBox;
class QDateEdit;
class QToolButton;
class QTreeWidgetItem;

namespace kav {

class FlaechenBaumAnsicht;

class frmAnalysenWerte : public Seite {
    Q_OBJECT
public:
    frmAnalysenWerte();
    ~frmAnalysenWerte() override;

    // Controls
    QLabel* lblFlaeche() const { return m_lblFlaeche; }
    FlaechenBaumAnsicht* trvFlaechen() const { return m_trvFlaechen; }
    QLabel* lblWert(int i) const { return m_lblWert(i); }
    QDateEdit* dtpProbenahme() const { return m_dtpProbenahme; }
    QComboBox* cobBodenart() const { return m_cobBodenart; }
    forms::Bild* imgBodenart(int i) const { return m_imgBodenart(i); }
    QLabel* lblBodenart(int i) const { return m_lblBodenart(i); }
    QLineEdit* txtWert(int i) const { return m_txtWert(i); }
    QLabel* lblEinheit(int i) const { return m_lblEinheit(i); }
    QLabel* lblEinstufung(int i) const { return m_lblEinstufung(i); }
    QToolButton* cmbWeiter() const { return m_cmbWeiter; }
    QToolButton* cmbSpeichern() const { return m_cmbSpeichern; }
    QToolButton* cmbSenden() const { return m_cmbSenden; }
    const forms::BildListe& imlTrv() const { return m_imlTrv; }
    QString strFlaechenBezeichnung() const { return m_strFlaechenBezeichnung; }

    void Form_Load() override;
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    // Loads the analysis strAktAnalysenNr into the page and rates it.
    void AnalysenWerteEintragen();
    // Processes the tree's selected node (mouse, keyboard, right click and the plot dialog). Values
    // typed and not yet stored are asked about first; false when the user stays with them (the node
    // shown before is selected again).
    bool NodeClick();
    void EingabeEnable(bool Status);
    // Rates the typed values for the soil group.
    void AnalysenWerteEinstufen();

    // Rebuilds the plot tree (inputs disabled afterwards), and the same keeping the expanded nodes.
    void FlaechenBaumFuellen();
    void baumAuffrischen();
    // After a deletion from the tree: the tree is built again and the page shows what is stored:
    // the node it showed, or the nearest node above it that is still there.
    void baumNachLoeschung();

    // Values typed (or a soil type chosen) since the last load or store.
    bool ungespeichert() const { return m_ungespeichert; }
    // Another page opens or the program ends: unsaved values are asked about first.
    bool darfVerlassenWerden() override;

    // Event handlers
    void cobBodenart_Click();
    void imgBodenart_Click(int index);
    void dtpProbenahme_Change();
    void txtWert_Change(int index);
    void txtWert_LostFocus(int index);
    void cmbSpeichern_Click();
    void cmbWeiter_Click();
    void cmbSenden_Click();
    void lblWert_Click(int index);
    void Form_MouseMove();
    void trvFlaechen_MouseUp(QTreeWidgetItem* item, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool AnalysenWerteSpeichern(bool blnMeldung);
    // Stores as the button "Speichern" does; false when nothing was stored (the message is shown).
    bool speichern();
    // Asks "Die eingegebenen Analysenwerte sind noch nicht gespeichert. ..." when values wait to be
    // stored: Ja stores (false when that fails), Nein drops them, Abbrechen stays (false).
    bool ungespeicherteWerteKlaeren();
    // The question before the node `neu` is processed; false selects the node shown again.
    bool knotenWechselKlaeren(const QString& neu);
    // The plot shown, read again (its name in the heading) without touching the typed values;
    // false when it is gone.
    bool gezeigteFlaecheAuffrischen();
    // Sets the sampling date without its change handler.
    void datumZeigen(const QDate& datum);
    void leeren();
    void hinweisZeigen();
    // The prompt again, for the state of the navigation bar; a heading that names a plot stays.
    void hinweisAuffrischen();
    void bodenartBilder();
    // Size of rating line i for its text.
    void einstufungAnpassen(int i);
    void gespeichertenPfadAufklappen();
    void menueBefehleVerbinden();
    bool knotenVerarbeiten(QTreeWidgetItem* item);

    QLabel* m_lblFlaeche = nullptr;
    FlaechenBaumAnsicht* m_trvFlaechen = nullptr;
    forms::SteuerFeld<QLabel> m_lblWert{0};
    QDateEdit* m_dtpProbenahme = nullptr;
    QComboBox* m_cobBodenart = nullptr;
    forms::SteuerFeld<forms::Bild> m_imgBodenart{0};
    forms::SteuerFeld<QLabel> m_lblBodenart{0};
    forms::SteuerFeld<QLineEdit> m_txtWert{2};
    forms::SteuerFeld<QLabel> m_lblEinheit{0};
    forms::SteuerFeld<QLabel> m_lblEinstufung{0};
    QToolButton* m_cmbWeiter = nullptr;
    QToolButton* m_cmbSpeichern = nullptr;
    QToolButton* m_cmbSenden = nullptr;
    forms::BildListe m_imlTrv;

    QString m_strFlaechenBezeichnung;
    QString m_letzterKnoten; // key of the node the page shows; a keyboard move to another one is processed
    bool m_tasteImBaum = false; // a key went down in the tree
    bool m_ungespeichert = false;
    QDate m_datumGezeigt; // the sampling date the values on the page belong to
    std::vector<QMetaObject::Connection> m_menueVerbindungen;
};

// The analysis page when it is loaded, else nullptr.
frmAnalysenWerte* analysenSeite();

} // namespace kav
