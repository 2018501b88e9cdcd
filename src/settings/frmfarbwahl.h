#pragma once
// The colour chooser: 21 colour squares; a click makes the colour the user colour of every window at
// once, "Speichern" keeps it, "Abbruch" or closing the window brings back the colour at opening.
#include "frame/seite.h"
#include "platform/steuerfeld.h"

#include <QLabel>

#include <cstdint>

class QToolButton;

namespace kav {

class frmFarbWahl : public Seite {
    Q_OBJECT
public:
    frmFarbWahl();

    QLabel* lblFarbe(int i) const { return m_lblFarbe(i); }
    QLabel* lblAktuell() const { return m_lblAktuell; }
    QLabel* lblFarbeAktuell() const { return m_lblFarbeAktuell; }
    QWidget* Shape1() const { return m_shape1; }
    QColor Shape1BorderColor() const;
    QToolButton* cmbAbbruch() const { return m_cmbAbbruch; }
    QToolButton* cmbOK() const { return m_cmbOK; }
    std::int32_t farbeBeimOeffnen() const { return m_farbeBeimOeffnen; }

    void Form_Load() override;
    void Form_Unload() override;

    // Paints the chooser in the current colours and centres it on the settings window (on the main
    // window while the settings window is closed).
    void dialogFarbenSetzen();

    void lblFarbe_Click(int index);
    void cmbOK_Click();
    void cmbAbbruch_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void frmFarbWahl_FarbeZerlegen(std::int32_t wert);
    void frmFarbWahl_FarbpaletteFuellen();

    forms::SteuerFeld<QLabel> m_lblFarbe{0};
    QWidget* m_shape1 = nullptr;
    QLabel* m_lblAktuell = nullptr;
    QLabel* m_lblFarbeAktuell = nullptr;
    QToolButton* m_cmbAbbruch = nullptr;
    QToolButton* m_cmbOK = nullptr;
    std::int32_t m_farbeBeimOeffnen = 0;
    bool m_okGedrueckt = false;
};

// Paints and places the colour chooser when it is loaded.
void DialogFarbenSetzen();

} // namespace kav
