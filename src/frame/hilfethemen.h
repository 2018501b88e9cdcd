#pragma once
// The help topic of a window and the file of a topic.
#include <QString>

namespace kav {

// Topic page of a window name (exact comparison, letter case included); "index.htm" for any other.
QString hilfeThemaFuer(const QString& fensterName);
// The page of a topic: the help folder + "/" + the topic as it stands ("Berechnung_2b.htm").
QString hilfeDateiFuer(const QString& hilfeOrdner, const QString& thema);

} // namespace kav
