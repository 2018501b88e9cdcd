#include "fertilisers/katalogdialog.h"

#include "fertilisers/duengerdienste.h"
#include "fertilisers/duengerwahl.h"
#include "fertilisers/katalogeingabe.h"
#include "frame/anordnung.h"
#include "frame/bilder.h"
#include "frame/dialogplatz.h"
#include "frame/links.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "platform/tastenlink.h"
#include "services/appcontext.h"
#include "services/meldungen.h"
#include "services/meldungsbox.h"
#include "services/namensregeln.h"
#include "services/zahlenfilter.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kav {

Katalogdialog::Katalogdialog(const QString& name, const QString& caption, const QString& verhaeltnis,
                             const QString& kapitel, const QString& art)
    : Seite(name, QString(), Platz::Dialog), m_kapitel(kapitel), m_art(art)
{
    setWindowTitle(caption);
    m_raster = new QGridLayout;
    m_raster->setHorizontalSpacing(10);
    auto* lblName = new QLabel(QStringLiteral("Bezeichnung:"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    m_txtName = new QLineEdit(this);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setMaxLength(kKatalogNameLaengeMax);
    m_txtName->setValidator(new NamensFilter(m_txtName));
    m_txtName->setMinimumWidth(m_txtName->fontMetrics().averageCharWidth() * 34);
    m_raster->addWidget(lblName, 0, 0);
    m_raster->addWidget(m_txtName, 0, 1, 1, 2);
    // the red frame lies over the name box and lets every click through
    m_shpName = new QFrame(this);
    m_shpName->setObjectName(QStringLiteral("shpName"));
    m_shpName->setStyleSheet(QStringLiteral("QFrame#shpName { border: 2px solid rgb(255, 0, 0); background: transparent; }"));
    m_shpName->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_shpName->hide();
    connect(m_txtName, &QLineEdit::textEdited, m_shpName, &QFrame::hide);

    m_lblVerhaeltnis = new QLabel(verhaeltnis, this);
    m_lblVerhaeltnis->setObjectName(QStringLiteral("lblVerhaeltnis"));
    LinkAussehen(m_lblVerhaeltnis);
    m_lblVerhaeltnis->installEventFilter(this);
    new forms::Tastenlink(this, m_lblVerhaeltnis, [this] { lexikonOeffnen(m_kapitel); });
    m_raster->addWidget(m_lblVerhaeltnis, 1, 0, 1, 3, Qt::AlignLeft); // the link as wide as its text

    m_cmdOK = bildKnopf(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("Speichern"));
    m_cmdAbbruch = bildKnopf(this, QStringLiteral("cmdAbbruch"), QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"));
    connect(m_cmdOK, &QToolButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdAbbruch, &QToolButton::clicked, this, [this] { cmdAbbruch_Click(); });
    setStandardKnopf(m_cmdOK);
}

QLineEdit* Katalogdialog::gehaltFeld(const QString& name, const QString& beschriftung)
{
    const int zeile = m_raster->rowCount();
    auto* l = new QLabel(beschriftung, this);
    l->setObjectName(QStringLiteral("lbl") + name.mid(3));
    auto* t = new QLineEdit(this);
    t->setObjectName(name);
    t->setAlignment(Qt::AlignRight);
    t->setMaximumWidth(t->fontMetrics().horizontalAdvance(QStringLiteral("000,000")) + 16);
    ZahlenFilter::installieren(t, app().gebiet.strDezimalZeichen);
    t->installEventFilter(this);
    m_raster->addWidget(l, zeile, 0);
    m_raster->addWidget(t, zeile, 1);
    m_raster->addWidget(new QLabel(QStringLiteral("%"), this), zeile, 2);
    m_felder.push_back(t);
    return t;
}

void Katalogdialog::fertigstellen()
{
    m_raster->setColumnStretch(2, 1);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(16, 14, 16, 12);
    spalte->addLayout(m_raster);
    spalte->addSpacing(10);
    spalte->addLayout(dialogKnoepfe({m_cmdOK, m_cmdAbbruch}));
}

void Katalogdialog::Form_Load()
{
    Seite::Form_Load();
    const QColor hell = benutzerFarbeHell(app().einstellungen);
    mdiZentral* h = ui().haupt.data();
    const std::pair<QToolButton*, const char*> bilder[] = {{m_cmdOK, "OK"}, {m_cmdAbbruch, "Abbruch"}};
    for (const auto& [b, bild] : bilder) {
        forms::setBackColor(b, hell);
        if (h)
            b->setIcon(h->imlIcon().bild(QLatin1String(bild)));
    }
    forms::inhaltsgroesseFesthalten(this);
    DialogZentrieren(this, h);
    BenutzerverlaufZeichnen(this, app().einstellungen);
    m_txtName->setFocus();
}

void Katalogdialog::resizeEvent(QResizeEvent* e)
{
    Seite::resizeEvent(e);
    BenutzerverlaufZeichnen(this, app().einstellungen);
    if (m_shpName->isVisible())
        m_shpName->setGeometry(m_txtName->geometry().adjusted(-2, -2, 2, 2));
}

void Katalogdialog::nameFehlt()
{
    m_txtName->clear();
    m_txtName->setPlaceholderText(QStringLiteral("Keine Bezeichnung eingegeben"));
    m_shpName->setGeometry(m_txtName->geometry().adjusted(-2, -2, 2, 2));
    m_shpName->show();
    m_shpName->raise();
    m_txtName->setFocus();
}

QString Katalogdialog::gehaltText(double v) { return v > 0 ? app().gebiet.zahlText(v) : QString(); }

QStringList Katalogdialog::eingaben() const
{
    QStringList e{m_txtName->text()};
    for (const QLineEdit* t : m_felder)
        e << t->text();
    return e;
}

bool Katalogdialog::oeffnen(const QString& nr)
{
    m_nr = nr;
    if (!m_nr.isEmpty()) {
        bool da = false;
        try {
            auto d = DuengerDienste::oeffnen(app());
            da = d && zeileLesen(d->katalog(), m_nr);
        } catch (const std::exception&) {
            da = false;
        }
        if (!da) {
            melden(QStringLiteral("Dieser %1 ist nicht mehr im Katalog und kann nicht bearbeitet werden.").arg(m_art));
            return false;
        }
    }
    m_geoeffnet = eingaben();
    return true;
}

bool Katalogdialog::speichern()
{
    const Pruefung p = pruefen();
    if (p.ohneName) {
        nameFehlt();
        return false;
    }
    if (!p.speicherbar) {
        melden(p.meldung);
        return false;
    }
    auto d = DuengerDienste::oeffnen(app());
    if (!d)
        return false;
    QString nr = m_nr;
    try {
        if (neu()) {
            if (const Gleich g = gleichBehandeln(d->katalog()); g != Gleich::Keins)
                return g == Gleich::Erledigt;
            nr = neuSpeichern(d->katalog());
            m_nr = nr; // saved: a further OK would change it
        } else if (!aendern(d->katalog(), nr)) {
            melden(QStringLiteral("Dieser %1 ist nicht mehr im Katalog. Ihre Änderungen können nicht gespeichert werden.")
                       .arg(m_art));
            return false;
        }
    } catch (const std::exception&) {
        melden(datenFehlerText(
            QStringLiteral("Der %1 konnte nicht gespeichert werden. Der Katalog ist unverändert.").arg(m_art)));
        return false;
    }
    m_geoeffnet = eingaben();
    gespeichert(nr);
    return true;
}

bool Katalogdialog::darfVerlassenWerden()
{
    if (eingaben() == m_geoeffnet)
        return true;
    raise();
    activateWindow();
    const QString name = m_txtName->text().trimmed();
    const QString wofuer = name.isEmpty() ? QStringLiteral("den neuen %1").arg(m_art)
                                          : QStringLiteral("den %1 \u201E%2\u201C").arg(m_art, name);
    const auto antwort = JaNeinFrage(windowTitle(),
                                     QStringLiteral("Ihre Eingaben für %1 sind noch nicht gespeichert. Sollen sie "
                                                    "gespeichert werden?")
                                         .arg(wofuer),
                                     QMessageBox::Yes, this, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                     QMessageBox::Question);
    if (antwort == QMessageBox::No)
        return true;
    // "Ja" stores as OK does; input that cannot be stored keeps the user in the window
    return antwort == QMessageBox::Yes && speichern();
}

bool Katalogdialog::escapetaste()
{
    if (darfVerlassenWerden())
        cmdAbbruch_Click();
    return true;
}

void Katalogdialog::melden(const QString& text) const
{
    if (app().anzeige)
        app().anzeige->zeige(Meldung{0, kDuengerMeldungTitel, text, Meldung::Symbol::Information});
}

void Katalogdialog::lexikonOeffnen(const QString& kapitel) const
{
    Rahmen& r = app().rahmen;
    r.strLexikonAnzeige = kapitel;
    r.blnLexikonVonAussen = true;
    try {
        ui().fenster.zeigen(QStringLiteral("frmLexikon"));
    } catch (const std::exception&) {
        r.blnLexikonVonAussen = false;
    }
}

void KatalogdialogOeffnen(const QString& fenster, const QString& nr)
{
    forms::FensterRegister& r = ui().fenster;
    if (forms::Fenster* offen = r.fenster(fenster)) {
        offen->widget()->raise();
        offen->widget()->activateWindow();
        return;
    }
    try {
        auto* f = dynamic_cast<Katalogdialog*>(r.laden(fenster));
        if (!f)
            return;
        if (!f->oeffnen(nr)) {
            r.entladen(f);
            return;
        }
        f->show();
        f->raise();
        f->activateWindow();
    } catch (const std::exception&) {
    }
}

bool Katalogdialog::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_lblVerhaeltnis && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        lexikonOeffnen(m_kapitel);
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        for (size_t i = 0; i < m_felder.size(); ++i) {
            if (o == m_felder[i] && (taste == Qt::Key_Return || taste == Qt::Key_Enter)) {
                QWidget* naechstes = i + 1 < m_felder.size() ? static_cast<QWidget*>(m_felder[i + 1]) : m_cmdOK;
                naechstes->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
