#include "skin/forms/WindowThunk.h"

#include <array>
#include <deque>
#include <utility>

namespace {

struct ThunkSlot {
    TWindowThunk::Handler handler; // empty while the slot is free
    WNDPROC fallback = nullptr;
    bool fallbackUnicode = false;
};

std::array<ThunkSlot, TWindowThunk::PoolSize>& Slots() {
    static std::array<ThunkSlot, TWindowThunk::PoolSize> slots;
    return slots;
}

// Free slots, the longest free first.
std::deque<int>& FreeSlots() {
    static std::deque<int> freeSlots = [] {
        std::deque<int> all;
        for (int slot = 0; slot < TWindowThunk::PoolSize; ++slot)
            all.push_back(slot);
        return all;
    }();
    return freeSlots;
}

template <std::size_t Slot>
LRESULT CALLBACK SlotProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const ThunkSlot& slot = Slots()[Slot];
    if (slot.handler)
        return slot.handler(window, message, wParam, lParam);
    if (slot.fallback) {
        return slot.fallbackUnicode ? CallWindowProcW(slot.fallback, window, message, wParam, lParam)
                                    : CallWindowProcA(slot.fallback, window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

template <std::size_t... Slot>
constexpr std::array<WNDPROC, sizeof...(Slot)> MakeProcedures(std::index_sequence<Slot...>) {
    return {&SlotProcedure<Slot>...};
}

constexpr std::array<WNDPROC, TWindowThunk::PoolSize> Procedures =
    MakeProcedures(std::make_index_sequence<TWindowThunk::PoolSize>());

} // namespace

TWindowThunk::TWindowThunk(Handler handler) {
    if (FreeSlots().empty() || !handler)
        return;
    m_slot = FreeSlots().front();
    FreeSlots().pop_front();
    Slots()[m_slot] = ThunkSlot{std::move(handler), nullptr, false};
    m_procedure = Procedures[static_cast<std::size_t>(m_slot)];
}

TWindowThunk::~TWindowThunk() {
    if (m_slot < 0)
        return;
    Slots()[m_slot].handler = nullptr;
    FreeSlots().push_back(m_slot);
}

void TWindowThunk::SetFallback(WNDPROC previous, bool unicode) {
    if (m_slot < 0)
        return;
    Slots()[m_slot].fallback = previous;
    Slots()[m_slot].fallbackUnicode = unicode;
}

TWindowSubclass::TWindowSubclass(TWindowThunk::Handler handler) : m_thunk(std::move(handler)) {}

TWindowSubclass::~TWindowSubclass() {
    Detach();
}

bool TWindowSubclass::Attach(HWND window) {
    if (m_window || !m_thunk.Procedure() || !IsWindow(window))
        return false;
    const bool unicode = IsWindowUnicode(window) != FALSE;
    const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(m_thunk.Procedure());
    const LONG_PTR previous = unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                                      : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
    if (previous == 0)
        return false;
    m_window = window;
    m_unicode = unicode;
    m_previous = reinterpret_cast<WNDPROC>(previous);
    m_thunk.SetFallback(m_previous, m_unicode);
    return true;
}

void TWindowSubclass::Detach() {
    if (!m_window)
        return;
    if (IsWindow(m_window)) {
        const LONG_PTR previous = reinterpret_cast<LONG_PTR>(m_previous);
        if (m_unicode)
            SetWindowLongPtrW(m_window, GWLP_WNDPROC, previous);
        else
            SetWindowLongPtrA(m_window, GWLP_WNDPROC, previous);
    }
    m_window = nullptr;
}

LRESULT TWindowSubclass::CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_unicode ? CallWindowProcW(m_previous, window, message, wParam, lParam)
                     : CallWindowProcA(m_previous, window, message, wParam, lParam);
}
