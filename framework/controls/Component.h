#pragma once
// TComponent: an object with an owner, a name and a tag. An owner keeps its components in the
// order they were made and destroys them with itself (components are made with `new` and
// handed to their owner). Components that refer to one another ask for a Notification when
// the other goes (FreeNotification).

#include "framework/classes/Persistent.h"
#include "framework/classes/Sets.h"

#include <string>
#include <vector>

enum TComponentStateBit {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating
};
using TComponentState = TSet<TComponentStateBit>;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    // A component made while its owner is loading is loading too, until Loaded.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const { return m_components.at(static_cast<std::size_t>(index)); }
    int ComponentIndex() const;
    // An owned component by name (case-insensitive), or null.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    const std::string& Name() const { return m_name; }
    // EConvertError ("A component named Button1 already exists") when the owner has one.
    virtual void SetName(const std::string& name);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    TComponentState ComponentState() const { return m_state; }

    // Asks for Notification(component, opRemove) when the other component goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Marks this component and the ones it owns as being destroyed.
    void Destroying();

    // Called once the component's properties are all set, as after reading a stored form.
    virtual void Loaded();
    // Sets csLoading on the component and what it owns (before properties are set in code).
    void BeginLoading();

protected:
    // Told of components inserted into or removed from the owner, and of freed components
    // this one asked about.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    std::string m_name;
    int m_tag = 0;
    TComponentState m_state;
};
