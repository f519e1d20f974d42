#include "DBEdit.h"

#include "Application.h"
#include "Dataset.h"
#include "RowFollower.h"
#include "TextInput.h"

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    TextInput::guard(this);
    connect(this, &QLineEdit::textEdited, this, guarded([this](const QString& t) { typed(t); }));
}

void DBEdit::bind(Dataset* dataset, const QString& field, Kind kind)
{
    if (ds_)
        disconnect(ds_, nullptr, this, nullptr);
    ds_ = dataset;
    field_ = field;
    kind_ = kind;
    followCurrentRow(ds_, this, [this] { refresh(); });
    refresh();
}

void DBEdit::refresh()
{
    if (!ds_ || loading_)
        return;
    loading_ = true;
    QString t;
    if (ds_->isOpen() && ds_->currentRow() >= 0 && ds_->hasField(field_)) {
        const QVariant v = ds_->value(field_);
        if (kind_ == Kind::Money && v.typeId() == QMetaType::QString)
            t = v.toString(); // an amount typed that is not a number, kept until it is mended
        else if (kind_ == Kind::Money)
            t = v.isNull() ? QString() : Money::fromStorage(v).toString();
        else
            t = ds_->text(field_);
        const int width = kind_ == Kind::Text ? ds_->fieldWidth(field_) : 0;
        TextInput::setLimit(this, width);
    }
    if (text() != t)
        setText(t);
    loading_ = false;
}

bool DBEdit::holdsValidAmount() const
{
    return kind_ != Kind::Money || text().trimmed().isEmpty() || Money::parse(text()).has_value();
}

void DBEdit::typed(const QString& text)
{
    if (!ds_ || !ds_->isOpen())
        return;
    loading_ = true;
    struct Reset { bool& f; ~Reset() { f = false; } } reset{loading_};
    if (!ds_->isEditing())
        ds_->edit();
    if (kind_ == Kind::Money) {
        const auto m = Money::parse(text);
        if (text.trimmed().isEmpty())
            ds_->setValue(field_, QVariant());
        else if (m)
            ds_->setMoney(field_, *m);
        else
            ds_->setValue(field_, text); // refused at save with a message; the schema refuses it too
        return;
    }
    ds_->setValue(field_, text);
}
