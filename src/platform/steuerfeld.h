#pragma once
// A control array: controls of one kind addressed by index, from the array's own lower bound.
#include "platform/twips.h"

#include <QPointer>
#include <vector>

namespace kav::forms {

template <class T>
class SteuerFeld {
public:
    explicit SteuerFeld(int untergrenze = 0) : m_basis(untergrenze) {}

    // Adds the control with the next index.
    void anhaengen(T* element) { m_elemente.emplace_back(element); }

    int LBound() const { return m_basis; }
    int UBound() const { return m_basis + static_cast<int>(m_elemente.size()) - 1; }
    int Count() const { return static_cast<int>(m_elemente.size()); }
    bool hat(int index) const
    {
        return index >= LBound() && index <= UBound() && !m_elemente[static_cast<size_t>(index - m_basis)].isNull();
    }

    // The element of `index`; throws FormsFehler when there is none.
    T* operator()(int index) const
    {
        if (!hat(index))
            throw FormsFehler(QStringLiteral("Steuerelementfeld: Index %1 fehlt").arg(index));
        return m_elemente[static_cast<size_t>(index - m_basis)].data();
    }

    // The element of `index` or nullptr.
    T* oderNull(int index) const { return hat(index) ? m_elemente[static_cast<size_t>(index - m_basis)].data() : nullptr; }

private:
    int m_basis;
    std::vector<QPointer<T>> m_elemente;
};

} // namespace kav::forms
