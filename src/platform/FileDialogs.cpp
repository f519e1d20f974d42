#include "FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace {

// "文本文件TXT(.txt)|.txt|..." into Qt name filters "文本文件TXT(.txt) (*.txt)".
QStringList qtFilters(const QString& pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        if (pattern.startsWith(u'.'))
            pattern.prepend(u'*');
        out << parts[i] + QStringLiteral(" (") + pattern + u')';
    }
    return out;
}

class QtFileDialogs final : public FileDialogs {
public:
    SaveFileAnswer saveFile(QWidget* parent, const SaveFileRequest& r) override
    {
        QFileDialog dlg(parent);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        const QStringList filters = qtFilters(r.filter);
        dlg.setNameFilters(filters);
        if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
            dlg.selectNameFilter(filters[r.filterIndex - 1]);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
        dlg.selectFile(r.fileName);
        SaveFileAnswer a;
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return a;
        a.accepted = true;
        a.path = dlg.selectedFiles().constFirst();
        a.filterIndex = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
        return a;
    }
    QString openFile(QWidget* parent, const QString& caption, const QString& filter, const QString& folder) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString existingFolder(QWidget* parent, const QString& caption, const QString& start) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, start);
    }
};

FileDialogs* installed = nullptr;

} // namespace

FileDialogs& FileDialogs::current()
{
    static QtFileDialogs qt;
    return installed ? *installed : qt;
}

void FileDialogs::install(FileDialogs* d) { installed = d; }
