#pragma once
// The second step of the requirement wizard: the crop in a tree of crops and planned mixed cultures,
// its start date in a month calendar, the plot's Nmin value with its unit and the area, or a mixed
// culture's bed; Next stores the Nmin value, computes the need and goes on by the crop.
#include "frame/schrittknoepfe.h"
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"
#include "services/meldungen.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>

#include <optional>

class QCalendarWidget;
class QComboBox;
class QFrame;
class QToolButton;
class QTreeWidgetItem;

namespace kav {

class NPKBaumAnsicht;

class frmNPK1 : public Seite {
    Q_OBJECT
public:
    frmNPK1();

    // Controls
    QLabel* lblTitel() const { return m_lblTitel; }
    NPKBaumAnsicht* trvNPK() const { return m_trvNPK; }
    QLabel* txtNPK() const { return m_txtNPK; }
    QLabel* lblFlaeche() const { return m_lblFlaeche; }
    QLineEdit* txtFlaeche() const { return m_txtFlaeche; }
    QLabel* lblQM() const { return m_lblQM; }
    forms::Bild* imgBeet() const { return m_imgBeet; }
    QLineEdit* txtLaenge() const { return m_txtLaenge; }
    QLineEdit* txtBreite() const { return m_txtBreite; }
    QLabel* lblDatum() const { return m_lblDatum; }
    QFrame* shpCal() const { return m_shpCal; }
    QCalendarWidget* calStart() const { return m_calStart; }
    QLabel* lblCal() const { return m_lblCal; }
    QToolButton* cmbPrevious() const { return m_cmbPrevious; }
    QToolButton* cmbForward() const { return m_cmbForward; }
    QLabel* lblNmin(int i) const { return m_lblNmin(i); }
    QLineEdit* txtNmin() const { return m_txtNmin; }
    QComboBox* comNmin() const { return m_comNmin; }
    QToolButton* cmbAbbruch() const { return m_knoepfe->abbruch(); }
    QToolButton* cmbBack() const { return m_knoepfe->zurueck(); }
    QToolButton* cmbNext() const { return m_knoepfe->weiter(); }
    QToolButton* cmbSenden() const { return m_cmbSenden; }
    const forms::BildListe& imlNPK() const { return m_imlNPK; }
    // The value sent by the send button while plot, date, value and unit are still the ones sent.
    bool blnNminGesendet() const;

    void Form_Load() override;
    void anordnen(Anordnung& a) override;
    // Fits the calendar into its frame, a square of side `seite` (twips), in the layout pass `a`.
    void kalenderEinpassen(Anordnung& a, double seite);

    // Rebuilds the crop tree (for the plot strAktFlaechenNr).
    void baumFuellen();
    // True without a crop or for a permanent crop; shows the inputs and the instruction line for the
    // case and sets blnDauerKultur.
    bool DauerKultur();
    // Takes the node as the crop (tree click and keyboard).
    void frmNPK1_KulturKnotenGewaehlt(QTreeWidgetItem* item);
    // The bed view of a mixed culture.
    void frmNPK1_BeetmasseEinlesen();
    // Stores the Nmin value for the plot and the calendar's date; false when the text is no number.
    // The callers check the range of its unit first (nminImBereich).
    bool frmNPK1_NminSpeichern();
    // Sets datKulturbeginn to `datum` and shows the value stored for the plot on that day.
    void frmNPK1_NminAnzeigen(const QDate& datum);
    // Stores the value and sends it to the data collection; true when it was sent.
    bool frmNPK1_NminUebertragen();

    // Event handlers
    void calStart_Click();
    void cmbPrevious_Click();
    void cmbForward_Click();
    void cmbNext_MouseUp();
    void cmbBack_MouseUp();
    void cmbAbbruch_Click();
    void cmbSenden_Click();
    void lblNmin_Click();
    void txtFlaeche_LostFocus();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void kalenderSetzen(const QDate& datum);
    void einheitWaehlen(int index);
    void nminZeigen(const QDate& datum);
    // The area box as a number; an empty box shows the area known before. nullopt when it is no number.
    std::optional<float> flaecheLesen();
    // The area of the box when the state may take it: a number above 0 within the range of a plot.
    std::optional<float> flaecheNehmbar();
    // Tells `m` and puts the cursor into `box` with its text marked, for the user to correct.
    void eingabeZurueckweisen(QLineEdit* box, const Meldung& m);
    bool nminInZustand(); // the Nmin box into the state without storing it (mixed culture)
    // False (the user told, the box marked) when the Nmin value lies outside the range of its unit.
    bool nminImBereich();
    void mischkulturWeiter();
    void kulturWeiter();
    void sichtbar(std::initializer_list<QWidget*> w, bool ja);

    QLabel* m_lblTitel = nullptr;
    NPKBaumAnsicht* m_trvNPK = nullptr;
    QLabel* m_txtNPK = nullptr;
    QLabel* m_lblFlaeche = nullptr;
    QLineEdit* m_txtFlaeche = nullptr;
    QLabel* m_lblQM = nullptr;
    forms::Bild* m_imgBeet = nullptr;
    QLineEdit* m_txtLaenge = nullptr;
    QLineEdit* m_txtBreite = nullptr;
    QLabel* m_lblDatum = nullptr;
    QFrame* m_shpCal = nullptr;
    QCalendarWidget* m_calStart = nullptr;
    QLabel* m_lblCal = nullptr;
    QToolButton* m_cmbPrevious = nullptr;
    QToolButton* m_cmbForward = nullptr;
    forms::SteuerFeld<QLabel> m_lblNmin{0};
    QLineEdit* m_txtNmin = nullptr;
    QComboBox* m_comNmin = nullptr;
    Schrittknoepfe* m_knoepfe = nullptr;
    QToolButton* m_cmbSenden = nullptr;
    forms::BildListe m_imlNPK;

    struct Gesendet {
        QString flaeche;
        QDate datum;
        QString text;
        int einheit = 0;
    };
    std::optional<Gesendet> m_gesendet;
    bool m_laedt = false;
};

// The crop step when it is loaded, else nullptr.
frmNPK1* kulturSeite();

} // namespace kav
