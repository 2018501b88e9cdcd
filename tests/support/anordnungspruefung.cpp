#include "anordnungspruefung.h"

#include "frame/anordnung.h"
#include "frame/fensterplatz.h"
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "frame/programmschrift.h"
#include "platform/fokusrahmen.h"
#include "platform/rounding.h"
#include "services/appcontext.h"

#include <QAbstractSpinBox>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace kav::test {

namespace {

std::string name(const QWidget* w)
{
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName()).toStdString();
}

// The room the text of a label needs at the label's width, measured the way the label lays it out.
QSize textgroesse(const QLabel* l)
{
    if (l->wordWrap())
        return QSize(l->width(), l->heightForWidth(l->width()));
    const int rand = 2 * (l->margin() + l->frameWidth());
    return l->sizeHint() - QSize(rand, rand);
}

// What a control shows in its parent: a label its text where its alignment puts it (nothing
// without text or picture), any other control its whole box.
QRect gezeigt(const QWidget* w)
{
    if (const auto* l = qobject_cast<const QLabel*>(w); l && l->pixmap().isNull()) {
        if (l->text().isEmpty())
            return {};
        return QStyle::alignedRect(l->layoutDirection(), l->alignment(), textgroesse(l).boundedTo(l->size()), l->geometry());
    }
    return w->geometry();
}

// Whether the checks go on into the controls of `w`: plain containers only, not the parts of a
// composite control (a list's scroll bars, a date box's line edit).
bool behaelter(const QWidget* w)
{
    const QByteArray klasse = w->metaObject()->className();
    return klasse == "QWidget" || klasse == "QFrame" || klasse == "QGroupBox";
}

// The text of `w` fits the control.
void textPasst(const QWidget* w, const std::string& wo)
{
    const std::string n = name(w) + " (" + wo + ")";
    // every text in the family the windows are laid out for, whatever the desktop's
    EXPECT_EQ(QFontInfo(w->font()).family(), QLatin1String(kProgrammschrift)) << n;
    const int zeile = w->fontMetrics().height();
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty())
            return;
        const QSize noetig = textgroesse(l);
        EXPECT_LE(noetig.width(), l->width()) << n << ": " << l->text().toStdString();
        EXPECT_LE(noetig.height(), l->height()) << n << ": " << l->text().toStdString();
    } else if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) {
        EXPECT_GE(w->height(), zeile + 2) << n;
    } else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        EXPECT_GE(c->height(), zeile + 2) << n;
        EXPECT_GE(c->width(), c->sizeHint().width()) << n;
    } else if (const auto* b = qobject_cast<const QToolButton*>(w)) {
        const QStringList zeilen = b->text().split(QLatin1Char('\n'));
        int breite = 0;
        for (const QString& z : zeilen)
            breite = std::max(breite, b->fontMetrics().horizontalAdvance(z));
        if (!b->text().isEmpty()) {
            EXPECT_LE(breite, b->width() - 12) << n << ": " << b->text().toStdString();
        }
        if (b->toolButtonStyle() == Qt::ToolButtonTextUnderIcon) {
            EXPECT_LE(b->iconSize().height() + int(zeilen.size()) * zeile, b->height()) << n;
        }
    } else if (const auto* p = qobject_cast<const QPushButton*>(w)) {
        EXPECT_LE(p->fontMetrics().horizontalAdvance(p->text()), p->width()) << n;
        EXPECT_GE(p->height(), zeile) << n;
    } else if (const auto* k = qobject_cast<const QCalendarWidget*>(w)) {
        tagesnamenGanz(k, n);
        wochenGanz(k, n);
    }
}

