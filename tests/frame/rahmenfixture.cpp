#include "rahmenfixture.h"

#include "platform/twips.h"

namespace kav::test {

namespace {
void sammle(QWidget* w, const QString& pfad, QMap<QString, QString>& m)
{
    const forms::Tw t(w);
    const QRect g = w->geometry();
    m.insert(pfad, QStringLiteral("%1 %2 %3 %4 | %5 %6 %7 | %8,%9,%10,%11")
                       .arg(t.Left(), 0, 'g', 17).arg(t.Top(), 0, 'g', 17).arg(t.Width(), 0, 'g', 17).arg(t.Height(), 0, 'g', 17)
                       .arg(w->font().pointSizeF()).arg(w->font().bold()).arg(w->isHidden())
                       .arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
    int i = 0;
    for (QObject* k : w->children())
        if (auto* kw = qobject_cast<QWidget*>(k); kw && !kw->isWindow())
            sammle(kw, pfad + "/" + (kw->objectName().isEmpty() ? QString::number(i++) : kw->objectName()), m);
}
} // namespace

QMap<QString, QString> abbild(QWidget* w)
{
    QMap<QString, QString> m;
    sammle(w, w->objectName(), m);
    return m;
}

} // namespace kav::test
