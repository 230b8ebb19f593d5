#pragma once
// The program's documents are its document windows: this class creates them
// and names the untitled ones ("無題1", "無題2", ... numbers never reused).

#include <QString>

namespace zp {

struct AppContext;
class EditWindow;

class Documents
{
public:
    static inline const QString UntitledPrefix = QStringLiteral("無題");

    explicit Documents(AppContext &context);

    // kind 1: a window for a file, whose caption the caller sets; any other
    // kind: an untitled document. The new window is the active one. Returns
    // null when the window could not be created.
    EditWindow *NewDocument(int kind);

    int UntitledCount() const { return m_untitledCount; }

    // 1 when a preview window ("frmBrow") is loaded, else 0.
    int FindPreviewForm() const;

    // A caption that marks an untitled document.
    static bool isUntitled(const QString &caption) { return caption.startsWith(UntitledPrefix); }

private:
    AppContext &m_context;
    int m_untitledCount = 0;
};

} // namespace zp
