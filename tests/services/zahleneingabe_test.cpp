#include "services/zahleneingabe.h"
#include "services/zahlenfilter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace kav;

TEST(ZahlenEingabe, RegelnDerTasten)
{
    // key into text with selection [sel, sel + len) and separator: code let through (0 swallowed), beep
    const struct { int key; const char* text; int sel, len; const char* dez; int code; bool piep; } faelle[] = {
        {'.', "", 0, 0, ",", 0, false},       // a lone "," is no number
        {'.', "1", 1, 0, ",", ',', false},    // "." types the locale's separator
        {',', "1", 1, 0, ".", '.', false},    {',', "1,5", 3, 0, ",", 0, false}, // a second separator
        {'7', "1,5", 3, 0, ",", '7', false},  {'a', "1", 1, 0, ",", 0, true},
        {'-', "", 0, 0, ",", 0, true},        {' ', "1", 1, 0, ",", 0, true},    {13, "1", 1, 0, ",", 0, true},
        {8, "abc", 3, 0, ",", 8, false},      // backspace always
        {'1', "abc", 3, 0, ",", '1', false},  // a text that is no number ("nicht bestimmt") is replaced
        {',', "abc", 3, 0, ",", 0, false},    // ... but not by a lone separator
        {',', "12", 1, 0, ",", ',', false},   // at the caret: "1,2"
        {',', "1,5", 0, 3, ",", 0, false},    // select all, then ",": would leave ","
        {'4', "1,5", 0, 3, ",", '4', false},  {',', "1,5", 1, 1, ",", ',', false}, // replacing the separator
    };
    for (const auto& f : faelle) {
        const ZahlenTaste t = ZahlenEingabePruefen(f.key, f.text, f.sel, f.len, f.dez);
        EXPECT_TRUE(t.code == f.code && t.piepen == f.piep) << "key " << f.key << " into '" << f.text << "'";
    }
    for (const auto& [text, zahl] : {std::pair{"12,25", true}, {",5", true}, {"1.5", false}, {"", false}})
        EXPECT_EQ(istZahlText(text, ","), zahl) << text;
}

// Every digit passes, into an empty box and behind a number, and either separator key types the
// locale's one, on a German and on an English system.
TEST(ZahlenEingabe, JedeZifferUndBeideTrennzeichen)
{
    for (const char* dez : {",", "."}) {
        for (char ziffer = '0'; ziffer <= '9'; ++ziffer) {
            for (const char* text : {"", "1", "0,5"}) {
                const QString t = QString(text).replace(',', dez);
                EXPECT_EQ(ZahlenEingabePruefen(ziffer, t, static_cast<int>(t.size()), 0, dez).code, ziffer)
                    << ziffer << " hinter '" << text << "'";
            }
            EXPECT_TRUE(istZahlText(QString(ziffer) + dez + ziffer, dez)) << ziffer;
        }
        for (const char taste : {',', '.'})
            EXPECT_EQ(ZahlenEingabePruefen(taste, "9", 1, 0, dez).code, dez[0]) << taste << " mit " << dez;
    }
}

namespace {

struct Box {
    Box()
    {
        ZahlenFilter::installieren(&edit, ",");
        ZahlenFilter::setPiepen([this] { ++piepser; });
        edit.show();
        edit.setFocus();
    }
    ~Box() { ZahlenFilter::setPiepen({}); }
    QLineEdit edit;
    int piepser = 0;
};

} // namespace

TEST(ZahlenFilter, TastenAuswahlUndEinfuegenImTextfeld)
{
    Box b;
    QTest::keyClick(&b.edit, '.'); // into the empty box: swallowed
    EXPECT_EQ(b.edit.text(), "");
    QTest::keyClicks(&b.edit, "1.");
    EXPECT_EQ(b.edit.text(), "1,");
    QTest::keyClicks(&b.edit, "5,."); // a second separator is swallowed
    EXPECT_EQ(b.edit.text(), "1,5");
    EXPECT_EQ(b.piepser, 0);
    QTest::keyClick(&b.edit, 'x');
    EXPECT_EQ(b.edit.text(), "1,5");
    EXPECT_EQ(b.piepser, 1);
    QTest::keyClick(&b.edit, Qt::Key_Backspace);
    QTest::keyClick(&b.edit, Qt::Key_Backspace);
    EXPECT_EQ(b.edit.text(), "1");
    QTest::keyClicks(&b.edit, ",5");
    b.edit.selectAll();
    QTest::keyClick(&b.edit, ',');
    EXPECT_EQ(b.edit.text(), "1,5"); // not ","
    b.edit.selectAll();
    QTest::keyClick(&b.edit, '2');
    EXPECT_EQ(b.edit.text(), "2");

    // pasted text goes through the same rule
    const std::pair<const char*, const char*> einfuegen[] = {{"abc", "2"}, {",75", "2,75"}, {"1", "2,751"}};
    for (const auto& [text, danach] : einfuegen) {
        QApplication::clipboard()->setText(text);
        b.edit.end(false);
        b.edit.paste();
        EXPECT_EQ(b.edit.text(), danach) << text;
    }
    b.edit.selectAll();
    QApplication::clipboard()->setText("3,,");
    b.edit.paste();
    EXPECT_EQ(b.edit.text(), "2,751");
    // pasted as typing gives it: the other separator and blanks
    for (const auto& [text, danach] : {std::pair{"1.5", "1,5"}, {" 12 ", "12"}, {"1.5.5", "12"}, {"-3", "12"}}) {
        b.edit.selectAll();
        QApplication::clipboard()->setText(text);
        b.edit.paste();
        EXPECT_EQ(b.edit.text(), danach) << text;
    }
}

// Typed key by key into a box: every digit, then either separator once.
TEST(ZahlenFilter, JedeZifferUndTrennzeichenGetippt)
{
    for (const char* trenner : {",", "."}) {
        Box b;
        QTest::keyClicks(&b.edit, QString("0123456789") + trenner + "9876543210");
        EXPECT_EQ(b.edit.text(), "0123456789,9876543210") << trenner;
        EXPECT_EQ(b.piepser, 0);
    }
}

// The usual shortcuts keep working in a number box: select all, copy, cut, paste, undo.
TEST(ZahlenFilter, StrgKuerzelWirkenWieSonst)
{
    Box b;
    QTest::keyClicks(&b.edit, "12,5");
    QApplication::clipboard()->clear();
    QTest::keyClick(&b.edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(b.edit.selectedText(), "12,5");
    QTest::keyClick(&b.edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "12,5");
    QTest::keyClick(&b.edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(b.edit.text(), "");
    QTest::keyClick(&b.edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&b.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.edit.text(), "12,5"); // the second "12,5" would make no number
    QTest::keyClick(&b.edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(b.edit.text(), "");
    EXPECT_EQ(b.piepser, 0);
}
