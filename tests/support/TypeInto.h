#pragma once
// Replaces a box's text by key events, as a user would type it: the old text is selected and
// deleted, then each character arrives as its own key event (Chinese included, which QTest's
// keyClicks cannot send). Every step emits textEdited, as typing does.
#include <QLineEdit>
#include <QTest>

inline void typeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}
