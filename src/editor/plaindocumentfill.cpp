#include "editor/plaindocumentfill.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtGlobal>

#include <private/qfragmentmap_p.h>
#include <private/qtextdocument_p.h>

#include <climits>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zp {

namespace {

constexpr char16_t ParagraphSeparator = 0x2029;
// Qt's frame markers: a text holding them is not stored as plain lines.
constexpr char16_t BeginningOfFrame = 0xfdd0;
constexpr char16_t EndOfFrame = 0xfdd1;
// The colours of the nodes of Qt's fragment trees.
constexpr quint32 Red = 0;
constexpr quint32 Black = 1;

// The private structures are those of the headers the program was built with.
bool runsOnBuildQt()
{
    return qstrcmp(qVersion(), QT_VERSION_STR) == 0;
}

// Where each line of text ends (at its separator).
std::vector<int> separatorsOf(const QString &text)
{
    std::vector<int> separators;
    const QChar *chars = text.constData();
    for (int i = 0, n = int(text.size()); i < n; ++i) {
        if (chars[i].unicode() == ParagraphSeparator)
            separators.push_back(i);
    }
    return separators;
}

// Checks through the public interface, in a time that does not grow with the
// text, that document holds text split at separators: block count, length, and
// the place, length and end characters of the first, middle and last lines.
bool holdsLines(const QTextDocument *document, const QString &text, const std::vector<int> &separators)
{
    const int blockCount = int(separators.size()) + 1;
    if (document->blockCount() != blockCount || document->characterCount() != text.size() + 1)
        return false;
    for (const int k : {0, blockCount / 2, blockCount - 1}) {
        const int start = k == 0 ? 0 : separators[std::size_t(k - 1)] + 1;
        const int end = k < blockCount - 1 ? separators[std::size_t(k)] : int(text.size());
        const QTextBlock block = document->findBlockByNumber(k);
        if (!block.isValid() || block.position() != start || block.length() != end - start + 1
            || document->findBlock(end).blockNumber() != k)
            return false;
        if (end > start
            && (document->characterAt(start) != text.at(start)
                || document->characterAt(end - 1) != text.at(end - 1)))
            return false;
    }
    return true;
}

bool fillTrees(QTextDocument *document, const QString &text, const std::vector<int> &separators);

// The document's character buffer is a private member; an explicit
// instantiation may name it, and hands its address out here.
using BufferMember = QString QTextDocumentPrivate::*;
BufferMember documentBuffer();
template <BufferMember Member>
struct BufferAccess
{
    friend BufferMember documentBuffer() { return Member; }
};
template struct BufferAccess<&QTextDocumentPrivate::text>;

// Builds a small document once and checks it whole, before and after an
// edit: a Qt whose private structures differ from the headers (a rebuild of
// the same version) fails here instead of in a user's document. A probe that
// fails is left allocated, since freeing a damaged document may crash.
bool fillConfirmed()
{
    static const bool confirmed = [] {
        QString text;
        for (int line = 0; line < 40; ++line)
            text += QString(line % 7, QChar(u'a' + line % 26)) + QChar(ParagraphSeparator);
        auto *probe = new QTextDocument;
        if (!fillTrees(probe, text, separatorsOf(text)) || probe->toRawText() != text)
            return false;
        QTextCursor cursor(probe);
        cursor.setPosition(int(text.size() / 2));
        cursor.insertText(QStringLiteral("xy") + QChar(ParagraphSeparator));
        text.insert(text.size() / 2, QStringLiteral("xy") + QChar(ParagraphSeparator));
        if (!holdsLines(probe, text, separatorsOf(text)) || probe->toRawText() != text)
            return false;
        delete probe;
        return true;
    }();
    return confirmed;
}

// The tree inside a QFragmentMap, which holds nothing else.
template <class Fragment>
QFragmentMapData<Fragment> &treeOf(QFragmentMap<Fragment> &map)
{
    static_assert(sizeof(QFragmentMap<Fragment>) == sizeof(QFragmentMapData<Fragment>));
    static_assert(sizeof(QFragmentMapData<Fragment>) == sizeof(void *));
    return *reinterpret_cast<QFragmentMapData<Fragment> *>(&map);
}

// The nodes of one tree, in the array form the tree itself uses: a header in
// slot 0, nodes from slot 1 on, then free slots (allocated with malloc, as
// the tree reallocates and frees them).
template <class Fragment>
class NodeArray
{
public:
    using Header = typename QFragmentMapData<Fragment>::Header;

