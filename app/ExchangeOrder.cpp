#include "app/ExchangeOrder.h"

#include <cstddef>

namespace {

// Counts over positions 0 .. size - 1 with prefix sums and a search for the k-th free slot.
class CountTree {
public:
    explicit CountTree(std::size_t size) : m_sums(size + 1, 0) {}

    void Add(std::size_t position, std::int32_t amount) {
        for (std::size_t at = position + 1; at < m_sums.size(); at += at & (~at + 1))
            m_sums[at] += amount;
    }

    // The sum over positions below `end`.
    std::int32_t Before(std::size_t end) const {
        std::int32_t sum = 0;
        for (std::size_t at = end; at > 0; at -= at & (~at + 1))
            sum += m_sums[at];
        return sum;
    }

    // The position at which the prefix sum first reaches `count` (count >= 1, counts of 0 or 1).
    std::size_t Find(std::int32_t count) const {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < m_sums.size())
            step *= 2;
        for (; step > 0; step /= 2) {
            if (at + step < m_sums.size() && m_sums[at + step] < count) {
                at += step;
                count -= m_sums[at];
            }
        }
        return at;
    }

private:
    std::vector<std::int32_t> m_sums;
};

// The members of one group of equal keys (item numbers, in input order) in the order the
// queue holds them at the end. `smallerBefore[k]` counts the smaller keys ahead of item k,
// `smallerInAll` those of the whole input.
//
// The queue is kept as a ring with a head: a key joins just before the head, and a smaller
// key moves the head one step on. Where each member joins the ring is plain arithmetic; the
// ring itself is then laid out once, from the last joined member back to the first.
void OrderGroup(const std::uint32_t* members, std::size_t count,
                const std::vector<std::uint32_t>& smallerBefore, std::uint32_t smallerInAll,
                std::uint32_t* out) {
    std::vector<std::size_t> joinedAt(count);
    std::size_t head = 0;
    for (std::size_t t = 0; t < count; ++t) {
        if (t > 0)
            head = (head + (smallerBefore[members[t]] - smallerBefore[members[t - 1]])) % t;
        joinedAt[t] = head;
        head = (head + 1) % (t + 1); // the old head moved one place on
    }
    head = (head + (smallerInAll - smallerBefore[members[count - 1]])) % count;

    std::vector<std::uint32_t> ring(count);
    CountTree free(count);
    for (std::size_t slot = 0; slot < count; ++slot)
        free.Add(slot, 1);
    for (std::size_t t = count; t-- > 0;) {
        std::size_t slot = free.Find(static_cast<std::int32_t>(joinedAt[t] + 1));
        free.Add(slot, -1);
        ring[slot] = members[t];
    }
    for (std::size_t k = 0; k < count; ++k)
        out[k] = ring[(head + k) % count];
}

} // namespace

std::vector<std::uint32_t> ExchangeSortOrder(const std::vector<std::uint32_t>& ranks,
                                             std::uint32_t rankCount) {
    const std::size_t count = ranks.size();
    std::vector<std::uint32_t> smallerBefore(count);
    std::vector<std::uint32_t> groupStart(static_cast<std::size_t>(rankCount) + 1, 0);
    CountTree seen(rankCount);
    for (std::size_t k = 0; k < count; ++k) {
        smallerBefore[k] = static_cast<std::uint32_t>(seen.Before(ranks[k]));
        seen.Add(ranks[k], 1);
        ++groupStart[ranks[k] + 1];
    }
    for (std::uint32_t rank = 0; rank < rankCount; ++rank)
        groupStart[rank + 1] += groupStart[rank];

    // The members of every group in input order, the groups in rank order.
    std::vector<std::uint32_t> members(count);
    std::vector<std::uint32_t> filled(groupStart.begin(), groupStart.end() - 1);
    for (std::size_t k = 0; k < count; ++k)
        members[filled[ranks[k]]++] = static_cast<std::uint32_t>(k);

    std::vector<std::uint32_t> order(count);
    for (std::uint32_t rank = 0; rank < rankCount; ++rank) {
        std::size_t first = groupStart[rank];
        std::size_t size = groupStart[rank + 1] - first;
        if (size > 0)
            OrderGroup(&members[first], size, smallerBefore, groupStart[rank], &order[first]);
    }
    return order;
}
