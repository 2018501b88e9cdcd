// The keyboard rules every window shares, on small windows of their own: Enter and Escape press only a
// button that can be pressed, Tab reads the controls in reading order, an option group is one tab stop
// that the arrow keys move round.
#include "platform/fenster.h"
#include "platform/optionsgruppe.h"
#include "platform/tastenlink.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace kav::forms;

namespace {

QWidget* fokus() { return QApplication::focusWidget(); }
std::string name(const QWidget* w) { return w ? w->objectName().toStdString() : "(keiner)"; }

void taste(int t, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    ASSERT_NE(fokus(), nullptr);
    QTest::keyClick(fokus(), static_cast<Qt::Key>(t), mod);
}

QPushButton* knopf(QWidget* eltern, const char* name, const QRect& r)
{
    auto* b = new QPushButton(QString::fromLatin1(name), eltern);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(r);
    return b;
}

void zeigen(QWidget* w)
{
    w->resize(320, 240);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// The window around a page: records the keys the page leaves to it.
class Umgebung : public QWidget {
public:
    QList<int> tasten;

protected:
    void keyPressEvent(QKeyEvent* e) override { tasten << e->key(); }
};

// Three options in a row, one chosen, in a window between the buttons "vor" and "nach".
struct Gruppenfenster {
    std::unique_ptr<Formular> f = std::make_unique<Formular>(QStringLiteral("frmProbe"));
    int gewaehlt;
    QPushButton* vor = knopf(f.get(), "vor", {10, 10, 80, 25});
    QPushButton* nach = knopf(f.get(), "nach", {10, 120, 80, 25});
    QList<QWidget*> optionen;

    explicit Gruppenfenster(int wahl) : gewaehlt(wahl)
    {
        std::vector<Optionsgruppe::Option> o;
        for (int i = 0; i < 3; ++i) {
            auto* feld = new QWidget(f.get());
            feld->setObjectName(QStringLiteral("opt%1").arg(i));
            feld->setGeometry(10 + 40 * i, 60, 24, 24);
            optionen << feld;
            o.push_back({feld});
        }
        new Optionsgruppe(f.get(), o, [this] { return gewaehlt; }, [this](int i) { gewaehlt = i; });
    }
};

} // namespace

// A default or cancel button that is disabled or hidden is not pressed, and the key goes on to the
// window around; one that can be pressed takes the key.
TEST(Tastenregeln, EnterUndEscapeDrueckenNurEinenKnopfDerGehtUndGesehenWird)
{
    enum Zustand { Bereit, Gesperrt, Versteckt };
    for (const Zustand z : {Bereit, Gesperrt, Versteckt}) {
        SCOPED_TRACE(z);
        Umgebung fenster;
        auto* seite = new Formular(QStringLiteral("frmSeite"), &fenster);
        seite->setGeometry(0, 0, 300, 200);
        auto* feld = new QLineEdit(seite);
        feld->setGeometry(10, 10, 120, 24);
        QPushButton* ok = knopf(seite, "ok", {10, 60, 80, 25});
        QPushButton* abbruch = knopf(seite, "abbruch", {100, 60, 80, 25});
        seite->setStandardKnopf(ok);
        seite->setAbbruchKnopf(abbruch);
        QStringList gedrueckt;
        for (QPushButton* b : {ok, abbruch}) {
            QObject::connect(b, &QPushButton::clicked, b, [&gedrueckt, b] { gedrueckt << b->objectName(); });
            b->setEnabled(z != Gesperrt);
            b->setHidden(z == Versteckt);
        }
        ASSERT_NO_FATAL_FAILURE(zeigen(&fenster));
        feld->setFocus();
        for (const int t : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            ASSERT_NO_FATAL_FAILURE(taste(t));
        if (z == Bereit) {
            EXPECT_EQ(gedrueckt.join(' ').toStdString(), "ok ok abbruch");
            EXPECT_TRUE(fenster.tasten.isEmpty());
        } else {
            EXPECT_EQ(gedrueckt.join(' ').toStdString(), "");
            EXPECT_EQ(fenster.tasten, QList<int>({Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}));
        }
    }
}

// Four buttons in two columns of two rows, a gap between the columns and a wider one between the rows:
// the left column is read to its end before the right one, Shift+Tab goes the same way back.
TEST(Tastenregeln, ZweiMalZweiSpalteFuerSpalte)
{
    Formular f(QStringLiteral("frmRaster"));
    QPushButton* a = knopf(&f, "A", {10, 10, 80, 25});
    knopf(&f, "B", {110, 10, 80, 25});
    knopf(&f, "C", {10, 120, 80, 25});
    knopf(&f, "D", {110, 120, 80, 25});
    ASSERT_NO_FATAL_FAILURE(zeigen(&f));
    a->setFocus();
    QStringList vor{fokus()->objectName()}, zurueck{fokus()->objectName()};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
        vor << fokus()->objectName();
    }
    for (int i = 0; i < 4; ++i) {
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Backtab, Qt::ShiftModifier));
        zurueck << fokus()->objectName();
    }
    EXPECT_EQ(vor.join(' ').toStdString(), "A C B D A");
    EXPECT_EQ(zurueck.join(' ').toStdString(), "A D B C A");
}

