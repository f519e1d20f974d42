#include "DateEdit.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

// The lowest date the box accepts stands for "no date"; the special value text shows it blank.
QDate DateEdit::emptyMark() { return QDate(100, 1, 1); }

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setMinimumDate(emptyMark());
    setSpecialValueText(QStringLiteral(" "));
    setDate(emptyMark());
    if (QCalendarWidget* cal = calendarWidget())
        cal->installEventFilter(this);
    connect(this, &QDateEdit::dateChanged, this, [this] { Q_EMIT valueChanged(value()); });
}

bool DateEdit::isEmpty() const { return date() == emptyMark(); }

QDate DateEdit::value() const { return isEmpty() ? QDate() : date(); }

void DateEdit::setValue(const QDate& d) { setDate(d.isValid() && d > emptyMark() ? d : emptyMark()); }

void DateEdit::clearValue() { setDate(emptyMark()); }

void DateEdit::stepBy(int steps)
{
    if (isEmpty()) {
        setDate(QDate::currentDate());
        return;
    }
    QDateEdit::stepBy(steps);
}

void DateEdit::keyPressEvent(QKeyEvent* e)
{
    const bool erase = e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace;
    if (erase && !isEmpty() && lineEdit()->selectedText() == lineEdit()->text()) {
        clearValue();
        return;
    }
    if (isEmpty() && !e->text().isEmpty() && e->text().at(0).isDigit()) {
        setDate(QDate::currentDate());
        setSelectedSection(QDateTimeEdit::YearSection);
    }
    QDateEdit::keyPressEvent(e);
}

bool DateEdit::eventFilter(QObject* watched, QEvent* e)
{
    // An empty box opens its calendar on the current month, not on the "no date" mark.
    if (e->type() == QEvent::Show && watched == calendarWidget() && isEmpty()) {
        const QDate today = QDate::currentDate();
        calendarWidget()->setCurrentPage(today.year(), today.month());
    }
    return QDateEdit::eventFilter(watched, e);
}
