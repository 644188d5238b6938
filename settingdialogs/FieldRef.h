#pragma once

#include <functional>

// A form's field as the control tables hold it: a reference to a member of
// the form's working record, which stays in place for the form's lifetime.
template <typename T> std::function<T&()> FieldRef(T& field)
{
    return [&field]() -> T& { return field; };
}
