#include "frame/bilder.h"

#include <QFile>
#include <QHBoxLayout>
#include <QToolButton>

namespace kav {

namespace {

void aus(forms::BildListe& l, const char* schluessel, const char* datei = nullptr, const char* tag = nullptr)
{
    const QString pfad = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(datei ? datei : schluessel));
    if (QFile::exists(pfad))
        l.hinzufuegen(QString::fromUtf8(schluessel), QIcon(pfad), tag ? QString::fromUtf8(tag) : QString());
}

} // namespace

forms::BildListe iconListe()
{
    forms::BildListe l;
    for (const char* k : {"WerteEintragen", "Waage", "Lexikon", "Hilfe", "Einstellungen", "Info", "Ende1", "Ende2", "Weiter",
                          "Zurueck", "Abbruch", "Speichern", "Senden", "OK", "pdf", "eMail", "orgSub", "orgSub-", "hoch",
                          "runter"})
        aus(l, k);
    aus(l, "Abfall", "Papierkorb"); // the planner's delete button: the fertiliser step's waste bin
    return l;
}

forms::BildListe cursorListe()
{
    forms::BildListe l;
    aus(l, "ZeigerInfo");
    return l;
}

forms::BildListe brotkrumenListe()
{
    forms::BildListe l;
    aus(l, "OK", "SchrittOK");
    aus(l, "Inaktiv", "SchrittInaktiv");
    aus(l, "Aktiv", "SchrittAktiv");
    return l;
}

forms::BildListe titelListe()
{
    forms::BildListe l;
    aus(l, "Gr1001", "Gemuese", "Gemüse");
    aus(l, "Gr1002", "Blumen", "Blumen");
    aus(l, "Gr1003", "Zierstraucher", "Zierstraucher");
    aus(l, "Gr1004", "Stauden", "Stauden");
    aus(l, "Gr1005", "Rasen", "Rasen");
    aus(l, "Gr1006", "Obst", "Obst");
    aus(l, "Gr1007", "Gemuese", "Gemüse");
    aus(l, "Gr1008", "Gemuese", "Gemüse");
    aus(l, "Datum");
    aus(l, "Flaeche");
    return l;
}

forms::BildListe flaechenBaumListe()
{
    forms::BildListe l;
    for (const char* k : {"FlaecheGrp", "Flaeche", "Knoten", "opb0", "opb1"})
        aus(l, k);
    return l;
}

forms::BildListe checkListe()
{
    forms::BildListe l;
    for (const char* k : {"opb0", "opb1", "chb0", "chb1"})
        aus(l, k);
    return l;
}

QToolButton* bildKnopf(QWidget* eltern, const QString& name, const QString& text, const QString& hinweis)
{
    auto* b = new QToolButton(eltern);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hinweis);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMouseTracking(true);
    // a move over the button is the button's: the window's own move would take the highlight back
    b->setAttribute(Qt::WA_NoMousePropagation);
    return b;
}

QHBoxLayout* dialogKnoepfe(std::initializer_list<QToolButton*> knoepfe)
{
    auto* zeile = new QHBoxLayout;
    zeile->addStretch(1);
    for (QToolButton* b : knoepfe) {
        b->setIconSize(QSize(32, 32));
        b->setMinimumWidth(90);
        zeile->addWidget(b);
    }
    return zeile;
}

} // namespace kav