    explicit NodeArray(quint32 count) : m_count(count)
    {
        // Some room to grow, so that the first edits do not copy the array.
        const quint64 slots = quint64(count) + count / 8 + 64;
        if (slots < std::numeric_limits<quint32>::max())
            m_nodes = static_cast<Fragment *>(std::malloc(slots * sizeof(Fragment)));
        m_allocated = quint32(slots);
    }
    ~NodeArray() { std::free(m_nodes); }
    NodeArray(const NodeArray &) = delete;
    NodeArray &operator=(const NodeArray &) = delete;

    bool isValid() const { return m_nodes != nullptr; }
    // Node i of the document order, from 1.
    Fragment &node(quint32 i) { return m_nodes[i]; }

    // Links the nodes 1..count, whose sizes are set, into a balanced
    // red-black tree and gives the array to tree, freeing the tree's old one.
    void installInto(QFragmentMapData<Fragment> &tree)
    {
        int height = 0;
        while ((quint64(2) << height) <= m_count)
            ++height;
        // Every path from a node down to a missing child then holds the same
        // number of black nodes: the bottom level is red unless it is full.
        m_redDepth = (quint64(2) << height) - 1 == m_count ? -1 : height;
        quint32 totals[Fragment::size_array_max];
        const quint32 root = link(1, m_count + 1, 0, 0, totals);

        auto *header = reinterpret_cast<Header *>(m_nodes);
        header->tag = (quint32('p') << 24) | (quint32('m') << 16) | (quint32('a') << 8) | 'p';
        header->root = root;
        header->node_count = m_count;
        header->allocated = m_allocated;
        header->freelist = m_count + 1;
        m_nodes[m_count + 1].right = 0;

        std::free(tree.fragments);
        tree.fragments = m_nodes;
        m_nodes = nullptr;
    }

private:
    // Links the nodes [begin, end) under parent and returns the subtree's
    // root; totals receives the subtree's sizes.
    quint32 link(quint32 begin, quint32 end, quint32 parent, int depth, quint32 *totals)
    {
        constexpr int fields = Fragment::size_array_max;
        if (begin == end) {
            for (int f = 0; f < fields; ++f)
                totals[f] = 0;
            return 0;
        }
        const quint32 mid = begin + (end - begin) / 2;
        quint32 left[fields];
        quint32 right[fields];
        Fragment &n = m_nodes[mid];
        n.parent = parent;
        n.left = link(begin, mid, mid, depth + 1, left);
        n.right = link(mid + 1, end, mid, depth + 1, right);
        n.color = depth == m_redDepth ? Red : Black;
        for (int f = 0; f < fields; ++f) {
            n.size_left_array[f] = left[f];
            totals[f] = left[f] + n.size_array[f] + right[f];
        }
        return mid;
    }

