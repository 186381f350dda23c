// Components: ownership in order, names, notifications and destruction with the owner.

#include "framework/controls/Component.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, TOperation>> heard;
    static int destroyed;
    ~TWatcher() override { ++destroyed; }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        heard.emplace_back(component, operation);
    }
};
int TWatcher::destroyed = 0;

} // namespace

TEST(Component, OwnerKeepsComponentsInOrderAndFindsThemByName) {
    TWatcher owner(nullptr);
    auto* first = new TWatcher(&owner);
    auto* second = new TWatcher(&owner);
    first->SetName("Button_Refresh");
    second->SetName("Memo1");
    ASSERT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(0), first);
    EXPECT_EQ(second->ComponentIndex(), 1);
    EXPECT_EQ(owner.FindComponent("button_refresh"), first);
    EXPECT_EQ(owner.FindComponent("Nothing"), nullptr);
    EXPECT_THROW(second->SetName("BUTTON_REFRESH"), EConvertError);
    EXPECT_EQ(second->Name(), "Memo1");

    // The owner and its components hear of insertions and removals.
    ASSERT_GE(owner.heard.size(), 2u);
    EXPECT_EQ(owner.heard[0], std::make_pair(static_cast<TComponent*>(first), opInsert));
    EXPECT_EQ(first->heard.back(), std::make_pair(static_cast<TComponent*>(second), opInsert));
    owner.RemoveComponent(first);
    EXPECT_EQ(owner.heard.back(), std::make_pair(static_cast<TComponent*>(first), opRemove));
    EXPECT_EQ(first->Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 1);
    delete first;
}

TEST(Component, DestroyingTheOwnerDestroysWhatItOwnsAndTellsThoseWhoAsked) {
    TWatcher::destroyed = 0;
    TWatcher observer(nullptr);
    {
        TWatcher owner(nullptr);
        auto* child = new TWatcher(&owner);
        new TWatcher(child);
        observer.FreeNotification(child);
    }
    EXPECT_EQ(TWatcher::destroyed, 3);
    ASSERT_FALSE(observer.heard.empty());
    EXPECT_EQ(observer.heard.back().second, opRemove);
}

TEST(Component, LoadingPassesToComponentsMadeMeanwhileUntilLoaded) {
    TWatcher owner(nullptr);
    owner.BeginLoading();
    auto* child = new TWatcher(&owner);
    EXPECT_TRUE(child->ComponentState().Contains(csLoading));
    child->Loaded();
    EXPECT_FALSE(child->ComponentState().Contains(csLoading));
    EXPECT_FALSE(child->ComponentState().Contains(csDesigning));
}
