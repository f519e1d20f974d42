#pragma once
// Records every message box and answers questions from a queue (Yes when it is empty).
#include "Messages.h"

#include <QList>
#include <QString>

class FakeMessages : public Messages {
public:
    enum class Kind { Information, Question, Error };
    struct Shown {
        Kind kind;
        QString text;
        QString caption;
    };

    FakeMessages() { Messages::install(this); }
    ~FakeMessages() override { Messages::install(nullptr); }

    void information(QWidget*, const QString& text, const QString& caption) override
    {
        shown << Shown{Kind::Information, text, caption};
    }
    bool question(QWidget*, const QString& text, const QString& caption) override
    {
        shown << Shown{Kind::Question, text, caption};
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void error(QWidget*, const QString& text) override { shown << Shown{Kind::Error, text, {}}; }

    QStringList texts() const
    {
        QStringList t;
        for (const Shown& s : shown)
            t << s.text;
        return t;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

    QList<Shown> shown;
    QList<bool> answers;
};
