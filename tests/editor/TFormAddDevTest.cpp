// The add-block dialog and the radio group it shares with the blocks page.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "editor/TFormAddDev.h"
#include "editor/TRadioGroup.h"

namespace {

TEST(FormAddDev, OpensWithTheLiftBlockSelectedAndKeepsButtonsCentred) {
    TFormAddDev dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Добавление блока"));
    ASSERT_EQ(dialog.RadioGroupType->Count(), 3);
    const char* items[] = {"ЗОРЕН-RF", "ВЕЛТ-С", "РУМЛ-Л"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dialog.RadioGroupType->Buttons()->button(i)->text(), QString::fromUtf8(items[i])) << i;
    EXPECT_EQ(dialog.RadioGroupType->ItemIndex(), 2);
    EXPECT_EQ(dialog.Panel2->height(), 43);
    for (int width : {401, 640, 999}) {
        dialog.resize(width, 250);
        dialog.show();
        const int half = dialog.Panel2->width() / 2;
        EXPECT_EQ(dialog.ButtonOK->x(), half - dialog.ButtonOK->width() - 16) << width;
        EXPECT_EQ(dialog.ButtonCancel->x(), half + 16) << width;
    }
}

TEST(RadioGroup, SelectionBelowZeroIsNoneAndBeyondTheLastIsTheLast) {
    TRadioGroup group(QStringLiteral("g"), {"a", "b", "c", "d", "e"});
    int clicks = 0;
    QObject::connect(&group, &TRadioGroup::Click, [&] { ++clicks; });
    struct Case {
        int set;
        int expected;
    } cases[] = {{1, 1}, {-1, -1}, {7, 4}, {-5, -1}, {0, 0}, {4, 4}, {-1, -1}};
    for (const auto& c : cases) {
        group.SetItemIndex(c.set);
        EXPECT_EQ(group.ItemIndex(), c.expected) << "set " << c.set;
    }
    EXPECT_EQ(clicks, 4);  // every selection raises Click, clearing does not
    group.Buttons()->button(2)->click();
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_EQ(clicks, 5);
}

}  // namespace
