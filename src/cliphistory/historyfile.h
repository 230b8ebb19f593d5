#pragma once
// The clipboard history file ("Clipboard.txt"): the non-empty texts of the
// history, oldest first, each followed by CR LF, in CP932.

#include <QString>

namespace zp {

class ClipHistory;

// How the file is written, from the setting "ClipboardSaveType": 2 adds the
// texts at the end of the file; any other value writes it anew, so a value the
// options never offer (the default file holds 0) still saves the history.
enum class HistorySaveMode { Replace, Append };
HistorySaveMode historySaveMode(int clipboardSaveType);

// Writes history to path. The file is replaced only once the whole new content
// (the old one first, when appending) is written to a temporary file beside it,
// so a failure leaves the old file as it was. Characters CP932 cannot hold are
// written as "?", as in documents. Returns false with *error set on failure.
bool SaveClipHistory(const ClipHistory &history, const QString &path, HistorySaveMode mode,
                     QString *error = nullptr);

} // namespace zp
