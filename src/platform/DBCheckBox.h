#pragma once
// A check box bound to a yes/no field (0/1, null = no). Ticking it puts a browsing row into editing.
#include <QCheckBox>
#include <QPointer>

class Dataset;

class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString& text, QWidget* parent = nullptr);
    void bind(Dataset* dataset, const QString& field);
    QString field() const { return field_; }
    void refresh();

private:
    QPointer<Dataset> ds_;
    QString field_;
    bool loading_ = false;
};
