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
    QLineEdit* box = lineEdit();
    const bool wholeSelected = !box->text().isEmpty() && box->selectedText() == box->text();
    if (erase && !isEmpty() && wholeSelected) {
        clearValue();
        return;
    }
    const QChar typed = e->text().isEmpty() ? QChar() : e->text().at(0);
    // A date typed over an empty or wholly selected box starts at its year, on the first day
    // of a year so that every month and day typed after it is a valid date.
    if (typed.isDigit() && (isEmpty() || wholeSelected)) {
        setDate(QDate(isEmpty() ? QDate::currentDate().year() : date().year(), 1, 1));
        setSelectedSection(QDateTimeEdit::YearSection);
    }
    // A full section moves on to the next by itself; the separator typed after it is then
    // already passed, and must not skip the section the box has just moved to.
    if (typed == u'-' || typed == u'/' || typed == u'.') {
        const int at = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        if (at == sectionStart(QDateTimeEdit::MonthSection) || at == sectionStart(QDateTimeEdit::DaySection)) {
            e->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(e);
}

int DateEdit::sectionStart(QDateTimeEdit::Section section) const
{
    // Positions in the display format "yyyy-MM-dd".
    return section == QDateTimeEdit::MonthSection ? 5 : section == QDateTimeEdit::DaySection ? 8 : 0;
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
