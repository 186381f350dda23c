#pragma once
// TSet<E>: a set of the members of an enumeration E (at most 32), stored as the bit mask of
// their ordinals, as published set properties hold them.

#include <cstdint>
#include <initializer_list>

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E member : members)
            m_bits |= Bit(member);
    }
    constexpr explicit TSet(std::int64_t mask) : m_bits(static_cast<std::uint32_t>(mask)) {}
    constexpr explicit operator std::int64_t() const { return m_bits; }

    constexpr bool Contains(E member) const { return (m_bits & Bit(member)) != 0; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr std::uint32_t Mask() const { return m_bits; }
    constexpr TSet& Include(E member) {
        m_bits |= Bit(member);
        return *this;
    }
    constexpr TSet& Exclude(E member) {
        m_bits &= ~Bit(member);
        return *this;
    }
    constexpr TSet operator+(TSet other) const {
        return TSet(static_cast<std::int64_t>(m_bits | other.m_bits));
    }
    constexpr TSet operator-(TSet other) const {
        return TSet(static_cast<std::int64_t>(m_bits & ~other.m_bits));
    }
    constexpr TSet operator*(TSet other) const {
        return TSet(static_cast<std::int64_t>(m_bits & other.m_bits));
    }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E member) { return std::uint32_t{1} << static_cast<unsigned>(member); }

    std::uint32_t m_bits = 0;
};
