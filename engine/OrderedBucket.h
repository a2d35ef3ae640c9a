// OrderedBucket: the values that share one key of a case-blind index, smallest first.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

namespace morva {

// Nearly every key of a nick index has exactly one value, so the first lives in the bucket itself and only a
// second one (two records whose nicks differ in case alone, say) costs an allocation. Empty is a value that is
// never stored; an empty bucket holds it as its first.
template <class T, T Empty, class Less = std::less<T>> class OrderedBucket
{
public:
    bool empty() const { return m_first == Empty; }
    // The smallest value; the bucket must not be empty.
    T front() const { return m_first; }

    void insert(T v)
    {
        if (m_first == Empty) {
            m_first = v;
        } else if (Less{}(v, m_first)) {
            m_rest.insert(m_rest.begin(), m_first);
            m_first = v;
        } else {
            m_rest.insert(std::upper_bound(m_rest.begin(), m_rest.end(), v, Less{}), v);
        }
    }

    void erase(T v)
    {
        if (m_first == v) {
            if (m_rest.empty()) {
                m_first = Empty;
            } else {
                m_first = m_rest.front();
                m_rest.erase(m_rest.begin());
            }
        } else {
            std::erase(m_rest, v);
        }
    }

private:
    T m_first = Empty;
    std::vector<T> m_rest; // ordered; allocates only once a second value comes
};

} // namespace morva
