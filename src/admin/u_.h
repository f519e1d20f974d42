#pragma once
// Data initialisation "数据初始化": empties the cash journal, the bank journal or both, for every
// operator and every month, closed months included. Once both journals are empty the closings go
// too; nothing else is touched.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace DataInitialisation {
QString cashSql();
QString bankSql();
// Deletes the ticked journals, cash first, each followed by its message; a failed deletion raises
// AppError and the rest does not run.
void run(bool cash, bool bank, QWidget* parent);
}

class Tfrm_ : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_(QWidget* owner);
    ~Tfrm_() override;

    void Button1Click();
    void Button2Click();

    QCheckBox* CheckBox1; // cash journal
    QCheckBox* CheckBox2; // bank journal
    QLabel* RzLabel1;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void FormCreate();
};

extern Tfrm_* frm_;
