// TRadioGroup: a radio button per item, laid out in columns; ItemIndex follows clicks, the
// arrow keys and the program, and the group's OnClick tells each change the user makes.

#include "FrameworkTestSupport.h"

#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/extctrls/RadioGroup.h"

namespace {

class RadioGroups : public FrameworkTest {
protected:
    TRadioGroup* NewGroup(TForm* form, int items, int columns = 1) {
        auto* group = new TRadioGroup(form);
        group->SetParent(form);
        group->SetBounds(10, 10, 240, 120);
        group->SetCaption("视图");
        group->SetColumns(columns);
        for (int i = 0; i < items; ++i)
            group->Items()->Add("选项" + std::to_string(i));
        return group;
    }
    void ClickButton(TRadioGroup* group, int index) {
        const TPoint point = OnScreen(group->Buttons(index), 6, group->Buttons(index)->Height() / 2);
        platform::headless::Click(point.x, point.y);
        Pump();
    }
};

} // namespace

TEST_F(RadioGroups, EachItemIsAChildRadioButtonInColumns) {
    TForm* form = NewForm();
    TRadioGroup* group = NewGroup(form, 5, 2);
    ASSERT_EQ(group->ButtonCount(), 5);
    EXPECT_EQ(group->ControlCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(group->Buttons(i)->InheritsFrom("TRadioButton"));
        EXPECT_EQ(group->Buttons(i)->Parent(), group);
        EXPECT_EQ(group->Buttons(i)->Caption(), "选项" + std::to_string(i));
    }
    // Three rows: the second column starts with the fourth item, level with the first.
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(3)->Left(), group->Buttons(0)->Left() + 100);
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(0)->Top(), 10) << "below the caption";

    group->Items()->Delete(4);
    group->Items()->SetStrings(0, "全部");
    EXPECT_EQ(group->ButtonCount(), 4);
    EXPECT_EQ(group->Buttons(0)->Caption(), "全部");
    EXPECT_EQ(group->Buttons(2)->Left(), group->Buttons(0)->Left() + (240 - 10) / 2) << "now two rows";
}

TEST_F(RadioGroups, ClicksAndArrowKeysChangeTheItemIndex) {
    TForm* form = NewForm();
    TRadioGroup* group = NewGroup(form, 3);
    std::vector<int> changes;
    group->OnClick = [&](TObject*) { changes.push_back(group->ItemIndex()); };
    form->Show();
    Pump();
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_TRUE(group->Buttons(0)->TabStop()) << "Tab reaches a group with nothing checked";
    ClickButton(group, 1);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    ClickButton(group, 1);
    EXPECT_EQ(changes, std::vector<int>{1}) << "a click on the checked one changes nothing";

    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons(2)->Focused());
    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(group->ItemIndex(), 0) << "round the end";
    platform::headless::TypeKey(VK_LEFT);
    Pump();
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 0, 2}));
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_TRUE(group->Buttons(2)->TabStop());
    EXPECT_FALSE(group->Buttons(1)->TabStop());
}

TEST_F(RadioGroups, TheProgramSetsTheItemIndexAndLosesItWithItsItem) {
    TForm* form = NewForm();
    TRadioGroup* group = NewGroup(form, 3);
    group->SetItemIndex(2);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    group->SetItemIndex(2);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItems(nullptr);
    EXPECT_EQ(group->ButtonCount(), 0);
}

TEST_F(RadioGroups, AnItemIndexSetWhileTheFormLoadsWaitsForTheItems) {
    struct GroupForm : TForm {
        explicit GroupForm(TComponent* owner) : TForm(owner) {
            group = new TRadioGroup(this);
            group->SetParent(this);
            group->SetItemIndex(1);
            group->Items()->Add("甲");
            group->Items()->Add("乙");
        }
        TRadioGroup* group;
    };
    auto* form = NewForm<GroupForm>();
    EXPECT_EQ(form->group->ItemIndex(), 1);
    EXPECT_TRUE(form->group->Buttons(1)->Checked());
    EXPECT_FALSE(form->group->Buttons(0)->ComponentState().Contains(csLoading));
}

TEST(RadioGroupProperties, TheSkinReadsItemsItemIndexAndColumnsByName) {
    TRadioGroup group(nullptr);
    group.Items()->Add("一");
    group.Items()->Add("二");
    auto* items = GetObjectPropAs<TStrings>(&group, "Items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->Count(), 2);
    EXPECT_TRUE(SetPropValue(&group, "ItemIndex", "1"));
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_TRUE(SetPropValue(&group, "Columns", "2"));
    EXPECT_EQ(GetOrdProp(&group, "Columns"), 2);
    EXPECT_TRUE(group.InheritsFrom("TCustomGroupBox"));
    EXPECT_NE(LowerCase(group.ClassName()).find("radiogroup"), std::string::npos);
}
