#include "frame/sendeknoepfe.h"

#include "frame/oberflaeche.h"

namespace kav {

namespace {
struct Knopf {
    const char* fenster;
    const char* name;
};
constexpr Knopf kKnoepfe[] = {{"frmAnalysenWerte", "cmbSpeichern"}, {"frmNPK1", "cmbSenden"}};
} // namespace

void SendeKnoepfeZeigen(bool sichtbar)
{
    for (const Knopf& k : kKnoepfe) {
        forms::Fenster* f = ui().fenster.fenster(QLatin1String(k.fenster));
        QWidget* seite = f ? f->widget() : nullptr;
        if (QWidget* knopf = seite ? seite->findChild<QWidget*>(QLatin1String(k.name)) : nullptr)
            forms::setVisible(knopf, sichtbar);
    }
}

} // namespace kav
