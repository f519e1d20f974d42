#pragma once
// Answers file dialogs from prepared values and records what was asked.
#include "FileDialogs.h"

#include <QList>

class FakeFileDialogs : public FileDialogs {
public:
    FakeFileDialogs() { FileDialogs::install(this); }
    ~FakeFileDialogs() override { FileDialogs::install(nullptr); }

    SaveFileAnswer saveFile(QWidget*, const SaveFileRequest& r) override
    {
        saveRequests << r;
        return saveAnswers.isEmpty() ? SaveFileAnswer{} : saveAnswers.takeFirst();
    }
    QString openFile(QWidget*, const QString& caption, const QString& filter, const QString& folder = QString()) override
    {
        openRequests << (caption + u'|' + filter);
        openFolders << folder;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString existingFolder(QWidget*, const QString& caption, const QString&) override
    {
        folderRequests << caption;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QList<SaveFileRequest> saveRequests;
    QList<SaveFileAnswer> saveAnswers;
    QStringList openRequests, openAnswers, openFolders, folderRequests, folderAnswers;
};