// Tab round windows laid out as the pages are: controls that meet side by side, or stand the pixel or two
// apart that rounding leaves, are one row and no columns (a calendar and its month buttons above a box and
// its unit), left to right also where the right one stands a few pixels higher; the links of a page come
// after its other controls, before the controls of the page below.
TEST(Tastenregeln, ZeilenOhneSpaltenschnittUndLinksJeSeite)
{
    struct Teil {
        const char* name;
        QRect r;
        bool link = false;
        int seite = 0; // 0: the window itself, else the page of that number in it
    };
    // the controls, the round from the first one to it again
    const std::pair<std::vector<Teil>, const char*> faelle[] = {
        {{{"K", {10, 10, 148, 100}}, {"P", {160, 10, 30, 50}}, {"F", {160, 60, 30, 50}}, {"N", {10, 130, 148, 22}},
          {"E", {160, 130, 60, 22}}},
         "K P F N E K"},
        {{{"L", {10, 10, 80, 25}}, {"R", {90, 6, 80, 25}}, {"U", {10, 60, 160, 25}}}, "L R U L"},
        {{{"A1", {10, 10, 100, 22}, false, 1}, {"La", {10, 40, 100, 20}, true, 1}, {"A2", {10, 70, 100, 22}, false, 1},
          {"B1", {10, 10, 100, 22}, false, 2}, {"Lb", {10, 40, 100, 20}, true, 2}, {"B2", {10, 70, 100, 22}, false, 2}},
         "A1 A2 La B1 B2 Lb A1"},
    };
    for (const auto& [teile, runde] : faelle) {
        Formular f(QStringLiteral("frmLesefolge"));
        QList<QWidget*> seiten{&f};
        for (const Teil& t : teile) {
            while (seiten.size() <= t.seite) { // a page under the one before
                seiten << new Formular(QStringLiteral("frmSeite%1").arg(seiten.size()), &f);
                seiten.last()->setGeometry(0, 120 * (seiten.size() - 2), 300, 120);
            }
            const QString name = QString::fromLatin1(t.name);
            QWidget* w = t.link ? static_cast<QWidget*>(new QLabel(name, seiten[t.seite])) : new QPushButton(name, seiten[t.seite]);
            w->setObjectName(name);
            w->setGeometry(t.r);
            if (t.link)
                new Tastenlink(w, w, [] {});
        }
        ASSERT_NO_FATAL_FAILURE(zeigen(&f));
        f.findChild<QWidget*>(QString::fromLatin1(teile.front().name))->setFocus();
        QStringList gegangen{fokus()->objectName()};
        for (size_t i = 0; i < teile.size(); ++i) {
            ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
            gegangen << fokus()->objectName();
        }
        EXPECT_EQ(gegangen.join(' ').toStdString(), runde);
    }
}

// Right on the last option of a row goes round to the first, Left on the first to the last, each
// choosing the option it goes to.
TEST(Tastenregeln, PfeileGehenUmDieGruppeHerum)
{
    const struct { int von; int t; int nach; } faelle[] = {
        {2, Qt::Key_Right, 0}, {0, Qt::Key_Left, 2}, {0, Qt::Key_Right, 1}, {1, Qt::Key_Left, 0},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(QString("%1 %2").arg(fall.von).arg(QKeySequence(fall.t).toString()).toStdString());
        Gruppenfenster g(fall.von);
        ASSERT_NO_FATAL_FAILURE(zeigen(g.f.get()));
        g.optionen[fall.von]->setFocus();
        ASSERT_NO_FATAL_FAILURE(taste(fall.t));
        EXPECT_EQ(g.gewaehlt, fall.nach);
        EXPECT_EQ(name(fokus()), name(g.optionen[fall.nach]));
    }
}

// Tab and Shift+Tab into a group land on the option chosen, on the first one while none is; the next
// Tab leaves the group.
TEST(Tastenregeln, TabInDieGruppeLandetAufDerGewaehltenOption)
{
    for (const int wahl : {1, 2, -1}) {
        SCOPED_TRACE(wahl);
        Gruppenfenster g(wahl);
        ASSERT_NO_FATAL_FAILURE(zeigen(g.f.get()));
        QWidget* ziel = g.optionen[std::max(wahl, 0)];
        g.vor->setFocus();
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
        EXPECT_EQ(name(fokus()), name(ziel));
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Tab));
        EXPECT_EQ(name(fokus()), "nach");
        ASSERT_NO_FATAL_FAILURE(taste(Qt::Key_Backtab, Qt::ShiftModifier));
        EXPECT_EQ(name(fokus()), name(ziel));
        EXPECT_EQ(g.gewaehlt, wahl); // Tab chooses nothing
    }
}
