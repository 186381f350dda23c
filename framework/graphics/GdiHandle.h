#pragma once
// The owner of one drawing object handle: deleted when replaced or when the owner goes. The
// platform keeps an object alive while a DC still has it selected, so deleting early is safe.

#include "platform/gdi/WinGdi.h"

#include <utility>

template <typename H>
class TGdiHandle {
public:
    TGdiHandle() = default;
    explicit TGdiHandle(H handle) : m_handle(handle) {}
    ~TGdiHandle() { Reset(); }
    TGdiHandle(TGdiHandle&& other) noexcept : m_handle(other.Release()) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    H Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(H handle = nullptr) {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }
    H Release() { return std::exchange(m_handle, nullptr); }

private:
    H m_handle = nullptr;
};
