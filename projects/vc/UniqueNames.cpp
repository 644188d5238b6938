#include "UniqueNames.h"

#include <functional>

UniqueNames::UniqueNames() : index_(0, Hash {&names_}, Same {&names_})
{
}

size_t UniqueNames::Hash::operator()(size_t index) const
{
    return std::hash<std::string_view> {}((*names)[index]);
}

bool UniqueNames::Add(std::string_view name)
{
    names_.emplace_back(name);
    if (index_.insert(names_.size() - 1).second)
        return true;
    names_.pop_back();
    return false;
}
