#include "lexicon/frmvollbild.h"

#include "frame/anordnung.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "lexicon/bilderleiste.h"
#include "lexicon/lexikondaten.h"
#include "lexicon/vollbildmasse.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kav {

frmVollbild::frmVollbild() : forms::Formular(QStringLiteral("frmVollbild"))
{
    m_imgVollbild = new forms::Bild(this);
    m_imgVollbild->setObjectName(QStringLiteral("imgVollbild"));
    m_imgVollbild->setStretch(true);
    connect(m_imgVollbild, &forms::Bild::doppelklick, this, [this] { imgVollbild_DblClick(); });

    m_lblQuelle = Beschriftung(this, QStringLiteral("lblQuelle"));
    m_lblQuelle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_imgEnde = new forms::Bild(this);
    m_imgEnde->setObjectName(QStringLiteral("imgEnde"));
    m_imgEnde->setToolTip(QStringLiteral("Vollbildansicht schließen"));
    m_imgEnde->setCursor(Qt::PointingHandCursor);
    m_imgEnde->installEventFilter(this);

    m_shpRahmen = new QFrame(this);
    m_shpRahmen->setObjectName(QStringLiteral("shpRahmen"));
    m_shpRahmen->setFrameShape(QFrame::Box);
    m_shpRahmen->setFrameShadow(QFrame::Plain);
    m_shpRahmen->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void frmVollbild::Form_Load()
{
    // a view beside the lexicon: no frame of its own, and hovering does not take the keyboard away
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    app().rahmen.blnVollbildOffen = true;
    AnzeigeAktualisieren();
}

void frmVollbild::AnzeigeAktualisieren()
{
    AppContext& a = app();
    setUpdatesEnabled(false);

    // the picture; a missing or unreadable file shows none
    const QString pfad = lexikonBildPfad(a.ordner.lexikonVollbild(), a.rahmen.strVollbildDatei);
    QImage bild;
    if (!pfad.isEmpty()) {
        QImageReader leser(pfad);
        bild = leser.read();
    }
    m_natur = QSizeF(bild.size());
    m_imgVollbild->setBild(QPixmap::fromImage(bild));
    m_imgVollbild->setVisible(!bild.isNull());

    // the source line; a picture without a row has none
    std::optional<QString> quelle;
    try {
        if (a.db)
            quelle = LexikonDaten(a.db->cnKav()).quelle(a.rahmen.strVollbildDatei);
    } catch (const std::exception&) {
        quelle.reset();
    }
    m_lblQuelle->setText(quelle.value_or(QString()));
    m_lblQuelle->setVisible(quelle.has_value());
    einpassen();
    setUpdatesEnabled(true);
    update();
}

void frmVollbild::anordnen(Anordnung& a)
{
    a.tu([this] { einpassen(); });
}

void frmVollbild::einpassen()
{
    AppContext& a = app();
    m_lblQuelle->setFont(font());
    if (a.rahmen.intSchriftGroesse > 0)
        forms::setFontSize(m_lblQuelle, a.rahmen.intSchriftGroesse);
    const bool quelle = !m_lblQuelle->isHidden();

    mdiZentral* haupt = ui().haupt.data();
    const QRectF aussen = haupt ? QRectF(haupt->frameGeometry()) : QRectF(0, 0, 1024, 768);
    const QSizeF innen = haupt ? QSizeF(haupt->size()) : QSizeF(1024, 768);
    const QFontMetrics fm(m_lblQuelle->font());
    const double zeile = fm.height() + 4;
    const QSizeF ende(zeile, zeile);
    const VollbildMasse m = vollbildMasse(m_natur, aussen, innen, quelle ? zeile : 0.0,
                                          quelle ? fm.horizontalAdvance(m_lblQuelle->text()) + 4 : 0.0, ende);

    const auto px = [](const QRectF& r) { return r.toAlignedRect(); };
    setWindowState(Qt::WindowNoState);
    setGeometry(m.fenster.toRect());
    m_imgVollbild->setGeometry(px(m.bild));
    m_lblQuelle->setGeometry(px(m.quelle));
    m_imgEnde->setGeometry(px(m.ende));
    if (haupt)
        m_imgEnde->setBild(haupt->imlIcon().bild(QStringLiteral("Abbruch")));
    m_shpRahmen->setGeometry(rect());
    m_shpRahmen->raise();
    m_imgEnde->raise();
    BenutzerverlaufZeichnen(this, a.einstellungen);
}

void frmVollbild::imgEnde_Click()
{
    // the view stays blocked until the mouse passes over the lexicon or a thumbnail is clicked
    app().rahmen.blnVollbildOffen = true;
    entladen();
}

void frmVollbild::imgVollbild_DblClick() { entladen(); }

bool frmVollbild::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_imgEnde && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        imgEnde_Click();
        return true;
    }
    return forms::Formular::eventFilter(o, e);
}

void frmVollbild::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        imgEnde_Click();
        return;
    }
    forms::Formular::keyPressEvent(e);
}

} // namespace kav
