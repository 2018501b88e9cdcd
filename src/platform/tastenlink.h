#pragma once
// A caption that acts on a click (a link into the lexicon, a web address) made a control of the
// keyboard: a stop of the tab chain with the focus mark round it (and round a caption of a second
// line that belongs to it); Space and Enter on it act as its click and go no further, so that the
// window's default button stays unpressed. The click of the mouse stays the window's. A window
// opened gives the focus to a control before a link (Enter there goes on, it opens no chapter).
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace kav::forms {

class Tastenlink : public QObject {
    Q_OBJECT
public:
    // `eltern`: the window of the caption. `klick`: what a click on the caption does. `begleiter`: a
    // caption taken into its focus mark.
    Tastenlink(QObject* eltern, QWidget* beschriftung, std::function<void()> klick, QWidget* begleiter = nullptr);
    ~Tastenlink() override;

    // Whether `w` is a caption made a link.
    static bool ist(const QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QPointer<QWidget> m_beschriftung;
    std::function<void()> m_klick;
};

} // namespace kav::forms
