// The selection lives in a QButtonGroup whose ids are the item positions.
#include "editor/TRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Click();
    });
}

int TRadioGroup::Count() const { return int(group_->buttons().size()); }

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
    if (Count() == 0) return;
    if (index < 0) {
        // An exclusive group cannot be emptied by unchecking its button.
        if (QAbstractButton* checked = group_->checkedButton()) {
            group_->setExclusive(false);
            checked->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    if (index >= Count()) index = Count() - 1;
    group_->button(index)->setChecked(true);
}