void pruefeEbene(const QWidget* eltern, const std::string& wo, const QList<const QWidget*>& ausgenommen)
{
    std::vector<const QWidget*> v;
    for (const QObject* o : eltern->children())
        if (const auto* w = qobject_cast<const QWidget*>(o); w && !w->isWindow() && !w->isHidden() && !forms::istFokusrahmen(w))
            v.push_back(w);
    for (size_t i = 0; i < v.size(); ++i) {
        const std::string n = name(v[i]);
        const QRect a = gezeigt(v[i]);
        EXPECT_TRUE(a.isEmpty() || eltern->rect().contains(a)) << n << " ragt aus " << name(eltern) << " (" << wo << ")";
        textPasst(v[i], wo);
        if (ausgenommen.contains(v[i]))
            continue;
        for (size_t j = i + 1; j < v.size(); ++j)
            if (!ausgenommen.contains(v[j])) {
                EXPECT_FALSE(a.intersects(gezeigt(v[j]))) << n << " / " << name(v[j]) << " (" << wo << ")";
            }
        if (behaelter(v[i]))
            pruefeEbene(v[i], wo, ausgenommen);
    }
}

} // namespace

void tagesnamenGanz(const QCalendarWidget* kalender, const std::string& wo)
{
    const auto* v = kalender->findChild<const QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(v, nullptr) << wo;
    if (kalender->horizontalHeaderFormat() == QCalendarWidget::NoHorizontalHeader)
        return;
    // the text as the cell draws it, within its margins
    const int rand = 2 * (v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1);
    for (int spalte = 0; spalte < v->model()->columnCount(); ++spalte) {
        const QModelIndex tag = v->model()->index(0, spalte);
        const QFontMetricsF fm(tag.data(Qt::FontRole).value<QFont>());
        EXPECT_LE(fm.horizontalAdvance(tag.data().toString()) + rand, v->visualRect(tag).width())
            << wo << ": " << tag.data().toString().toStdString();
    }
}

void wochenGanz(const QCalendarWidget* kalender, const std::string& wo)
{
    const auto* v = kalender->findChild<const QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(v, nullptr) << wo;
    for (int zeile = 0; zeile < v->model()->rowCount(); ++zeile) {
        const QModelIndex tag = v->model()->index(zeile, 0);
        const QRect r = v->visualRect(tag);
        const int schrift = QFontMetrics(tag.data(Qt::FontRole).value<QFont>()).height();
        EXPECT_TRUE(v->viewport()->rect().contains(r)) << wo << ": Zeile " << zeile;
        EXPECT_GE(r.height(), schrift) << wo << ": Zeile " << zeile;
    }
    // whatever else the calendar shows (with a frame or a background even without text) beside the weeks
    for (const QWidget* w : kalender->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != v && w->isVisible() && !w->isWindow()) {
            EXPECT_FALSE(w->geometry().intersects(v->geometry())) << wo << ": " << name(w) << " über den Wochen";
        }
}

void fokusrahmenLaesstTexteFrei(const QWidget* fenster, const std::string& wo)
{
    const QWidget* ring = nullptr;
    for (const QWidget* w : fenster->findChildren<const QWidget*>())
        if (forms::istFokusrahmen(w) && w->isVisible())
            ring = w;
    ASSERT_NE(ring, nullptr) << wo << ": kein Fokusrahmen zu sehen";
    // the ring is a band around the control (and its caption); what lies inside the band is theirs
    const QRect aussen = ring->geometry();
    const QRect innen = aussen.adjusted(forms::kFokusrahmenBreite, forms::kFokusrahmenBreite, -forms::kFokusrahmenBreite,
                                        -forms::kFokusrahmenBreite);
    for (const QLabel* l : fenster->findChildren<const QLabel*>()) {
        if (!l->isVisible() || l->window() != ring->window())
            continue;
        const QRect text = gezeigt(l).translated(l->parentWidget()->mapTo(ring->parentWidget(), QPoint(0, 0)));
        EXPECT_FALSE(text.intersects(aussen) && !innen.contains(text))
            << wo << ": der Fokusrahmen liegt über dem Text von " << name(l) << " „" << l->text().toStdString() << "“";
    }
}

