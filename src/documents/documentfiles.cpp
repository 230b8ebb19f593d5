// Loading a file into a document window, and saving a document's text.

#include "documents/documents.h"

#include "documents/documentsize.h"
#include "documents/filepaths.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/cp932codec.h"
#include "platform/editsettings.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/frame.h"
#include "platform/memoryavailable.h"
#include "platform/messageboxes.h"
#include "preview/previews.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMdiSubWindow>
#include <QPointer>

#include <algorithm>

namespace zp {

namespace {

// The first character of text that CP932 cannot store (a surrogate pair
// counts as one), or "" when there is none. Only run after the encoder
// reported a loss, so its speed matters little; each character is tried once.
QString firstUnmappable(const QString &text)
{
    QHash<char32_t, bool> known;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = text.at(i);
        qsizetype length = 1;
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            length = 2;
        const char16_t unit = c.unicode();
        if (unit >= 0x80 && !(unit >= KeptByteBase && unit <= KeptByteBase + 0xFF)) {
            const QString character = text.mid(i, length);
            const char32_t code = length == 2 ? QChar::surrogateToUcs4(c, text.at(i + 1)) : unit;
            auto found = known.constFind(code);
            if (found == known.constEnd()) {
                qsizetype lost = 0;
                encodeCp932(character, &lost);
                found = known.insert(code, lost > 0);
            }
            if (*found)
                return character;
        }
        i += length;
    }
    return QString();
}

QString describeCharacter(const QString &character)
{
    const char32_t code = character.size() == 2
            ? QChar::surrogateToUcs4(character.at(0), character.at(1))
            : char32_t(character.at(0).unicode());
    return QStringLiteral("「%1」(U+%2)")
            .arg(character, QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'));
}

QString tooLargeReason(qint64 bytes)
{
    if (bytes > DocumentSize::MaxBytes)
        return QStringLiteral("ファイルが大きすぎます（%1 バイト）。開けるのは 1 GB までです。")
                .arg(bytes);
    return QStringLiteral("ファイルが大きすぎて、使えるメモリーに収まりません（%1 バイトまで読んだところ）。")
            .arg(bytes);
}

} // namespace

void Documents::refuseFile(const QString &path, const QString &reason)
{
    m_context.messageBoxes->show(dialogOwner(),
                                 QStringLiteral("%1 を開けません。\n%2").arg(path, reason),
                                 AppTitle, MessageBoxes::Buttons::Ok,
                                 MessageBoxes::Icon::Warning, MessageBoxes::Answer::Ok);
}

bool Documents::openForDocument(const QString &path, QFile &file, FileOpening &opening)
{
    opening = openRegularFile(file, path);
    if (opening.result == FileOpening::NotAFile) {
        refuseFile(path, opening.reason);
        return false;
    }
    if (opening.result == FileOpening::Opened
        && !DocumentSize(availableMemory()).fits(opening.size)) {
        file.close();
        refuseFile(path, tooLargeReason(opening.size));
        return false;
    }
    return true;
}

Documents::Loaded Documents::LoadDocumentFile(EditWindow *window, const QString &path,
                                              QFile &file, const FileOpening &opening)
{
    switch (opening.result) {
    case FileOpening::Opened:
        return LoadDocumentFrom(window, path, file);
    case FileOpening::Failed:
        // A file that exists but cannot be read must not pass for an empty
        // one: saving over it would destroy it.
        fileNotReadWhole(window, path, opening.reason, false);
        return Loaded::Yes;
    default:
        // A missing file is a new one and opens empty without a word; so
        // does a folder (a command-line path rebuilt up to its folder).
        return Loaded::Yes;
    }
}

Documents::Loaded Documents::LoadDocumentFrom(EditWindow *window, const QString &path,
                                              QIODevice &file)
{
    QPointer<EditWindow> guard(window);
    QPointer<QMdiSubWindow> sub(window->subWindow());
    // The window was closed while events ran: gone, or its sub-window closed
    // and waiting to be destroyed.
    auto closed = [&] { return !guard || (sub && sub->isHidden()); };

    TextView *view = window->rtfEdit();
    // Hiding the focused editor would pass the focus, and with it the active
    // window, to another document; the window's frame holds it meanwhile.
    QWidget *holder = window->picfrm();
    const Qt::FocusPolicy holderPolicy = holder->focusPolicy();
    const bool hadFocus = window->window()->focusWidget() == view;
    if (hadFocus) {
        holder->setFocusPolicy(Qt::StrongFocus);
        holder->setFocus();
    }
    view->hide();
    // Events run between the blocks; until the whole file is in, no command
    // may save, convert or edit the half-read document.
    window->setBusy(EditWindow::Busy::Loading);
    Cp932Decoder decoder;
    QString text;
    // Only what the file held when the read began: a file that grows without
    // end (a log being written) must not keep the read going. Files that
    // report no size (those of /proc) are read to their end, within the limit.
    const qint64 size = file.size();
    const qint64 wanted = size > 0 ? size : DocumentSize::MaxBytes + 1;
    DocumentSize cost(availableMemory());
    QString failure;
    bool tooLarge = false;
    // A CP932 text never has more characters than bytes: reserved whole when
    // the size is known (it was checked against the memory), the text is
    // never copied while it grows.
    text.reserve(qsizetype(size > 0 ? std::min(size, DocumentSize::MaxBytes) : ReadBlock) + 16);
    QByteArray block(qsizetype(std::clamp(size, qint64(64 * 1024), ReadBlock)), Qt::Uninitialized);
    for (qint64 done = 0; done < wanted;) {
        if (size >= ReadBlock || done >= ReadBlock) {
            QCoreApplication::processEvents();
            if (closed())
                return Loaded::WindowClosed;
        }
        const qint64 got = file.read(block.data(), std::min<qint64>(block.size(), wanted - done));
        if (got < 0)
            failure = file.errorString();
        if (got <= 0)
            break; // a file that shrank ends here, with what it still had
        done += got;
        if (!cost.add(block.constData(), got)) {
            tooLarge = true;
            failure = tooLargeReason(done);
            break;
        }
        text += decoder.decode(block.constData(), got, false);
        // The whole size is in: one byte more means the file grew meanwhile,
        // and saving what was read would cut off the rest.
        if (done == size && size > 0 && failure.isEmpty()) {
            char probe = 0;
            if (file.read(&probe, 1) == 1)
                failure = QStringLiteral("読み込んでいる間にファイルが大きくなりました。");
        }
    }
    file.close();
    if (tooLarge) {
        text = QString();
        refuseFile(path, failure);
        if (!closed() && sub)
            sub->close(); // still busy loading: it closes without a question
        return Loaded::Refused;
    }
    text += decoder.decode(nullptr, 0, true);
    // Handed over, so the view can reuse the buffer for its plain text.
    view->setText(std::move(text));
    view->setCp932Variants(decoder.variants());
    view->show();
    window->setBusy(EditWindow::Busy::No);
    if (hadFocus) {
        if (window->window()->focusWidget() == holder)
            view->setFocus();
        holder->setFocusPolicy(holderPolicy);
    }
    if (!failure.isEmpty())
        fileNotReadWhole(window, path, failure, true);
    return Loaded::Yes;
}

void Documents::fileNotReadWhole(EditWindow *window, const QString &path, const QString &reason,
                                 bool partly)
{
    m_unreadFiles.removeIf([](const UnreadFile &u) { return u.window.isNull(); });
    m_unreadFiles.append({window, path});
    const QString text = partly
            ? QStringLiteral("%1 を最後まで読み込めませんでした。\n%2\n\n読み込めた部分だけを表示します。")
            : QStringLiteral("%1 を読み込めませんでした。\n%2");
    m_context.messageBoxes->show(dialogOwner(), text.arg(path, reason), AppTitle,
                                 MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning,
                                 MessageBoxes::Answer::Ok);
}

bool Documents::mayReplaceUnreadFile(EditWindow *window, const QString &path)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < m_unreadFiles.size() && found < 0; ++i) {
        if (m_unreadFiles.at(i).window == window && m_unreadFiles.at(i).path == path)
            found = i;
    }
    if (found < 0)
        return true;
    const auto answer = m_context.messageBoxes->show(
            dialogOwner(),
            QStringLiteral("%1 は最後まで読み込めなかったファイルです。\n"
                           "保存すると、読み込めなかった内容は失われます。上書きしますか？")
                    .arg(path),
            AppTitle, MessageBoxes::Buttons::OkCancel, MessageBoxes::Icon::Warning,
            MessageBoxes::Answer::Cancel);
    if (answer != MessageBoxes::Answer::Ok)
        return false;
    m_unreadFiles.removeAt(found);
    return true;
}

