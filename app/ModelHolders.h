#pragma once

#include <functional>
#include <map>
#include <string>

// Everyone who keeps pointers into the code model (the views' layout trees
// and diagrams, the document's selection, the code window, the detail
// engines) registers a reset here. Every path that replaces or frees the
// model (Draw, Clear All, Reanalyze, opening, new and closing projects,
// removing files) calls OnModelReplaced first, so that no paint or click can
// reach freed data afterwards.
class ModelHolders {
public:
    using Reset = std::function<void()>;

    // Keeps a holder registered for its lifetime.
    class Registration {
    public:
        Registration() = default;
        Registration(ModelHolders& holders, std::string name, Reset reset);
        ~Registration();
        Registration(Registration&& other) noexcept;
        Registration& operator=(Registration&& other) noexcept;
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;

    private:
        ModelHolders* holders_ = nullptr;
        int id_ = 0;
    };

    // Resets every holder, in the order they registered.
    void OnModelReplaced();

private:
    struct Holder {
        std::string name;
        Reset reset;
    };
    int Add(std::string name, Reset reset);
    void Remove(int id);

    std::map<int, Holder> resets_;
    int nextId_ = 1;
};
