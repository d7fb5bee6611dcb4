#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace platform {

// A fixed-size queue between one producing and one consuming thread, with no
// lock and no allocation: the calls hand work to the audio thread with it, and
// the audio thread hands back what it is done with. N is a power of two.
template <typename T, std::size_t N> class SpscRing
{
    static_assert(N >= 2 && (N & (N - 1)) == 0, "N is a power of two");

public:
    // Producer: false, and nothing queued, when the ring is full.
    bool push(const T &item)
    {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) == N)
            return false;
        m_items[head & (N - 1)] = item;
        m_head.store(head + 1, std::memory_order_release);
        return true;
    }

    // Consumer: the oldest item, left in place; nullptr when empty.
    const T *front() const
    {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_head.load(std::memory_order_acquire))
            return nullptr;
        return &m_items[tail & (N - 1)];
    }

    // Consumer: drops the item front() showed.
    void pop()
    {
        m_tail.store(m_tail.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    bool pop(T &item)
    {
        const T *f = front();
        if (f == nullptr)
            return false;
        item = *f;
        pop();
        return true;
    }

    std::size_t size() const
    {
        return m_head.load(std::memory_order_acquire) - m_tail.load(std::memory_order_acquire);
    }

private:
    std::array<T, N> m_items{};
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_tail{0};
};

} // namespace platform
