#pragma once
// What the journal widget tests share: a fresh database with a few catalogue rows, the data
// module with "admin" logged in, and message boxes answered without a screen.
#include "FakeMessages.h"
#include "JournalFixture.h"
#include "TestDatabase.h"

#include "uDM.h"
#include "uZhanYao.h"

#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace JournalUi {
inline QString u8(const char* s) { return QString::fromUtf8(s); }

struct World {
    explicit World(const QDateTime& period = QDateTime(QDate(2024, 3, 15), QTime(9, 30)))
    {
        if (!DM)
            DM = new TDM(QCoreApplication::instance());
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Delivered, period);
        DM->CurrentUser = QStringLiteral("admin");
        PickedSummary = {};
        for (const char* const* s : {summaryIncrease, summaryDecrease})
            TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (KuMuCode, ZhanYao, ZYType) VALUES (?, ?, ?)"),
                               {u8(s[0]), u8(s[1]), u8(s[2])});
        for (const char* bank : {"工商银行", "建设银行"})
            TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (?)"), {u8(bank)});
    }
    ~World()
    {
        delete frmZhanYao;
        db.reset();
    }
    static constexpr const char* summaryIncrease[3] = {"1002", "销售收入", "增加"};
    static constexpr const char* summaryDecrease[3] = {"1003", "办公用品", "减少"};
    std::unique_ptr<TestDatabase> db;
    FakeMessages messages;
};

// Runs `fn` once the next modal loop has started (or at the next event-loop turn).
inline void whenModal(std::function<void()> fn) { QTimer::singleShot(0, qApp, std::move(fn)); }

// Picks the catalogue row with `summary` once the catalogue is shown; empty: closes it unpicked.
inline void pickSummaryWhenShown(const QString& summary)
{
    whenModal([summary] {
        QVERIFY(frmZhanYao && frmZhanYao->isVisible());
        if (summary.isEmpty()) {
            frmZhanYao->btnExit->click();
            return;
        }
        QVERIFY(frmZhanYao->ADODataSet1.locate(QStringLiteral("ZhanYao"), summary));
        frmZhanYao->Button1Click();
    });
}
}
