#include "DetailRecords.h"

CFunctionInfo& CFunctionInfo::operator=(const CFunctionInfo& other)
{
    if (this == &other)
        return *this;
    qualifiedName = other.qualifiedName;
    reservedTokens = other.reservedTokens;
    specifierTokens = other.specifierTokens;
    parameters = other.parameters;
    ctorInitTokens = other.ctorInitTokens;
    access = other.access;
    return *this;
}
