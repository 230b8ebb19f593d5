// The search rules without the dialog: where a find lands with and without
// case, across the pieces a large text is read in, and what a replace-all
// makes of a text (count, result with its line-break forms, caret).

#include "find/findengine.h"

#include <QTest>

using zp::ReplaceAllPlan;
using zp::StringSearchText;

namespace {

// Counts its reads, so that a far match is seen to cost a few large ones.
struct CountedText : StringSearchText
{
    using StringSearchText::StringSearchText;
    QString read(int position, int count) const override
    {
        ++reads;
        return StringSearchText::read(position, count);
    }
    mutable int reads = 0;
};

} // namespace

class TestFindEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("expected");
        QTest::newRow("overlapping, from inside the first") << "aaaa" << "aa" << 1 << true << 1;
        QTest::newRow("across a line break") << "ab\ncd" << "b\nc" << 0 << true << 1;
        QTest::newRow("empty needle never matches") << "abc" << "" << 0 << true << -1;
        QTest::newRow("needle longer than text") << "ab" << "abc" << 0 << true << -1;
        QTest::newRow("from past the end") << "abc" << "c" << 9 << true << -1;
        QTest::newRow("negative from is the top") << "abc" << "a" << -4 << true << 0;
        // Any case: every letter finds its other case, both ways; nothing
        // else in ASCII has one.
        for (char c = 'a'; c <= 'z'; ++c) {
            const QString lower(QLatin1Char{c}), upper = lower.toUpper();
            QTest::addRow("any case %c", c) << "1" + upper << lower << 0 << false << 1;
            QTest::addRow("any case %c", c - 32) << "1" + lower << upper << 0 << false << 1;
            QTest::addRow("exact case %c", c) << upper << lower << 0 << true << -1;
        }
        QTest::newRow("any case, ` is not @") << "@" << "`" << 0 << false << -1;
        QTest::newRow("any case, { is not [") << "[" << "{" << 0 << false << -1;
        // Any case keeps every position: characters whose upper case is
        // longer stay as they are.
        QTest::newRow("sharp s") << u"ßabc"_qs << "ABC" << 0 << false << 1;
        QTest::newRow("ligature fi") << u"\uFB01x"_qs << "X" << 0 << false << 1;
        QTest::newRow("full-width") << u"-ａｚ"_qs << u"ＡＺ"_qs << 0 << false << 1;
        QTest::newRow("surrogate pair") << u"-\U00010428a"_qs << u"\U00010400A"_qs << 0 << false << 1;
        QTest::newRow("lone surrogate") << u"\xD801" "a"_qs << "A" << 0 << false << 1;
        // The text is read in pieces of 4 K characters at first; a pair the
        // boundary cuts through is upper-cased whole all the same.
        QTest::newRow("surrogate pair cut by a piece boundary")
                << QString(4095, u'a') + u"\U00010428"_qs << u"\xDC28"_qs << 0 << false << -1;
    }

    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, from);
        QFETCH(bool, matchCase);
        QFETCH(int, expected);
        QCOMPARE(zp::findText(StringSearchText(text), needle, from, matchCase), expected);
    }

    void findAcrossPieces_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("matchCase");
        // The text is read in growing pieces from 4 K characters; matches on
        // and around the boundaries must be found exactly once, at their place.
        for (int at : {0, 4093, 4094, 4095, 4096, 12285, 12286, 200000, 262141, 262142, 999996}) {
            QTest::addRow("at %d, exact", at) << at << true;
            QTest::addRow("at %d, any case", at) << at << false;
        }
    }

    void findAcrossPieces()
    {
        QFETCH(int, at);
        QFETCH(bool, matchCase);
        const CountedText source(QString(1000000, u'x').replace(at, 4, QStringLiteral("find")));
        QCOMPARE(zp::findText(source, QStringLiteral("find"), 0, matchCase), at);
        if (!matchCase)
            QCOMPARE(zp::findText(source, QStringLiteral("FIND"), 0, false), at);
        // A far match costs a handful of reads, not one per few characters.
        QVERIFY2(source.reads < 60, qPrintable(QString::number(source.reads)));
        QCOMPARE(zp::findText(source, QStringLiteral("find"), at + 1, matchCase), -1);
        // A replace-all reads the text in large pieces; a piece without a
        // match must move it on to the next one (it once read the same two
        // pieces in turn for ever).
        zp::ReplaceAllPlan plan(QStringLiteral("find"), QString());
        while (plan.findNext(source)) {
        }
        QCOMPARE(plan.matches(), std::vector<int>{at});
    }

    void replaceAll_data()
    {
        // Line breaks are written as the digit of their form: 0 CR LF, 1 CR,
        // 2 LF; 9 is a break the replacement brings, which takes the new form.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("inserted text not searched again") << "aaa" << "a" << "aa" << 3 << "aaaaaa" << 6;
        QTest::newRow("exact case only") << "abc ABC Abc" << "ABC" << "x" << 1 << "abc x Abc" << 5;
        QTest::newRow("overlaps taken left to right") << "aaaa" << "aa" << "b" << 2 << "bb" << 2;
        QTest::newRow("nothing found") << "abc" << "z" << "y" << 0 << "abc" << -1;
        QTest::newRow("shrinks") << "<br><br>x" << "<br>" << "" << 2 << "x" << 0;
        QTest::newRow("breaks keep their forms") << "abc0abc1abc2abc" << "abc" << "abcde" << 4
                                                 << "abcde0abcde1abcde2abcde" << 23;
        QTest::newRow("find text across a break") << "a0b a1b2c" << "a\nb" << "-" << 2 << "- -2c" << 3;
        QTest::newRow("breaks in the replacement") << "x;y1z;" << ";" << "\r\n\n" << 2 << "x99y1z99" << 8;
        QTest::newRow("a lone CR before a CR LF") << "b10c" << "c" << "d" << 1 << "b10d" << 4;
    }

    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(int, count);
        QFETCH(QString, result);
        QFETCH(int, caret);
        std::vector<quint8> forms;
        for (QChar &c : text) {
            if (c.isDigit()) {
                forms.push_back(quint8(c.digitValue()));
                c = u'\n';
            }
        }
        ReplaceAllPlan plan(find, replacement);
        while (plan.findNext(StringSearchText(text))) {
        }
        QCOMPARE(plan.count(), count);
        QString out = plan.apply(text, forms, 9);
        QCOMPARE(qsizetype(forms.size()), out.count(u'\n'));
        auto form = forms.begin();
        for (QChar &c : out) {
            if (c == u'\n')
                c = QChar(u'0' + *form++);
        }
        QCOMPARE(out, result);
        QCOMPARE(plan.caretAfter(), caret);
    }

    // Two matches of "ab" in "ab-ab-ab" are planned before the scan reaches
    // the end; then the text is edited and the scan goes on.
    void planFollowsEdits_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("result");
        QTest::newRow("typing before both shifts them") << 0 << 0 << "zz" << "zzX-X-X";
        QTest::newRow("typing between keeps both") << 3 << 0 << "q" << "X-qX-X";
        QTest::newRow("typing inside a match drops it") << 4 << 0 << "q" << "X-aqb-X";
        QTest::newRow("deleting a match drops it") << 2 << 3 << "" << "X-X";
        QTest::newRow("typing right after a match") << 2 << 0 << "!" << "X!-X-X";
    }

    void planFollowsEdits()
    {
        QFETCH(int, position);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        QFETCH(QString, result);
        const QString before = QStringLiteral("ab-ab-ab");
        ReplaceAllPlan plan(QStringLiteral("ab"), QStringLiteral("X"));
        QVERIFY(plan.findNext(StringSearchText(before)));
        QVERIFY(plan.findNext(StringSearchText(before)));
        const QString after = QString(before).replace(position, removed, inserted);
        plan.textChanged(position, removed, int(inserted.size()));
        while (plan.findNext(StringSearchText(after))) {
        }
        std::vector<quint8> forms;
        QCOMPARE(plan.apply(after, forms, 0), result);
    }
};

QTEST_GUILESS_MAIN(TestFindEngine)
#include "tst_findengine.moc"
