#pragma once
// A control array: like controls reached by a 16-bit index, with handlers that get the
// element's index first. Design elements are added by the form's design; elements loaded
// at run time copy the place, size and looks of the lowest design element and start hidden.
//
// Each control kind T declares `IndexedEvents` (its events with an index in front) and,
// when it has any, `static auto indexedEvents()`: which of its own handlers raises which
// of the array's. The array is an IndexedEvents, so a form writes
// `CommandMenu.onClick = [this](int i) { CommandMenu_Click(i); };`.

#include "IndexedEvents.h"
#include "Units.h"

#include <map>
#include <memory>
#include <vector>

namespace vb {

class Container;

// The design elements first..last of a control array of frames (or of any control) made
// with the array, so that controls placed inside them can be declared after it.
struct DesignElements {
    int first;
    int last;
};

template <class T>
class ControlArray : public T::IndexedEvents {
public:
    explicit ControlArray(Container& container) : m_container(container) {}
    ControlArray(Container& container, DesignElements elements) : m_container(container)
    {
        for (int i = elements.first; i <= elements.last; ++i)
            add(i);
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;
    ~ControlArray()
    {
        // Highest first, so that an element never outlives one it was copied into.
        while (!m_items.empty()) {
            auto it = std::prev(m_items.end());
            m_items.erase(it);
        }
    }

    // A design element: present from the start, visible, never unloaded.
    template <class... Args>
    T& add(int index, Args&&... args)
    {
        if (m_items.count(index))
            throw Error(360, "Object already loaded");
        auto item = std::make_unique<T>(m_container, std::forward<Args>(args)...);
        T& ref = *item;
        m_items.emplace(index, std::move(item));
        m_design.push_back(index);
        forwardEvents(ref, *this, index);
        return ref;
    }

    // A design element standing in another container than the array's (the twins of one
    // control in two bars, say). Elements loaded later copy the lowest design element and
    // go into the array's own container.
    template <class... Args>
    T& addIn(Container& container, int index, Args&&... args)
    {
        if (m_items.count(index))
            throw Error(360, "Object already loaded");
        auto item = std::make_unique<T>(container, std::forward<Args>(args)...);
        T& ref = *item;
        m_items.emplace(index, std::move(item));
        m_design.push_back(index);
        forwardEvents(ref, *this, index);
        return ref;
    }

    // Load(i): a new element at run time, copied from the lowest design element, hidden.
    T& load(int index)
    {
        if (m_items.count(index))
            throw Error(360, "Object already loaded");
        if (index < 0 || index > 32767 || m_design.empty())
            throw Error(ErrNoSuchElement, "Control array element doesn't exist");
        auto item = std::make_unique<T>(m_container);
        T& ref = *item;
        ref.copyDesignFrom(*m_items.at(lowestDesign()));
        m_items.emplace(index, std::move(item));
        forwardEvents(ref, *this, index);
        return ref;
    }

    // Unload(i): the element is gone at once for the program; its widget is deleted once
    // the event being handled has returned.
    void unload(int index)
    {
        auto it = m_items.find(index);
        if (it == m_items.end())
            throw Error(ErrNoSuchElement, "Control array element doesn't exist");
        if (isDesign(index))
            throw Error(362, "Can't unload controls created at design time");
        T* item = it->second.release();
        m_items.erase(it);
        item->retire();
    }

    bool exists(int index) const { return m_items.count(index) != 0; }
    T& operator[](int index) const { return at(index); }
    T& operator()(int index) const { return at(index); }
    T& at(int index) const
    {
        auto it = m_items.find(index);
        if (it == m_items.end())
            throw Error(ErrNoSuchElement, "Control array element doesn't exist");
        return *it->second;
    }
    T* find(int index) const
    {
        auto it = m_items.find(index);
        return it == m_items.end() ? nullptr : it->second.get();
    }
    int count() const { return static_cast<int>(m_items.size()); }
    int lbound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int ubound() const { return m_items.empty() ? -1 : std::prev(m_items.end())->first; }
    std::vector<int> indices() const
    {
        std::vector<int> v;
        for (const auto& [i, _] : m_items)
            v.push_back(i);
        return v;
    }

private:
    bool isDesign(int index) const
    {
        for (int d : m_design)
            if (d == index)
                return true;
        return false;
    }
    int lowestDesign() const
    {
        int low = m_design.front();
        for (int d : m_design)
            low = d < low ? d : low;
        return low;
    }

    Container& m_container;
    std::map<int, std::unique_ptr<T>> m_items;
    std::vector<int> m_design;
};

} // namespace vb
