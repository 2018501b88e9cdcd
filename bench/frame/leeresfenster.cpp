// The reference of the start-up benchmark (bench_start): a bare Qt main window with a status bar,
// shown; says "gemalt" on its first paint and ends there.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

class GemaltMelden : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            QTimer::singleShot(0, [] {
                std::puts("gemalt");
                std::fflush(stdout);
                std::_Exit(0);
            });
        return QObject::eventFilter(o, e);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QMainWindow f;
    f.setWindowTitle(QStringLiteral("Kav - Humavera"));
    auto* mitte = new QLabel(QStringLiteral("Programm durch Doppelklick starten"));
    f.setCentralWidget(mitte);
    f.statusBar()->addWidget(new QLabel(QStringLiteral("Humavera")));
    f.resize(800, 600);
    GemaltMelden melden;
    mitte->installEventFilter(&melden);
    f.show();
    return qapp.exec();
}
