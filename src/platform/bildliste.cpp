#include "platform/bildliste.h"

#include <QFileInfo>
#include <QImageReader>

namespace kav::forms {

void BildListe::hinzufuegen(const QString& schluessel, const QIcon& bild, const QString& tag)
{
    if (!m_bilder.contains(schluessel))
        m_reihenfolge.append(schluessel);
    m_bilder.insert(schluessel, bild);
    m_tags.insert(schluessel, tag);
}

bool BildListe::hinzufuegenDatei(const QString& schluessel, const QString& pfad, const QString& tag)
{
    if (!QFileInfo::exists(pfad))
        return false;
    QIcon icon(pfad);
    if (icon.isNull() || icon.pixmap(QSize(16, 16)).isNull())
        return false;
    hinzufuegen(schluessel, icon, tag);
    return true;
}

QIcon BildListe::bild(const QString& schluessel) const { return m_bilder.value(schluessel); }

QPixmap BildListe::pixmap(const QString& schluessel, const QSize& groesse) const
{
    const auto it = m_bilder.constFind(schluessel);
    if (it == m_bilder.constEnd() || groesse.isEmpty())
        return {};
    return it->pixmap(groesse);
}

} // namespace kav::forms
