#pragma once
// A static, editable result set held wholly in memory, with a current row and the states
// browsing, editing and inserting. Posts and deletes write one row by its key at once.
#include "Money.h"
#include "Rows.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <vector>

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browsing, Editing, Inserting };
    using Row = QVector<QVariant>;

    explicit Dataset(QObject* parent = nullptr);

    // The table that posts and deletes write, and its key field (which the statement must select).
    // Without a table the dataset is read-only.
    void setTable(const QString& table, const QString& keyField);
    QString table() const { return table_; }

    // Runs `sql` with bound `params` and holds every row; the current row is the first.
    void open(const QString& sql, const QVariantList& params = {});
    // Runs the last statement again with its parameters.
    void reopen();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    QString sql() const { return sql_; }
    QVariantList params() const { return params_; }

    State state() const { return state_; }
    bool isEditing() const { return state_ == State::Editing || state_ == State::Inserting; }

    // Fields, looked up without regard to letter case.
    int fieldCount() const { return int(fields_.size()); }
    QString fieldName(int i) const { return fields_.at(i); }
    QStringList fieldNames() const { return fields_; }
    int fieldIndex(const QString& name) const; // -1 when absent
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    // Width limit of a text field of the table, 0 when none is known.
    int fieldWidth(const QString& name) const;

    // Rows and navigation. While editing or inserting, moving posts the pending row first.
    int rowCount() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    int currentRow() const { return current_; } // -1 when empty
    void moveTo(int row);
    void first() { moveTo(0); }
    void last() { moveTo(rowCount() - 1); }
    void next();
    void prior();
    bool locate(const QString& field, const QVariant& value); // moves to the first row holding value

    // Values of the current row (the pending values while editing); invalid field: AppError.
    QVariant value(const QString& field) const;
    QString text(const QString& field) const { return value(field).toString(); }
    Money money(const QString& field) const { return Money::fromStorage(value(field)); }
    QDateTime dateTime(const QString& field) const;
    bool boolean(const QString& field) const { return value(field).toInt() != 0; }
    bool isNull(const QString& field) const { return value(field).isNull(); }
    // Values of any row as stored in memory (pending values for the pending row).
    QVariant valueAt(int row, int field) const;

    // Editing. setValue needs the editing or inserting state.
    void append();
    void edit();
    void setValue(const QString& field, const QVariant& v);
    void setMoney(const QString& field, Money m) { setValue(field, m.toStorage()); }
    void setDateTime(const QString& field, const QDateTime& t);
    void post();
    void cancel();
    void deleteCurrent();

    // The two halves of post(), for callers that write more in the same transaction:
    // writePending() writes the row and returns its key without leaving the editing state (an
    // update or delete finds the row only as it was read, or is refused);
    // acceptPending() then makes the written row, as the database stored it, the browsing
    // current row; it reads nothing, so it cannot fail once the write is committed.
    QVariant writePending();
    void acceptPending(const QVariant& key);
    // The two halves of deleteCurrent(), likewise.
    void deleteCurrentInDatabase();
    void removeCurrentRow();

    // Runs just before a pending row is written (by post(), a move or append() alike), while the
    // row is still pending, so the owner can set derived values; an error it raises stops the write.
    void setBeforeWrite(std::function<void()> fn) { beforeWrite_ = std::move(fn); }

    // What a move, a sort or append() runs on a changed pending row in place of post(): the
    // owner's own save, with the checks of its "保存". When the row is still pending afterwards
    // (the save refused it and said why), the move is refused with RefusalShown.
    void setSaveBeforeMove(std::function<void()> fn) { saveBeforeMove_ = std::move(fn); }

    // Reorders the rows in memory by the given fields (true = ascending); the current row is kept.
    void sortBy(const QVector<QPair<int, bool>>& order);

    static QString dateTimeText(const QDateTime& t); // "yyyy-MM-dd HH:mm:ss"
    static QDateTime parseDateTime(const QVariant& v);

Q_SIGNALS:
    void opened();              // the whole content changed (open, close, sort)
    void afterScroll();         // the current row changed
    void stateChanged();
    void rowChanged(int row);   // values shown for that row changed
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);

private:
    void requireEditing(const char* what) const;
    void postBeforeMove();
    void setState(State s);
    void setCurrent(int row);
    // Takes the values of the row a write returned into the written row.
    void takeStored(const Rows& stored);
    // The condition that finds the current row only as it was read (its key and every column of
    // the table shown), its values appended to `params`: a write never lands on another row.
    QString rowAsRead(QVariantList& params) const;
    // Raises the refusal of a save or delete that found no row as it was read.
    [[noreturn]] void refuseChangedRow(const QString& action) const;
    const Row& shownRow(int row) const;

    QString table_, keyField_, sql_;
    QVariantList params_;
    QStringList fields_;
    std::vector<Row> rows_;
    State state_ = State::Inactive;
    int current_ = -1;
    bool reshaping_ = false; // between the about-to and done signals of an insertion or removal
    Row pending_;
    Row written_; // the pending row as the last write stored it, until accepted
    QSet<int> modified_;
    mutable QHash<QString, int> widths_;
    mutable QStringList columns_; // the table's columns
    std::function<void()> beforeWrite_;
    std::function<void()> saveBeforeMove_;
};