    Fragment *m_nodes = nullptr;
    quint32 m_count;
    quint32 m_allocated = 0;
    int m_redDepth = -1;
};

bool fillTrees(QTextDocument *document, const QString &text, const std::vector<int> &separators)
{
    QTextDocumentPrivate *d = QTextDocumentPrivate::get(document);
    QTextDocumentPrivate::FragmentMap &fragments = d->fragmentMap();
    QTextDocumentPrivate::BlockMap &blocks = d->blockMap();
    if (fragments.numNodes() != 1 || blocks.numNodes() != 1 || d->isInEditBlock())
        return false;

    const int length = int(text.size());
    quint32 nonEmptyLines = 0;
    int lineStart = 0;
    for (const int separator : separators) {
        nonEmptyLines += separator > lineStart;
        lineStart = separator + 1;
    }
    nonEmptyLines += length > lineStart;

    const quint32 blockCount = quint32(separators.size()) + 1;
    // A fragment per line of text, one per separator, and the document's own
    // final separator.
    const quint32 fragmentCount = nonEmptyLines + quint32(separators.size()) + 1;
    NodeArray<QTextFragmentData> fragmentNodes(fragmentCount);
    NodeArray<QTextBlockData> blockNodes(blockCount);
    if (!fragmentNodes.isValid() || !blockNodes.isValid())
        return false;

    // The empty document: one separator fragment in one block, whose formats
    // every new fragment and block takes, as setPlainText gives them.
    const QTextFragmentData *finalSeparator = fragments.fragment(fragments.firstNode());
    int finalSeparatorPosition = finalSeparator->stringPosition;
    const int charFormat = finalSeparator->format;
    const int blockFormat = blocks.fragment(blocks.firstNode())->format;

    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    d->beginEditBlock();
    // The ordinary insertion appends the characters to the document's buffer
    // and records the change (0, 0, length) for the signals sent at the end of
    // the edit block; its fragment and block are replaced below.
    // Cursors (all at 0 in an empty document) stay at the start, where
    // setPlainText leaves the caret.
    // The buffer, which holds only the final separator, becomes text itself,
    // shared rather than copied, so that a large file's text is not held
    // twice while it is set; the final block's separator is then one of
    // text's own (fragments only point into the buffer, and the characters
    // agree). A text without a break is appended to the buffer as usual.
    QString &buffer = d->*documentBuffer();
    const bool shared = !separators.empty() && buffer.size() == 1;
    const int base = shared ? 0 : int(buffer.size());
    const bool cursorsWereHeld = d->blockCursorAdjustment;
    d->blockCursorAdjustment = true;
    if (shared) {
        buffer = text;
        finalSeparatorPosition = separators.back();
        d->insert(0, 0, length, charFormat);
    } else {
        d->insert(0, text, charFormat);
    }
    d->blockCursorAdjustment = cursorsWereHeld;
    const int revision = document->revision();

    quint32 fragment = 0;
    const auto addFragment = [&](int stringPosition, int size) {
        QTextFragmentData &f = fragmentNodes.node(++fragment);
        f.size_array[0] = quint32(size);
        f.stringPosition = stringPosition;
        f.format = charFormat;
    };
    lineStart = 0;
    for (quint32 line = 0; line < blockCount; ++line) {
        const int lineEnd = line < separators.size() ? separators[line] : length;
        if (lineEnd > lineStart)
            addFragment(base + lineStart, lineEnd - lineStart);
        if (line < separators.size())
            addFragment(base + lineEnd, 1);
        else
            addFragment(finalSeparatorPosition, 1);

        QTextBlockData &b = blockNodes.node(line + 1);
        b.initialize();
        b.size_array[0] = quint32(lineEnd - lineStart + 1);
        b.size_array[1] = 1; // one block
        b.size_array[2] = 1; // one line until the layout says otherwise
        b.format = blockFormat;
        b.revision = revision;
        lineStart = lineEnd + 1;
    }

    for (auto it = blocks.begin(); !it.atEnd(); ++it)
        it.value()->free();
    fragmentNodes.installInto(treeOf(fragments));
    blockNodes.installInto(treeOf(blocks));

    d->endEditBlock();
    document->setUndoRedoEnabled(undo);
    return true;
}

} // namespace

bool fillEmptyDocument(QTextDocument *document, const QString &text)
{
    if (!runsOnBuildQt() || document->characterCount() != 1 || text.isEmpty()
        || text.size() > INT_MAX / 2 || text.contains(QChar(BeginningOfFrame))
        || text.contains(QChar(EndOfFrame)) || !fillConfirmed())
        return false;
    const std::vector<int> separators = separatorsOf(text);
    if (!fillTrees(document, text, separators))
        return false;
    if (holdsLines(document, text, separators))
        return true;
    // Not the document that was meant: emptied again the public way, for the
    // caller to set the text as usual.
    document->clear();
    return false;
}

bool documentHoldsLines(const QTextDocument *document, const QString &text)
{
    return holdsLines(document, text, separatorsOf(text));
}

} // namespace zp
