#pragma once
// The two catalogues (summaries "摘要", bank accounts "开户银行") are one design: a list of rows
// over one table, saved after checks and deleted only while no journal entry carries a row's
// text. What differs between them is data, held here; the rules are plain functions.
#include "Dataset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace Catalog {
// How a refused save reaches the operator.
enum class Refusal { Informs, Raises };

// A save check on one field of the row.
struct Check {
    QString field;
    QString message;
    QStringList allowed; // empty: any text but blanks; else one of these, asked of a pending row only
};

// Journal entries carrying a catalogue row's text in `field` of `table`.
struct Reference {
    QString table, field;
};

struct Design {
    QString table, keyField, listSql;
    QString textField;          // what entries carry; the delete guard looks at its stored value
    QList<Check> checks;        // in the order they are asked
    Refusal saveRefusal;
    QString insertStamp;        // stamped with the time a new row is saved; empty: none
    QList<Reference> references;
    bool textlessIsNothing;     // a row without text counts as nothing to delete
    QString deleteQuestion;
};

const Design& summaries();
const Design& bankAccounts();

// The message of the first failed save check of the current row (its pending values while
// editing); empty when the row may be saved.
QString saveRefusal(const Design& d, const Dataset& list);
// Entries of every operator and month whose reference fields equal `text`.
int referenceCount(const Design& d, const QString& text);
// Why the current row may not be deleted; empty when it may. A pending rename does not lift
// the guard: the stored text is the one looked at.
QString deleteRefusal(const Design& d, const Dataset& list);

// Drives a catalogue's list for its window: reading, saving and deleting by the design's rules.
// A move off a changed pending row saves it the same way, refused with the same message.
class Controller {
public:
    Controller(const Design& design, Dataset& list, QWidget* owner);
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // What the window holds outside its bound boxes (the summary's category), written into the
    // pending row before the checks.
    void setCollect(std::function<void()> collect) { collect_ = std::move(collect); }

    void read();   // the list afresh
    void save();   // checks, then the write; while browsing nothing is written
    void remove(); // the guard, the question, the delete

private:
    const Design& design_;
    Dataset& list_;
    QWidget* owner_;
    std::function<void()> collect_;
};
}
