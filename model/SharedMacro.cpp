#include "SharedMacro.h"

#include <utility>

SharedMacro::SharedMacro(CMacroDef definition) : shared_(new Shared(std::move(definition)))
{
}

const CMacroDef& SharedMacro::Empty() noexcept
{
    static const CMacroDef kEmpty;
    return kEmpty;
}
