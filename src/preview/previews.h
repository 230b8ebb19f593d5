#pragma once
// The preview commands: showing the active document in a preview window, the
// refresh after an HTML file is saved, and printing the page a preview shows.
// Preview windows are not registered anywhere: they are found by walking the
// loaded windows in load order and comparing form names.

#include <QString>

namespace zp {

struct AppContext;
class BrowserView;
class PreviewWindow;
class WindowList;

// The first preview window in load order, or null.
PreviewWindow *firstPreview(const WindowList *windows);

// A new preview window, shown as the active child, with an empty caption.
PreviewWindow *NewPreview(AppContext &context);

// True for a caption whose last 4 characters, upper-cased, are ".HTM" or whose
// last 5 are ".HTML".
bool isHtmlCaption(const QString &caption);

// The command "表示": an active child whose caption names an HTML file is
// shown in the first preview window (which stays where it is, behind); in
// every other case a new, empty preview window opens in front.
void ShowPreview(AppContext &context);

// After an HTML file was saved: the first preview window (created when none
// is open) shows path, and the saving document stays in front.
void RefreshPreview(AppContext &context, const QString &path);

// Prints the page of the first preview window that is not loading, through the
// print dialog; with no printer installed, to a PDF file the user names.
void PrintPreview(AppContext &context);
// Writes the page view shows to the PDF file pdf in the background, as a job
// of context.printJobs, and reports the result (reportPdfResult). A new file
// gets the permissions of the user's umask.
void PrintPageToPdf(AppContext &context, BrowserView *view, const QString &pdf);

} // namespace zp