void beschriftungenAmGroesstenDiePassen(const QList<const QToolButton*>& knoepfe, double soll, const std::string& wo)
{
    // a caption in `f` as the bar shows it: on one line, else split at the blank nearest its middle;
    // the width of its widest line and its number of lines
    const auto gezeigt = [](const QFont& f, QString text, int platz) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QFontMetrics fm(f);
        if (fm.horizontalAdvance(text) <= platz)
            return std::pair(fm.horizontalAdvance(text), 1);
        int mitte = -1;
        for (int i = 0; i < text.size(); ++i)
            if (text[i] == QLatin1Char(' ') && (mitte < 0 || std::abs(i - text.size() / 2) < std::abs(mitte - text.size() / 2)))
                mitte = i;
        if (mitte < 0)
            return std::pair(fm.horizontalAdvance(text), 1);
        return std::pair(std::max(fm.horizontalAdvance(text.left(mitte)), fm.horizontalAdvance(text.mid(mitte + 1))), 2);
    };
    for (const QToolButton* b : knoepfe) {
        const std::string n = name(b) + " (" + wo + ")";
        const double groesse = b->font().pointSizeF();
        const int platz = b->width() - 12;
        EXPECT_LE(gezeigt(b->font(), b->text(), platz).first, platz) << n;
        EXPECT_LE(groesse, soll) << n;
        if (groesse >= soll || groesse <= 6)
            continue;
        // half a point more for this caption and every other one at its size (the bar's captions grow
        // together): this caption too wide, or the pictures beside the captions lower than 1¼ lines
        bool zuBreit = false;
        int zeilen = 1;
        int zeilenHoehe = 0;
        for (const QToolButton* k : knoepfe) {
            QFont f = k->font();
            if (k == b || f.pointSizeF() == groesse)
                f.setPointSizeF(f.pointSizeF() + 0.5);
            const auto [breite, z] = gezeigt(f, k->text(), k->width() - 12);
            zuBreit = zuBreit || (k == b && breite > platz);
            zeilen = std::max(zeilen, z);
            zeilenHoehe = std::max(zeilenHoehe, QFontMetrics(f).height());
        }
        const int bild = b->height() - zeilen * zeilenHoehe - 8;
        EXPECT_TRUE(zuBreit || bild < 1.25 * zeilenHoehe) << n << ": " << groesse << " pt, wo " << groesse + 0.5 << " pt passen";
    }
}

QList<QSize> pruefgroessen()
{
    const double tpp = forms::twipsProPixel();
    const QSize kleinste(rundenGanz(kMindestBreite / tpp), rundenGanz(kMindestHoehe / tpp));
    return {kleinste, QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)};
}

void hauptfensterGroesse(QSize groesse)
{
    mdiZentral* haupt = ui().haupt;
    ASSERT_NE(haupt, nullptr);
    haupt->setWindowState(Qt::WindowNoState);
    // the outer size (with the frame) counts
    const int rb = haupt->frameGeometry().width() - haupt->width();
    const int rh = haupt->frameGeometry().height() - haupt->height();
    haupt->resize(groesse.width() - rb, groesse.height() - rh);
    Rahmen& r = app().rahmen;
    r.sngHoeheStart = static_cast<float>(0.9 * groesse.height() * 15);
    r.sngBreiteStart = static_cast<float>(groesse.width() * 15);
}

void anordnungJetztPruefen(const QWidget* fenster, const std::string& wo, const QList<const QWidget*>& ausgenommen)
{
    ASSERT_NE(fenster, nullptr);
    EXPECT_EQ(ui().uebersprungeneAnweisungen, 0) << wo;
    if (fenster->isWindow() && fenster->parentWidget()) {
        EXPECT_EQ(fenster->minimumSize(), fenster->maximumSize()) << name(fenster) << " (" << wo << ")";
    }
    pruefeEbene(fenster, wo, ausgenommen);
}

void nichtsUeberdecktOderAbgeschnitten(const QWidget* fenster, const QList<const QWidget*>& ausgenommen)
{
    for (const QSize g : pruefgroessen()) {
        ASSERT_NO_FATAL_FAILURE(hauptfensterGroesse(g));
        ArbeitsbereichAnordnen();
        anordnungJetztPruefen(fenster, std::to_string(g.width()) + "x" + std::to_string(g.height()), ausgenommen);
    }
}

} // namespace kav::test
