#pragma once
// The open and save file dialogs behind an interface, so that tests can answer
// them. A dialog hands back its selection in the form the program's dialog
// procedures read: for one file its full path; for several files the folder,
// then each file name, every entry followed by a NUL and the whole ended by a
// second NUL ("folder\0a.txt\0b.txt\0\0"). Paths use "/" as Qt does.

#include <QString>
#include <QStringList>

class QWidget;

namespace zp {

struct FileDialogRequest
{
    QWidget *owner = nullptr;
    QString title;
    // The folder the dialog starts in.
    QString folder;
    // Display texts, each with its pattern in parentheses ("HTML(*.html)").
    QStringList filters;
    // The starting filter, counted from 1; 0 means the first.
    int filterIndex = 0;
    // Save dialog: the name proposed in the file name box ("" for none).
    QString fileName;
    // Added to a typed name without an extension ("txt").
    QString defaultSuffix;
    // Open dialog: several files may be chosen.
    bool multiSelect = false;
    // Save dialog: the user is asked before an existing file is replaced.
    bool confirmOverwrite = false;
};

struct FileDialogResult
{
    // Empty when the user cancelled or the dialog could not be shown.
    QString selection;
    // The filter selected when the dialog closed, counted from 1.
    int filterIndex = 1;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult getOpenFileName(const FileDialogRequest &request) = 0;
    virtual FileDialogResult getSaveFileName(const FileDialogRequest &request) = 0;
};

// The selection text for the files chosen in one folder: the path itself for
// one file, "folder\0name\0name\0\0" for several. Empty for no file.
QString selectionText(const QStringList &absolutePaths);

// The real dialogs, built on QFileDialog.
class QtFileDialogs : public FileDialogs
{
public:
    FileDialogResult getOpenFileName(const FileDialogRequest &request) override;
    FileDialogResult getSaveFileName(const FileDialogRequest &request) override;

private:
    FileDialogResult run(const FileDialogRequest &request, bool save);
};

} // namespace zp
