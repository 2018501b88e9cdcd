#pragma once
// Option buttons and check boxes drawn as pictures (or as any other control that is clicked to
// choose), with what a form gives such controls at the keyboard:
// - the group is one tab stop, on the option chosen (on the first one shown while none is);
// - the arrow keys move to the option before or after it and choose that option as a click does
//   (in a grid, left and right move along the row, up and down from row to row);
// - Space chooses the option that has the focus, a check box (`Art::Schalter`) switches;
// - the focus mark takes in the option's caption.
// Hidden and disabled options are passed over. The form keeps what is chosen: the group asks it
// through `gewaehlt` and chooses through `waehlen`, the handler a click calls.
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace kav::forms {

class Optionsgruppe : public QObject {
    Q_OBJECT
public:
    enum class Art { Optionen, Schalter };
    struct Option {
        QWidget* feld;                  // the picture, or the control clicked
        QWidget* beschriftung = nullptr; // its caption (may be none)
    };

    // `gewaehlt`: index of the option chosen now, -1 for none (a check box: 0 when it is on).
    // `spalten`: options in a grid of rows this long; 0 for a single row or column.
    Optionsgruppe(QObject* eltern, std::vector<Option> optionen, std::function<int()> gewaehlt,
                  std::function<void(int)> waehlen, Art art = Art::Optionen, int spalten = 0);
    ~Optionsgruppe() override;

    // Puts the tab stop on the option that has the focus, else on the one chosen, else on the first
    // one shown. Runs before each Tab and before the first control of a window is looked for.
    void aktualisieren();
    // The control of the tab stop now (after aktualisieren), nullptr when no option can be reached.
    QWidget* stopp() const;

    int anzahl() const { return static_cast<int>(m_optionen.size()); }
    QWidget* feld(int i) const;
    // The group of a control, nullptr when it is in none.
    static Optionsgruppe* von(const QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    int index(const QObject* o) const;
    bool erreichbar(int i) const;
    // The next option from `von` by `schritt` that can be reached (a row or column turns round at its
    // end, the rows of a grid do not); -1 for none.
    int weiter(int von, int schritt, bool rund) const;
    void gehen(int i);

    std::vector<Option> m_optionen;
    std::function<int()> m_gewaehlt;
    std::function<void(int)> m_waehlen;
    Art m_art;
    int m_spalten;
};

} // namespace kav::forms
