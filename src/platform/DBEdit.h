#pragma once
// A text box bound to one field of a dataset's current row. Typing into it puts a browsing
// row into editing; loading a row never does. The length limit comes from the column width; the box
// follows the program's text rules (TextInput).
#include "Money.h"

#include <QLineEdit>
#include <QPointer>

class Dataset;

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Text, Money };
    explicit DBEdit(QWidget* parent = nullptr);

    void bind(Dataset* dataset, const QString& field, Kind kind = Kind::Text);
    QString field() const { return field_; }
    // For a money box: false while the typed text is not a valid amount (it is then not written).
    bool holdsValidAmount() const;
    // Reloads the text from the current row.
    void refresh();

private:
    void typed(const QString& text);
    QPointer<Dataset> ds_;
    QString field_;
    Kind kind_ = Kind::Text;
    bool loading_ = false;
};
