#include "DBCheckBox.h"

#include "Application.h"
#include "Dataset.h"
#include "RowFollower.h"

DBCheckBox::DBCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    // clicked is emitted for user actions only, never for setChecked.
    connect(this, &QCheckBox::clicked, this, guarded([this](bool checked) {
        if (!ds_ || !ds_->isOpen() || ds_->currentRow() < 0)
            return;
        loading_ = true;
        struct Reset { bool& f; ~Reset() { f = false; } } reset{loading_};
        if (!ds_->isEditing())
            ds_->edit();
        ds_->setValue(field_, checked ? 1 : 0);
    }));
}

void DBCheckBox::bind(Dataset* dataset, const QString& field)
{
    if (ds_)
        disconnect(ds_, nullptr, this, nullptr);
    ds_ = dataset;
    field_ = field;
    followCurrentRow(ds_, this, [this] { refresh(); });
    refresh();
}

void DBCheckBox::refresh()
{
    if (!ds_ || loading_)
        return;
    const bool on = ds_->isOpen() && ds_->currentRow() >= 0 && ds_->hasField(field_) && ds_->boolean(field_);
    if (isChecked() != on)
        setChecked(on);
}
