// The lexicon's page builder: heading, text with its links, the thumbnails of the chapter, and
// the strip that shows them.
#include "lexicon/frmlexikon.h"
#include "lexicon/lexikontext.h"
#include "lexicon/lexikonverlauf.h"
#include "lexicon/verweise.h"
#include "platform/bild.h"
#include "services/appcontext.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace kav {

bool frmLexikon::LexikonSeiteAufbauen(const QString& strKapitel, bool blnVerlauf)
{
    AppContext& a = app();
    Rahmen& r = a.rahmen;
    std::optional<LexikonKapitel> k;
    QString html;
    std::vector<LexikonSuchbegriff> begriffe;
    std::vector<LexikonBild> bilder;
    try {
        const LexikonDaten d = daten();
        k = d.kapitel(strKapitel);
        if (!k)
            return false;
        html = d.text(k->kapitelNr);
        begriffe = d.verweisbegriffe(k->kapitelNr);
        bilder = d.bilder(k->kapitelNr);
    } catch (const std::exception&) {
        return false;
    }

    // the layout's rebuild of the page shown keeps where the reader is, in the text and the strip
    const bool neuAufbau = !blnVerlauf && k->kapitelNr == m_kapitelNr;
    const int oben = !neuAufbau ? 0 : m_obenGemerkt >= 0 ? m_obenGemerkt : m_rtfLexikon->obersteStelle();
    const int start = neuAufbau ? m_bildStart : 1;

    forms::setTag(m_rtfLexikon, k->kapitel);
    r.strLexikonAnzeige = k->kapitel;
    m_lblUeberschrift->setText(k->ueberschrift);
    if (blnVerlauf)
        r.strLexikonVerlauf = verlaufMit(r.strLexikonVerlauf, k->kapitelNr);
    m_kapitelNr = k->kapitelNr;

    m_rtfLexikon->setHtml(html);
    QTextDocument& doc = *m_rtfLexikon->document();
    webVerweiseMarkieren(doc);
    verweiseMarkieren(doc, begriffe);

    m_imlBilderLexikon = vorschauenLaden(a.ordner.lexikonVorschau(), bilder);
    bilderleisteAnordnen(static_cast<int>(m_imlBilderLexikon.size()));
    if (!neuAufbau) {
        const QSignalBlocker sperre(m_vscBilder);
        m_vscBilder->setValue(kStreifenMitte);
    }
    BilderleisteFuellen(start);

    m_rtfLexikon->setTextCursor(QTextCursor(&doc));
    m_rtfLexikon->zuStelle(oben);
    return true;
}

void frmLexikon::bilderleisteAnordnen(int bilder)
{
    using forms::Tw;
    const Rahmen& r = app().rahmen;
    const Streifen st = streifenFuer(bilder, r.intBilderAnzahl, Tw(this).Width(), Tw(m_vscBilder).Width());
    m_vscBilder->setVisible(st.bildlauf);
    m_shpBilder->setVisible(st.rahmen);
    for (int i = 1; i <= kBilderSlots; ++i)
        m_imgLexikon(i)->setVisible(i <= st.sichtbar);
    try {
        Tw(m_rtfLexikon).setWidth(st.textBreite);
        if (st.rahmen) {
            Tw(m_shpBilder).setLeft(Tw(m_rtfLexikon).Left() + Tw(m_rtfLexikon).Width());
            for (int i = 1; i <= kBilderSlots; ++i)
                Tw(m_imgLexikon(i)).setLeft(Tw(m_shpBilder).Left() + Tw(m_shpBilder).Width() / 12);
        }
    } catch (const forms::FormsFehler&) {
        // a window too small for the strip keeps the places it had
    }
    // the two indents, each a fiftieth of the text's width
    QTextDocument& doc = *m_rtfLexikon->document();
    QTextFrameFormat ff = doc.rootFrame()->frameFormat();
    const double einzug = m_rtfLexikon->width() / 50.0;
    ff.setLeftMargin(einzug);
    ff.setRightMargin(einzug);
    doc.rootFrame()->setFrameFormat(ff);
}

void frmLexikon::BilderleisteFuellen(int intStart)
{
    const int anzahl = static_cast<int>(m_imlBilderLexikon.size());
    const int plaetze = std::clamp(app().rahmen.intBilderAnzahl, 0, kBilderSlots);
    const std::vector<int> folge = streifenBilder(intStart, anzahl, plaetze);
    if (folge.empty())
        return;
    m_bildStart = folge.front();
    for (int i = 1; i <= plaetze; ++i) {
        QLabel* slot = m_imgLexikon(i);
        const Vorschau& v = m_imlBilderLexikon[static_cast<size_t>(folge[static_cast<size_t>(i - 1)] - 1)];
        // as many pixels as the screen shows in the slot: sharp also at a device pixel ratio above 1
        slot->setPixmap(forms::eingepasst(v.bild, slot->contentsRect().size(), slot->devicePixelRatio()));
        forms::setTag(slot, v.datei);
    }
}

} // namespace kav
