// A radio group: a titled box of radio buttons with one selection by
// position, as the blocks page and the add-block dialog use it.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class TRadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int Count() const;
    // Position of the selected item, -1 when none.
    int ItemIndex() const;
    // Below 0 selects nothing; beyond the last item selects the last one.
    void SetItemIndex(int index);
    QButtonGroup* Buttons() const { return group_; }

signals:
    // Raised whenever an item becomes selected, by the user or by SetItemIndex.
    void Click();

private:
    QButtonGroup* group_;
};
