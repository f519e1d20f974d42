#include "TextInput.h"

#include "Messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace {
bool isDropped(QChar c, bool keepLineBreaks)
{
    return c.category() == QChar::Other_Control && !(keepLineBreaks && c == u'\n');
}

// Validation runs on every change of a box, typed or pasted; an input it calls invalid is
// undone whole by the box.
class TextRules : public QValidator {
public:
    TextRules(QWidget* box, int limit) : QValidator(box), box_(box), limit_(limit) {}
    int limit() const { return limit_; }
    void setLimit(int limit) { limit_ = limit; }

    State validate(QString& input, int& pos) const override
    {
        const QString kept = TextInput::withoutControls(input);
        if (kept.size() != input.size()) {
            pos -= int(input.left(pos).size() - TextInput::withoutControls(input.left(pos)).size());
            input = kept;
        }
        if (limit_ > 0 && input.size() > limit_) {
            tell();
            return Invalid;
        }
        return Acceptable;
    }

private:
    // Told after the box has undone the input, outside its edit.
    void tell() const
    {
        QTimer::singleShot(0, box_, [box = box_, limit = limit_] {
            if (box)
                Messages::current().information(box, TextInput::tooLongMessage(limit));
        });
    }

    QPointer<QWidget> box_;
    int limit_;
};

TextRules* rulesOf(const QLineEdit* box) { return box ? dynamic_cast<TextRules*>(const_cast<QValidator*>(box->validator())) : nullptr; }
} // namespace

namespace TextInput {
QString withoutControls(const QString& text, bool keepLineBreaks)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!isDropped(c, keepLineBreaks))
            out += c;
    return out;
}

QString tooLongMessage(int limit) { return QStringLiteral("内容过长：此处最多可输入%1个字符，未能放入").arg(limit); }

void guard(QLineEdit* box, int limit)
{
    if (TextRules* rules = rulesOf(box)) {
        rules->setLimit(limit);
        return;
    }
    // The box's own maximum would cut a paste silently; the rules refuse it instead.
    box->setMaxLength(32767);
    box->setValidator(new TextRules(box, limit));
}

void guard(QComboBox* box, int limit)
{
    if (box->lineEdit())
        guard(box->lineEdit(), limit);
}

void guard(QPlainTextEdit* box)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box] {
        const QString text = box->toPlainText();
        const QString kept = withoutControls(text, true);
        if (kept == text)
            return;
        QTextCursor c = box->textCursor();
        const int pos = c.position() - (text.size() - kept.size());
        box->setPlainText(kept);
        c = box->textCursor();
        c.setPosition(std::clamp(pos, 0, int(kept.size())));
        box->setTextCursor(c);
    });
}

void setLimit(QLineEdit* box, int limit) { guard(box, limit); }

int limit(const QLineEdit* box)
{
    const TextRules* rules = rulesOf(box);
    return rules ? rules->limit() : 0;
}
} // namespace TextInput
