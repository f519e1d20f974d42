#pragma once
// First / prior / next / last buttons over a dataset.
#include <QPointer>
#include <QWidget>

class Dataset;
class QToolButton;

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget* parent = nullptr);
    void bind(Dataset* dataset);
    QToolButton* firstButton() const { return first_; }
    QToolButton* priorButton() const { return prior_; }
    QToolButton* nextButton() const { return next_; }
    QToolButton* lastButton() const { return last_; }

private:
    void refresh();
    QPointer<Dataset> ds_;
    QToolButton *first_, *prior_, *next_, *last_;
};
