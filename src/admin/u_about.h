#pragma once
// The about window "关于": product name, version and maker.
#include <QDialog>
#include <QPixmap>

class QFrame;
class QLabel;
class QPushButton;

class Tfrmabout : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmabout(QWidget* owner);
    ~Tfrmabout() override;

    void RzButton1Click();

    // The window's picture: an open ledger over a stack of coins, drawn at the given size.
    static QPixmap picture(const QSize& size);
    // "数据库文件：" and the path, breakable after each folder separator.
    static QString databaseText(const QString& path);

    QLabel* Image1;
    QLabel* StaticText1;
    QFrame* Bevel1;
    QLabel* StaticText2;
    QLabel* makerLine;
    QLabel* webLine;
    QLabel* mailLine;
    QLabel* databaseLine; // the books file in use, so a user knows which file to keep safe
    QFrame* Bevel2;
    QPushButton* RzButton1;
};

extern Tfrmabout* frmabout;
