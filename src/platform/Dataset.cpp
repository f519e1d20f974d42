#include "Dataset.h"

#include "AppError.h"
#include "Connection.h"
#include <algorithm>
#include <numeric>

Dataset::Dataset(QObject* parent) : QObject(parent) {}

void Dataset::setTable(const QString& table, const QString& keyField)
{
    table_ = table;
    keyField_ = keyField;
    widths_.clear();
    columns_.clear();
}

void Dataset::open(const QString& sql, const QVariantList& params)
{
    close();
    Rows result = Connection::instance().rows(sql, params);
    sql_ = sql;
    params_ = params;
    fields_ = std::move(result.fields);
    rows_ = std::move(result.rows);
    current_ = rows_.empty() ? -1 : 0;
    state_ = State::Browsing;
    Q_EMIT opened();
    Q_EMIT stateChanged();
    if (current_ >= 0)
        Q_EMIT afterScroll();
}

void Dataset::reopen()
{
    if (sql_.isEmpty())
        throw AppError(QStringLiteral("数据集没有查询语句"));
    open(QString(sql_), QVariantList(params_));
}

void Dataset::close()
{
    if (state_ == State::Inactive && rows_.empty())
        return;
    rows_.clear();
    pending_.clear();
    modified_.clear();
    current_ = -1;
    state_ = State::Inactive;
    Q_EMIT opened();
    Q_EMIT stateChanged();
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Dataset::fieldWidth(const QString& name) const
{
    if (table_.isEmpty())
        return 0;
    const QString key = name.toLower();
    auto it = widths_.find(key);
    if (it == widths_.end())
        it = widths_.insert(key, Connection::instance().columnWidth(table_, name));
    return *it;
}

void Dataset::moveTo(int row)
{
    // A view told of an insertion or removal may move its own current row meanwhile; the set
    // places its current row itself once the change is complete.
    if (rows_.empty() || reshaping_)
        return;
    row = std::clamp(row, 0, rowCount() - 1);
    if (row == current_)
        return;
    if (isEditing()) {
        if (modified_.isEmpty())
            cancel();
        else
            postBeforeMove();
        row = std::clamp(row, 0, rowCount() - 1);
    }
    setCurrent(row);
}

void Dataset::next() { moveTo(current_ + 1); }
void Dataset::prior() { moveTo(current_ - 1); }

bool Dataset::locate(const QString& field, const QVariant& value)
{
    const int f = fieldIndex(field);
    if (f < 0)
        throw AppError(QStringLiteral("字段 %1 不存在").arg(field));
    for (int r = 0; r < rowCount(); ++r) {
        if (valueAt(r, f) == value) {
            moveTo(r);
            return true;
        }
    }
    return false;
}

const Dataset::Row& Dataset::shownRow(int row) const
{
    return (isEditing() && row == current_) ? pending_ : rows_.at(row);
}

QVariant Dataset::value(const QString& field) const
{
    const int f = fieldIndex(field);
    if (f < 0)
        throw AppError(QStringLiteral("字段 %1 不存在").arg(field));
    if (current_ < 0)
        return {};
    return shownRow(current_).at(f);
}

QVariant Dataset::valueAt(int row, int field) const { return shownRow(row).at(field); }

QDateTime Dataset::dateTime(const QString& field) const { return parseDateTime(value(field)); }

QString Dataset::dateTimeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QDateTime Dataset::parseDateTime(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString();
    QDateTime t = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid())
        t = QDateTime::fromString(s, Qt::ISODate);
    if (!t.isValid())
        t = QDateTime(QDate::fromString(s, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return t;
}

void Dataset::requireEditing(const char* what) const
{
    if (!isEditing())
        throw AppError(QStringLiteral("数据集不在编辑或插入状态，不能%1").arg(QString::fromUtf8(what)));
}

void Dataset::setState(State s)
{
    if (s == state_)
        return;
    state_ = s;
    Q_EMIT stateChanged();
}

void Dataset::setCurrent(int row)
{
    current_ = row;
    Q_EMIT afterScroll();
}

void Dataset::append()
{
    if (state_ == State::Inactive)
        throw AppError(QStringLiteral("数据集未打开"));
    if (isEditing())
        postBeforeMove();
    const int at = rowCount();
    reshaping_ = true;
    Q_EMIT rowAboutToBeInserted(at);
    rows_.push_back(Row(fieldCount()));
    pending_ = rows_.back();
    written_.clear();
    modified_.clear();
    current_ = at;
    state_ = State::Inserting;
    Q_EMIT rowInserted(at);
    reshaping_ = false;
    Q_EMIT stateChanged();
    Q_EMIT afterScroll();
}

void Dataset::edit()
{
    if (state_ == State::Inactive)
        throw AppError(QStringLiteral("数据集未打开"));
    if (isEditing())
        return;
    if (rows_.empty()) { // as with the original data layer: editing an empty set starts a new row
        append();
        return;
    }
    pending_ = rows_.at(current_);
    written_.clear();
    modified_.clear();
    setState(State::Editing);
}

void Dataset::setValue(const QString& field, const QVariant& v)
{
    requireEditing("修改字段");
    const int f = fieldIndex(field);
    if (f < 0)
        throw AppError(QStringLiteral("字段 %1 不存在").arg(field));
    pending_[f] = v;
    modified_.insert(f);
    Q_EMIT rowChanged(current_);
}

void Dataset::setDateTime(const QString& field, const QDateTime& t)
{
    setValue(field, t.isValid() ? QVariant(dateTimeText(t)) : QVariant());
}

QVariant Dataset::writePending()
{
    requireEditing("保存");
    if (table_.isEmpty())
        throw AppError(QStringLiteral("数据集是只读的"));
    if (beforeWrite_)
        beforeWrite_();
    const int key = fieldIndex(keyField_);
    if (key < 0)
        throw AppError(QStringLiteral("数据集缺少关键字段 %1").arg(keyField_));
    QList<int> cols = modified_.values();
    std::sort(cols.begin(), cols.end());
    cols.removeAll(key);
    QVariantList params;
    for (int c : cols)
        params << pending_.at(c);
    Connection& conn = Connection::instance();
    // Each write returns the row as stored (the database's defaults included), so memory takes
    // it without a second read that could fail once the write is done.
    written_ = pending_;
    if (state_ == State::Inserting) {
        QString sql;
        if (cols.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table_);
        } else {
            QStringList names, marks;
            for (int c : cols) {
                names << fields_.at(c);
                marks << QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, names.join(u','), marks.join(u','));
        }
        takeStored(conn.rows(sql + QStringLiteral(" RETURNING *"), params));
        return written_.at(key);
    }
    const QVariant keyValue = rows_.at(current_).at(key);
    if (!cols.isEmpty()) {
        QStringList sets;
        for (int c : cols)
            sets << fields_.at(c) + QStringLiteral("=?");
        const QString where = rowAsRead(params);
        const Rows stored = conn.rows(QStringLiteral("UPDATE %1 SET %2 WHERE %3 RETURNING *").arg(table_, sets.join(u','), where), params);
        if (stored.rows.size() != 1)
            refuseChangedRow(QStringLiteral("保存"));
        takeStored(stored);
    }
    return keyValue;
}

void Dataset::acceptPending(const QVariant& key)
{
    requireEditing("保存");
    Row row = written_.isEmpty() ? pending_ : std::move(written_);
    written_.clear();
    const int k = fieldIndex(keyField_);
    if (k >= 0)
        row[k] = key;
    rows_[current_] = std::move(row);
    pending_.clear();
    modified_.clear();
    state_ = State::Browsing;
    Q_EMIT rowChanged(current_);
    Q_EMIT stateChanged();
}

void Dataset::takeStored(const Rows& stored)
{
    if (stored.rows.empty())
        return;
    for (int i = 0; i < stored.fields.size(); ++i) {
        const int f = fieldIndex(stored.fields[i]);
        if (f >= 0)
            written_[f] = stored.rows.front()[i];
    }
}

QString Dataset::rowAsRead(QVariantList& params) const
{
    if (columns_.isEmpty())
        columns_ = Connection::instance().columnNames(table_);
    const Row& read = rows_.at(current_);
    const int key = fieldIndex(keyField_);
    QStringList terms{keyField_ + QStringLiteral("=?")};
    params << read.at(key);
    for (int f = 0; f < fieldCount(); ++f) {
        if (f == key || !columns_.contains(fields_.at(f), Qt::CaseInsensitive))
            continue;
        terms << fields_.at(f) + QStringLiteral(" IS NOT DISTINCT FROM ?");
        params << read.at(f);
    }
    return terms.join(QStringLiteral(" AND "));
}

void Dataset::refuseChangedRow(const QString& action) const
{
    const QVariant key = rows_.at(current_).at(fieldIndex(keyField_));
    const bool exists = Connection::instance()
                            .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2=?").arg(table_, keyField_), {key})
                            .toInt() > 0;
    if (!exists)
        throw AppError(QStringLiteral("要%1的记录已不存在").arg(action));
    throw AppError(QStringLiteral("要%1的记录已被修改（可能是其他程序或恢复数据所致），请重新打开窗口后再试").arg(action));
}

void Dataset::postBeforeMove()
{
    if (!saveBeforeMove_) {
        post();
        return;
    }
    saveBeforeMove_();
    if (isEditing())
        throw RefusalShown();
}

void Dataset::post()
{
    if (!isEditing())
        return;
    acceptPending(writePending());
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (state_ == State::Inserting) { // the new row was never stored: it just goes
        removeCurrentRow();
        return;
    }
    state_ = State::Browsing;
    Q_EMIT rowChanged(current_);
    Q_EMIT stateChanged();
}

void Dataset::deleteCurrentInDatabase()
{
    if (current_ < 0)
        throw AppError(QStringLiteral("没有可删除的记录"));
    if (state_ == State::Inserting)
        return; // a row never posted has nothing stored
    if (table_.isEmpty())
        throw AppError(QStringLiteral("数据集是只读的"));
    const int key = fieldIndex(keyField_);
    if (key < 0)
        throw AppError(QStringLiteral("数据集缺少关键字段 %1").arg(keyField_));
    QVariantList params;
    const QString where = rowAsRead(params);
    if (Connection::instance().run(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table_, where), params) != 1)
        refuseChangedRow(QStringLiteral("删除"));
}

