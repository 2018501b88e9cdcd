#pragma once
// The analysis page: plot tree and the values of one soil analysis.
#include "frame/seite.h"

namespace kav {

class frmAnalysenWerte : public Seite {
    Q_OBJECT
public:
    frmAnalysenWerte();

    void Form_Load() override;
    void anordnen(Anordnung& a) override;
};

} // namespace kav
