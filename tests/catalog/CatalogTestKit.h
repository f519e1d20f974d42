#pragma once
// What the catalogue window tests share: the fixture, the control states by dataset state and
// the delete guard's refusal, question and answer.
#include "DBEdit.h"
#include "FakeMessages.h"
#include "Messages.h"
#include "TestDatabase.h"
#include "TypeInto.h"

#include <QColor>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace CatalogTestKit {
// Replaces the box's text as a user would type it.
inline void type(DBEdit* box, const QString& text) { typeInto(box, text); }

// The read-only background of a browsing catalogue box: sky blue A6CAF0.
inline bool skyBlue(const QLineEdit* box) { return box->palette().color(QPalette::Base) == QColor(0xA6, 0xCA, 0xF0); }

// A fresh database and message recorder per test, and the window under test, made at the first
// opening and shown at every one.
template <class Window>
struct Fixture {
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> messages;
    std::unique_ptr<Window> form;

    void start()
    {
        db = std::make_unique<TestDatabase>();
        messages = std::make_unique<FakeMessages>();
    }
    void stop()
    {
        form.reset();
        messages.reset();
        db.reset();
    }
    void open()
    {
        if (!form)
            form = std::make_unique<Window>(nullptr);
        form->show();
    }
};

enum class Expect { Browsing, Editing, Inserting };

struct Controls {
    QPushButton *add, *modify, *save, *cancel;
    QList<DBEdit*> boxes;
    QList<QWidget*> alwaysEnabled;
};

// Browsing: save and cancel off, boxes read-only and sky blue. Editing: add off. Inserting: add
// and modify off. Everything else stays enabled.
inline void verifyControls(const Controls& c, Expect e)
{
    const bool pending = e != Expect::Browsing;
    QCOMPARE(c.save->isEnabled(), pending);
    QCOMPARE(c.cancel->isEnabled(), pending);
    QCOMPARE(c.modify->isEnabled(), e != Expect::Inserting);
    QCOMPARE(c.add->isEnabled(), e == Expect::Browsing);
    for (DBEdit* box : c.boxes) {
        QCOMPARE(box->isReadOnly(), !pending);
        QCOMPARE(skyBlue(box), !pending);
    }
    for (QWidget* w : c.alwaysEnabled)
        QVERIFY(w->isEnabled());
}

// The current row is carried by an entry that `removeEntries` deletes: deleting is refused in
// the error box and keeps `rows()` at `before`; once the entries are gone the window asks
// `question` under "系统提示" and deletes the row.
inline void verifyDeleteGuard(QPushButton* del, FakeMessages& messages, const QString& removeEntries,
                              const QString& question, const std::function<int()>& rows, int before)
{
    del->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
    QCOMPARE(messages.shown[0].text, errorBoxText(QStringLiteral("已有日记账信息不能删除")));
    QCOMPARE(rows(), before);

    TestDatabase::exec(removeEntries);
    messages.clear();
    del->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Question);
    QCOMPARE(messages.shown[0].text, question);
    QCOMPARE(messages.shown[0].caption, QStringLiteral("系统提示"));
    QCOMPARE(rows(), before - 1);
}

// Answering No to the delete question keeps the row.
inline void verifyNoKeepsTheRow(QPushButton* del, FakeMessages& messages, const QString& question,
                                const std::function<int()>& rows)
{
    const int before = rows();
    messages.answers << false;
    del->click();
    QCOMPARE(messages.texts(), QStringList{question});
    QCOMPARE(rows(), before);
}

// Nothing to delete: the error box says so.
inline void verifyNothingToDelete(QPushButton* del, FakeMessages& messages)
{
    del->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
    QCOMPARE(messages.shown[0].text, errorBoxText(QStringLiteral("没有要删除的记录")));
}
}