void Documents::setTitle(EditWindow *window, const QString &path)
{
    window->setWindowTitle(path);
    if (m_context.frame && window->subWindow() && window->subWindow()->isMaximized())
        m_context.frame->setCaption(path);
}

QWidget *Documents::dialogOwner() const
{
    return m_context.frame ? m_context.frame->widget() : nullptr;
}

bool Documents::BackupCopy(const QString &path)
{
    // A missing file (a new one) has nothing to copy.
    if (!m_context.fileSystem || !QFileInfo(path).isFile())
        return false;
    if (m_context.fileSystem->copyOver(path, m_context.backupFolder() + fileNameOf(path)))
        return true;
    // The user counts on the copy; a failure must not pass unseen.
    if (m_context.frame)
        m_context.frame->setStatusText(fileNameOf(path)
                                       + QStringLiteral("のバックアップを作成できませんでした"));
    return false;
}

bool Documents::writeDocument(EditWindow *window, const QString &path)
{
    TextView *view = window->rtfEdit();
    qsizetype lost = 0;
    QString error;
    if (view->saveFile(path, &lost, false, &error))
        return true;
    if (lost > 0) {
        // Writing "?" in place of characters the file cannot hold would lose
        // them without a word; the user decides.
        const QString text =
                QStringLiteral("%1 には Shift-JIS で保存できない文字が %2 個あります。\n"
                               "最初の文字: %3\n\n"
                               "これらの文字を「?」に置き換えて保存しますか？")
                        .arg(fileNameOf(path))
                        .arg(lost)
                        .arg(describeCharacter(firstUnmappable(view->rawText())));
        const auto answer = m_context.messageBoxes->show(
                dialogOwner(), text, AppTitle, MessageBoxes::Buttons::OkCancel,
                MessageBoxes::Icon::Warning, MessageBoxes::Answer::Cancel);
        if (answer != MessageBoxes::Answer::Ok)
            return false;
        if (view->saveFile(path, nullptr, true, &error))
            return true;
    }
    m_context.messageBoxes->show(
            dialogOwner(),
            QStringLiteral("%1 を保存できませんでした。\n%2").arg(path, error), AppTitle,
            MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical, MessageBoxes::Answer::Ok);
    return false;
}

