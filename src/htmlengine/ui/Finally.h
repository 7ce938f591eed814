#pragma once
// Runs the end of a scope on every path, the pane's busy flags above all.

#include <utility>

namespace htmlengine {

template <class F> class Finally {
public:
    explicit Finally(F f) : f_(std::move(f)) {}
    ~Finally() { f_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F f_;
};

}  // namespace htmlengine
