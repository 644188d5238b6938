#include "ModelHolders.h"

#include <vector>

ModelHolders::Registration::Registration(ModelHolders& holders, std::string name, Reset reset)
    : holders_(&holders), id_(holders.Add(std::move(name), std::move(reset)))
{
}

ModelHolders::Registration::~Registration()
{
    if (holders_ != nullptr)
        holders_->Remove(id_);
}

ModelHolders::Registration::Registration(Registration&& other) noexcept
    : holders_(other.holders_), id_(other.id_)
{
    other.holders_ = nullptr;
}

ModelHolders::Registration& ModelHolders::Registration::operator=(Registration&& other) noexcept
{
    if (this != &other) {
        if (holders_ != nullptr)
            holders_->Remove(id_);
        holders_ = other.holders_;
        id_ = other.id_;
        other.holders_ = nullptr;
    }
    return *this;
}

int ModelHolders::Add(std::string name, Reset reset)
{
    const int id = nextId_++;
    resets_.emplace(id, Holder {std::move(name), std::move(reset)});
    return id;
}

void ModelHolders::Remove(int id)
{
    resets_.erase(id);
}

void ModelHolders::OnModelReplaced()
{
    // A reset may register or unregister holders: run a copy.
    std::vector<Reset> resets;
    resets.reserve(resets_.size());
    for (const auto& [id, holder] : resets_)
        resets.push_back(holder.reset);
    for (const Reset& reset : resets)
        if (reset)
            reset();
}