void Documents::afterSave(EditWindow *window, const QString &path, bool backupEndsSave)
{
    if (backupOnSave(m_context.settings) && !BackupCopy(path)) {
        if (m_context.frame)
            m_context.frame->setStatusText(
                    fileNameOf(path)
                    + QStringLiteral("を保存しました（バックアップは作成できませんでした）"));
        if (backupEndsSave)
            return;
    }
    RefreshPreview(path);
    window->rtfEdit()->setFocus();
}

bool Documents::SaveDocument(EditWindow *window)
{
    // A window still reading its file holds only part of it.
    if (!window || window->busy() == EditWindow::Busy::Loading)
        return false;
    const QString path = window->windowTitle();
    if (isUntitled(path))
        return SaveDocumentAs(window);
    if (!mayReplaceUnreadFile(window, path) || !writeDocument(window, path))
        return false;
    window->rtfEdit()->setModified(false);
    if (m_context.frame)
        m_context.frame->setStatusText(fileNameOf(path) + QStringLiteral("を保存しました"));
    afterSave(window, path, true);
    return true;
}

bool Documents::SaveDocumentAs(EditWindow *window)
{
    if (!window || window->busy() == EditWindow::Busy::Loading || !m_context.fileDialogs)
        return false;
    const QString path =
            ShowSaveDialog(*m_context.fileDialogs, dialogOwner(), m_context.firstDialogFolder,
                           m_dialogs, m_context.messageBoxes);
    if (path.isEmpty())
        return false;
    // The new title stays even if the write fails, so the next Save aims at it.
    window->setWindowTitle(path);
    if (!mayReplaceUnreadFile(window, path) || !writeDocument(window, path))
        return false;
    if (m_context.frame)
        m_context.frame->setStatusText(fileNameOf(path) + QStringLiteral("を保存しました"));
    window->rtfEdit()->setModified(false);
    afterSave(window, path, false);
    return true;
}

void Documents::RefreshPreview(const QString &path)
{
    if (previewAfterSave(m_context.settings) && isHtmlPath(path))
        zp::RefreshPreview(m_context, path);
}

} // namespace zp
