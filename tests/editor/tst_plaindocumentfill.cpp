// The direct filling of a document must leave exactly the document that
// setPlainText builds, and one that stays sound through later edits: both
// are compared block by block and edited side by side, and the two inner
// trees are checked for the red-black and size rules after every step.

#include "editor/plaindocumentfill.h"

#include <QPlainTextDocumentLayout>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <private/qfragmentmap_p.h>
#include <private/qtextdocument_p.h>

#include <memory>

namespace {

constexpr QChar Separator(0x2029);

template <class Fragment>
class TreeCheck
{
public:
    explicit TreeCheck(const QFragmentMap<Fragment> &map)
        : m_map(map), m_tree(*reinterpret_cast<const QFragmentMapData<Fragment> *>(&map))
    {
    }

    // An empty string when the tree keeps every rule, else the first fault.
    QString run()
    {
        const quint32 root = m_tree.root();
        if (root && m_tree.fragment(root)->color != 1)
            return QStringLiteral("red root");
        quint32 sizes[Fragment::size_array_max];
        int blackHeight = 0;
        visit(root, 0, sizes, blackHeight);
        if (m_error.isEmpty() && m_nodes != quint32(m_map.numNodes()))
            m_error = QStringLiteral("%1 nodes linked, %2 counted").arg(m_nodes).arg(m_map.numNodes());
        return m_error;
    }

private:
    void visit(quint32 n, quint32 parent, quint32 *sizes, int &blackHeight)
    {
        constexpr int fields = Fragment::size_array_max;
        std::fill(sizes, sizes + fields, 0u);
        blackHeight = 1;
        if (!n || !m_error.isEmpty())
            return;
        ++m_nodes;
        const Fragment *f = m_tree.fragment(n);
        if (f->parent != parent)
            m_error = QStringLiteral("node %1: wrong parent").arg(n);
        const bool red = f->color == 0;
        for (quint32 child : {f->left, f->right})
            if (red && child && m_tree.fragment(child)->color == 0)
                m_error = QStringLiteral("node %1: red under red").arg(n);
        quint32 left[fields], right[fields];
        int leftHeight = 0, rightHeight = 0;
        visit(f->left, n, left, leftHeight);
        visit(f->right, n, right, rightHeight);
        if (leftHeight != rightHeight)
            m_error = QStringLiteral("node %1: black heights %2 and %3").arg(n).arg(leftHeight).arg(rightHeight);
        for (int i = 0; i < fields; ++i) {
            if (f->size_left_array[i] != left[i])
                m_error = QStringLiteral("node %1: left size %2 of field %3, should be %4")
                              .arg(n).arg(f->size_left_array[i]).arg(i).arg(left[i]);
            sizes[i] = left[i] + f->size_array[i] + right[i];
        }
        blackHeight = leftHeight + (red ? 0 : 1);
    }

    const QFragmentMap<Fragment> &m_map;
    const QFragmentMapData<Fragment> &m_tree;
    quint32 m_nodes = 0;
    QString m_error;
};

QString checkTrees(QTextDocument *doc)
{
    QTextDocumentPrivate *d = QTextDocumentPrivate::get(doc);
    QString error = TreeCheck<QTextFragmentData>(d->fragmentMap()).run();
    if (error.isEmpty())
        error = TreeCheck<QTextBlockData>(d->blockMap()).run();
    return error;
}

std::unique_ptr<QTextDocument> newPlainDocument()
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc.get()));
    return doc;
}

// Same text, same blocks in the same places, same numbering and formats.
void compareDocuments(QTextDocument *filled, QTextDocument *reference)
{
    QCOMPARE(checkTrees(filled), QString());
    QCOMPARE(filled->toRawText(), reference->toRawText());
    QCOMPARE(filled->blockCount(), reference->blockCount());
    QCOMPARE(filled->characterCount(), reference->characterCount());
    QCOMPARE(filled->lineCount(), reference->lineCount());
    for (QTextBlock a = filled->begin(), b = reference->begin(); b.isValid(); a = a.next(), b = b.next()) {
        QVERIFY(a.isValid());
        QCOMPARE(a.position(), b.position());
        QCOMPARE(a.length(), b.length());
        QCOMPARE(a.blockNumber(), b.blockNumber());
        QCOMPARE(a.firstLineNumber(), b.firstLineNumber());
        QCOMPARE(a.blockFormat(), b.blockFormat());
        QCOMPARE(a.charFormat(), b.charFormat());
        QCOMPARE(filled->findBlock(a.position() + a.length() - 1).blockNumber(), b.blockNumber());
        QCOMPARE(filled->findBlockByNumber(b.blockNumber()).position(), b.position());
    }
}

// A text of lineCount lines mixing tags, Japanese, tabs, surrogate pairs and
// empty lines; the same variant always gives the same text.
QString mixedText(int lineCount, int variant)
{
    QRandomGenerator random{quint32(variant)};
    static const QString words[] = {QStringLiteral("<p>"), QStringLiteral("日本語"),
                                    QStringLiteral("abc "), QStringLiteral("\t"),
                                    QString::fromUtf8("\xF0\x9F\x98\x80"), QString()};
    QString text;
    for (int line = 0; line < lineCount; ++line) {
        if (line)
            text += Separator;
        const int wordCount = int(random.bounded(6));
        for (int w = 0; w < wordCount; ++w)
            text += words[random.bounded(6)];
    }
    return text;
}

} // namespace

