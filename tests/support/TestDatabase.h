#pragma once
// A fresh database file in a temporary folder, made from the schema, installed as the
// program's connection for the lifetime of the object.
#include <QDateTime>
#include <QTemporaryDir>
#include <QVariant>

class TestDatabase {
public:
    enum class Content { Delivered, Empty };
    explicit TestDatabase(Content c = Content::Delivered, const QDateTime& period = QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
    ~TestDatabase();
    QString path() const { return path_; }
    QString folder() const { return dir_.path(); }

    // Runs a statement on the program's connection (values bound); handy for fixtures.
    static void exec(const QString& sql, const QVariantList& params = {});
    static QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Adds an operator with the given rights columns set to 1 (the others 0).
    static void addOperator(const QString& name, const QString& password, const QStringList& rights);

private:
    QTemporaryDir dir_;
    QString path_;
};
