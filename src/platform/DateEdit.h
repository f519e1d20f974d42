#pragma once
// A date-only edit with a drop-down calendar that can also hold no date at all. Empty shows a
// blank box; Delete or Backspace over the whole text empties it again; stepping, typing or
// picking in the calendar of an empty box starts from today. A date typed over an empty or wholly
// selected box, with or without separators, is the date typed.
#include <QDate>
#include <QDateEdit>

class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

    bool isEmpty() const;
    // The date held, or a null QDate when empty.
    QDate value() const;
    // A null date empties the box.
    void setValue(const QDate& d);
    void clearValue();

    void stepBy(int steps) override;

Q_SIGNALS:
    void valueChanged(const QDate& value);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    static QDate emptyMark();
    int sectionStart(QDateTimeEdit::Section section) const;
};
