#include "framework/controls/Component.h"

#include "core/Format.h"
#include "core/TextUtils.h"
#include "framework/classes/PropertyTable.h"

#include <algorithm>

const TClass& TComponent::ClassInfo() {
    static const TClass info("TComponent", &TPersistent::ClassInfo(),
                             {
                                 StrProperty("Name", &TComponent::Name, &TComponent::SetName),
                                 OrdProperty("Tag", &TComponent::Tag, &TComponent::SetTag),
                             });
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        if (owner->m_state.Contains(csLoading))
            m_state.Include(csLoading);
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Those that asked to be told hear of this component's end first.
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& theirs = other->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        RemoveComponent(last);
        delete last;
    }
    if (m_owner)
        m_owner->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
    if (!m_owner)
        return -1;
    const auto& list = m_owner->m_components;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* component : m_components) {
        if (AnsiSameText(component->m_name, name))
            return component;
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->m_owner == this)
        return;
    if (!component->m_name.empty() && FindComponent(component->m_name))
        throw EConvertError(Format("A component named %s already exists", component->m_name.c_str()));
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    m_components.push_back(component);
    component->m_owner = this;
    NotifyAll(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it == m_components.end())
        return;
    NotifyAll(component, opRemove);
    m_components.erase(std::find(m_components.begin(), m_components.end(), component));
    component->m_owner = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    Notification(component, operation);
    // The owned components hear of their siblings too; the list may change under the loop.
    for (std::size_t i = 0; i < m_components.size(); ++i) {
        if (m_components[i] != component)
            m_components[i]->Notification(component, operation);
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == m_name)
        return;
    if (m_owner && !name.empty()) {
        TComponent* other = m_owner->FindComponent(name);
        if (other && other != this)
            throw EConvertError(Format("A component named %s already exists", name.c_str()));
    }
    m_name = name;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    if (std::find(component->m_freeNotifies.begin(), component->m_freeNotifies.end(), this) ==
        component->m_freeNotifies.end())
        component->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component)
        return;
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                         m_freeNotifies.end());
    auto& theirs = component->m_freeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Destroying() {
    if (m_state.Contains(csDestroying))
        return;
    m_state.Include(csDestroying);
    for (TComponent* component : m_components)
        component->Destroying();
}

void TComponent::BeginLoading() {
    m_state.Include(csLoading);
    for (TComponent* component : m_components)
        component->BeginLoading();
}

void TComponent::Loaded() {
    m_state.Exclude(csLoading);
}

void TComponent::Notification(TComponent*, TOperation) {}
