#pragma once
// What the plot dialog and the group dialog share: the name box, the "Aktueller Datensatz" check
// box, the mode read once when the dialog is loaded (new entry or change), and the place by the plot
// tree.
#include "frame/dialogseite.h"
#include "plots/flaechendaten.h"
#include "platform/bild.h"
#include "platform/bildliste.h"

#include <QLabel>
#include <QLineEdit>

namespace kav {

// Opens the plot or group dialog `name` for a new record (`neu`) or a change. One of the two at a
// time: an open dialog is brought forward and keeps what is typed in it; a request for anything
// else than what it is open for tells the user which window is open.
void flaechenDialogOeffnen(const QString& name, bool neu);

class FlaechenDialog : public DialogSeite {
    Q_OBJECT
public:
    QLineEdit* txtBezeichnung() const { return m_txtBezeichnung; }
    // The name as typed, without the spaces around it that the name rule drops.
    QString bezeichnung() const;
    forms::Bild* imgAktuellerDatensatz() const { return m_imgAktuellerDatensatz; }
    QLabel* lblAktuellerDatensatz() const { return m_lblAktuellerDatensatz; }

    // The mode and the entry this dialog was opened for (fixed when it loads).
    bool neu() const { return m_neu; }
    QString flaechenNr() const { return m_flaechenNr; }
    QString gruppierungNr() const { return m_gruppierungNr; }

    void imgAktuellerDatensatz_Click();

protected:
    explicit FlaechenDialog(const QString& name);

    // Reads the mode once: blnNeuerDatensatz, strAktFlaechenNr and strAktGruppierungNr as they
    // stand; the check box shows "current".
    void modusLesen();
    // The entry being changed, when it is still there and a group (`gruppe`) or a plot: shows its
    // name and flag and names it in the window title. nullopt for a new entry.
    std::optional<FlaechenZeile> eintragLaden(bool gruppe);
    void AktuellerDatensatzSetzen(bool an);
    bool aktuellerDatensatz() const;
    // Moves the dialog to the middle of the plot tree; with `unterDemBaum` also down by three times
    // the tree's offset in the page. Centred on the screen without the analysis page.
    void amBaumPlatzieren(bool unterDemBaum);

    bool eventFilter(QObject* o, QEvent* e) override;

    QLineEdit* m_txtBezeichnung = nullptr;
    QLabel* m_lblMax = nullptr;
    forms::Bild* m_imgAktuellerDatensatz = nullptr;
    QLabel* m_lblAktuellerDatensatz = nullptr;
    forms::BildListe m_imlCheck;

    bool m_neu = true;
    QString m_flaechenNr;
    QString m_gruppierungNr;

private:
    void AktuellerDatensatzAnzeigen(bool an);
};

} // namespace kav
