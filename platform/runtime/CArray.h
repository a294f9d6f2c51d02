#pragma once

#include <cstddef>
#include <vector>

#include "platform/runtime/CInvalidArgException.h"

// A growable array with amortised appends and bounds-checked access.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    using INT_PTR = std::ptrdiff_t;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    bool IsEmpty() const { return m_data.empty(); }

    // Sets element index, growing the array (with default elements) as far as needed.
    void SetAtGrow(INT_PTR index, ARG_TYPE element) {
        if (index < 0) throw CInvalidArgException();
        if (index >= GetSize()) m_data.resize(static_cast<size_t>(index) + 1);
        m_data[static_cast<size_t>(index)] = element;
    }
    INT_PTR Add(ARG_TYPE element) {
        m_data.push_back(element);
        return GetSize() - 1;
    }

    const TYPE& GetAt(INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& ElementAt(INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }

private:
    size_t Checked(INT_PTR index) const {
        if (index < 0 || index >= GetSize()) throw CInvalidArgException();
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> m_data;
};
