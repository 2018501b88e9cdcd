#pragma once
// Context help: the topic page of a window, shown from the program's Hilfe folder in a help window.
#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace kav {

class HilfeFenster : public QWidget {
    Q_OBJECT
public:
    explicit HilfeFenster(QWidget* eltern = nullptr);
    // Shows a topic page; a missing page shows the index with a note, or a message.
    void themaZeigen(const QString& hilfeOrdner, const QString& thema);
    QString thema() const { return m_thema; }
    // The file shown (empty when only the message could be shown).
    QString datei() const { return m_datei; }
    QTextBrowser* browser() const { return m_browser; }
    // Enabled only when there is a page to go back to.
    QPushButton* cmdZurueck() const { return m_zurueck; }

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void linkGeklickt(const QUrl& u);
    void zurueckMoeglich(bool moeglich);
    QPushButton* m_zurueck = nullptr;
    QTextBrowser* m_browser = nullptr;
    QString m_thema;
    QString m_datei;
};

// Shows the help topic of a window name (exact comparison; any other name: "index.htm").
void HilfeAufrufen(const QString& strFormular);
// Shows one topic page of the program's help.
void HilfeThemaAnzeigen(const QString& strThema);
// The help window when it is open, else nullptr.
HilfeFenster* hilfeFenster();
void HilfeSchliessen();

} // namespace kav
