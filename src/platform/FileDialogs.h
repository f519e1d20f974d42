#pragma once
// File-save, file-open and folder dialogs behind one service so that tests can answer them.
#include <QString>

class QWidget;

struct SaveFileRequest {
    QString filter;        // "text|pattern|text|pattern..." pairs, as the export dialog lists them
    int filterIndex = 1;   // 1-based, the entry preselected
    QString fileName;      // proposed name, may be bare
    bool confirmOverwrite = true;
};

struct SaveFileAnswer {
    bool accepted = false;
    QString path;          // the full path the user chose
    int filterIndex = 1;   // 1-based, the entry chosen
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual SaveFileAnswer saveFile(QWidget* parent, const SaveFileRequest& request) = 0;
    // Empty when cancelled. `filter` in Qt's form, e.g. "数据库文件 (*.DLL)"; the dialog opens in
    // `folder` when given.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& filter, const QString& folder = QString()) = 0;
    // Empty when cancelled.
    virtual QString existingFolder(QWidget* parent, const QString& caption, const QString& start) = 0;

    static FileDialogs& current();
    static void install(FileDialogs* d); // not owned; nullptr restores the Qt dialogs
};
