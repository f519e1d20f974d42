#include "u_about.h"
#include "WindowRef.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsAndClosing()
    {
        auto* f = &windowOf(frmabout, nullptr);
        QCOMPARE(frmabout, f);
        QCOMPARE(f->windowTitle(), u"关于"_s);
        QCOMPARE(f->StaticText1->text(), u"rivizivid"_s);
        QVERIFY(f->StaticText1->font().bold());
        QCOMPARE(f->StaticText1->font().pixelSize(), 16);
        QCOMPARE(f->StaticText2->text(), u"版本 V2.0 Build(20240324)"_s);
        QVERIFY(f->webLine->text().contains(u"href"_s));
        QVERIFY(f->mailLine->text().contains(u"mailto:"_s));
        QVERIFY(!f->Image1->pixmap().isNull());
        QCOMPARE(f->RzButton1->text(), u"确定"_s);
        QVERIFY(f->RzButton1->isDefault());
        f->show();
        QVERIFY(f->isVisible());
        f->RzButton1->click();
        QVERIFY(!f->isVisible());
        delete f;
        QCOMPARE(frmabout, nullptr);
    }

    void pictureIsDrawnAtAnySize()
    {
        const QImage img = Tfrmabout::picture(QSize(84, 190)).toImage();
        QCOMPARE(img.size(), QSize(84, 190));
        // Not blank: the cover colour is in the middle of the upper half.
        QCOMPARE(img.pixelColor(42, 40).alpha(), 255);
        QVERIFY(img.pixelColor(42, 40) != img.pixelColor(42, 185));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