class TestPlainDocumentFill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameDocumentAsSetPlainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one line") << QStringLiteral("abc");
        QTest::newRow("only a break") << QString(Separator);
        QTest::newRow("two lines") << QStringLiteral("a") + Separator + QStringLiteral("b");
        QTest::newRow("empty lines") << QString(3, Separator);
        QTest::newRow("ends with a break") << QStringLiteral("abc") + Separator;
        QTest::newRow("starts with a break") << Separator + QStringLiteral("abc");
        // Tree shapes: full levels, one over, one under.
        for (int lines : {2, 3, 4, 7, 8, 9, 15, 16, 17, 255, 256, 1000, 4097})
            QTest::newRow(qPrintable(QStringLiteral("%1 lines").arg(lines))) << mixedText(lines, lines);
    }

    void sameDocumentAsSetPlainText()
    {
        QFETCH(QString, text);
        auto filled = newPlainDocument();
        auto reference = newPlainDocument();
        const QTextCursor caret(filled.get());
        QVERIFY(zp::fillEmptyDocument(filled.get(), text));
        reference->setPlainText(text);
        compareDocuments(filled.get(), reference.get());
        QVERIFY(!filled->isUndoAvailable());
        // The caret stays at the start, where setPlainText leaves it.
        QCOMPARE(caret.position(), 0);
    }

    // Edits made afterwards (typing, deleting across lines, pasting lines,
    // undo and redo) keep both documents alike and the trees sound.
    void editsAfterwardsMatch_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("small") << 5;
        QTest::newRow("medium") << 300;
        QTest::newRow("large") << 5000;
    }

    void editsAfterwardsMatch()
    {
        QFETCH(int, lines);
        const QString text = mixedText(lines, 7);
        auto filled = newPlainDocument();
        auto reference = newPlainDocument();
        QVERIFY(zp::fillEmptyDocument(filled.get(), text));
        reference->setPlainText(text);
        QRandomGenerator random{quint32(lines)};
        for (int step = 0; step < 300; ++step) {
            const int length = reference->characterCount() - 1;
            const int kind = int(random.bounded(5));
            const int pos = int(random.bounded(length + 1));
            for (QTextDocument *doc : {filled.get(), reference.get()}) {
                QTextCursor cursor(doc);
                cursor.setPosition(pos);
                if (kind == 0) {
                    cursor.insertText(QStringLiteral("x"));
                } else if (kind == 1) {
                    cursor.insertText(QStringLiteral("新しい") + Separator + QStringLiteral("行"));
                } else if (kind == 2) {
                    cursor.setPosition(std::min(length, pos + 40), QTextCursor::KeepAnchor);
                    cursor.removeSelectedText();
                } else if (kind == 3) {
                    doc->undo();
                } else {
                    doc->redo();
                }
            }
            QCOMPARE(checkTrees(filled.get()), QString());
            QCOMPARE(filled->toRawText(), reference->toRawText());
            QCOMPARE(filled->blockCount(), reference->blockCount());
        }
        compareDocuments(filled.get(), reference.get());
    }

    // Frame markers are block boundaries to Qt; a document that already
    // holds text is not replaced. Both are declined and leave it alone.
    void declinesWhatItCannotBuild()
    {
        auto doc = newPlainDocument();
        QVERIFY(!zp::fillEmptyDocument(doc.get(), QStringLiteral("a") + QChar(0xfdd0) + QStringLiteral("b")));
        QVERIFY(!zp::fillEmptyDocument(doc.get(), QString()));
        QCOMPARE(doc->characterCount(), 1);
        doc->setPlainText(QStringLiteral("old"));
        QVERIFY(!zp::fillEmptyDocument(doc.get(), QStringLiteral("new")));
        QCOMPARE(doc->toPlainText(), QStringLiteral("old"));
    }

    // The check made of every filled document: counts and a few lines.
    void holdsLinesCheck_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<bool>("holds");
        const QString sep(Separator);
        QTest::newRow("the same lines") << "ab" + sep + "c" + sep + "def" << true;
        QTest::newRow("a line split elsewhere") << "a" + sep + "bc" + sep + "def" << false;
        QTest::newRow("another first character") << "xb" + sep + "c" + sep + "def" << false;
        QTest::newRow("another last character") << "ab" + sep + "c" + sep + "dex" << false;
        QTest::newRow("a line more") << "ab" + sep + "c" + sep + "de" + sep << false;
        QTest::newRow("longer") << "ab" + sep + "c" + sep + "defg" << false;
    }

    void holdsLinesCheck()
    {
        QFETCH(QString, built);
        QFETCH(bool, holds);
        auto doc = newPlainDocument();
        doc->setPlainText(built);
        QCOMPARE(zp::documentHoldsLines(doc.get(), QStringLiteral("ab") + Separator + "c" + Separator + "def"), holds);
    }

    // The document announces the new text once, as setPlainText does.
    void announcesOneInsertion()
    {
        auto doc = newPlainDocument();
        QList<QList<int>> changes;
        connect(doc.get(), &QTextDocument::contentsChange, this,
                [&](int from, int removed, int added) { changes.append({from, removed, added}); });
        const QString text = QStringLiteral("ab") + Separator + QStringLiteral("c");
        QVERIFY(zp::fillEmptyDocument(doc.get(), text));
        QCOMPARE(changes, (QList<QList<int>>{{0, 0, int(text.size())}}));
    }
};

QTEST_MAIN(TestPlainDocumentFill)
#include "tst_plaindocumentfill.moc"
