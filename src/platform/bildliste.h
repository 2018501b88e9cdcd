#pragma once
// An image list: pictures by key, each with a tag. Pictures are kept as icons (SVG where there is
// one) and drawn at the size asked for, so they stay sharp at every font size.
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace kav::forms {

class BildListe {
public:
    void hinzufuegen(const QString& schluessel, const QIcon& bild, const QString& tag = {});
    // Adds the picture of a file (SVG, PNG, GIF...); false when it cannot be read.
    bool hinzufuegenDatei(const QString& schluessel, const QString& pfad, const QString& tag = {});

    bool enthaelt(const QString& schluessel) const { return m_bilder.contains(schluessel); }
    // The picture of a key; a null icon for a key that is not in the list.
    QIcon bild(const QString& schluessel) const;
    // The picture drawn at `groesse` device-independent pixels; a null pixmap for a missing key.
    QPixmap pixmap(const QString& schluessel, const QSize& groesse) const;
    QString tag(const QString& schluessel) const { return m_tags.value(schluessel); }
    QStringList schluessel() const { return m_reihenfolge; }
    int Count() const { return static_cast<int>(m_reihenfolge.size()); }

private:
    QHash<QString, QIcon> m_bilder;
    QHash<QString, QString> m_tags;
    QStringList m_reihenfolge;
};

} // namespace kav::forms
