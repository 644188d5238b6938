#include "DetailRecords.h"

namespace {

thread_local bool t_bulkCreation = false;

} // namespace

CDetailRecord::BulkCreation::BulkCreation() : previous_(t_bulkCreation)
{
    t_bulkCreation = true;
}

CDetailRecord::BulkCreation::~BulkCreation()
{
    t_bulkCreation = previous_;
}

void* CDetailRecord::operator new(std::size_t size)
{
    return t_bulkCreation ? BulkMemory::Take(size) : BulkMemory::TakeSingle(size);
}

CFunctionInfo& CFunctionInfo::operator=(const CFunctionInfo& other)
{
    qualifiedName = other.qualifiedName;
    reservedTokens = other.reservedTokens;
    specifierTokens = other.specifierTokens;
    parameters = other.parameters;
    ctorInitTokens = other.ctorInitTokens;
    access = other.access;
    return *this;
}