void Dataset::removeCurrentRow()
{
    if (current_ < 0)
        return;
    const int at = current_;
    reshaping_ = true;
    Q_EMIT rowAboutToBeRemoved(at);
    rows_.erase(rows_.begin() + at);
    pending_.clear();
    modified_.clear();
    current_ = rows_.empty() ? -1 : std::min(at, rowCount() - 1);
    const bool stateMoved = state_ != State::Browsing;
    state_ = State::Browsing;
    Q_EMIT rowRemoved(at);
    reshaping_ = false;
    if (stateMoved)
        Q_EMIT stateChanged();
    Q_EMIT afterScroll();
}

void Dataset::deleteCurrent()
{
    deleteCurrentInDatabase();
    removeCurrentRow();
}

namespace {
// One sort column's values in a form that compares fast: whole numbers as integers, texts (dates
// are stored as sortable texts) as strings; a mixed column falls back to the general comparison.
struct SortKey {
    enum class Kind { Integer, Text, General } kind = Kind::Integer;
    bool ascending = true;
    std::vector<char> null;
    std::vector<qint64> ints;
    QStringList texts;
    const std::vector<Dataset::Row>* rows = nullptr;
    int field = 0;

    SortKey(const std::vector<Dataset::Row>& all, int f, bool asc) : ascending(asc), rows(&all), field(f)
    {
        const size_t n = all.size();
        null.resize(n);
        bool anyText = false, anyInt = false, anyOther = false;
        for (size_t r = 0; r < n; ++r) {
            const QVariant& v = all[r][f];
            null[r] = v.isNull();
            if (v.isNull())
                continue;
            const int t = v.typeId();
            if (t == QMetaType::LongLong || t == QMetaType::Int)
                anyInt = true;
            else if (t == QMetaType::QString)
                anyText = true;
            else
                anyOther = true;
        }
        kind = anyOther || (anyInt && anyText) ? Kind::General : anyText ? Kind::Text : Kind::Integer;
        if (kind == Kind::Integer) {
            ints.resize(n);
            for (size_t r = 0; r < n; ++r)
                ints[r] = null[r] ? 0 : all[r][f].toLongLong();
        } else if (kind == Kind::Text) {
            texts.reserve(qsizetype(n));
            for (size_t r = 0; r < n; ++r)
                texts << (null[r] ? QString() : all[r][f].toString());
        }
    }

