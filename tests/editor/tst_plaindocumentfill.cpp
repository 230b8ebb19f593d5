// The direct filling of a document must leave exactly the document that
// setPlainText builds, and one that stays sound through later edits: both
// are compared block by block and edited side by side, and the two inner
// trees are checked for the red-black and size rules after every step.

#include "editor/plaindocumentfill.h"

#include <QPlainTextDocumentLayout>
#include <QRandomGenerator>
#include <QSignalSpy>
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
    static const QString words[] = {"<p>", "日本語", "abc ", "\t", u"\U0001F600"_qs, ""};
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
        // Short texts of empty and other lines in every order ("-" empty).
        for (int lines = 1; lines <= 3; ++lines) {
            for (int mask = lines == 1 ? 1 : 0; mask < 1 << lines; ++mask) {
                QStringList parts, name;
                for (int i = 0; i < lines; ++i) {
                    parts.append(mask >> i & 1 ? QStringLiteral("ab") : QString());
                    name.append(mask >> i & 1 ? QStringLiteral("ab") : QStringLiteral("-"));
                }
                QTest::newRow(qPrintable(name.join(u' '))) << parts.join(Separator);
            }
        }
        // Tree shapes: full levels, one over, one under.
        for (int lines : {4, 7, 8, 9, 15, 16, 17, 255, 256, 1000, 5000})
            QTest::addRow("%d lines", lines) << mixedText(lines, lines);
    }

    // The filled document is the one setPlainText builds, announced as one
    // insertion; edits made afterwards (typing, deleting across lines,
    // pasting lines, undo and redo) keep the two alike and the trees sound.
    void sameDocumentAsSetPlainText()
    {
        QFETCH(QString, text);
        auto filled = newPlainDocument();
        auto reference = newPlainDocument();
        const QTextCursor caret(filled.get());
        QSignalSpy changes(filled.get(), &QTextDocument::contentsChange);
        QVERIFY(zp::fillEmptyDocument(filled.get(), text));
        reference->setPlainText(text);
        compareDocuments(filled.get(), reference.get());
        QCOMPARE(changes, (QList<QVariantList>{{0, 0, int(text.size())}}));
        QVERIFY(!filled->isUndoAvailable());
        QCOMPARE(caret.position(), 0); // where setPlainText leaves it
        // A text with a break becomes the document's buffer itself, so a
        // large file's text is not held twice while it is set.
        if (text.contains(Separator))
            QCOMPARE(QTextDocumentPrivate::get(filled.get())->buffer().constData(), text.constData());

        QRandomGenerator random{quint32(text.size())};
        for (int step = 0; step < 200; ++step) {
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
                } else {
                    kind == 3 ? doc->undo() : doc->redo();
                }
            }
            compareDocuments(filled.get(), reference.get());
            if (QTest::currentTestFailed())
                return;
        }
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
        QTest::newRow("the same lines") << "ab|c|def" << true;
        QTest::newRow("a line split elsewhere") << "a|bc|def" << false;
        QTest::newRow("another first character") << "xb|c|def" << false;
        QTest::newRow("another last character") << "ab|c|dex" << false;
        QTest::newRow("a line more") << "ab|c|de|" << false;
        QTest::newRow("longer") << "ab|c|defg" << false;
    }

    void holdsLinesCheck()
    {
        QFETCH(QString, built);
        QFETCH(bool, holds);
        auto doc = newPlainDocument();
        doc->setPlainText(built.replace(u'|', Separator));
        QCOMPARE(zp::documentHoldsLines(doc.get(), QStringLiteral("ab") + Separator + "c" + Separator + "def"), holds);
    }
};

QTEST_MAIN(TestPlainDocumentFill)
#include "tst_plaindocumentfill.moc"
