#pragma once
// How an element of a control array raises the array's events: each control kind lists its
// events with `static auto indexedEvents()`, and one forwarder serves them all.

#include <functional>
#include <tuple>
#include <utility>

namespace vb {

// One event an element raises through its array: the element's handler `own` runs the
// array's handler `indexed` with the element's index in front of the event's arguments.
template <class C, class E, class... Args>
struct ForwardedEvent {
    std::function<void(Args...)> C::*own;
    std::function<void(int, Args...)> E::*indexed;
};
template <class C, class E, class... Args>
ForwardedEvent(std::function<void(Args...)> C::*, std::function<void(int, Args...)> E::*) -> ForwardedEvent<C, E, Args...>;

// Gives every event of element the handler that raises the array's with index. The array
// outlives its elements, so the handlers may refer to it.
template <class T, class Events>
void forwardEvents(T& element, Events& array, int index)
{
    if constexpr (requires { T::indexedEvents(); }) {
        auto forward = [&element, &array, index]<class C, class E, class... Args>(ForwardedEvent<C, E, Args...> event) {
            element.*event.own = [&array, index, indexed = event.indexed](Args... args) {
                if (array.*indexed)
                    (array.*indexed)(index, std::forward<Args>(args)...);
            };
        };
        std::apply([&forward](auto... events) { (forward(events), ...); }, T::indexedEvents());
    }
}

} // namespace vb