    // -1, 0 or 1 in the column's direction; nulls come first ascending.
    int compare(int a, int b) const
    {
        int c = 0;
        if (null[a] != null[b])
            c = null[a] ? -1 : 1;
        else if (null[a])
            return 0;
        else if (kind == Kind::Integer)
            c = ints[a] < ints[b] ? -1 : ints[a] > ints[b] ? 1 : 0;
        else if (kind == Kind::Text)
            c = texts[a].compare(texts[b]);
        else {
            const auto o = QVariant::compare((*rows)[a][field], (*rows)[b][field]);
            c = o == QPartialOrdering::Less ? -1 : o == QPartialOrdering::Greater ? 1 : 0;
        }
        return ascending ? c : -c;
    }
};
} // namespace

void Dataset::sortBy(const QVector<QPair<int, bool>>& order)
{
    if (isEditing())
        postBeforeMove();
    std::vector<SortKey> keys;
    for (const auto& [field, ascending] : order)
        keys.emplace_back(rows_, field, ascending);
    std::vector<int> idx(rows_.size());
    std::iota(idx.begin(), idx.end(), 0);
    std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) {
        for (const SortKey& k : keys)
            if (const int c = k.compare(a, b))
                return c < 0;
        return false;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    int newCurrent = -1;
    for (size_t i = 0; i < idx.size(); ++i) {
        if (idx[i] == current_)
            newCurrent = int(i);
        sorted.push_back(std::move(rows_[idx[i]]));
    }
    rows_ = std::move(sorted);
    current_ = newCurrent;
    Q_EMIT opened();
    Q_EMIT afterScroll();
}
